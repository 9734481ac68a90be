// Times one "&Ikona" click of the setup tool, from the button press to the closing box, in a
// program directory laid out from the demo one, with the shortcut made from this Windows'
// template. Each run starts from an empty desktop, so every click takes the first free name.
//
//   ikona_bench [DEMO-DIRECTORY] [RUNS]      (default, or "": TYX_DEMO_DIR; 15 runs)
#include "Driver.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string Beside(const char* name)
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    return dir.substr(0, dir.find_last_of('\\') + 1) + name;
}

std::string DemoDirectory(int argc, char** argv)
{
    return argc > 1 && argv[1][0] ? std::string(argv[1]) : Driver::DemoDir();
}

bool LayOut(const std::string& demo, const std::string& programDir)
{
    CreateDirectoryA(programDir.c_str(), nullptr);
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((demo + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    bool ok = true;
    do {
        const std::string name = found.cFileName;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "Instal.exe" && name != "KdeJeZas.ttx")
            ok = ok && CopyFileA((demo + "\\" + name).c_str(), (programDir + "\\" + name).c_str(), FALSE);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return ok && CopyFileA(Beside("Instal.exe").c_str(), (programDir + "\\Instal.exe").c_str(), FALSE);
}

struct Search {
    DWORD pid;
    const char* className;
    HWND found;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    if (pid == search->pid && IsWindowVisible(window) && std::string(name) == search->className) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// Polls tightly: the time asked for is in milliseconds.
HWND WaitForWindow(DWORD pid, const char* className, DWORD timeoutMs)
{
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    do {
        Search search{pid, className, nullptr};
        EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        Sleep(0);
    } while (GetTickCount64() < end);
    return nullptr;
}

struct IdSearch {
    int id;
    HWND found;
};

BOOL CALLBACK MatchId(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<IdSearch*>(param);
    if (GetDlgCtrlID(window) == search->id) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void RemoveShortcuts(const std::string& desktop)
{
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((desktop + "\\TYX2023*.lnk").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do
        DeleteFileA((desktop + "\\" + found.cFileName).c_str());
    while (FindNextFileA(search, &found));
    FindClose(search);
}

} // namespace

int main(int argc, char** argv)
{
    const std::string demo = DemoDirectory(argc, argv);
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 15;
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    const std::string programDir = std::string(temp) + "tyx-ikona-bench";
    char desktopPath[MAX_PATH] = "";
    if (demo.empty() || !LayOut(demo, programDir) ||
        FAILED(SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, desktopPath))) {
        std::printf("no demo program directory to lay out (give it or set TYX_DEMO_DIR)\n");
        return 1;
    }
    const std::string desktop = desktopPath;
    RemoveShortcuts(desktop);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string command = "\"" + programDir + "\\Instal.exe\"";
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        std::printf("the setup tool did not start\n");
        return 1;
    }
    WaitForInputIdle(info.hProcess, 10000);
    HWND form = WaitForWindow(info.dwProcessId, "TInstFormTYX", 20000);
    IdSearch button{107, nullptr};
    if (form)
        EnumChildWindows(form, MatchId, reinterpret_cast<LPARAM>(&button));

    // One click: the time until the first box, then every box closed until the command is done.
    const auto click = [&](double& firstBox) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        PostMessageA(button.found, BM_CLICK, 0, 0);
        HWND box = WaitForWindow(info.dwProcessId, "#32770", 20000);
        QueryPerformanceCounter(&end);
        if (!box)
            return false;
        firstBox = Milliseconds(start, end);
        while (box) {
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            while (IsWindow(box))
                Sleep(1);
            box = WaitForWindow(info.dwProcessId, "#32770", 300);
        }
        RemoveShortcuts(desktop);
        return true;
    };

    std::vector<double> ms, checksOnly;
    // The templates are put aside for every other click: the box that tells a missing template
    // comes after the checks, before the copy, the edit and the record, and so shows what those
    // three cost.
    const std::string templates[] = {"TyxWin7.s64", "TyxWin7.sss", "TyxWin8.sss", "TyxWin10.sss"};
    for (int i = 0; button.found && i < runs; ++i) {
        double t = 0;
        if (!click(t))
            break;
        ms.push_back(t);
        for (const std::string& name : templates)
            MoveFileA((programDir + "\\" + name).c_str(), (programDir + "\\" + name + ".aside").c_str());
        const bool ok = click(t);
        for (const std::string& name : templates)
            MoveFileA((programDir + "\\" + name + ".aside").c_str(), (programDir + "\\" + name).c_str());
        if (!ok)
            break;
        checksOnly.push_back(t);
    }

    if (form)
        PostMessageA(form, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    if (static_cast<int>(checksOnly.size()) != runs) {
        std::printf("the click gave no box after %u runs\n", static_cast<unsigned>(ms.size()));
        return 1;
    }

    const auto report = [&](const char* what, std::vector<double> values) {
        std::printf("%s, %d runs:", what, runs);
        for (double m : values)
            std::printf(" %.1f", m);
        std::sort(values.begin(), values.end());
        std::printf("\n  min %.1f ms, median %.1f ms, max %.1f ms\n", values.front(), values[values.size() / 2],
                    values.back());
    };
    report("click to closing box", ms);
    report("click to missing-template box (no copy, edit or record)", checksOnly);
    return 0;
}
