#pragma once
// The four shortcut templates of the program directory, one per kind of Windows. Each carries
// arguments, a description, a hot key and a show command of its own: the setup tool replaces
// only the target, the working directory and the icon, and a desktop shortcut made from a
// template must keep the rest.
#include <windows.h>
#include <commctrl.h>

namespace Templates {

struct Template {
    const wchar_t* fileName;
    const wchar_t* target;
    const wchar_t* arguments;
    const wchar_t* workingDirectory;
    const wchar_t* description;
    const wchar_t* iconLocation;
    int iconIndex;
    WORD hotKey; // virtual key in the low byte, HOTKEYF_ modifiers in the high byte
    int showCommand;
};

inline constexpr Template kTemplates[] = {
    // "TYX - podvojné účetnictví (Windows 7, 64 bitů)"
    {L"TyxWin7.s64", L"C:\\TYX\\S64v.bat", L"/W7 /64", L"C:\\TYX",
     L"TYX - podvojn\u00E9 \u00FA\u010Detnictv\u00ED (Windows 7, 64 bit\u016F)", L"C:\\TYX\\TYX.ico", 1,
     MAKEWORD('T', HOTKEYF_CONTROL | HOTKEYF_ALT), SW_SHOWMAXIMIZED},
    // "TYX - podvojné účetnictví (Windows Vista a 7)"
    {L"TyxWin7.sss", L"C:\\TYX\\Tyx.bat", L"/W7", L"C:\\TYX",
     L"TYX - podvojn\u00E9 \u00FA\u010Detnictv\u00ED (Windows Vista a 7)", L"C:\\TYX\\TYX.ico", 2,
     MAKEWORD('Y', HOTKEYF_CONTROL | HOTKEYF_ALT), SW_SHOWMAXIMIZED},
    // "TYX - podvojné účetnictví (Windows 8 a 8.1)"
    {L"TyxWin8.sss", L"C:\\TYX\\Tyx.bat", L"/W8 /OKNO", L"C:\\TYX",
     L"TYX - podvojn\u00E9 \u00FA\u010Detnictv\u00ED (Windows 8 a 8.1)", L"C:\\TYX\\TYX.ico", 3,
     MAKEWORD('T', HOTKEYF_CONTROL | HOTKEYF_SHIFT), SW_SHOWNORMAL},
    // "TYX - podvojné účetnictví (Windows 10 a novější)"
    {L"TyxWin10.sss", L"C:\\TYX\\Tyx.bat", L"/W10 /OKNO /CP1250", L"C:\\TYX",
     L"TYX - podvojn\u00E9 \u00FA\u010Detnictv\u00ED (Windows 10 a nov\u011Bj\u0161\u00ED)", L"C:\\TYX\\TYX.ico", 4,
     MAKEWORD('X', HOTKEYF_CONTROL | HOTKEYF_ALT), SW_SHOWMINNOACTIVE},
};

} // namespace Templates
