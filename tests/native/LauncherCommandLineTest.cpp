// The launcher's command line: where its arguments begin, and what they ask for.
#include "CommandLine.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

using namespace launcher;

namespace {

struct ArgumentsCase {
    const char* commandLine;
    const char* arguments;
};

const ArgumentsCase kArguments[] = {
    {"", ""},
    {"caller.exe", ""},
    {"caller.exe   ", ""},
    {"caller.exe \t ", ""},
    {"caller.exe a b", "a b"},
    {"caller.exe \t a  b ", "a  b "}, // blanks inside and at the end belong to the arguments
    {"caller.exe\t\tx", "x"},
    {"C:\\TYX\\caller.exe # cmd.txt", "# cmd.txt"},
    {"\"C:\\My Dir\\caller.exe\" -x", "-x"},
    {"\"C:\\My Dir\\caller.exe\"   -x y", "-x y"},
    {"\"C:\\My Dir\\caller.exe\"-x", "-x"},  // the arguments begin right after the closing quote
    {"\"C:\\My Dir\\caller.exe", ""},        // no closing quote: all of it is the name
    {"\"\" x", "x"},
    {" x y", "x y"}, // nothing before the first blank: an empty name
};

void PrintTo(const ArgumentsCase& c, std::ostream* out)
{
    *out << "[" << c.commandLine << "]";
}

class Arguments : public testing::TestWithParam<ArgumentsCase> {};

TEST_P(Arguments, BeginAfterTheNameAndItsBlanks)
{
    EXPECT_EQ(ArgumentsOf(GetParam().commandLine), GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(CommandLine, Arguments, testing::ValuesIn(kArguments));

using Kind = Request::Kind;

struct RequestCase {
    const char* arguments;
    Kind kind;
    const char* text; // the command, or the file name for ReadCommandFile
    bool hidden;
};

const RequestCase kRequests[] = {
    {"", Kind::StartCommand, "explorer.exe c:\\", false},
    {"C:\\P\\prog.exe /x", Kind::StartCommand, "C:\\P\\prog.exe /x", false},
    {"-C:\\P\\prog.exe /x", Kind::StartCommand, "C:\\P\\prog.exe /x", true},
    {"--x", Kind::StartCommand, "-x", true}, // one "-" only is taken
    {"-", Kind::StartCommand, "", true},
    {"- ", Kind::StartCommand, " ", true},
    {" x", Kind::StartCommand, " x", false},
    {"# cmd.txt", Kind::ReadCommandFile, "cmd.txt", false},
    {"# cmd.txt more words", Kind::ReadCommandFile, "cmd.txt", false},
    {"# C:\\My Files\\cmd.txt", Kind::ReadCommandFile, "C:\\My", false},
    {"#  cmd.txt", Kind::ReadCommandFile, "", false}, // two spaces: an empty file name
    {"# ", Kind::ReadCommandFile, "", false},
    {"# -cmd.txt", Kind::ReadCommandFile, "-cmd.txt", false},
    {"#", Kind::NoFileName, "", false},
    {"#cmd.txt", Kind::StartCommand, "#cmd.txt", false},
    {"-# cmd.txt", Kind::StartCommand, "# cmd.txt", true},
    {"#\tcmd.txt", Kind::StartCommand, "#\tcmd.txt", false}, // a tab separates nothing
    {"## cmd.txt", Kind::StartCommand, "## cmd.txt", false},
    {" # cmd.txt", Kind::StartCommand, " # cmd.txt", false},
    {"\"#\" cmd.txt", Kind::StartCommand, "\"#\" cmd.txt", false}, // no quoting of any kind
};

void PrintTo(const RequestCase& c, std::ostream* out)
{
    *out << "[" << c.arguments << "]";
}

class Requests : public testing::TestWithParam<RequestCase> {};

TEST_P(Requests, FollowTheFirstTwoWords)
{
    const RequestCase& expected = GetParam();
    const Request request = RequestFrom(expected.arguments);
    ASSERT_EQ(request.kind, expected.kind);
    if (expected.kind == Kind::ReadCommandFile) {
        EXPECT_EQ(request.fileName, expected.text);
    } else if (expected.kind == Kind::StartCommand) {
        EXPECT_EQ(request.command.text, expected.text);
        EXPECT_EQ(request.command.hidden, expected.hidden);
    }
}

INSTANTIATE_TEST_SUITE_P(CommandLine, Requests, testing::ValuesIn(kRequests));

TEST(CommandLine, LongArgumentsPassWhole)
{
    const std::string command = "C:\\P\\prog.exe " + std::string(32000, 'x');
    const Request shown = RequestFrom(command);
    EXPECT_EQ(shown.command.text, command);
    const std::string dashed = "-" + command;
    const Request hidden = RequestFrom(dashed);
    EXPECT_EQ(hidden.command.text, command);
    EXPECT_TRUE(hidden.command.hidden);
    // Many spaces in a row are many empty words, and only the first two are looked at.
    const std::string spaces = "# " + std::string(32000, ' ');
    EXPECT_EQ(RequestFrom(spaces).kind, Request::Kind::ReadCommandFile);
    EXPECT_EQ(RequestFrom(spaces).fileName, "");
}

TEST(CommandLine, FieldFromFileDropsOneLeadingDash)
{
    EXPECT_EQ(CommandFrom("-C:\\P\\prog.exe /x").text, "C:\\P\\prog.exe /x");
    EXPECT_TRUE(CommandFrom("-C:\\P\\prog.exe /x").hidden);
    EXPECT_FALSE(CommandFrom("C:\\P\\prog.exe -x").hidden);
    EXPECT_EQ(CommandFrom("-").text, "");
    EXPECT_FALSE(CommandFrom("").hidden);
}

TEST(CommandLine, BlankCommandsNameNoProgram)
{
    EXPECT_TRUE(IsBlank(""));
    EXPECT_TRUE(IsBlank(" \t "));
    EXPECT_FALSE(IsBlank(" x"));
    EXPECT_FALSE(IsBlank("\r"));
}

} // namespace
