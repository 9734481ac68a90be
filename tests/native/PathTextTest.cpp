#include "OleText.h"
#include "PathText.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct FileNameCase {
    const char* label;
    const char* path;
    const char* name;
};

void PrintTo(const FileNameCase& c, std::ostream* os)
{
    *os << c.label;
}

class ExtractFileNameTest : public testing::TestWithParam<FileNameCase> {};

TEST_P(ExtractFileNameTest, TakesWhatFollowsTheLastSeparator)
{
    EXPECT_EQ(ExtractFileName(GetParam().path), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Table, ExtractFileNameTest, testing::Values(
    FileNameCase{"FullPath", "C:\\TYX\\TyxWin10.sss", "TyxWin10.sss"},
    FileNameCase{"BareName", "TyxWin10.sss", "TyxWin10.sss"},
    FileNameCase{"DriveRelative", "C:TyxWin7.s64", "TyxWin7.s64"},
    FileNameCase{"TrailingSeparator", "C:\\TYX\\", ""},
    FileNameCase{"UncPath", "\\\\server\\share\\a b.lnk", "a b.lnk"},
    FileNameCase{"ColonThenBackslash", "a:b\\c", "c"},       // the later of the two kinds of separator counts
    FileNameCase{"BackslashThenColon", "a\\b:c", "c"},
    FileNameCase{"SlashIsNoSeparator", "dir/name.txt", "dir/name.txt"}, // "/" is no separator here
    FileNameCase{"Empty", "", ""}),
    [](const testing::TestParamInfo<FileNameCase>& info) { return std::string(info.param.label); });

struct JoinCase {
    const char* label;
    const char* directory;
    const char* name;
    const char* path;
};

void PrintTo(const JoinCase& c, std::ostream* os)
{
    *os << c.label;
}

class PathInDirectoryTest : public testing::TestWithParam<JoinCase> {};

TEST_P(PathInDirectoryTest, PutsExactlyOneSeparatorBetween)
{
    EXPECT_EQ(PathInDirectory(GetParam().directory, GetParam().name), GetParam().path);
}

INSTANTIATE_TEST_SUITE_P(Table, PathInDirectoryTest, testing::Values(
    JoinCase{"Plain", "C:\\Temp", "TyxWin10.sss", "C:\\Temp\\TyxWin10.sss"},
    JoinCase{"TrailingSeparator", "C:\\Temp\\", "TyxWin10.sss", "C:\\Temp\\TyxWin10.sss"},
    JoinCase{"DriveRoot", "C:\\", "a", "C:\\a"},
    JoinCase{"EmptyDirectory", "", "a", "\\a"},
    // Windows-1250 bytes above 0x7F are no separators: "Účty" stays whole.
    JoinCase{"AnsiBytes", "C:\\\xDA\xE8ty", "x", "C:\\\xDA\xE8ty\\x"}),
    [](const testing::TestParamInfo<JoinCase>& info) { return std::string(info.param.label); });

struct IconCase {
    const char* label;
    const wchar_t* workDir;
    const wchar_t* iconFile;
    const wchar_t* location;
};

void PrintTo(const IconCase& c, std::ostream* os)
{
    *os << c.label;
}

class IconLocationTest : public testing::TestWithParam<IconCase> {};

TEST_P(IconLocationTest, AlwaysPutsTheSeparatorIn)
{
    EXPECT_EQ(IconLocation(GetParam().workDir, GetParam().iconFile), GetParam().location);
}

INSTANTIATE_TEST_SUITE_P(Table, IconLocationTest, testing::Values(
    IconCase{"Plain", L"C:\\TYX", L"TYX2023.ico", L"C:\\TYX\\TYX2023.ico"},
    IconCase{"DriveRoot", L"C:\\", L"TYX2023.ico", L"C:\\\\TYX2023.ico"},
    IconCase{"WideAndSpace", L"C:\\\u00DA\u010Dty", L"TYX 2023.ico", L"C:\\\u00DA\u010Dty\\TYX 2023.ico"},
    IconCase{"EmptyDirectory", L"", L"TYX2023.ico", L"\\TYX2023.ico"},
    IconCase{"EmptyIconName", L"C:\\TYX", L"", L"C:\\TYX\\"}),
    [](const testing::TestParamInfo<IconCase>& info) { return std::string(info.param.label); });

struct OleCase {
    const char* label;
    const char* systemText;
    std::int32_t result;
    const char* message;
};

void PrintTo(const OleCase& c, std::ostream* os)
{
    *os << c.label;
}

class OleErrorMessageTest : public testing::TestWithParam<OleCase> {};

TEST_P(OleErrorMessageTest, PrefersTheSystemsText)
{
    EXPECT_EQ(OleErrorMessage(GetParam().systemText, GetParam().result), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(Table, OleErrorMessageTest, testing::Values(
    OleCase{"SystemText", "File not found", static_cast<std::int32_t>(0x80070002u), "File not found"},
    OleCase{"NoSystemText", "", static_cast<std::int32_t>(0x80070002u), "OLE error 80070002"},
    OleCase{"HexInCapitals", "", static_cast<std::int32_t>(0x8004DEADu), "OLE error 8004DEAD"},
    OleCase{"AllBits", "", static_cast<std::int32_t>(0xFFFFFFFFu), "OLE error FFFFFFFF"},
    OleCase{"LeadingZeros", "", 0x1, "OLE error 00000001"},
    OleCase{"Zero", "", 0, "OLE error 00000000"}),
    [](const testing::TestParamInfo<OleCase>& info) { return std::string(info.param.label); });

} // namespace
