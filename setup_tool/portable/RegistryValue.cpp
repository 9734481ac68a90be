#include "RegistryValue.h"

#include "Convert.h"

#include <limits>

namespace RegistryValue {

bool IsText(std::uint32_t type)
{
    return type == Sz || type == ExpandSz;
}

bool IsNumberData(std::uint32_t type, std::uint32_t size)
{
    return (type == Binary || type == Dword || type == Qword) && size <= kMaxNumberSize;
}

bool IsAcceptedText(std::uint32_t type)
{
    return type == Sz || type == ExpandSz || type == Binary;
}

std::int32_t NumberFromData(const unsigned char* data, std::size_t size)
{
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < size && i < kMaxNumberSize; ++i)
        value |= static_cast<std::uint64_t>(data[i]) << (8 * i);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value & 0xFFFFFFFFu));
}

std::optional<std::int64_t> ParseNumberText(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    unsigned base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == text.size())
        return std::nullopt;
    // The magnitude may reach 2^63 for the most negative number.
    const std::uint64_t limit = negative ? std::uint64_t{1} << 63 : (std::uint64_t{1} << 63) - 1;
    std::uint64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const int digit = HexDigit(text[i]);
        if (digit < 0 || static_cast<unsigned>(digit) >= base)
            return std::nullopt;
        if (magnitude > (limit - static_cast<unsigned>(digit)) / base)
            return std::nullopt;
        magnitude = magnitude * base + static_cast<unsigned>(digit);
    }
    if (negative)
        return magnitude == (std::uint64_t{1} << 63) ? std::numeric_limits<std::int64_t>::min()
                                                      : -static_cast<std::int64_t>(magnitude);
    return static_cast<std::int64_t>(magnitude);
}

std::optional<std::int32_t> NumberFromText(std::string_view text)
{
    const auto value = ParseNumberText(text);
    if (!value)
        return std::nullopt;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(*value) & 0xFFFFFFFFu));
}

std::u16string TextUnits(const unsigned char* data, std::size_t size)
{
    const std::size_t units = size / 2;
    std::u16string text;
    if (units == 0)
        return text;
    text.reserve(units - 1);
    for (std::size_t i = 0; i + 1 < units; ++i)
        text.push_back(static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8)));
    return text;
}

} // namespace RegistryValue
