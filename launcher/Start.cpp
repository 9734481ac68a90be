#include "Start.h"

#include "FixedText.h"
#include "Owners.h"

DWORD StartCommand(std::string_view commandText, bool hidden)
{
    // CreateProcessA may write into the command line, so it gets a copy of its own. The system
    // takes at most 32,767 characters with the terminating NUL.
    launcher::FixedText<32766> commandLine;
    if (!commandLine.Append(commandText))
        return ERROR_FILENAME_EXCED_RANGE;

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(hidden ? SW_HIDE : SW_SHOWNORMAL);
    // A hidden program may never show a window or read a message, and the pointer would then
    // stay busy for seconds over nothing the user can see.
    if (hidden)
        startup.dwFlags |= STARTF_FORCEOFFFEEDBACK;
    const DWORD creationFlags = hidden ? CREATE_NO_WINDOW : 0;

    PROCESS_INFORMATION started{};
    if (!::CreateProcessA(nullptr, commandLine.Data(), nullptr, nullptr, FALSE, creationFlags, nullptr, nullptr,
                          &startup, &started))
        return ::GetLastError();
    UniqueHandle process(started.hProcess);
    UniqueHandle thread(started.hThread);
    return ERROR_SUCCESS;
}
