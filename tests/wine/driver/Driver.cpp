#include "Driver.h"

#include <cctype>
#include <cstdlib>
#include <memory>

namespace Driver {

std::string ProgramDir()
{
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.find_last_of('\\'));
}

std::string BesideDriver(const std::string& fileName)
{
    return ProgramDir() + "\\" + fileName;
}

ChildProcess::ChildProcess(const std::string& commandLine, int showCommand, const std::string& directory)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (showCommand >= 0) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = static_cast<WORD>(showCommand);
    }
    std::string writable = commandLine;
    PROCESS_INFORMATION info{};
    if (CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       directory.empty() ? nullptr : directory.c_str(), &startup, &info)) {
        CloseHandle(info.hThread);
        process_ = info.hProcess;
        id_ = info.dwProcessId;
        WaitForInputIdle(process_, 10000);
    }
}

ChildProcess::~ChildProcess()
{
    if (!process_)
        return;
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
}

std::optional<DWORD> ChildProcess::WaitExit(DWORD timeoutMs)
{
    if (!process_ || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return code;
}

HWND WaitFor(const std::function<HWND()>& find, DWORD timeoutMs)
{
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        if (HWND found = find())
            return found;
        if (GetTickCount64() >= end)
            return nullptr;
        Sleep(20);
    }
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount64() >= end)
            return false;
        Sleep(20);
    }
}

namespace {

struct Search {
    DWORD processId;
    const char* className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param)
{
    auto& search = *reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search.processId && (!search.className || ClassOf(window) == search.className))
        search.found.push_back(window);
    return TRUE;
}

} // namespace

std::vector<HWND> TopLevelWindows(DWORD processId, const char* className)
{
    Search search{processId, className, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND TopLevelWindow(DWORD processId, const char* className)
{
    const auto windows = TopLevelWindows(processId, className);
    return windows.empty() ? nullptr : windows.front();
}

namespace {

struct IdSearch {
    int id;
    HWND found;
};

BOOL CALLBACK MatchId(HWND window, LPARAM param)
{
    auto& search = *reinterpret_cast<IdSearch*>(param);
    if (GetDlgCtrlID(window) == search.id) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND ChildById(HWND parent, int id)
{
    IdSearch search{id, nullptr};
    EnumChildWindows(parent, MatchId, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring TextOf(HWND window)
{
    // WM_GETTEXT rather than GetWindowText: across processes only the message reads a control's text.
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
        return L"<no answer>";
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 5000, &copied);
    text.resize(copied);
    return text;
}

std::string ClassOf(HWND window)
{
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

RECT ClientOnScreen(HWND window)
{
    RECT rect{};
    GetClientRect(window, &rect);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT RectInParent(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

HWND FocusOf(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

HWND WaitFocusInside(HWND dialog, DWORD timeoutMs)
{
    HWND focus = nullptr;
    WaitUntil(
        [&] {
            focus = FocusOf(dialog);
            return focus && (focus == dialog || IsChild(dialog, focus));
        },
        timeoutMs);
    return focus && (focus == dialog || IsChild(dialog, focus)) ? focus : nullptr;
}

bool WaitIdle(HWND window, DWORD timeoutMs)
{
    // A message sent from another thread is only handled where the receiving thread reads its
    // messages, never in the middle of other code.
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result) != 0;
}

HWND ActiveOf(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndActive;
}

void PressKeys(const std::vector<WORD>& virtualKeys)
{
    std::vector<INPUT> inputs;
    for (WORD key : virtualKeys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        inputs.push_back(input);
    }
    for (auto key = virtualKeys.rbegin(); key != virtualKeys.rend(); ++key) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = *key;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

HWND WaitForDialog(DWORD processId, DWORD timeoutMs)
{
    return WaitFor([&] {
        for (HWND window : TopLevelWindows(processId, "#32770"))
            if (IsWindowVisible(window))
                return window;
        return HWND(nullptr);
    }, timeoutMs);
}

std::wstring MessageBoxText(HWND box)
{
    HWND text = GetDlgItem(box, 0xFFFF);
    return text ? TextOf(text) : L"<no text>";
}

std::wstring Wide(const std::string& ansi)
{
    if (ansi.empty())
        return {};
    std::wstring wide(ansi.size(), L'\0');
    wide.resize(MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(),
                                    static_cast<int>(wide.size())));
    return wide;
}

std::string Ansi(const std::wstring& wide)
{
    if (wide.empty())
        return {};
    std::string ansi(wide.size() * 2, '\0');
    ansi.resize(WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), ansi.data(),
                                    static_cast<int>(ansi.size()), nullptr, nullptr));
    return ansi;
}

std::string DemoDir()
{
    const char* unixPath = std::getenv("TYX_DEMO_DIR");
    if (!unixPath || !*unixPath)
        return {};
    std::string path = unixPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path[0] == '\\' ? "Z:" + path : path;
}

std::string TestName(std::string_view description)
{
    std::string name;
    for (char c : description)
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

} // namespace Driver
