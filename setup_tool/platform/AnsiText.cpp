#include "AnsiText.h"

#include <windows.h>

#include <limits>
#include <new>

// Texts longer than an int can count do not occur in the tool; refusing them beats cutting them.
static int CountOf(std::size_t size)
{
    if (size > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        throw std::bad_alloc();
    return static_cast<int>(size);
}

std::wstring AnsiToWide(const std::string& text)
{
    if (text.empty())
        return {};
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), CountOf(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), CountOf(text.size()), wide.data(), length);
    return wide;
}

std::string WideToAnsi(const std::wstring& text)
{
    if (text.empty())
        return {};
    const int length =
        ::WideCharToMultiByte(CP_ACP, 0, text.data(), CountOf(text.size()), nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.data(), CountOf(text.size()), narrow.data(), length, nullptr, nullptr);
    return narrow;
}
