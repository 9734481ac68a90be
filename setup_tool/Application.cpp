#include "Application.h"

#include "FailureText.h"
#include "Texts.h"

#include <vector>

namespace {

constexpr char kClassName[] = "TyxApplication";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX;
// Posted to itself on WM_SETFOCUS, so the focus moves on once the activation has settled.
constexpr UINT kFocusNote = WM_APP + 1;

HWND appWindow = nullptr;
Application::MainWindowHooks mainWindow;

POINT ScreenCentre()
{
    return {GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2};
}

bool MainWindowUsable()
{
    return mainWindow.window && IsWindowVisible(mainWindow.window) && IsWindowEnabled(mainWindow.window);
}

struct TopWindowSearch {
    HWND normal = nullptr;
    HWND topmost = nullptr;
};

BOOL CALLBACK FindTopWindow(HWND window, LPARAM param) noexcept
{
    auto* search = reinterpret_cast<TopWindowSearch*>(param);
    if (window == appWindow || !IsWindowVisible(window) || !IsWindowEnabled(window))
        return TRUE;
    if (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) {
        if (!search->topmost)
            search->topmost = window;
        return TRUE;
    }
    search->normal = window;
    return FALSE;
}

// The tool's topmost window: the first visible, enabled top-level window of the thread in
// z-order, windows without WS_EX_TOPMOST first.
HWND TopMostWindow()
{
    TopWindowSearch search;
    EnumThreadWindows(GetCurrentThreadId(), FindTopWindow, reinterpret_cast<LPARAM>(&search));
    return search.normal ? search.normal : search.topmost;
}

void OnFocusNote()
{
    if (IsIconic(appWindow) || GetFocus() != appWindow)
        return;
    if (HWND top = TopMostWindow())
        SetFocus(top);
}

LRESULT OnSysCommand(HWND window, WPARAM command, LPARAM param)
{
    switch (command & 0xFFF0) {
    case SC_MINIMIZE:
        Application::Minimize();
        return 0;
    case SC_RESTORE:
        Application::Restore();
        return 0;
    default:
        return DefWindowProcA(window, WM_SYSCOMMAND, command, param);
    }
}

LRESULT OnClose()
{
    if (mainWindow.window)
        SendMessageA(mainWindow.window, WM_CLOSE, 0, 0);
    return 0;
}

LRESULT CALLBACK ApplicationWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    return Guarded(0, [&]() -> LRESULT {
        switch (message) {
        case WM_SYSCOMMAND:
            return OnSysCommand(window, wParam, lParam);
        case WM_CLOSE:
            return OnClose();
        case WM_SETFOCUS:
            PostMessageA(window, kFocusNote, 0, 0);
            return DefWindowProcA(window, message, wParam, lParam);
        case kFocusNote:
            OnFocusNote();
            return 0;
        case WM_ENDSESSION:
            if (wParam)
                PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
        }
    });
}

void TrimSystemMenu(HWND window)
{
    HMENU menu = GetSystemMenu(window, FALSE);
    DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
    DeleteMenu(menu, SC_SIZE, MF_BYCOMMAND);
    DeleteMenu(menu, SC_MOVE, MF_BYCOMMAND);
}

} // namespace

namespace Application {

bool Create(HINSTANCE instance)
{
    HICON icon = LoadIconA(instance, "MAINICON");
    WNDCLASSA wc{};
    wc.lpfnWndProc = ApplicationWndProc;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    if (!RegisterClassA(&wc))
        return false;

    const POINT centre = ScreenCentre();
    appWindow = CreateWindowExA(0, kClassName, "", kStyle, centre.x, centre.y, 0, 0, nullptr, nullptr,
                                instance, nullptr);
    if (!appWindow)
        return false;
    SendMessageA(appWindow, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    TrimSystemMenu(appWindow);
    return true;
}

HWND Handle()
{
    return appWindow;
}

void SetTitle(const char* title)
{
    SetWindowTextA(appWindow, title);
}

void SetMainWindow(const MainWindowHooks& hooks)
{
    mainWindow = hooks;
}

void ClearMainWindow()
{
    mainWindow = {};
}

void ShowButton()
{
    SetWindowPos(appWindow, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void Minimize()
{
    if (IsIconic(appWindow))
        return;
    SetActiveWindow(appWindow);
    if (MainWindowUsable()) {
        RECT r{};
        GetWindowRect(mainWindow.window, &r);
        // Placed over the main window, so that the system animates the minimising from there.
        SetWindowPos(appWindow, nullptr, r.left, r.top, r.right - r.left, 0,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        DefWindowProcA(appWindow, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    } else {
        ShowWindow(appWindow, SW_MINIMIZE);
    }
}

void Restore()
{
    if (!IsIconic(appWindow))
        return;
    SetActiveWindow(appWindow);
    // The owner's minimising hid the main window, so only whether it is enabled can be asked.
    if (mainWindow.window && IsWindowEnabled(mainWindow.window))
        DefWindowProcA(appWindow, WM_SYSCOMMAND, SC_RESTORE, 0);
    else
        ShowWindow(appWindow, SW_RESTORE);
    const POINT centre = ScreenCentre();
    SetWindowPos(appWindow, nullptr, centre.x, centre.y, 0, 0, SWP_SHOWWINDOW);
    if (mainWindow.restoreFocus)
        mainWindow.restoreFocus();
}

void HandleMessage(MSG& msg)
{
    Guarded(0, [&]() -> LRESULT {
        if (mainWindow.handleKey && mainWindow.handleKey(msg))
            return 0;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        return 0;
    });
}

void Run()
{
    MSG msg{};
    for (;;) {
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            WaitMessage();
            continue;
        }
        if (msg.message == WM_QUIT)
            return;
        HandleMessage(msg);
    }
}

void Destroy()
{
    if (appWindow)
        DestroyWindow(appWindow);
    appWindow = nullptr;
}

} // namespace Application

namespace {

struct DisabledWindows {
    std::vector<HWND>* windows;
};

BOOL CALLBACK DisableWindow(HWND window, LPARAM param) noexcept
{
    if (IsWindowVisible(window) && IsWindowEnabled(window)) {
        auto* list = reinterpret_cast<DisabledWindows*>(param);
        try {
            list->windows->push_back(window);
        } catch (...) {
            return FALSE; // out of memory: the rest stay enabled, which is harmless
        }
        EnableWindow(window, FALSE);
    }
    return TRUE;
}

} // namespace

namespace Application {

ModalScope::ModalScope() : active_(GetActiveWindow())
{
    DisabledWindows list{&disabled_};
    EnumThreadWindows(GetCurrentThreadId(), DisableWindow, reinterpret_cast<LPARAM>(&list));
}

ModalScope::~ModalScope()
{
    for (HWND window : disabled_)
        if (IsWindow(window))
            EnableWindow(window, TRUE);
    SetActiveWindow(active_);
}

} // namespace Application

namespace {

constexpr UINT kQuietMove = SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE;

POINT MonitorCentre(HMONITOR monitor)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoA(monitor, &info);
    const RECT& m = info.rcMonitor;
    return {m.left + (m.right - m.left) / 2, m.top + (m.bottom - m.top) / 2};
}

// Moves the application window to the monitor of the active window, so that a box shows where
// the user looks, and back afterwards, also when the box failed.
class MonitorMove {
public:
    MonitorMove()
    {
        HWND app = Application::Handle();
        HWND active = GetActiveWindow();
        if (active && MonitorFromWindow(active, MONITOR_DEFAULTTONEAREST) !=
                          MonitorFromWindow(app, MONITOR_DEFAULTTONEAREST)) {
            GetWindowRect(app, &savedRect_);
            moved_ = true;
            const POINT c = MonitorCentre(MonitorFromWindow(active, MONITOR_DEFAULTTONEAREST));
            SetWindowPos(app, nullptr, c.x, c.y, 0, 0, kQuietMove);
        }
    }
    MonitorMove(const MonitorMove&) = delete;
    MonitorMove& operator=(const MonitorMove&) = delete;
    ~MonitorMove()
    {
        if (moved_) {
            const RECT& r = savedRect_;
            SetWindowPos(Application::Handle(), nullptr, r.left + (r.right - r.left) / 2,
                         r.top + (r.bottom - r.top) / 2, 0, 0, kQuietMove);
        }
    }

private:
    bool moved_ = false;
    RECT savedRect_{};
};

struct BoxScope {
    MonitorMove move;
    Application::ModalScope modal;
};

} // namespace

int AppMessageBox(const char* text, const char* caption, UINT flags)
{
    BoxScope scope;
    return MessageBoxA(Application::Handle(), text, caption, flags);
}

namespace {

void ShowFailureText(std::string message)
{
    if (HWND capture = GetCapture())
        SendMessageA(capture, WM_CANCELMODE, 0, 0);
    char caption[256] = "";
    GetWindowTextA(Application::Handle(), caption, sizeof caption);
    const std::string text = FailureBoxText(std::move(message));
    AppMessageBox(text.c_str(), caption, MB_OK | MB_ICONERROR);
}

} // namespace

void ShowFailureBox(const std::exception& failure)
{
    try {
        ShowFailureText(failure.what());
    } catch (...) {
        // Not even the box could be shown (no memory for its text): nothing more can be said.
    }
}

void ShowUnknownFailureBox()
{
    try {
        ShowFailureText("Unknown failure");
    } catch (...) {
    }
}
