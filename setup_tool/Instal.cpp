// The setup tool's start: a single instance, COM for the shell's objects, the main window, the
// message loop, and an orderly end with exit code 0.
#include "Application.h"
#include "SystemQueries.h"
#include "Texts.h"
#include "uInstal.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <memory>

namespace {

// A second copy brings the running one to the front. It broadcasts with a timeout and skips hung
// windows, so that one hung program elsewhere on the desktop cannot keep it waiting for ever.
void ActivateRunningCopy()
{
    const UINT message = RegisterWindowMessageA(Texts::kAppTitle);
    // This copy was just started by the user and may hand the foreground on; the running copy
    // could not take it by itself.
    AllowSetForegroundWindow(ASFW_ANY);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(HWND_BROADCAST, message, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
}

int StartupShowCommand()
{
    STARTUPINFOA info{};
    info.cb = sizeof info;
    GetStartupInfoA(&info);
    return (info.dwFlags & STARTF_USESHOWWINDOW) ? info.wShowWindow : SW_SHOWDEFAULT;
}

bool FormKey(const MSG& msg)
{
    return InstFormTYX && InstFormTYX->HandleKey(msg);
}

void FormFocus()
{
    if (InstFormTYX)
        InstFormTYX->RestoreFocus();
}

void RunFirstCopy(HINSTANCE instance)
{
    const HRESULT com = CoInitialize(nullptr);
    const bool comInitialised = com == S_OK || com == S_FALSE;
    Application::SetTitle(Texts::kAppTitle);

    auto form = std::make_unique<TInstFormTYX>(instance);
    InstFormTYX = form.get();
    Guarded(0, [&]() -> LRESULT {
        form->Build();
        return 0;
    });
    if (form->Handle()) {
        Application::SetMainWindow({form->Handle(), FormKey, FormFocus});
        switch (StartupShowCommand()) {
        case SW_SHOWMAXIMIZED:
            ShowWindow(form->Handle(), SW_SHOWMAXIMIZED);
            break;
        case SW_SHOWMINNOACTIVE:
            Application::Minimize();
            break;
        default:
            break;
        }
        Application::Run();
    }

    ShowOwnedPopups(Application::Handle(), FALSE);
    Application::ClearMainWindow();
    InstFormTYX = nullptr;
    form.reset();
    if (comInitialised)
        CoUninitialize();
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    CaptureReportedVersion();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    Application::Create(instance);

    CreateMutexA(nullptr, FALSE, Texts::kAppTitle); // never closed: it marks this copy until the end
    if (GetLastError() == ERROR_ALREADY_EXISTS)
        ActivateRunningCopy();
    else
        RunFirstCopy(instance);

    Application::Destroy();
    ExitProcess(0);
}
