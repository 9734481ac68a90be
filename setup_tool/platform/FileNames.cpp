#include "FileNames.h"

#include "FileSeam.h"
#include "Handles.h"

#include <windows.h>

FileLookup LookForFile(const std::string& path)
{
    WIN32_FIND_DATAA found{};
    const UniqueFindHandle search(FindFirstFileA(path.c_str(), &found));
    if (!search) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_NO_MORE_FILES
                   ? FileLookup::NoFile
                   : FileLookup::Failed;
    }
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ? FileLookup::File : FileLookup::NoFile;
}

std::string FullPathName(const std::string& name)
{
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = FileSeam::Current().getFullPathName(name.c_str(), static_cast<DWORD>(path.size()),
                                                                 path.data(), nullptr);
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.assign(length, '\0');
    }
}

FileRemover::~FileRemover()
{
    if (!path_.empty())
        FileSeam::Current().deleteFile(path_.c_str());
}
