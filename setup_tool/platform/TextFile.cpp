#include "TextFile.h"

#include "FileSeam.h"

#include <utility>

DWORD LastErrorCode()
{
    const DWORD code = GetLastError();
    return code != 0 ? code : static_cast<DWORD>(ERROR_GEN_FAILURE);
}

void ThrowLastInOutError()
{
    throw EInOutError(LastErrorCode());
}

SeamFile::SeamFile(const std::string& path, Mode mode)
{
    auto& api = FileSeam::Current();
    if (mode == Mode::Read)
        handle_ = api.createFile(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    else
        handle_ = api.createFile(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE)
        ThrowLastInOutError();
}

SeamFile::SeamFile(SeamFile&& other) noexcept : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}

SeamFile& SeamFile::operator=(SeamFile&& other) noexcept
{
    if (this != &other) {
        if (IsOpen())
            FileSeam::Current().closeHandle(handle_);
        handle_ = std::exchange(other.handle_, INVALID_HANDLE_VALUE);
    }
    return *this;
}

SeamFile::~SeamFile()
{
    if (IsOpen())
        FileSeam::Current().closeHandle(handle_);
}

std::size_t SeamFile::Read(char* buffer, std::size_t size)
{
    DWORD got = 0;
    const DWORD want = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
    if (!FileSeam::Current().readFile(handle_, buffer, want, &got, nullptr)) {
        if (GetLastError() == ERROR_BROKEN_PIPE)
            return 0;
        ThrowLastInOutError();
    }
    return got;
}

void SeamFile::Write(const char* data, std::size_t size)
{
    while (size > 0) {
        const DWORD want = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!FileSeam::Current().writeFile(handle_, data, want, &written, nullptr))
            ThrowLastInOutError();
        if (written == 0)
            throw EInOutError(ERROR_DISK_FULL); // a write that takes nothing would never end
        data += written;
        size -= written;
    }
}

void SeamFile::Flush()
{
    if (!FileSeam::Current().flushFileBuffers(handle_))
        ThrowLastInOutError();
}

void SeamFile::Close()
{
    HANDLE handle = std::exchange(handle_, INVALID_HANDLE_VALUE);
    if (!FileSeam::Current().closeHandle(handle))
        ThrowLastInOutError();
}
