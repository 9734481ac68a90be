#include "Ikonak.h"

#include "ComPtr.h"
#include "OleCheck.h"
#include "PathText.h"

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

namespace {

// The shell's link object and the two interfaces the routine uses, by their fixed identifiers.
constexpr CLSID kClsidShellLink = {0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kIidShellLinkW = {0x000214F9, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kIidPersistFile = {0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

} // namespace

void EditShellLink(const std::wstring& linkFile, const std::wstring& target, const std::wstring& workDir,
                   const std::wstring& iconFile)
{
    const std::wstring icon = IconLocation(workDir, iconFile);

    // The file reference is declared second, so it is released first, on every way out.
    ComPtr<IShellLinkW> link;
    OleCheck(::CoCreateInstance(kClsidShellLink, nullptr, CLSCTX_INPROC_SERVER, kIidShellLinkW, link.put_void()));
    ComPtr<IPersistFile> file;
    OleCheck(link->QueryInterface(kIidPersistFile, file.put_void()));

    OleCheck(file->Load(linkFile.c_str(), STGM_READWRITE));
    OleCheck(link->SetPath(target.c_str()));
    OleCheck(link->SetWorkingDirectory(workDir.c_str()));
    OleCheck(link->SetIconLocation(icon.c_str(), 0));
    OleCheck(file->Save(linkFile.c_str(), TRUE));
}
