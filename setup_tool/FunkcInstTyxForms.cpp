#include "FunkcInstTyxForms.h"

#include "MessageForm.h"

#include "AnsiText.h"
#include "Application.h"
#include "Exceptions.h"
#include "FileNames.h"
#include "FmxUtils.h"
#include "FunkcInstTyx.h"
#include "Ikonak.h"
#include "ShortcutRules.h"
#include "SystemError.h"
#include "SystemQueries.h"
#include "Texts.h"

#include <windows.h>


int CzechMessageDlg(const std::string& caption, const std::string& msg, MessageDlg::DlgType dlgType,
                    std::uint16_t buttons, int defaultResult, int helpCtx)
{
    // The form's destructor takes the window down on every way out, a failure included.
    TMessageForm form(msg, dlgType, buttons);
    form.SetCaption(caption);
    form.SetHelpContext(helpCtx);
    form.SetActiveButton(MessageDlg::ApplyCzechRules(form.Buttons(), defaultResult));
    form.ApplyButtons();
    return form.ShowModal();
}

void CreateDesktopShortcut(const std::string& year, const std::string& programDir, const std::string& templateDir,
                           const std::string& batchName, const std::string& linkName, const std::string& iconName,
                           bool is64)
{
    Shortcut::CheckYear(year);
    const std::string templateName =
        Shortcut::TemplateFileName(IsVistaOr7(), is64, [] { return WindowsMajorVersion(); });
    // Without a desktop folder the shortcut would land in the root of the current drive, under a
    // box that says it is on the desktop.
    const std::string desktop = DesktopFolder();
    if (desktop.empty())
        throw Exception(Texts::kNoDesktop);
    // A name that cannot be looked at is not taken as free: the copy would overwrite whatever
    // lies there.
    const std::string destination =
        Shortcut::FreeShortcutName(desktop + "\\" + linkName, [](const std::string& candidate) {
            const FileLookup look = LookForFile(candidate);
            if (look == FileLookup::Failed)
                throw EFCreateError(candidate);
            return look == FileLookup::File;
        });

    // Only a template that is surely not there is told as missing; one that cannot be looked at
    // fails as opening it would.
    const std::string templatePath = templateDir + "\\" + templateName;
    const FileLookup templateLook = LookForFile(templatePath);
    if (templateLook == FileLookup::Failed)
        throw EFOpenError(templatePath);
    if (templateLook == FileLookup::NoFile) {
        AppMessageBox(Shortcut::MissingTemplateText(year, templatePath).c_str(), Texts::kInfoCaption, MB_OK);
        return;
    }

    // A directory under the free name would take the copy inside it, where the shortcut is not
    // looked for and a file of the template's name would be overwritten.
    if (HasFileAttr(destination, FILE_ATTRIBUTE_DIRECTORY))
        throw EFCreateError(destination);
    CopyFileChunked(templatePath, destination);
    // The copy goes again unless its edit finishes: an unedited template points at some other
    // program directory, and a broken one at nothing.
    FileRemover copy(destination);
    EditShellLink(AnsiToWide(destination), AnsiToWide(programDir + batchName), AnsiToWide(programDir),
                  AnsiToWide(iconName));
    copy.Keep();

    WriteOneLineFile(programDir + Shortcut::kLocationRecord, destination);
}

std::string ProgramDirectory()
{
    // The longest path the system knows, as 8-bit text of up to two bytes a character.
    constexpr std::size_t kLongestPath = 2 * 32768;
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            throw Exception(SystemErrorText(GetLastError()));
        // A full buffer means the path was cut: it is read again into a bigger one.
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        if (path.size() > kLongestPath)
            throw Exception(SystemErrorText(ERROR_FILENAME_EXCED_RANGE));
        path.assign(path.size() * 2, '\0');
    }
    return Shortcut::DirectoryOfPath(path);
}
