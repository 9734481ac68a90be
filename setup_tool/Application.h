#pragma once
// The application window: the never-seen top-level window that carries the tool's taskbar button
// and owns every other window, the message loop, and the two ways the tool shows a message.
#include <windows.h>

#include <exception>
#include <utility>
#include <vector>

namespace Application {

// What the main window registers so that the application window can hand it the focus and the
// message loop can give it the keyboard first.
struct MainWindowHooks {
    HWND window = nullptr;
    bool (*handleKey)(const MSG& msg) = nullptr; // true: the key was the tool's and is used up
    void (*restoreFocus)() = nullptr;            // focus back to the control that had it last
};

// Creates the (hidden) application window; false when the system gives none.
bool Create(HINSTANCE instance);
HWND Handle();
void SetTitle(const char* title);
void SetMainWindow(const MainWindowHooks& hooks);
void ClearMainWindow();

// Shows the application window at its size of 0 x 0, which puts up the taskbar button.
void ShowButton();
void Minimize();
void Restore();

// Takes messages until WM_QUIT; a failure escaping one message is shown and the loop goes on.
void Run();
// Every message that is not WM_QUIT, as the loop handles it.
void HandleMessage(MSG& msg);

void Destroy();

// While it lives, every visible and enabled top-level window of the thread is disabled, as under
// a modal box; afterwards they are enabled again and the window that was active is activated.
class ModalScope {
public:
    ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;
    ~ModalScope();

private:
    HWND active_;
    std::vector<HWND> disabled_;
};

} // namespace Application

// The application's modal message box: centred on the active window's monitor, with the tool's
// other windows disabled while it is open.
int AppMessageBox(const char* text, const char* caption, UINT flags);

// The standard failure box for any failure that escapes a command.
void ShowFailureBox(const std::exception& failure);
void ShowUnknownFailureBox();

// Runs a message handler so that no C++ exception crosses back into the system's frames: a
// failure is shown in the standard failure box and the message counts as handled.
template <typename Handler>
LRESULT Guarded(LRESULT handledResult, Handler&& handler) noexcept
{
    try {
        return std::forward<Handler>(handler)();
    } catch (const std::exception& failure) {
        ShowFailureBox(failure);
    } catch (...) {
        ShowUnknownFailureBox();
    }
    return handledResult;
}
