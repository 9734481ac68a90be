#include "Convert.h"

#include "Exceptions.h"

#include <string>

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

namespace {

// Digits in the given base up to the end of the text, none missing, the value within limit.
bool ParseDigits(std::string_view digits, unsigned base, std::uint64_t limit, std::uint64_t& value)
{
    if (digits.empty())
        return false;
    value = 0;
    for (char c : digits) {
        const int d = HexDigit(c);
        if (d < 0 || static_cast<unsigned>(d) >= base)
            return false;
        value = value * base + static_cast<unsigned>(d);
        if (value > limit)
            return false;
    }
    return true;
}

std::size_t HexPrefixLength(std::string_view s)
{
    if (s.starts_with('$') || s.starts_with('x') || s.starts_with('X'))
        return 1;
    if (s.starts_with("0x") || s.starts_with("0X"))
        return 2;
    return 0;
}

} // namespace

bool TryStrToInt(std::string_view text, std::int32_t& value)
{
    std::string_view s = text;
    while (s.starts_with(' '))
        s.remove_prefix(1);

    std::uint64_t magnitude = 0;
    if (const std::size_t prefix = HexPrefixLength(s)) {
        if (!ParseDigits(s.substr(prefix), 16, 0xFFFFFFFFull, magnitude))
            return false;
        value = static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude));
        return true;
    }

    bool negative = false;
    if (s.starts_with('+') || s.starts_with('-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    const std::uint64_t limit = negative ? 0x80000000ull : 0x7FFFFFFFull;
    if (!ParseDigits(s, 10, limit, magnitude))
        return false;
    value = negative ? static_cast<std::int32_t>(0 - magnitude) : static_cast<std::int32_t>(magnitude);
    return true;
}

std::string ConvertErrorMessage(std::string_view text)
{
    return "'" + std::string(text) + "' is not a valid integer value";
}

std::int32_t StrToInt(std::string_view text)
{
    std::int32_t value = 0;
    if (!TryStrToInt(text, value))
        throw EConvertError(ConvertErrorMessage(text));
    return value;
}
