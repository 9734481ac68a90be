#include "OleText.h"

#include <cstdio>

std::string OleErrorMessage(const std::string& systemText, std::int32_t result)
{
    if (!systemText.empty())
        return systemText;
    char text[32];
    std::snprintf(text, sizeof text, "OLE error %.8X", static_cast<unsigned>(static_cast<std::uint32_t>(result)));
    return text;
}
