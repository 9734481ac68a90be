#pragma once
// How the tool reads a number or a text out of a registry value: which types count, how big a
// value may be, and how its bytes become a number. The Windows side only fetches the bytes.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace RegistryValue {

// The registry's type numbers (as in winnt.h).
enum Type : std::uint32_t {
    None = 0,
    Sz = 1,
    ExpandSz = 2,
    Binary = 3,
    Dword = 4,
    MultiSz = 7,
    Qword = 11,
};

inline constexpr std::size_t kMaxNumberSize = 8;

bool IsText(std::uint32_t type);               // REG_SZ, REG_EXPAND_SZ: read as text, then converted
bool IsNumberData(std::uint32_t type, std::uint32_t size); // read into the zeroed 8-byte buffer
bool IsAcceptedText(std::uint32_t type);       // what the text read accepts

// The low 32 bits of the little-endian number in up to 8 bytes (the rest of the buffer zero).
std::int32_t NumberFromData(const unsigned char* data, std::size_t size);

// A number written as text: spaces, an optional sign, decimal digits or "$"/"0x"/"0X" and hex
// digits, nothing after; within the signed 64-bit range. Nothing when the text is no number.
std::optional<std::int64_t> ParseNumberText(std::string_view text);

// The number a text value gives, as the low 32 bits; nothing when it gives none.
std::optional<std::int32_t> NumberFromText(std::string_view text);

// A text value's UTF-16 units as read: size / 2 units of which the last (the terminator) goes.
std::u16string TextUnits(const unsigned char* data, std::size_t size);

} // namespace RegistryValue
