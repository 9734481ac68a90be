#include "Convert.h"
#include "Exceptions.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

struct ConvertCase {
    std::string text;
    std::optional<std::int32_t> expected; // nullopt: no whole number
};

class StrToIntTest : public testing::TestWithParam<ConvertCase> {};

TEST_P(StrToIntTest, FollowsTheWholeNumberRules)
{
    const ConvertCase& c = GetParam();
    if (c.expected) {
        EXPECT_EQ(StrToInt(c.text), *c.expected) << '"' << c.text << '"';
    } else {
        try {
            StrToInt(c.text);
            ADD_FAILURE() << '"' << c.text << "\" converted";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), "'" + c.text + "' is not a valid integer value");
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Table, StrToIntTest, testing::Values(
    ConvertCase{"2023", 2023},
    ConvertCase{"0", 0},
    ConvertCase{"007", 7},
    ConvertCase{"+15", 15},
    ConvertCase{"-15", -15},
    ConvertCase{"2147483647", 2147483647},
    ConvertCase{"-2147483648", INT32_MIN},
    ConvertCase{"2147483648", std::nullopt},
    ConvertCase{"-2147483649", std::nullopt},
    ConvertCase{"99999999999999999999999", std::nullopt},
    ConvertCase{"$1F", 31},
    ConvertCase{"x1f", 31},
    ConvertCase{"X1F", 31},
    ConvertCase{"0x7FFFFFFF", 2147483647},
    ConvertCase{"0XFFFFFFFF", -1},
    ConvertCase{"$80000000", INT32_MIN},
    ConvertCase{"$100000000", std::nullopt},
    ConvertCase{"$000000001", 1},
    ConvertCase{"$", std::nullopt},
    ConvertCase{"0x", std::nullopt},
    ConvertCase{"$G", std::nullopt},
    ConvertCase{"   2023", 2023},
    ConvertCase{" 2023", 2023},
    ConvertCase{"2023 ", std::nullopt},
    ConvertCase{"\t2023", std::nullopt},
    ConvertCase{"", std::nullopt},
    ConvertCase{"   ", std::nullopt},
    ConvertCase{"+", std::nullopt},
    ConvertCase{"-", std::nullopt},
    ConvertCase{"+-1", std::nullopt},
    ConvertCase{"- 1", std::nullopt},
    ConvertCase{"-$10", std::nullopt},
    ConvertCase{"+0x10", std::nullopt},
    ConvertCase{"abc", std::nullopt},
    ConvertCase{"12a", std::nullopt},
    ConvertCase{"1.5", std::nullopt}));

} // namespace
