#pragma once
#include <windows.h>

#include <string_view>

// Starts the command as a new process and lets it go: it gets the launcher's directory and
// environment, no handle, and nothing of it is kept. Returns ERROR_SUCCESS or the system's error.
DWORD StartCommand(std::string_view commandText, bool hidden);
