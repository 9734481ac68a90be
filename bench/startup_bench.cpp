// The setup tool's start against a minimal window program, side by side in one run: time from
// CreateProcess until the window is up and the program waits for input, file size, and peak
// working set.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string Beside(const char* name)
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    return dir.substr(0, dir.find_last_of('\\') + 1) + name;
}

struct Found {
    DWORD pid;
    HWND window;
};

BOOL CALLBACK FindShown(HWND window, LPARAM param)
{
    auto* found = reinterpret_cast<Found*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    RECT r{};
    GetWindowRect(window, &r);
    if (pid == found->pid && IsWindowVisible(window) && r.right - r.left > 100) {
        found->window = window;
        return FALSE;
    }
    return TRUE;
}

struct Run {
    double ms;
    SIZE_T peak;
};

bool StartOnce(const std::string& program, Run& run)
{
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string command = "\"" + program + "\"";
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return false;
    Found found{info.dwProcessId, nullptr};
    for (int i = 0; i < 20000 && !found.window; ++i) {
        EnumWindows(FindShown, reinterpret_cast<LPARAM>(&found));
        if (!found.window)
            Sleep(1);
    }
    // Idle input means the first paint is done: the queue held it before the wait.
    WaitForInputIdle(info.hProcess, 10000);
    QueryPerformanceCounter(&end);
    run.ms = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(info.hProcess, &counters, sizeof counters);
    run.peak = counters.PeakWorkingSetSize;
    if (found.window)
        PostMessageA(found.window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return found.window != nullptr;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

long long FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 15;
    const std::string tool = Beside("Instal.exe");
    const std::string floor = Beside("minimal_window.exe");
    std::vector<double> toolMs, floorMs;
    SIZE_T toolPeak = 0, floorPeak = 0;
    // Alternating, so that the machine's moods fall on both alike.
    for (int i = 0; i < runs; ++i) {
        Run run{};
        if (!StartOnce(floor, run) || !StartOnce(floor, run)) {
            std::printf("the minimal program did not show its window\n");
            return 1;
        }
        floorMs.push_back(run.ms);
        floorPeak = std::max(floorPeak, run.peak);
        if (!StartOnce(tool, run)) {
            std::printf("the setup tool did not show its window\n");
            return 1;
        }
        toolMs.push_back(run.ms);
        toolPeak = std::max(toolPeak, run.peak);
    }
    const double t = Median(toolMs), f = Median(floorMs);
    std::printf("start to window up, median of %d: Instal %.1f ms, minimal %.1f ms, ratio %.2f\n", runs, t, f, t / f);
    std::printf("file size: Instal %lld bytes, minimal %lld bytes, ratio %.2f\n", FileSize(tool), FileSize(floor),
                static_cast<double>(FileSize(tool)) / static_cast<double>(FileSize(floor)));
    std::printf("peak working set: Instal %llu KiB, minimal %llu KiB, ratio %.2f\n",
                static_cast<unsigned long long>(toolPeak / 1024), static_cast<unsigned long long>(floorPeak / 1024),
                static_cast<double>(toolPeak) / static_cast<double>(floorPeak ? floorPeak : 1));
    return 0;
}
