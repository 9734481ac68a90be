#include "FailureBox.h"

#include "LauncherTexts.h"
#include "Module.h"

namespace {

using MessageBoxAFunction = int(WINAPI*)(HWND, LPCSTR, LPCSTR, UINT);

} // namespace

void ShowFailureBox(launcher::Failure failure, std::string_view subject, DWORD code)
{
    char systemText[512];
    const DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                          code, 0, systemText, sizeof systemText, nullptr);
    const launcher::BoxText message =
        launcher::FailureMessage(failure, subject, code, std::string_view(systemText, length));
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
