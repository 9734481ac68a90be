#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// The standard whole-number conversion: leading spaces, then either an optional sign and decimal
// digits within the signed 32-bit range, or one of "$", "x", "X", "0x", "0X" and hexadecimal
// digits up to FFFFFFFF, and nothing after the digits. Anything else raises EConvertError with
// "'<text>' is not a valid integer value".
std::int32_t StrToInt(std::string_view text);

// The same rules without raising: false when the text is no whole number.
bool TryStrToInt(std::string_view text, std::int32_t& value);

// The value of a hexadecimal digit (either case); -1 for any other character.
int HexDigit(char c);

// The conversion message for a text.
std::string ConvertErrorMessage(std::string_view text);
