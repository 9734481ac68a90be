#include "CommandFileReader.h"

#include "Owners.h"

DWORD ReadCommandFile(const char* fileName, launcher::FirstFieldReader& reader)
{
    UniqueHandle file(::CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file)
        return ::GetLastError();
    // A pipe or a device could keep a read waiting for ever; a command file lies on a disk.
    if (::GetFileType(file.get()) != FILE_TYPE_DISK)
        return ERROR_NOT_SUPPORTED;
    char chunk[4096];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr))
            return ::GetLastError();
        if (got == 0) {
            reader.EndOfFile();
            return ERROR_SUCCESS;
        }
        if (!reader.Take(std::string_view(chunk, got)))
            return ERROR_SUCCESS;
    }
}
