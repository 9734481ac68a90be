// Writes the shortcut templates of the program directory through the shell's own link object,
// so that they are shell link files exactly as the system writes them.
//
//   MakeTemplates DIRECTORY
#include "ComPtr.h"
#include "TemplateTable.h"

#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <string>

namespace {

bool Succeeded(HRESULT result, const wchar_t* step, const wchar_t* file)
{
    if (SUCCEEDED(result))
        return true;
    std::fwprintf(stderr, L"MakeTemplates: %ls failed for %ls (0x%08lX)\n", step, file,
                  static_cast<unsigned long>(result));
    return false;
}

bool Write(const Templates::Template& entry, const std::wstring& directory)
{
    const std::wstring path = directory + L"\\" + entry.fileName;
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
    return Succeeded(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                      link.put_void()),
                     L"CoCreateInstance", entry.fileName) &&
           Succeeded(link->SetPath(entry.target), L"SetPath", entry.fileName) &&
           Succeeded(link->SetArguments(entry.arguments), L"SetArguments", entry.fileName) &&
           Succeeded(link->SetWorkingDirectory(entry.workingDirectory), L"SetWorkingDirectory", entry.fileName) &&
           Succeeded(link->SetDescription(entry.description), L"SetDescription", entry.fileName) &&
           Succeeded(link->SetIconLocation(entry.iconLocation, entry.iconIndex), L"SetIconLocation",
                     entry.fileName) &&
           Succeeded(link->SetHotkey(entry.hotKey), L"SetHotkey", entry.fileName) &&
           Succeeded(link->SetShowCmd(entry.showCommand), L"SetShowCmd", entry.fileName) &&
           Succeeded(link->QueryInterface(IID_IPersistFile, file.put_void()), L"QueryInterface", entry.fileName) &&
           Succeeded(file->Save(path.c_str(), TRUE), L"Save", path.c_str());
}

} // namespace

int main()
{
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments || count != 2) {
        std::fputs("usage: MakeTemplates DIRECTORY\n", stderr);
        return 2;
    }
    const std::wstring directory = arguments[1];
    LocalFree(arguments);

    if (FAILED(CoInitialize(nullptr))) {
        std::fputs("MakeTemplates: COM is not available\n", stderr);
        return 1;
    }
    bool ok = true;
    for (const Templates::Template& entry : Templates::kTemplates)
        ok = Write(entry, directory) && ok;
    CoUninitialize();
    return ok ? 0 : 1;
}
