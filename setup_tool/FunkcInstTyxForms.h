#pragma once
// The tool's dialogs for its commands.
#include "MessageDlgRules.h"

#include <cstdint>
#include <string>

// Asks in the tool's own message dialog with Czech button captions; the result of the button
// that closed it, or 2 when it was closed otherwise.
int CzechMessageDlg(const std::string& caption, const std::string& msg, MessageDlg::DlgType dlgType,
                    std::uint16_t buttons, int defaultResult, int helpCtx);

// Puts a shortcut for the year's edition on the current user's desktop: the template that fits
// this Windows, from templateDir, copied under the first free name of linkName and pointed at
// programDir + batchName, with programDir as its working directory and programDir\iconName as
// its icon; its full path then goes into programDir\KdeJeZas.ttx. A year text that is no whole
// number raises EConvertError before any file is touched; a missing template is told in a box of
// its own and nothing is written. Any other failure is raised, and no broken copy of the
// template is left on the desktop.
void CreateDesktopShortcut(const std::string& year, const std::string& programDir, const std::string& templateDir,
                           const std::string& batchName, const std::string& linkName, const std::string& iconName,
                           bool is64);

// The directory of the tool's own executable, without a trailing "\".
std::string ProgramDirectory();
