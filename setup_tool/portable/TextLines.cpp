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
        const char* blockEnd = block_.data() + end_;
        const char* lf = static_cast<const char*>(std::memchr(begin, kLf, static_cast<std::size_t>(blockEnd - begin)));
        const char* take = lf ? lf : blockEnd;
        for (const char* p = begin; p < take;) {
            const char* cr = static_cast<const char*>(std::memchr(p, kCr, static_cast<std::size_t>(take - p)));
            const char* stop = cr ? cr : take;
            line.append(p, stop);
            p = cr ? cr + 1 : take;
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
    // Most lines fit in what is left of the block: one copy and no bookkeeping.
    if (block_.size() - used_ >= line.size() + 2) {
        std::memcpy(block_.data() + used_, line.data(), line.size());
        used_ += line.size();
        block_[used_++] = '\r';
        block_[used_++] = '\n';
        return;
    }
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
    // Only a-z turn to upper case, and all five are letters: a byte matches one of them exactly
    // when it equals it with the 0x20 bit set (no byte outside A-Z/a-z does).
    static constexpr char kWord[] = "files";
    constexpr std::size_t kLength = sizeof kWord - 1;
    if (line.size() < kLength)
        return false;
    const char* p = line.data();
    const std::size_t last = line.size() - kLength;
    for (std::size_t i = 0; i <= last; ++i) {
        if ((p[i] | 0x20) != 'f')
            continue;
        std::size_t k = 1;
        while (k < kLength && (p[i + k] | 0x20) == kWord[k])
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
