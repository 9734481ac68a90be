// The icon tool of the program directory: puts the year's shortcut on the current user's
// desktop as its settings file describes it. It is started with the full path of its settings
// file as the only parameter; without one it takes Ikon.ini in the current directory.
//
// The settings file (in the ANSI code page):
//   [Ikona]
//   Nazev=TYX2023            name of the shortcut on the desktop, without ".lnk"
//   Program=Tyx2023.bat      what the shortcut starts
//   Ikona=TYX2023.ico        its icon (optional)
//   Popis=...                its description (optional)
// Names without a directory are taken from the settings file's own directory, which also
// becomes the shortcut's working directory.
//
// The tool serves Windows before Vista, so it keeps to what Windows XP has: it uses nothing of
// the C++ runtime that would bring in newer system calls, and no exceptions.
#include "ComPtr.h"

#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shellapi.h>
#include <shlobj.h>

namespace {

// The longest path Windows knows; a text that does not fit is refused, never cut.
constexpr DWORD kTextSize = 32768;

constexpr wchar_t kSection[] = L"Ikona";
// "TYX - ikona na ploše"
constexpr wchar_t kCaption[] = L"TYX - ikona na plo\u0161e";

wchar_t settingsFile[kTextSize];
wchar_t directory[kTextSize];
wchar_t shortcutName[kTextSize];
wchar_t program[kTextSize];
wchar_t icon[kTextSize];
wchar_t description[kTextSize];
wchar_t linkFile[kTextSize];
wchar_t message[2 * kTextSize];

DWORD Length(const wchar_t* text)
{
    return static_cast<DWORD>(lstrlenW(text));
}

// Appends to a text of the given size; false when the whole of it does not fit.
bool Append(wchar_t* to, DWORD size, const wchar_t* text)
{
    const DWORD have = Length(to);
    const DWORD add = Length(text);
    if (have + add >= size)
        return false;
    CopyMemory(to + have, text, (add + 1) * sizeof(wchar_t));
    return true;
}

bool Assign(wchar_t* to, DWORD size, const wchar_t* text)
{
    to[0] = L'\0';
    return Append(to, size, text);
}

// The failure's text for the box; a message may be cut, a path never is.
bool Fail(const wchar_t* first, const wchar_t* second = L"", const wchar_t* third = L"")
{
    // "Ikonu programu TYX nelze vytvořit."
    Assign(message, 2 * kTextSize, L"Ikonu programu TYX nelze vytvo\u0159it.\r\n\r\n");
    Append(message, 2 * kTextSize, first);
    Append(message, 2 * kTextSize, second);
    Append(message, 2 * kTextSize, third);
    return false;
}

bool Checked(HRESULT result, const wchar_t* step)
{
    if (SUCCEEDED(result))
        return true;
    wchar_t code[16];
    wsprintfW(code, L"%08lX", static_cast<unsigned long>(result));
    // "... se nezdařilo (chyba ...)."
    return Fail(step, L" se nezda\u0159ilo (chyba ", code) && false;
}

bool HasDirectory(const wchar_t* name)
{
    for (; *name; ++name)
        if (*name == L'\\' || *name == L'/' || *name == L':')
            return true;
    return false;
}

// A name from the settings file as a path: as it stands when it names a directory, else in the
// settings file's directory.
bool InDirectory(wchar_t* name)
{
    if (HasDirectory(name))
        return true;
    static wchar_t joined[kTextSize];
    if (!Assign(joined, kTextSize, directory) || !Append(joined, kTextSize, L"\\") ||
        !Append(joined, kTextSize, name))
        return Fail(L"Cesta k souboru ", name, L" je p\u0159\u00EDli\u0161 dlouh\u00E1."); // "... je příliš dlouhá."
    return Assign(name, kTextSize, joined);
}

bool Setting(const wchar_t* key, wchar_t* value, bool required)
{
    const DWORD length = GetPrivateProfileStringW(kSection, key, L"", value, kTextSize, settingsFile);
    if (length + 1 >= kTextSize)
        return Fail(L"Polo\u017Eka ", key, L" je p\u0159\u00EDli\u0161 dlouh\u00E1."); // "Položka ... je příliš dlouhá."
    if (required && length == 0)
        // "V souboru ... chybí položka ..."
        return Fail(L"V souboru ", settingsFile, L" chyb\u00ED polo\u017Eka.") && false;
    return true;
}

bool FindSettingsFile()
{
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    const wchar_t* name = arguments && count > 1 && arguments[1][0] ? arguments[1] : L"Ikon.ini";
    const DWORD length = GetFullPathNameW(name, kTextSize, settingsFile, nullptr);
    const bool fits = length > 0 && length < kTextSize;
    if (!fits)
        Fail(L"Nelze ur\u010Dit cestu k souboru ", name, L"."); // "Nelze určit cestu k souboru ..."
    if (arguments)
        LocalFree(arguments);
    if (!fits)
        return false;

    const DWORD attributes = GetFileAttributesW(settingsFile);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return Fail(L"Nenalezen soubor ", settingsFile, L"."); // "Nenalezen soubor ..."

    Assign(directory, kTextSize, settingsFile);
    wchar_t* lastSeparator = nullptr;
    for (wchar_t* c = directory; *c; ++c)
        if (*c == L'\\')
            lastSeparator = c;
    if (lastSeparator)
        *lastSeparator = L'\0';
    return true;
}

bool ReadSettings()
{
    return Setting(L"Nazev", shortcutName, true) && Setting(L"Program", program, true) &&
           Setting(L"Ikona", icon, false) && Setting(L"Popis", description, false) && InDirectory(program) &&
           (icon[0] == L'\0' || InDirectory(icon));
}

bool FindLinkFile()
{
    wchar_t desktop[MAX_PATH];
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, desktop)))
        return Fail(L"Nelze zjistit slo\u017Eku plochy."); // "Nelze zjistit složku plochy."
    if (!Assign(linkFile, kTextSize, desktop) || !Append(linkFile, kTextSize, L"\\") ||
        !Append(linkFile, kTextSize, shortcutName) || !Append(linkFile, kTextSize, L".lnk"))
        return Fail(L"N\u00E1zev z\u00E1stupce ", shortcutName, L" je p\u0159\u00EDli\u0161 dlouh\u00FD."); // "Název zástupce ... je příliš dlouhý."
    return true;
}

bool SaveShortcut()
{
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
    // "Vytvoření zástupce", "Nastavení cíle", "Nastavení pracovní složky", "Nastavení ikony",
    // "Nastavení popisu", "Uložení zástupce"
    return Checked(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                    link.put_void()),
                   L"Vytvo\u0159en\u00ED z\u00E1stupce") &&
           Checked(link->SetPath(program), L"Nastaven\u00ED c\u00EDle") &&
           Checked(link->SetWorkingDirectory(directory), L"Nastaven\u00ED pracovn\u00ED slo\u017Eky") &&
           (icon[0] == L'\0' || Checked(link->SetIconLocation(icon, 0), L"Nastaven\u00ED ikony")) &&
           (description[0] == L'\0' || Checked(link->SetDescription(description), L"Nastaven\u00ED popisu")) &&
           Checked(link->QueryInterface(IID_IPersistFile, file.put_void()), L"Vytvo\u0159en\u00ED z\u00E1stupce") &&
           Checked(file->Save(linkFile, TRUE), L"Ulo\u017Een\u00ED z\u00E1stupce");
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (FAILED(CoInitialize(nullptr)))
        return 3;
    const bool done = FindSettingsFile() && ReadSettings() && FindLinkFile() && SaveShortcut();
    CoUninitialize();
    if (!done) {
        MessageBoxW(nullptr, message, kCaption, MB_OK | MB_ICONERROR);
        return 1;
    }
    return 0;
}
