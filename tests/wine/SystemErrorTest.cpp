// The system's error texts as both programs show them, from the shared Win32 layer.
#include "SystemError.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <string_view>

namespace {

std::string RawText(DWORD code)
{
    char buffer[1024];
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                                        0, buffer, sizeof buffer, nullptr);
    return std::string(buffer, length);
}

bool IsTrailing(char c) { return static_cast<unsigned char>(c) <= 32 || c == '.'; }

// Codes the programs meet: file not found, path not found, access denied, sharing violation, the
// shell link's HRESULT for a missing file, and one with a "%1" insert in its text.
class SystemErrorTexts : public testing::TestWithParam<DWORD> {};

TEST_P(SystemErrorTexts, IsTheSystemsTextWithoutItsTrailingBlanksAndPeriods)
{
    const DWORD code = GetParam();
    const std::string raw = RawText(code);
    ASSERT_FALSE(raw.empty()) << "the system has no text for " << code;
    const std::string text = SystemErrorText(code);
    ASSERT_FALSE(text.empty());
    EXPECT_FALSE(IsTrailing(text.back())) << text;
    ASSERT_EQ(raw.compare(0, text.size(), text), 0) << raw;
    for (char c : std::string_view(raw).substr(text.size()))
        EXPECT_TRUE(IsTrailing(c)) << "more than blanks and periods cut from " << raw;
}

INSTANTIATE_TEST_SUITE_P(Codes, SystemErrorTexts,
                         testing::Values(DWORD{ERROR_FILE_NOT_FOUND}, DWORD{ERROR_PATH_NOT_FOUND},
                                         DWORD{ERROR_ACCESS_DENIED}, DWORD{ERROR_SHARING_VIOLATION},
                                         DWORD{0x80070002}, DWORD{ERROR_BAD_EXE_FORMAT}));

TEST(SystemErrorText, UnknownCodeGivesTheEmptyText)
{
    EXPECT_EQ(SystemErrorText(0x2000ABCDu), "");
}

// A buffer too small for the text gives no text rather than a cut one, and the string form holds
// as much as the caller's buffer of 512 does.
TEST(SystemErrorText, TextThatDoesNotFitIsNotCutShort)
{
    char tiny[8];
    EXPECT_EQ(SystemErrorText(ERROR_FILE_NOT_FOUND, tiny), "");
    char roomy[512];
    EXPECT_EQ(std::string(SystemErrorText(ERROR_FILE_NOT_FOUND, roomy)), SystemErrorText(ERROR_FILE_NOT_FOUND));
}

} // namespace
