#include "SystemError.h"

#include <windows.h>

// Inserts such as "%1" are left as they stand: there are no arguments to put in, and reading
// them from a null array would crash on the messages that have them.
std::string SystemErrorText(std::uint32_t code)
{
    char buffer[256];
    const DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ARGUMENT_ARRAY |
                                              FORMAT_MESSAGE_IGNORE_INSERTS,
                                          nullptr, code, 0, buffer, sizeof buffer, nullptr);
    std::string text(buffer, length);
    while (!text.empty() &&
           (static_cast<unsigned char>(text.back()) <= 32 || text.back() == '.'))
        text.pop_back();
    return text;
}
