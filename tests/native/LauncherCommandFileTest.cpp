// The first field of a command file, whole and in pieces of every size.
#include "CommandFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace launcher;

namespace {

struct FieldCase {
    const char* name;
    std::string bytes;
    FieldStatus status;
    std::string field;
};

std::string Bytes(const char* text, std::size_t length)
{
    return std::string(text, length);
}

const std::string kLongest(kLongestField, 'x');
const std::string kTooLong(kLongestField + 1, 'x');

const FieldCase kFields[] = {
    {"PlainLineWithCrLf", "C:\\P\\prog.exe /x\r\nnext line\r\n", FieldStatus::Found, "C:\\P\\prog.exe /x"},
    {"PlainLineWithLf", "C:\\P\\prog.exe /x\nnext", FieldStatus::Found, "C:\\P\\prog.exe /x"},
    {"PlainWithoutLineEnd", "C:\\P\\prog.exe /x", FieldStatus::Found, "C:\\P\\prog.exe /x"},
    {"PlainEndsAtComma", "C:\\P\\prog.exe a,b\r\n", FieldStatus::Found, "C:\\P\\prog.exe a"},
    {"QuotedKeepsCommas", "\"C:\\P\\prog.exe a,b\"\r\n", FieldStatus::Found, "C:\\P\\prog.exe a,b"},
    {"DashStaysInTheField", "-C:\\P\\prog.exe /x\r\n", FieldStatus::Found, "-C:\\P\\prog.exe /x"},
    {"DashBeforeQuotedProgram", "-\"C:\\My Files\\x.exe\" a,b", FieldStatus::Found, "-\"C:\\My Files\\x.exe\" a"},
    {"SpacesBeforeSkipped", "   x.exe /a\r\n", FieldStatus::Found, "x.exe /a"},
    {"TabsBeforeSkipped", " \t\t x.exe\r\n", FieldStatus::Found, "x.exe"},
    {"SpacesBeforeQuote", "  \"x y.exe\"", FieldStatus::Found, "x y.exe"},
    {"BlanksAtTheEndKept", "x.exe /a  \t\r\n", FieldStatus::Found, "x.exe /a  \t"},
    {"BlanksBeforeCommaKept", "x.exe ,y", FieldStatus::Found, "x.exe "},
    {"AfterClosingQuoteIgnored", "\"x.exe\" /a,b\r\nc", FieldStatus::Found, "x.exe"},
    {"QuotedKeepsSpacesAndTabs", "\" x\t.exe \"", FieldStatus::Found, " x\t.exe "},
    {"QuotedRunsOverLineEnds", "\"a\r\nb\",c", FieldStatus::Found, "a\r\nb"},
    {"QuotedUnclosedRunsToTheEnd", "\"x.exe /a\r\n", FieldStatus::Found, "x.exe /a\r\n"},
    {"EmptyQuoted", "\"\"x.exe", FieldStatus::Found, ""},
    {"QuoteInsidePlainIsKept", "x\"y\".exe", FieldStatus::Found, "x\"y\".exe"},
    {"EmptyFirstLineCrLf", "\r\nx.exe\r\n", FieldStatus::Found, ""},
    {"EmptyFirstLineLf", "\nx.exe", FieldStatus::Found, ""},
    {"BlanksThenLineEnd", "  \t\r\nx.exe", FieldStatus::Found, ""},
    {"OnlyBlanks", "   ", FieldStatus::Found, ""},
    {"LeadingComma", ",x.exe", FieldStatus::Found, ""},
    {"LoneCrIsNoLineEnd", "x\ry,z", FieldStatus::Found, "x\ry"},
    {"OnlyTheLastCrBeforeLf", "x\r\r\n", FieldStatus::Found, "x\r"},
    {"AnsiBytesUntouched", "C:\\\xDA\xE8ty\\x.exe \xE8\x9A\r\n", FieldStatus::Found, "C:\\\xDA\xE8ty\\x.exe \xE8\x9A"},
    {"Utf8MarkIsNotSkipped", "\xEF\xBB\xBFx.exe", FieldStatus::Found, "\xEF\xBB\xBFx.exe"},
    {"EmptyFile", "", FieldStatus::EmptyFile, ""},
    {"NulInPlainField", Bytes("x.exe\0 /a\r\n", 11), FieldStatus::HasNul, ""},
    {"NulFirst", Bytes("\0\0\0\0", 4), FieldStatus::HasNul, ""},
    {"NulInQuotedField", Bytes("\"x\0y\"", 5), FieldStatus::HasNul, ""},
    {"Utf16File", Bytes("\xFF\xFEx\0.\0e\0x\0e\0", 12), FieldStatus::HasNul, ""},
    {"NulAfterTheFieldUnread", Bytes("x.exe /a,\0\0\0", 12), FieldStatus::Found, "x.exe /a"},
    {"NulOnLaterLineUnread", Bytes("x.exe\r\n\0\0", 9), FieldStatus::Found, "x.exe"},
    {"LongestPlainAtLineEnd", kLongest + "\r\nx", FieldStatus::Found, kLongest},
    {"LongestPlainAtEnd", kLongest, FieldStatus::Found, kLongest},
    {"LongestPlainAtComma", kLongest + ",", FieldStatus::Found, kLongest},
    {"LongestQuoted", "\"" + kLongest + "\"", FieldStatus::Found, kLongest},
    {"PlainTooLongAtLineEnd", kTooLong + "\r\n", FieldStatus::TooLong, ""},
    {"PlainTooLongAtEnd", kTooLong, FieldStatus::TooLong, ""},
    {"LongestWithLoneCrAtEnd", kLongest + "\r", FieldStatus::TooLong, ""},
    {"QuotedTooLong", "\"" + kTooLong + "\"", FieldStatus::TooLong, ""},
    {"QuotedUnclosedTooLong", "\"" + kTooLong, FieldStatus::TooLong, ""},
};

class Fields : public testing::TestWithParam<FieldCase> {};

TEST_P(Fields, WholeFile)
{
    FirstFieldReader reader;
    if (reader.Take(GetParam().bytes))
        reader.EndOfFile();
    EXPECT_TRUE(reader.Complete());
    EXPECT_EQ(reader.Status(), GetParam().status);
    EXPECT_EQ(reader.Text(), GetParam().field);
}

// The file comes in pieces of whatever size ReadFile gives; the field must not depend on them.
TEST_P(Fields, InPiecesOfAnySize)
{
    const std::string& bytes = GetParam().bytes;
    for (std::size_t piece : {1u, 2u, 3u, 7u, 4096u}) {
        SCOPED_TRACE(piece);
        FirstFieldReader reader;
        bool wantsMore = true;
        for (std::size_t at = 0; at < bytes.size() && wantsMore; at += piece)
            wantsMore = reader.Take(std::string_view(bytes).substr(at, piece));
        if (wantsMore)
            reader.EndOfFile();
        EXPECT_TRUE(reader.Complete());
        EXPECT_EQ(reader.Status(), GetParam().status);
        EXPECT_EQ(reader.Text(), GetParam().field);
    }
}

INSTANTIATE_TEST_SUITE_P(CommandFile, Fields, testing::ValuesIn(kFields),
                         [](const testing::TestParamInfo<FieldCase>& info) { return info.param.name; });

// A huge file without a line end: how much of it is taken before the reader stops.
struct HugeFile {
    std::size_t taken = 0;
    FieldStatus status = FieldStatus::Found;
    std::string field;
};

HugeFile Feed100MiB(const std::string& start, char filler)
{
    FirstFieldReader reader;
    const std::string chunk(4096, filler);
    HugeFile result;
    result.taken = 0;
    bool wantsMore = reader.Take(start);
    result.taken = start.size();
    for (std::size_t i = 0; wantsMore && i < 100 * 256; ++i) {
        wantsMore = reader.Take(chunk);
        result.taken += chunk.size();
    }
    EXPECT_FALSE(wantsMore);
    result.status = reader.Status();
    result.field = std::string(reader.Text());
    return result;
}

TEST(CommandFile, StopsReadingOnceTheFieldIsKnown)
{
    const HugeFile firstLine = Feed100MiB("x.exe /a\r\n", 'y');
    EXPECT_EQ(firstLine.taken, 10u);
    EXPECT_EQ(firstLine.field, "x.exe /a");

    for (const char* start : {"", "\"", "  -"}) {
        SCOPED_TRACE(start);
        const HugeFile endless = Feed100MiB(start, 'x');
        EXPECT_EQ(endless.status, FieldStatus::TooLong);
        EXPECT_LE(endless.taken, kLongestField + 4096 + 4);
        EXPECT_TRUE(endless.field.empty());
    }

    const HugeFile zeros = Feed100MiB("x.exe", '\0');
    EXPECT_EQ(zeros.status, FieldStatus::HasNul);
    EXPECT_EQ(zeros.taken, 5u + 4096u);
}

} // namespace
