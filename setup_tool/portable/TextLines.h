#pragma once
// Text files as sequences of lines, by the rules of the DOS configuration files the tool edits:
// LF ends a line, CR is dropped wherever it stands, a Ctrl-Z first in a line ends the input, and
// the last line needs no line end. Lines are bytes of any length; nothing changes code page.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Where the bytes come from: Read gives up to size bytes, 0 at the end, and raises on a failure.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::size_t Read(char* buffer, std::size_t size) = 0;
};

class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual void Write(const char* data, std::size_t size) = 0; // all of it, or raises
};

// Reads whole blocks; memory is the block plus the longest line.
class LineReader {
public:
    explicit LineReader(ByteSource& source, std::size_t blockSize = 65536);

    // The next line without its end; false at the end of the input.
    bool ReadLine(std::string& line);

private:
    bool Fill();

    ByteSource& source_;
    std::vector<char> block_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool atEnd_ = false;
};

// Writes each line followed by CR LF, collected into whole blocks.
class LineWriter {
public:
    explicit LineWriter(ByteSink& sink, std::size_t blockSize = 65536);

    void WriteLine(std::string_view line);
    void Flush(); // hands on what is collected; must be called before the sink is closed

private:
    void Put(const char* data, std::size_t size);

    ByteSink& sink_;
    std::vector<char> block_;
    std::size_t used_ = 0;
};

// The FILES rule: a line that, with a-z turned to A-Z (ASCII only), holds "FILES" anywhere.
bool MentionsFiles(std::string_view line);

// The line as the FILES setting writes it back.
std::string_view RewriteFilesLine(std::string_view line);
inline constexpr std::string_view kFilesLine = "FILES=211";
