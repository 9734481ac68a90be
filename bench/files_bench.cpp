// The FILES setting's file work under Wine, through the real file layer, against the floor of
// two plain file copies of the same size (the setting reads and writes the file twice), side by
// side in one run; and its peak memory against the file size.
#include "FunkcInstTyx.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

double Now()
{
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

// Short lines, one in 50 of them a FILES line.
void MakeConfig(const std::string& path, std::size_t size)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    std::string block;
    for (int i = 0; block.size() < (1u << 20); ++i)
        block += i % 50 == 0 ? "files=40\r\n" : "device=%SystemRoot%\\system32\\himem" + std::to_string(i % 97) + ".sys\r\n";
    for (std::size_t written = 0; written < size; written += block.size()) {
        DWORD n = 0;
        WriteFile(h, block.data(), static_cast<DWORD>(block.size()), &n, nullptr);
    }
    CloseHandle(h);
}

void PlainCopy(const std::string& from, const std::string& to, bool flush = false)
{
    HANDLE in = CreateFileA(from.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    HANDLE out = CreateFileA(to.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    std::vector<char> buffer(16384);
    DWORD got = 0;
    while (ReadFile(in, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) && got > 0) {
        DWORD n = 0;
        WriteFile(out, buffer.data(), got, &n, nullptr);
    }
    if (flush)
        FlushFileBuffers(out);
    CloseHandle(out);
    CloseHandle(in);
}

SIZE_T PeakWorkingSet()
{
    PROCESS_MEMORY_COUNTERS c{};
    c.cb = sizeof c;
    GetProcessMemoryInfo(GetCurrentProcess(), &c, sizeof c);
    return c.PeakWorkingSetSize;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    const std::size_t size = 64u << 20;
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    const std::string dir = std::string(temp) + "tyx-files-bench";
    CreateDirectoryA(dir.c_str(), nullptr);
    const std::string source = dir + "\\source.nt", config = dir + "\\Config.nt";
    MakeConfig(source, size);

    const SIZE_T peakBefore = PeakWorkingSet();
    std::vector<double> setting, floor, flushedFloor;
    for (int i = 0; i < rounds; ++i) {
        CopyFileA(source.c_str(), config.c_str(), FALSE);
        double t = Now();
        SetFilesParameterIn(dir);
        setting.push_back(Now() - t);

        t = Now();
        PlainCopy(source, dir + "\\a.tmp");
        PlainCopy(dir + "\\a.tmp", dir + "\\b.tmp");
        floor.push_back(Now() - t);

        // The setting puts both files on the disk before it goes on; so does this floor.
        t = Now();
        PlainCopy(source, dir + "\\a.tmp", true);
        PlainCopy(dir + "\\a.tmp", dir + "\\b.tmp", true);
        flushedFloor.push_back(Now() - t);
    }
    const SIZE_T peakAfter = PeakWorkingSet();
    for (const char* name : {"\\source.nt", "\\Config.nt", "\\Config.TYX", "\\a.tmp", "\\b.tmp"})
        DeleteFileA((dir + name).c_str());
    RemoveDirectoryA(dir.c_str());

    const double s = Median(setting), f = Median(floor), ff = Median(flushedFloor);
    std::printf("64 MiB Config.nt, median of %d: FILES setting %.3f s, two plain copies %.3f s (ratio %.2f), "
                "two flushed copies %.3f s (ratio %.2f)\n",
                rounds, s, f, s / f, ff, s / ff);
    std::printf("peak working set grew by %llu KiB during the runs (file %llu KiB)\n",
                static_cast<unsigned long long>((peakAfter - peakBefore) / 1024),
                static_cast<unsigned long long>(size / 1024));
    return 0;
}
