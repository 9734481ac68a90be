// The FILES rewrite through the portable core on Linux, against two plain copies of the file and
// against GNU sed doing the same replacement, side by side in one run.
#include "TextLines.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

class FdSource final : public ByteSource {
public:
    explicit FdSource(int fd) : fd_(fd) {}
    std::size_t Read(char* buffer, std::size_t size) override
    {
        const ssize_t n = ::read(fd_, buffer, size);
        if (n < 0)
            throw std::runtime_error("read");
        return static_cast<std::size_t>(n);
    }

private:
    int fd_;
};

class FdSink final : public ByteSink {
public:
    explicit FdSink(int fd) : fd_(fd) {}
    void Write(const char* data, std::size_t size) override
    {
        while (size > 0) {
            const ssize_t n = ::write(fd_, data, size);
            if (n <= 0)
                throw std::runtime_error("write");
            data += n;
            size -= static_cast<std::size_t>(n);
        }
    }

private:
    int fd_;
};

template <typename Transform>
void Lines(const std::string& from, const std::string& to, Transform transform)
{
    const int in = ::open(from.c_str(), O_RDONLY);
    const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    FdSource source(in);
    FdSink sink(out);
    LineReader reader(source);
    LineWriter writer(sink);
    std::string line;
    while (reader.ReadLine(line))
        writer.WriteLine(transform(line));
    writer.Flush();
    ::close(out);
    ::close(in);
}

void PlainCopy(const std::string& from, const std::string& to)
{
    const int in = ::open(from.c_str(), O_RDONLY);
    const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char> buffer(16384);
    ssize_t n;
    while ((n = ::read(in, buffer.data(), buffer.size())) > 0)
        if (::write(out, buffer.data(), static_cast<std::size_t>(n)) != n)
            break;
    ::close(out);
    ::close(in);
}

double Seconds(const std::chrono::steady_clock::time_point& start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

long PeakKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    const std::string dir = "/tmp/tyx-files-bench-" + std::to_string(getpid());
    const std::string source = dir + "/source.nt";
    std::system(("mkdir -p " + dir).c_str());
    {
        std::string block;
        for (int i = 0; block.size() < (1u << 20); ++i)
            block += i % 50 == 0 ? "files=40\r\n" : "device=%SystemRoot%\\system32\\himem" + std::to_string(i % 97) + ".sys\r\n";
        FILE* f = std::fopen(source.c_str(), "wb");
        for (std::size_t n = 0; n < (64u << 20); n += block.size())
            std::fwrite(block.data(), 1, block.size(), f);
        std::fclose(f);
    }
    const long peakBefore = PeakKiB();
    std::vector<double> core, floor, sed;
    for (int i = 0; i < rounds; ++i) {
        auto t = std::chrono::steady_clock::now();
        Lines(source, dir + "/backup", [](const std::string& l) -> std::string_view { return l; });
        Lines(dir + "/backup", dir + "/config", [](const std::string& l) { return RewriteFilesLine(l); });
        core.push_back(Seconds(t));

        t = std::chrono::steady_clock::now();
        PlainCopy(source, dir + "/a");
        PlainCopy(dir + "/a", dir + "/b");
        floor.push_back(Seconds(t));

        // The same work for sed: drop CRs, end lines with CR LF, replace lines that mention FILES.
        t = std::chrono::steady_clock::now();
        std::system(("LC_ALL=C sed -e 's/\\r//g' -e 's/$/\\r/' " + source + " > " + dir + "/sed-backup && " +
                     "LC_ALL=C sed -e 's/\\r$//' -e '/[Ff][Ii][Ll][Ee][Ss]/s/.*/FILES=211/' -e 's/$/\\r/' " + dir +
                     "/sed-backup > " + dir + "/sed-config")
                        .c_str());
        sed.push_back(Seconds(t));
    }
    const long peakAfter = PeakKiB();
    const bool same = std::system(("cmp -s " + dir + "/config " + dir + "/sed-config").c_str()) == 0;
    std::system(("rm -rf " + dir).c_str());
    const double c = Median(core), f = Median(floor), s = Median(sed);
    std::printf("64 MiB Config.nt, median of %d: core %.3f s, two plain copies %.3f s (ratio %.2f), sed %.3f s "
                "(core/sed %.2f)%s\n",
                rounds, c, f, c / f, s, c / s, same ? "" : "  [outputs differ!]");
    std::printf("peak resident grew by %ld KiB during the runs (file 65536 KiB)\n", peakAfter - peakBefore);
    return 0;
}
