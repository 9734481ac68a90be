#pragma once
#include "FailureMessage.h"

#include <windows.h>

#include <string_view>

// Shows the launcher's one error box, modal, and returns when it is closed.
void ShowFailureBox(launcher::Failure failure, std::string_view subject, DWORD code);
