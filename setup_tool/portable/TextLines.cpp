#include "TextLines.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr char kLf = '\x0A';
constexpr char kCr = '\x0D';
constexpr char kCtrlZ = '\x1A';
} // namespace

LineReader::LineReader(ByteSource& source, std::size_t blockSize) : source_(source), block_(blockSize ? blockSize : 1) {}

bool LineReader::Fill()
{
    if (atEnd_)
        return false;
    end_ = source_.Read(block_.data(), block_.size());
    pos_ = 0;
    if (end_ == 0)
        atEnd_ = true;
    return end_ > 0;
}

bool LineReader::ReadLine(std::string& line)
{
    line.clear();
    if (pos_ == end_ && !Fill())
        return false;
    // A Ctrl-Z that opens a line ends the input; later bytes are never looked at.
    if (block_[pos_] == kCtrlZ) {
        atEnd_ = true;
        pos_ = end_ = 0;
        return false;
    }
    for (;;) {
        const char* begin = block_.data() + pos_;
        const char* stop = block_.data() + end_;
        const char* lf = static_cast<const char*>(std::memchr(begin, kLf, static_cast<std::size_t>(stop - begin)));
        const char* take = lf ? lf : stop;
        for (const char* p = begin; p < take;) {
            const char* cr = std::find(p, take, kCr);
            line.append(p, cr);
            p = cr < take ? cr + 1 : take;
        }
        if (lf) {
            pos_ = static_cast<std::size_t>(lf - block_.data()) + 1;
            return true;
        }
        pos_ = end_;
        if (!Fill())
            return true; // the end of the file ends the last line
    }
}

LineWriter::LineWriter(ByteSink& sink, std::size_t blockSize) : sink_(sink), block_(blockSize < 2 ? 2 : blockSize) {}

void LineWriter::Put(const char* data, std::size_t size)
{
    while (size > 0) {
        if (used_ == block_.size())
            Flush();
        const std::size_t n = std::min(size, block_.size() - used_);
        std::memcpy(block_.data() + used_, data, n);
        used_ += n;
        data += n;
        size -= n;
    }
}

void LineWriter::WriteLine(std::string_view line)
{
    Put(line.data(), line.size());
    Put("\r\n", 2);
}

void LineWriter::Flush()
{
    if (used_ == 0)
        return;
    const std::size_t n = used_;
    used_ = 0; // a failed write must not be handed on twice
    sink_.Write(block_.data(), n);
}

bool MentionsFiles(std::string_view line)
{
    static constexpr char kWord[] = "FILES";
    constexpr std::size_t kLength = sizeof kWord - 1;
    if (line.size() < kLength)
        return false;
    auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 0x20) : c; };
    for (std::size_t i = 0; i + kLength <= line.size(); ++i) {
        std::size_t k = 0;
        while (k < kLength && upper(line[i + k]) == kWord[k])
            ++k;
        if (k == kLength)
            return true;
    }
    return false;
}

std::string_view RewriteFilesLine(std::string_view line)
{
    return MentionsFiles(line) ? kFilesLine : line;
}
