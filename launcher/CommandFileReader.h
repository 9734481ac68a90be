#pragma once
#include "CommandFile.h"

#include <windows.h>

// Opens the named file for reading (others may read it meanwhile, not write it) and gives its
// bytes to the reader in small pieces, no further than the field goes. Returns ERROR_SUCCESS,
// the reader then holding the result, or the error of the call that failed.
DWORD ReadCommandFile(const char* fileName, launcher::FirstFieldReader& reader);
