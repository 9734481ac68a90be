#include "Exceptions.h"
#include "ShortcutRules.h"

#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>
#include <vector>

using namespace Shortcut;

namespace {

// ---- Names built from the year text

struct YearCase {
    const char* label;
    std::string year;
    bool converts;
    const char* batch32;
    const char* link;
    const char* icon;
};

void PrintTo(const YearCase& c, std::ostream* os)
{
    *os << c.label;
}

class YearNamesTest : public testing::TestWithParam<YearCase> {};

TEST_P(YearNamesTest, AreBuiltFromTheTextAsTyped)
{
    const YearCase& c = GetParam();
    const YearNames names32 = NamesForYear(c.year, false);
    EXPECT_EQ(names32.batchName, c.batch32);
    EXPECT_EQ(names32.linkName, c.link);
    EXPECT_EQ(names32.iconName, c.icon);
    // On 64-bit Windows only the batch file is the same for every year.
    const YearNames names64 = NamesForYear(c.year, true);
    EXPECT_EQ(names64.batchName, "\\S64v.bat");
    EXPECT_EQ(names64.linkName, c.link);
    EXPECT_EQ(names64.iconName, c.icon);
}

TEST_P(YearNamesTest, PassTheCheckOnlyWhenTheTextIsAWholeNumber)
{
    const YearCase& c = GetParam();
    if (c.converts) {
        EXPECT_NO_THROW(CheckYear(c.year));
        return;
    }
    try {
        CheckYear(c.year);
        ADD_FAILURE() << "the year passed";
    } catch (const EConvertError& failure) {
        EXPECT_EQ(failure.Message(), "'" + c.year + "' is not a valid integer value");
    }
}

INSTANTIATE_TEST_SUITE_P(Table, YearNamesTest, testing::Values(
    YearCase{"Plain", "2023", true, "\\Tyx2023.bat", "TYX2023.lnk", "TYX2023.ico"},
    YearCase{"SpaceBefore", " 2023", true, "\\Tyx 2023.bat", "TYX 2023.lnk", "TYX 2023.ico"},
    YearCase{"SpaceAfter", "2023 ", false, "\\Tyx2023 .bat", "TYX2023 .lnk", "TYX2023 .ico"},
    YearCase{"Empty", "", false, "\\Tyx.bat", "TYX.lnk", "TYX.ico"},
    YearCase{"Letters", "abc", false, "\\Tyxabc.bat", "TYXabc.lnk", "TYXabc.ico"},
    // Never a number made from the text: the sign and the leading zero stay.
    YearCase{"Sign", "+2023", true, "\\Tyx+2023.bat", "TYX+2023.lnk", "TYX+2023.ico"},
    YearCase{"LeadingZero", "02023", true, "\\Tyx02023.bat", "TYX02023.lnk", "TYX02023.ico"},
    YearCase{"Hexadecimal", "$7E7", true, "\\Tyx$7E7.bat", "TYX$7E7.lnk", "TYX$7E7.ico"},
    YearCase{"Backslash", "20\\23", false, "\\Tyx20\\23.bat", "TYX20\\23.lnk", "TYX20\\23.ico"},
    YearCase{"Colon", "C:", false, "\\TyxC:.bat", "TYXC:.lnk", "TYXC:.ico"},
    YearCase{"Wildcard", "20*", false, "\\Tyx20*.bat", "TYX20*.lnk", "TYX20*.ico"},
    YearCase{"OutOfRange", "2147483648", false, "\\Tyx2147483648.bat", "TYX2147483648.lnk", "TYX2147483648.ico"}),
    [](const testing::TestParamInfo<YearCase>& info) { return std::string(info.param.label); });

TEST(YearNames, TenThousandCharactersAreTakenWhole)
{
    const std::string digits(10000, '9');
    const YearNames names = NamesForYear(digits, false);
    EXPECT_EQ(names.linkName, "TYX" + digits + ".lnk");
    EXPECT_EQ(names.batchName, "\\Tyx" + digits + ".bat");
    EXPECT_THROW(CheckYear(digits), EConvertError);
    // Spaces before the digits pass the check, however many.
    EXPECT_NO_THROW(CheckYear(std::string(9996, ' ') + "2023"));
}

// ---- The template for each Windows

struct TemplateCase {
    const char* label;
    bool vistaOr7;
    bool is64;
    std::int32_t major; // the answer when the major version is asked
    const char* expected;
    bool asksMajor;
};

void PrintTo(const TemplateCase& c, std::ostream* os)
{
    *os << c.label;
}

class TemplateChoiceTest : public testing::TestWithParam<TemplateCase> {};

TEST_P(TemplateChoiceTest, FollowsTheVersionTable)
{
    const TemplateCase& c = GetParam();
    int asked = 0;
    const std::string chosen = TemplateFileName(c.vistaOr7, c.is64, [&] {
        ++asked;
        return c.major;
    });
    EXPECT_EQ(chosen, c.expected);
    EXPECT_EQ(asked, c.asksMajor ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Table, TemplateChoiceTest, testing::Values(
    TemplateCase{"Vista64", true, true, 6, "TyxWin7.s64", false},
    TemplateCase{"Vista32", true, false, 6, "TyxWin7.sss", false},
    TemplateCase{"Win7_64", true, true, 6, "TyxWin7.s64", false},
    TemplateCase{"Win7_32", true, false, 6, "TyxWin7.sss", false},
    // From Windows 8 on the bitness no longer chooses.
    TemplateCase{"Win8_64", false, true, 6, "TyxWin8.sss", true},
    TemplateCase{"Win8_32", false, false, 6, "TyxWin8.sss", true},
    TemplateCase{"Win81_64", false, true, 6, "TyxWin8.sss", true},
    TemplateCase{"Win10_64", false, true, 10, "TyxWin10.sss", true},
    TemplateCase{"Win10_32", false, false, 10, "TyxWin10.sss", true},
    TemplateCase{"AboveSix", false, false, 7, "TyxWin10.sss", true},
    TemplateCase{"Later", false, true, 11, "TyxWin10.sss", true}),
    [](const testing::TestParamInfo<TemplateCase>& info) { return std::string(info.param.label); });

TEST(TemplateChoice, AFailingVersionQueryIsNotAskedOnVistaOr7)
{
    const auto failing = []() -> std::int32_t { throw EConvertError("'x' is not a valid integer value"); };
    EXPECT_STREQ(TemplateFileName(true, true, failing), "TyxWin7.s64");
    EXPECT_THROW(TemplateFileName(false, true, failing), EConvertError);
}

// ---- The free-name search

struct FreeNameCase {
    const char* label;
    std::string destination;
    std::set<std::string> taken;
    std::string expected;
};

void PrintTo(const FreeNameCase& c, std::ostream* os)
{
    *os << c.label;
}

class FreeNameTest : public testing::TestWithParam<FreeNameCase> {};

TEST_P(FreeNameTest, TakesTheFirstNameWithoutAFile)
{
    const FreeNameCase& c = GetParam();
    std::vector<std::string> asked;
    const std::string found = FreeShortcutName(c.destination, [&](const std::string& candidate) {
        asked.push_back(candidate);
        return c.taken.count(candidate) != 0;
    });
    EXPECT_EQ(found, c.expected);
    // Every candidate up to the free one is asked about once, in order, and nothing after it.
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.back(), c.expected);
    EXPECT_EQ(std::set<std::string>(asked.begin(), asked.end()).size(), asked.size());
    for (std::size_t i = 0; i + 1 < asked.size(); ++i)
        EXPECT_EQ(c.taken.count(asked[i]), 1u) << asked[i];
}

const char kDesk[] = "C:\\Users\\U\\Desktop\\";

INSTANTIATE_TEST_SUITE_P(Table, FreeNameTest, testing::Values(
    FreeNameCase{"NoneTaken", std::string(kDesk) + "TYX2023.lnk", {}, std::string(kDesk) + "TYX2023.lnk"},
    FreeNameCase{"FirstTaken", std::string(kDesk) + "TYX2023.lnk", {std::string(kDesk) + "TYX2023.lnk"},
                 std::string(kDesk) + "TYX2023_1.lnk"},
    FreeNameCase{"ThreeTaken", std::string(kDesk) + "TYX2023.lnk",
                 {std::string(kDesk) + "TYX2023.lnk", std::string(kDesk) + "TYX2023_1.lnk",
                  std::string(kDesk) + "TYX2023_2.lnk"},
                 std::string(kDesk) + "TYX2023_3.lnk"},
    // A gap is filled: the search does not look beyond the first free name.
    FreeNameCase{"GapAfterFirst", std::string(kDesk) + "TYX2023.lnk",
                 {std::string(kDesk) + "TYX2023.lnk", std::string(kDesk) + "TYX2023_2.lnk"},
                 std::string(kDesk) + "TYX2023_1.lnk"},
    FreeNameCase{"OnlyLaterTaken", std::string(kDesk) + "TYX2023.lnk", {std::string(kDesk) + "TYX2023_1.lnk"},
                 std::string(kDesk) + "TYX2023.lnk"},
    // Decimal, no leading zeros: after _9 comes _10.
    FreeNameCase{"TenTaken", "D\\TYX2023.lnk",
                 {"D\\TYX2023.lnk", "D\\TYX2023_1.lnk", "D\\TYX2023_2.lnk", "D\\TYX2023_3.lnk", "D\\TYX2023_4.lnk",
                  "D\\TYX2023_5.lnk", "D\\TYX2023_6.lnk", "D\\TYX2023_7.lnk", "D\\TYX2023_8.lnk", "D\\TYX2023_9.lnk"},
                 "D\\TYX2023_10.lnk"},
    FreeNameCase{"SpaceInTheYear", std::string(kDesk) + "TYX 2023.lnk", {std::string(kDesk) + "TYX 2023.lnk"},
                 std::string(kDesk) + "TYX 2023_1.lnk"},
    // No desktop: the root of the current drive, searched the same way.
    FreeNameCase{"NoDesktop", "\\TYX2023.lnk", {"\\TYX2023.lnk"}, "\\TYX2023_1.lnk"}),
    [](const testing::TestParamInfo<FreeNameCase>& info) { return std::string(info.param.label); });

TEST(FreeName, ManyTakenNamesAreWalkedToTheEnd)
{
    int asked = 0;
    const std::string found = FreeShortcutName("D\\TYX2023.lnk", [&](const std::string&) { return ++asked <= 5000; });
    EXPECT_EQ(found, "D\\TYX2023_5000.lnk");
}

// ---- Texts

struct MissingTemplateCase {
    const char* label;
    const char* year;
    const char* path;
    const char* expected;
};

void PrintTo(const MissingTemplateCase& c, std::ostream* os)
{
    *os << c.label;
}

class MissingTemplateTextTest : public testing::TestWithParam<MissingTemplateCase> {};

TEST_P(MissingTemplateTextTest, NamesTheYearAndTheWholePath)
{
    EXPECT_EQ(MissingTemplateText(GetParam().year, GetParam().path), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, MissingTemplateTextTest, testing::Values(
    // "Zástupce programu TYX2023 nelze vytvořit!" CR LF CR LF "Nenalezen soubor C:\TYX\TyxWin10.sss."
    MissingTemplateCase{"Plain", "2023", "C:\\TYX\\TyxWin10.sss",
                        "Z\xE1stupce programu TYX2023 nelze vytvo\xF8it!\r\n\r\n"
                        "Nenalezen soubor C:\\TYX\\TyxWin10.sss."},
    MissingTemplateCase{"SpaceBefore", " 2023", "C:\\TYX\\TyxWin7.s64",
                        "Z\xE1stupce programu TYX 2023 nelze vytvo\xF8it!\r\n\r\n"
                        "Nenalezen soubor C:\\TYX\\TyxWin7.s64."},
    // "C:\Účetnictví\TyxWin8.sss" in Windows-1250, passed on byte for byte
    MissingTemplateCase{"CzechDirectory", "2023", "C:\\\xDA\xE8" "etnictv\xED\\TyxWin8.sss",
                        "Z\xE1stupce programu TYX2023 nelze vytvo\xF8it!\r\n\r\n"
                        "Nenalezen soubor C:\\\xDA\xE8" "etnictv\xED\\TyxWin8.sss."}),
    [](const testing::TestParamInfo<MissingTemplateCase>& info) { return std::string(info.param.label); });

struct DirectoryCase {
    const char* label;
    const char* path;
    const char* directory;
};

void PrintTo(const DirectoryCase& c, std::ostream* os)
{
    *os << c.label;
}

class DirectoryOfPathTest : public testing::TestWithParam<DirectoryCase> {};

TEST_P(DirectoryOfPathTest, CutsBeforeTheLastSeparator)
{
    EXPECT_EQ(DirectoryOfPath(GetParam().path), GetParam().directory);
}

INSTANTIATE_TEST_SUITE_P(Table, DirectoryOfPathTest, testing::Values(
    DirectoryCase{"Deep", "C:\\TYX\\2023\\Instal.exe", "C:\\TYX\\2023"},
    DirectoryCase{"DriveRoot", "C:\\Instal.exe", "C:"},
    DirectoryCase{"Unc", "\\\\server\\share\\Instal.exe", "\\\\server\\share"},
    DirectoryCase{"Czech", "C:\\\xDA\xE8" "etnictv\xED\\Instal.exe", "C:\\\xDA\xE8" "etnictv\xED"},
    DirectoryCase{"SlashIsNoSeparator", "C:\\TYX/Instal.exe", "C:"},
    DirectoryCase{"NoSeparator", "Instal.exe", ""}),
    [](const testing::TestParamInfo<DirectoryCase>& info) { return std::string(info.param.label); });

TEST(IconToolParameters, AreTheQuotedFullPathOfTheSettingsFile)
{
    EXPECT_EQ(IconToolParameters("C:\\Program Files\\TYX"), "\"C:\\Program Files\\TYX\\Ikon.ini\"");
    const std::string deep = "C:\\" + std::string(300, 'a');
    EXPECT_EQ(IconToolParameters(deep), "\"" + deep + "\\Ikon.ini\"");
}

} // namespace
