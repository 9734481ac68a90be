#include "Exceptions.h"

#include <array>

namespace {

struct InOutText {
    std::uint32_t code;
    const char* message;
};

constexpr std::array<InOutText, 7> kInOutTexts{{
    {2, "File not found"},
    {3, "Invalid filename"},
    {4, "Too many open files"},
    {5, "File access denied"},
    {100, "Read beyond end of file"},
    {101, "Disk full"},
    {106, "Invalid numeric input"},
}};

} // namespace

std::string InOutErrorMessage(std::uint32_t code)
{
    for (const auto& entry : kInOutTexts)
        if (entry.code == code)
            return entry.message;
    return "I/O error " + std::to_string(code);
}

EInOutError::EInOutError(std::uint32_t code) : Exception(InOutErrorMessage(code)), code_(code) {}

EFOpenError::EFOpenError(const std::string& fileName) : EStreamError("Cannot open file " + fileName) {}

EFCreateError::EFCreateError(const std::string& fileName)
    : EStreamError("Cannot create file " + fileName)
{
}
