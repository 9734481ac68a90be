#pragma once
// What the Wine-side tests use to start the programs and look at their windows from outside, as
// a person or another program on the desktop would.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Driver {

// The directory of the test program: the programs under test are built beside it.
std::string ProgramDir();
std::string BesideDriver(const std::string& fileName);

// A started program. The destructor ends a program that is still running, so that a failed test
// leaves nothing behind for the next one.
class ChildProcess {
public:
    // showCommand < 0: no STARTF_USESHOWWINDOW.
    explicit ChildProcess(const std::string& commandLine, int showCommand = -1,
                          const std::string& directory = {});
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();

    bool Started() const { return process_ != nullptr; }
    DWORD Id() const { return id_; }
    HANDLE Handle() const { return process_; }
    // The exit code, or nothing when the program still runs after the timeout.
    std::optional<DWORD> WaitExit(DWORD timeoutMs = 20000);

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// Polls until the predicate gives a window or the time is up (nullptr then).
HWND WaitFor(const std::function<HWND()>& find, DWORD timeoutMs = 20000);
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000);

// The top-level windows of a process of the given class (any class when null).
std::vector<HWND> TopLevelWindows(DWORD processId, const char* className = nullptr);
HWND TopLevelWindow(DWORD processId, const char* className);
HWND ChildById(HWND parent, int id);

std::wstring TextOf(HWND window);
std::string ClassOf(HWND window);
RECT ClientOnScreen(HWND window);
// The window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND window);
HWND FocusOf(HWND window);       // the keyboard focus of the window's thread
HWND ActiveOf(HWND window);      // the active window of the window's thread
// The focus once it lies on the dialog or one of its controls: for a moment after a dialog shows,
// its thread's focus can still be on the window it disabled, and a key sent there is lost.
HWND WaitFocusInside(HWND dialog, DWORD timeoutMs = 20000);
// True once the window's thread has come back to reading its messages (the round trip of a sent
// message): whatever it was doing when the call began has ended or reached a message loop, such
// as the one of a box it shows.
bool WaitIdle(HWND window, DWORD timeoutMs = 20000);

// Keys as a person types them: each entry is pressed in order and released in reverse.
void PressKeys(const std::vector<WORD>& virtualKeys);

// The message box of a process that shows up within the timeout (class "#32770").
HWND WaitForDialog(DWORD processId, DWORD timeoutMs = 20000);
std::wstring MessageBoxText(HWND box);

// Texts in the ANSI code page (1250 in the test runs) and back.
std::wstring Wide(const std::string& ansi);
std::string Ansi(const std::wstring& wide);

// The demo program directory of the build (TYX_DEMO_DIR, a Unix path, seen through drive Z:);
// empty when the run gives none.
std::string DemoDir();

// A test's name made of a case's description: letters and digits, anything else "_".
std::string TestName(std::string_view description);

} // namespace Driver
