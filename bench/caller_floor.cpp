// The floor for the launcher's benchmark: a program that does nothing but start the rest of its
// own command line and end, so that what the launcher costs beyond a bare start shows.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char* arguments = GetCommandLineA();
    if (*arguments == '"') {
        do
            ++arguments;
        while (*arguments && *arguments != '"');
        if (*arguments)
            ++arguments;
    } else {
        while (*arguments && *arguments != ' ')
            ++arguments;
    }
    while (*arguments == ' ')
        ++arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(nullptr, arguments, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        return 1;
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return 0;
}
