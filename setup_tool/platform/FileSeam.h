#pragma once
// The file calls of the setup tool go through this table, so that a test can make any one of
// them fail at will and watch that nothing is lost or left open. The program itself never
// changes it.
#include <windows.h>

namespace FileSeam {

struct Functions {
    decltype(&::CreateFileA) createFile = &::CreateFileA;
    decltype(&::ReadFile) readFile = &::ReadFile;
    decltype(&::WriteFile) writeFile = &::WriteFile;
    decltype(&::FlushFileBuffers) flushFileBuffers = &::FlushFileBuffers;
    decltype(&::CloseHandle) closeHandle = &::CloseHandle;
    decltype(&::ReplaceFileA) replaceFile = &::ReplaceFileA;
    decltype(&::DeleteFileA) deleteFile = &::DeleteFileA;
    decltype(&::GetFileAttributesA) getFileAttributes = &::GetFileAttributesA;
    decltype(&::GetFullPathNameA) getFullPathName = &::GetFullPathNameA;
};

// The table in force.
Functions& Current();

// Puts another table in force for its lifetime (tests only).
class Override {
public:
    explicit Override(const Functions& replacement);
    Override(const Override&) = delete;
    Override& operator=(const Override&) = delete;
    ~Override();

private:
    Functions saved_;
};

} // namespace FileSeam
