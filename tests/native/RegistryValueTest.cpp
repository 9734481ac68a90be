#include "RegistryValue.h"

#include <gtest/gtest.h>

#include <vector>

namespace RegistryValue {
namespace {

struct DataCase {
    const char* name;
    std::uint32_t type;
    std::vector<unsigned char> data;
    bool accepted;
    std::int32_t value;
};

const DataCase kDataCases[] = {
    {"DWORD 10", Dword, {10, 0, 0, 0}, true, 10},
    {"DWORD all ones reads as -1, the missing mark", Dword, {0xFF, 0xFF, 0xFF, 0xFF}, true, -1},
    {"QWORD takes the low 32 bits", Qword, {1, 0, 0, 0, 7, 0, 0, 0}, true, 1},
    {"QWORD 2^32 + 10", Qword, {10, 0, 0, 0, 1, 0, 0, 0}, true, 10},
    {"BINARY of 2 bytes, rest zero", Binary, {0x0A, 0x01}, true, 0x010A},
    {"BINARY of 8 bytes", Binary, {0, 0, 0, 0x80, 0xFF, 0xFF, 0xFF, 0xFF}, true, INT32_MIN},
    {"BINARY of 12 bytes", Binary, std::vector<unsigned char>(12, 1), false, 0},
    {"DWORD of 0 bytes", Dword, {}, true, 0},
    {"MULTI_SZ", MultiSz, {'1', 0, 0, 0}, false, 0},
    {"NONE", None, {}, false, 0},
};

TEST(RegistryNumber, WhichDataCountAndWhatTheyGive)
{
    for (const DataCase& c : kDataCases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(IsNumberData(c.type, static_cast<std::uint32_t>(c.data.size())), c.accepted);
        if (c.accepted) {
            EXPECT_EQ(NumberFromData(c.data.data(), c.data.size()), c.value);
        }
    }
}

TEST(RegistryNumber, TextTypesAreReadAsText)
{
    EXPECT_TRUE(IsText(Sz));
    EXPECT_TRUE(IsText(ExpandSz));
    EXPECT_FALSE(IsText(MultiSz));
    EXPECT_FALSE(IsText(Binary));
    // The text read itself takes BINARY as well, but no other type.
    for (std::uint32_t type : {Sz, ExpandSz, Binary})
        EXPECT_TRUE(IsAcceptedText(type)) << type;
    for (std::uint32_t type : {None, Dword, MultiSz, Qword})
        EXPECT_FALSE(IsAcceptedText(type)) << type;
}

struct TextCase {
    const char* text;
    std::optional<std::int64_t> number;
};

const TextCase kTextCases[] = {
    {"10", 10},
    {" +0x0A", 10},
    {"   -10", -10},
    {"$ff", 255},
    {"0XfF", 255},
    {"-$10", -16},
    {"9223372036854775807", INT64_MAX},
    {"-9223372036854775808", INT64_MIN},
    {"9223372036854775808", std::nullopt},
    {"0x8000000000000000", std::nullopt},
    {"0x7FFFFFFFFFFFFFFF", INT64_MAX},
    {"", std::nullopt},
    {"   ", std::nullopt},
    {"+", std::nullopt},
    {"0x", std::nullopt},
    {"ten", std::nullopt},
    {"10 ", std::nullopt},
    {"\t10", std::nullopt},
    {"1e3", std::nullopt},
    {"x10", std::nullopt},
    {"+-1", std::nullopt},
};

TEST(RegistryNumber, TextConversion)
{
    for (const TextCase& c : kTextCases)
        EXPECT_EQ(ParseNumberText(c.text), c.number) << '"' << c.text << '"';
}

TEST(RegistryNumber, TextGivesTheLow32Bits)
{
    EXPECT_EQ(NumberFromText("4294967306"), 10);  // 2^32 + 10
    EXPECT_EQ(NumberFromText("0xFFFFFFFF"), -1);
    EXPECT_EQ(NumberFromText("letters"), std::nullopt);
}

TEST(RegistryText, DropsTheLastUnitAndHalfUnits)
{
    const unsigned char ten[] = {'1', 0, '0', 0, 0, 0};
    EXPECT_EQ(TextUnits(ten, sizeof ten), u"10");
    // Without a terminator the last real unit goes, as the system would have stored one.
    EXPECT_EQ(TextUnits(ten, 4), u"1");
    EXPECT_EQ(TextUnits(ten, 5), u"1");
    EXPECT_EQ(TextUnits(ten, 1), u"");
    EXPECT_EQ(TextUnits(ten, 0), u"");
    const unsigned char czech[] = {0x0D, 0x01, 0, 0}; // U+010D
    EXPECT_EQ(TextUnits(czech, sizeof czech), u"\u010d");
}

} // namespace
} // namespace RegistryValue
