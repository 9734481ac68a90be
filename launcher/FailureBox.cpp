#include "FailureBox.h"

#include "LauncherTexts.h"
#include "Module.h"
#include "SystemError.h"

namespace {

using MessageBoxAFunction = int(WINAPI*)(HWND, LPCSTR, LPCSTR, UINT);

} // namespace

void ShowFailureBox(launcher::Failure failure, std::string_view subject, DWORD code)
{
    char buffer[512];
    const launcher::BoxText message =
        launcher::FailureMessage(failure, subject, code, SystemErrorText(code, buffer));
    // user32 only now: it connects to the display, which a normal start never needs.
    UniqueModule user32(::LoadLibraryA("user32.dll"));
    if (!user32)
        return;
    const FARPROC found = ::GetProcAddress(user32.get(), "MessageBoxA");
    if (!found)
        return;
    const auto messageBox = reinterpret_cast<MessageBoxAFunction>(reinterpret_cast<void (*)()>(found));
    // No window of its own to own the box; MB_SETFOREGROUND brings it before the batch's console.
    messageBox(nullptr, message.CStr(), launcher::texts::kCaption, MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}
