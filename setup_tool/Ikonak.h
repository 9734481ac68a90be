#pragma once
// Shell link editing: a shortcut file gets a new target, working directory and icon through the
// shell's link object; everything else it holds stays.
#include <string>

// Loads linkFile, sets its target, its working directory and its icon (workDir, "\" and
// iconFile, index 0), and saves it in place. Raises EOleSysError when a step fails; the file
// changes only at the last step. The calling thread must have initialised COM.
void EditShellLink(const std::wstring& linkFile, const std::wstring& target, const std::wstring& workDir,
                   const std::wstring& iconFile);
