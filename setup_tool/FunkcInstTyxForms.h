#pragma once
// The tool's dialogs for its commands.
#include "MessageDlgRules.h"

#include <cstdint>
#include <string>

// Asks in the tool's own message dialog with Czech button captions; the result of the button
// that closed it, or 2 when it was closed otherwise.
int CzechMessageDlg(const std::string& caption, const std::string& msg, MessageDlg::DlgType dlgType,
                    std::uint16_t buttons, int defaultResult, int helpCtx);
