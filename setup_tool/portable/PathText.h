#pragma once
// How the file and shell routines put paths together: plain concatenation of 8-bit texts, with
// exactly the separators the routines promise.
#include <string>

// The part of a path after its last "\" or ":" (the whole text when it has neither).
std::string ExtractFileName(const std::string& path);

// The name inside the directory, with exactly one "\" between them when the directory does not
// already end in one.
std::string PathInDirectory(const std::string& directory, const std::string& name);

// The icon of a shell link: the directory, "\" and the icon file, the "\" always put in, also
// after a directory that ends in one (a drive root gives two in a row).
std::wstring IconLocation(const std::wstring& workDir, const std::wstring& iconFile);
