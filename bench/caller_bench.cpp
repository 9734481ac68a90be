// How long the launcher lives, from its start to its end, having started a program that ends at
// once: against the floor (a bare program that only starts its command line) and against the
// system's own way, "cmd /c start". The three are run in turn, many times, in one run, and the
// medians and their ratios are printed side by side.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string ProgramDir()
{
    char path[MAX_PATH * 2];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string dir(path, length);
    return dir.substr(0, dir.find_last_of('\\'));
}

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// The lifetime of one run in milliseconds, or a negative value when it could not start.
double Lifetime(const std::string& commandLine)
{
    std::string writable = commandLine;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    const double begin = Now();
    if (!CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        return -1;
    WaitForSingleObject(started.hProcess, INFINITE);
    const double end = Now();
    DWORD code = 0;
    GetExitCodeProcess(started.hProcess, &code);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return code == 0 ? end - begin : -1;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct Contender {
    const char* name;
    std::string commandLine;
    std::vector<double> times;
};

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 41;
    const std::string dir = ProgramDir();
    const std::string recorder = "\"" + dir + "\\recorder.exe\"";
    // The recorder only ends when it has nowhere to record.
    SetEnvironmentVariableA("TYX_RECORD", nullptr);
    SetEnvironmentVariableA("TYX_RECORD_SLEEP", nullptr);

    std::vector<Contender> contenders = {
        {"floor", "\"" + dir + "\\caller_floor.exe\" " + recorder, {}},
        {"caller", "\"" + dir + "\\caller.exe\" " + recorder, {}},
        {"cmd /c start", "cmd.exe /c start \"\" " + recorder, {}},
    };
    // A first round unmeasured: DLLs and files into the cache.
    for (Contender& contender : contenders)
        if (Lifetime(contender.commandLine) < 0) {
            std::printf("could not run: %s\n", contender.commandLine.c_str());
            return 1;
        }
    for (int run = 0; run < runs; ++run)
        for (Contender& contender : contenders)
            contender.times.push_back(Lifetime(contender.commandLine));

    const double floor = Median(contenders[0].times);
    const double caller = Median(contenders[1].times);
    const double cmd = Median(contenders[2].times);
    std::printf("lifetime, start to end, median of %d runs each\n", runs);
    for (const Contender& contender : contenders)
        std::printf("  %-14s %8.2f ms   x%.2f of the floor\n", contender.name, Median(contender.times),
                    Median(contender.times) / floor);
    std::printf("caller / floor %.2f   cmd / floor %.2f   caller / cmd %.2f\n", caller / floor, cmd / floor,
                caller / cmd);
    return 0;
}
