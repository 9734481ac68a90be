#include "Exceptions.h"
#include "TextLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Hands out a fixed text in pieces of a chosen size, so that line ends fall on block edges.
class TextSource : public ByteSource {
public:
    TextSource(std::string text, std::size_t piece) : text_(std::move(text)), piece_(piece) {}
    std::size_t Read(char* buffer, std::size_t size) override
    {
        ++reads;
        const std::size_t n = std::min({size, piece_, text_.size() - pos_});
        text_.copy(buffer, n, pos_);
        pos_ += n;
        return n;
    }
    std::size_t Consumed() const { return pos_; }
    int reads = 0;

private:
    std::string text_;
    std::size_t piece_;
    std::size_t pos_ = 0;
};

class StringSink : public ByteSink {
public:
    void Write(const char* data, std::size_t size) override
    {
        ++writes;
        text.append(data, size);
    }
    std::string text;
    int writes = 0;
};

std::vector<std::string> ReadAll(const std::string& text, std::size_t piece, std::size_t block)
{
    TextSource source(text, piece);
    LineReader reader(source, block);
    std::vector<std::string> lines;
    std::string line;
    while (reader.ReadLine(line))
        lines.push_back(line);
    return lines;
}

// The whole FILES setting on a text: lines through the reader, rewritten, through the writer.
std::string Rewrite(const std::string& text)
{
    TextSource source(text, 7);
    LineReader reader(source, 5);
    StringSink sink;
    LineWriter writer(sink, 4);
    std::string line;
    while (reader.ReadLine(line))
        writer.WriteLine(RewriteFilesLine(line));
    writer.Flush();
    return sink.text;
}

struct LineCase {
    const char* name;
    std::string input;
    std::vector<std::string> lines;
};

const std::string kLong(300, 'x');

const LineCase kLineCases[] = {
    {"CR LF ends lines", "a\r\nb\r\n", {"a", "b"}},
    {"LF alone ends lines", "a\nb\n", {"a", "b"}},
    {"no final line end", "a\r\nb", {"a", "b"}},
    {"CR inside a line vanishes", "A\rB\n", {"AB"}},
    {"CR-only file is one line", "a\rb\rc\r", {"abc"}},
    {"Ctrl-Z after a line end ends the input", "a\r\n\x1A" "b\r\n", {"a"}},
    {"Ctrl-Z first in the file", "\x1A" "a\r\n", {}},
    {"Ctrl-Z inside a line is a byte", "a\x1A" "b\r\nc\r\n", {"a\x1A" "b", "c"}},
    {"Ctrl-Z after a CR is not first", "\r\x1A" "a\n", {"\x1A" "a"}},
    {"empty file", "", {}},
    {"empty lines and blanks keep their place", "\r\n  \r\n\r\nx", {"", "  ", "", "x"}},
    {"a line longer than 255 bytes", kLong + "\r\n" + kLong, {kLong, kLong}},
    {"LF right at the end gives no empty line", "a\n", {"a"}},
    {"only line ends", "\n\n", {"", ""}},
};

class LineReading : public testing::TestWithParam<LineCase> {};

TEST_P(LineReading, GivesTheLinesWhereverTheBlocksEnd)
{
    // Pieces and blocks of 1, 2, 3 and more bytes put every line end on some block edge.
    for (std::size_t piece : {1u, 2u, 3u, 64u})
        for (std::size_t block : {1u, 2u, 5u, 16384u})
            EXPECT_EQ(ReadAll(GetParam().input, piece, block), GetParam().lines)
                << "piece " << piece << ", block " << block;
}

INSTANTIATE_TEST_SUITE_P(Cases, LineReading, testing::ValuesIn(kLineCases),
                         [](const auto& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p; ++p)
                                 name += isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name;
                         });

TEST(LineReading, StopsReadingAtACtrlZThatOpensALine)
{
    std::string text = "a\r\n\x1A";
    text += std::string(100000, 'z');
    TextSource source(text, 16);
    LineReader reader(source, 16);
    std::string line;
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_FALSE(reader.ReadLine(line));
    EXPECT_FALSE(reader.ReadLine(line));
    EXPECT_LE(source.Consumed(), 32u);
}

TEST(LineReading, ReadsInBlocksNotBytes)
{
    const std::string text(100000, 'q');
    TextSource source(text, 1 << 20);
    LineReader reader(source);
    std::string line;
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line.size(), text.size());
    EXPECT_LE(source.reads, 10);
}

TEST(LineWriting, EndsEveryLineWithCrLfAndWritesWholeBlocks)
{
    StringSink sink;
    LineWriter writer(sink, 4096);
    for (int i = 0; i < 1000; ++i)
        writer.WriteLine("files=40");
    writer.WriteLine("");
    writer.Flush();
    std::string expected;
    for (int i = 0; i < 1000; ++i)
        expected += "files=40\r\n";
    expected += "\r\n";
    EXPECT_EQ(sink.text, expected);
    EXPECT_LE(sink.writes, 4);
}

struct FilesCase {
    const char* line;
    bool mentions;
};

const FilesCase kFilesCases[] = {
    {"files=40", true},
    {"FILES=40", true},
    {"REM FILES=20", true},
    {"  FiLeS = 30", true},
    {"DEVICE=C:\\PROGRAM FILES\\X.SYS", true},
    {"MAXFILESIZE=1", true},
    {"F\xCDLES=40", false}, // I with an acute accent in 1250: only a-z turn to upper case
    {"f\xEDles=40", false},
    {"FILE=40", false},
    {"FILE S", false},
    {"FILEs", true},
    {"BUFFERS=20", false},
    {"", false},
    {"FILES", true},
};

TEST(FilesRule, MentionsFilesOnlyByAsciiUpperCasing)
{
    for (const FilesCase& c : kFilesCases)
        EXPECT_EQ(MentionsFiles(c.line), c.mentions) << c.line;
}

// A Config.nt of the kind Windows installs.
const char kWindowsConfigNt[] =
    "REM Windows MS-DOS Startup File\r\n"
    "REM\r\n"
    "REM CONFIG.SYS vs CONFIG.NT\r\n"
    "REM CONFIG.SYS is not used to initialize the MS-DOS environment.\r\n"
    "REM CONFIG.NT is used to initialize the MS-DOS environment unless a\r\n"
    "REM different startup file is specified in an application's PIF.\r\n"
    "REM\r\n"
    "REM By default, no data is displayed when the MS-DOS environment is initialized.\r\n"
    "REM To display CONFIG.NT/AUTOEXEC.NT information, add the command echoconfig.\r\n"
    "REM\r\n"
    "REM When you return to the command prompt from a TSR or while running an MS-DOS\r\n"
    "REM application, Windows runs COMMAND.COM. This allows the TSR to remain active.\r\n"
    "REM\r\n"
    "dos=high, umb\r\n"
    "device=%SystemRoot%\\system32\\himem.sys\r\n"
    "files=40\r\n";

TEST(FilesRewrite, ChangesOnlyTheFilesLineOfAWindowsConfigNt)
{
    std::string expected = kWindowsConfigNt;
    expected.replace(expected.find("files=40"), 8, "FILES=211");
    EXPECT_EQ(Rewrite(kWindowsConfigNt), expected);
}

struct RewriteCase {
    const char* name;
    std::string input;
    std::string output;
};

const RewriteCase kRewriteCases[] = {
    {"two lines", "files=40\r\nBUFFERS=20\r\n", "FILES=211\r\nBUFFERS=20\r\n"},
    {"LF alone", "files=40\nBUFFERS=20\n", "FILES=211\r\nBUFFERS=20\r\n"},
    {"no final line end", "BUFFERS=20\r\nfiles=40", "BUFFERS=20\r\nFILES=211\r\n"},
    {"several FILES lines", "files=1\r\nREM files\r\nx\r\n", "FILES=211\r\nFILES=211\r\nx\r\n"},
    {"none", "dos=high\r\nBUFFERS=20", "dos=high\r\nBUFFERS=20\r\n"},
    {"CR-only file that mentions FILES", "dos=high\rfiles=40\r", "FILES=211\r\n"},
    {"empty", "", ""},
    {"Ctrl-Z first", "\x1A" "files=40\r\n", ""},
    {"accented FILES stays", "F\xCDLES=40\r\n", "F\xCDLES=40\r\n"},
};

TEST(FilesRewrite, EdgeCases)
{
    for (const RewriteCase& c : kRewriteCases)
        EXPECT_EQ(Rewrite(c.input), c.output) << c.name;
}

TEST(FilesRewrite, IsTheSameAfterASecondRun)
{
    const std::string once = Rewrite(kWindowsConfigNt);
    EXPECT_EQ(Rewrite(once), once);
}

class FailingSource : public ByteSource {
public:
    std::size_t Read(char*, std::size_t) override { throw EInOutError(23); }
};

TEST(LineReading, PassesAReadFailureOn)
{
    FailingSource source;
    LineReader reader(source);
    std::string line;
    EXPECT_THROW(reader.ReadLine(line), EInOutError);
}

} // namespace
