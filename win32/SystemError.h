#pragma once
// The system's message text for an error code, as both programs show it.
#include "SystemTextTrim.h"

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// The text for the code, written into the caller's buffer, without its trailing blanks, line
// ends and periods (the programs put their own punctuation after it). The empty text when the
// system has none, or none that fits the buffer: a message is never shown cut short.
inline std::string_view SystemErrorText(std::uint32_t code, std::span<char> buffer) noexcept
{
    // Inserts such as "%1" are left as they stand: there are no arguments to put in, and reading
    // them from a null array would crash on the messages that have them.
    const DWORD size = buffer.size() > 0xFFFF ? 0xFFFF : static_cast<DWORD>(buffer.size());
    const DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ARGUMENT_ARRAY |
                                              FORMAT_MESSAGE_IGNORE_INSERTS,
                                          nullptr, code, 0, buffer.data(), size, nullptr);
    return TrimSystemText(std::string_view(buffer.data(), length));
}

// The same as a string of its own, for code that keeps the text.
inline std::string SystemErrorText(std::uint32_t code)
{
    char buffer[512];
    return std::string(SystemErrorText(code, buffer));
}
