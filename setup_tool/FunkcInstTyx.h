#pragma once
// The routines of the two commands: what Windows this is, and the FILES setting in Config.nt.
#include <string>

bool IsWin64();
bool IsVistaOr7(); // may raise EConvertError (see WindowsMajorVersion)

// The Windows system directory; raises Exception with the system's text when there is none.
std::string GetSystemDir();

// FILES=211 in Config.nt of the system directory, after a backup into Config.TYX beside it.
// Config.nt holds at every moment either its whole former or its whole new content.
void SetFilesParameter();
// The same in a given directory.
void SetFilesParameterIn(const std::string& directory);
