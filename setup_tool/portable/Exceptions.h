#pragma once
// The failure classes of the setup tool. Every failure that reaches the user is one of these;
// the message text is what the standard failure box shows (in the ANSI code page).
#include <cstdint>
#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const std::string& Message() const noexcept { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// A text that is no whole number.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// A failed open, read, write or close of a text file; carries the Windows error code.
class EInOutError : public Exception {
public:
    explicit EInOutError(std::uint32_t code);
    std::uint32_t ErrorCode() const noexcept { return code_; }

private:
    std::uint32_t code_;
};

// The message an input/output failure shows for a Windows error code.
std::string InOutErrorMessage(std::uint32_t code);

class EStreamError : public Exception {
public:
    using Exception::Exception;
};

class EFOpenError : public EStreamError {
public:
    explicit EFOpenError(const std::string& fileName);
};

class EFCreateError : public EStreamError {
public:
    explicit EFCreateError(const std::string& fileName);
};

class EOleError : public Exception {
public:
    using Exception::Exception;
};

// A failed COM call; carries the HRESULT.
class EOleSysError : public EOleError {
public:
    EOleSysError(std::string message, std::int32_t result)
        : EOleError(std::move(message)), result_(result) {}
    std::int32_t ErrorCode() const noexcept { return result_; }

private:
    std::int32_t result_;
};
