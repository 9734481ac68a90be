// A stand-in for the programs the launcher starts: it writes down how it was started — its
// process id, the STARTUPINFO flags and show state it got, its current directory and its
// command line — into the file that TYX_RECORD names, then waits TYX_RECORD_SLEEP
// milliseconds (if set) and ends. Without TYX_RECORD it only ends.
#include <windows.h>

#include <string>

namespace {

std::string Variable(const char* name)
{
    char value[MAX_PATH * 2];
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

std::string CurrentDirectory()
{
    std::string directory(GetCurrentDirectoryA(0, nullptr), '\0');
    directory.resize(GetCurrentDirectoryA(static_cast<DWORD>(directory.size()), directory.data()));
    return directory;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const std::string recordPath = Variable("TYX_RECORD");
    if (!recordPath.empty()) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        GetStartupInfoA(&startup);
        const std::string record = "pid=" + std::to_string(GetCurrentProcessId()) +
                                   "\nflags=" + std::to_string(startup.dwFlags) +
                                   "\nshow=" + std::to_string(startup.wShowWindow) +
                                   "\ndir=" + CurrentDirectory() + "\ncommand=" + GetCommandLineA();
        // Written aside and moved into place, so that the record appears whole or not at all.
        const std::string part = recordPath + ".part";
        HANDLE file = CreateFileA(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return 1;
        DWORD written = 0;
        const BOOL wrote = WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
        CloseHandle(file);
        if (!wrote || !MoveFileExA(part.c_str(), recordPath.c_str(), MOVEFILE_REPLACE_EXISTING))
            return 1;
    }
    const std::string sleep = Variable("TYX_RECORD_SLEEP");
    if (!sleep.empty())
        Sleep(static_cast<DWORD>(std::stoul(sleep)));
    return 0;
}
