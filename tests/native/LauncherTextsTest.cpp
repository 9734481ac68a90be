// The launcher's error box text: its Czech wording as the user reads it, and its layout.
#include "FailureMessage.h"
#include "LauncherTexts.h"
#include "SystemTextTrim.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

using namespace launcher;

namespace {

// Windows-1250 to UTF-8 for the letters the texts use; any other byte above 0x7F is a typo in
// an escape and shows as "<?>".
std::string Readable(const std::string& ansi)
{
    std::string out;
    for (unsigned char c : ansi) {
        switch (c) {
        case 0x85: out += "\xE2\x80\xA6"; break; // …
        case 0x9A: out += "\xC5\xA1"; break;     // š
        case 0xE1: out += "\xC3\xA1"; break;     // á
        case 0xE8: out += "\xC4\x8D"; break;     // č
        case 0xE9: out += "\xC3\xA9"; break;     // é
        case 0xEC: out += "\xC4\x9B"; break;     // ě
        case 0xED: out += "\xC3\xAD"; break;     // í
        case 0xF8: out += "\xC5\x99"; break;     // ř
        case 0xFD: out += "\xC3\xBD"; break;     // ý
        default: out += c < 0x80 ? std::string(1, static_cast<char>(c)) : std::string("<?>");
        }
    }
    return out;
}

struct MessageCase {
    Failure failure;
    const char* subject;
    std::uint32_t code;
    const char* systemText;
    const char* expected; // UTF-8
};

const MessageCase kMessages[] = {
    {Failure::NoFileName, "", 160, "One or more arguments are not correct",
     "Za znakem # chyb\u00ed jm\u00e9no souboru s p\u0159\u00edkazem.\n\nChyba \u010d. 160: One or more arguments are not correct."},
    {Failure::CannotReadFile, "C:\\My", 2, "The system cannot find the file specified",
     "Soubor s p\u0159\u00edkazem se nepoda\u0159ilo p\u0159e\u010d\u00edst:\nC:\\My\n\nChyba \u010d. 2: The system cannot find the file specified."},
    {Failure::EmptyFile, "cmd.txt", 38, "Reached the end of the file",
     "Soubor s p\u0159\u00edkazem je pr\u00e1zdn\u00fd:\ncmd.txt\n\nChyba \u010d. 38: Reached the end of the file."},
    {Failure::FieldTooLong, "big.txt", 206, "The filename or extension is too long",
     "P\u0159\u00edkaz v souboru je p\u0159\u00edli\u0161 dlouh\u00fd:\nbig.txt\n\nChyba \u010d. 206: The filename or extension is too long."},
    {Failure::FieldHasNul, "bin.txt", 13, "The data is invalid",
     "P\u0159\u00edkaz v souboru obsahuje neplatn\u00fd znak:\nbin.txt\n\nChyba \u010d. 13: The data is invalid."},
    {Failure::NoCommand, "ignored", 2, "x",
     "Chyb\u00ed p\u0159\u00edkaz ke spu\u0161t\u011bn\u00ed.\n\nChyba \u010d. 2: x."},
    {Failure::CannotStart, "#cmd.txt", 2, "Syst\xE9m nem\xF9\x9E" "e nal\xE9zt uveden\xFD soubor",
     nullptr}, // the system's own text passes byte for byte; checked below
    {Failure::CannotStart, "nowhere.exe /x", 1359, "",
     "P\u0159\u00edkaz se nepoda\u0159ilo spustit:\nnowhere.exe /x\n\nChyba \u010d. 1359."},
};

void PrintTo(const MessageCase& c, std::ostream* out)
{
    *out << "[failure " << static_cast<int>(c.failure) << ", error " << c.code << "]";
}

class Messages : public testing::TestWithParam<MessageCase> {};

TEST_P(Messages, NameWhatFailedAndTheSystemError)
{
    const MessageCase& c = GetParam();
    const std::string message(FailureMessage(c.failure, c.subject, c.code, c.systemText).View());
    if (c.expected) {
        EXPECT_EQ(Readable(message), c.expected);
    } else {
        EXPECT_EQ(message, std::string(texts::kCannotStart) + "\n" + c.subject + "\n\n" + texts::kErrorNumber +
                               std::to_string(c.code) + ": " + std::string(c.systemText) + ".");
    }
}

INSTANTIATE_TEST_SUITE_P(Launcher, Messages, testing::ValuesIn(kMessages));

TEST(LauncherTexts, CaptionIsTheProductTitle)
{
    EXPECT_STREQ(texts::kCaption, "VELUK TYX");
}

TEST(LauncherTexts, LongSubjectsAreCutShort)
{
    const std::string command = "C:\\P\\prog.exe " + std::string(32000, 'x');
    const std::string message(FailureMessage(Failure::CannotStart, command, 206, "Too long").View());
    EXPECT_EQ(Readable(message), "P\u0159\u00edkaz se nepoda\u0159ilo spustit:\n" + command.substr(0, kLongestSubjectShown) +
                                     "\u2026\n\nChyba \u010d. 206: Too long.");
    const std::string exact(kLongestSubjectShown, 'y');
    const std::string whole(FailureMessage(Failure::CannotReadFile, exact, 5, "").View());
    EXPECT_NE(whole.find("\n" + exact + "\n\n"), std::string::npos);
    EXPECT_EQ(whole.find("\x85"), std::string::npos);
}

// The longest headline, subject and system text there can be still fit the box's buffer.
TEST(LauncherTexts, LongestMessageFitsWhole)
{
    const std::string subject(5000, 's');
    const std::string systemText(511, 't');
    const std::string message(FailureMessage(Failure::FieldHasNul, subject, 4294967295u, systemText).View());
    const std::string tail = "4294967295: " + systemText + ".";
    EXPECT_EQ(message.substr(message.size() - tail.size()), tail);
    EXPECT_EQ(message.size(), std::string(texts::kFieldHasNul).size() + 1 + kLongestSubjectShown + 1 + 2 +
                                  std::string(texts::kErrorNumber).size() + 10 + 2 + 511 + 1);
}

TEST(LauncherTexts, SystemTextLosesTrailingBlanksAndPeriods)
{
    EXPECT_EQ(TrimSystemText("Access is denied.\r\n"), "Access is denied");
    EXPECT_EQ(TrimSystemText("Done...  \t"), "Done");
    EXPECT_EQ(TrimSystemText(" .\r\n"), "");
    EXPECT_EQ(TrimSystemText("v1.2 x"), "v1.2 x");
}

} // namespace
