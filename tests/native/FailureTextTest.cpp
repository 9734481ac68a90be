#include "FailureText.h"

#include <gtest/gtest.h>

namespace {

struct PeriodCase {
    std::string message;
    std::string shown;
};

class FailureBoxTextTest : public testing::TestWithParam<PeriodCase> {};

TEST_P(FailureBoxTextTest, AppendsAPeriodAfterCodesAboveThePeriod)
{
    EXPECT_EQ(FailureBoxText(GetParam().message), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Table, FailureBoxTextTest, testing::Values(
    PeriodCase{"File not found", "File not found."},
    PeriodCase{"I/O error 32", "I/O error 32."},
    PeriodCase{"Chyba:", "Chyba:."},
    PeriodCase{"Why?", "Why?."},
    PeriodCase{"Soubor nelze ot\xE9vt na tv\xF8", "Soubor nelze ot\xE9vt na tv\xF8."}, // ends in "ř" (0xF8)
    PeriodCase{"Z", "Z."},
    PeriodCase{"/", "/."},
    PeriodCase{"Done.", "Done."},
    PeriodCase{"Stop!", "Stop!"},
    PeriodCase{"(see above)", "(see above)"},
    PeriodCase{"a,", "a,"},
    PeriodCase{"a-", "a-"},
    PeriodCase{"trailing blank ", "trailing blank "},
    PeriodCase{"line break\r\n", "line break\r\n"},
    PeriodCase{"", ""}));

} // namespace
