#pragma once
// A file opened through the seam, with every failure turned into EInOutError carrying the
// Windows error code. Reads and writes are buffered by the callers (whole blocks, never single
// bytes). The destructor closes a file that is still open without a word: it runs only on the
// way out of a failure that is already being reported.
#include "Exceptions.h"

#include <windows.h>

#include <cstddef>
#include <string>

class SeamFile {
public:
    enum class Mode { Read, Write };

    SeamFile() = default;
    SeamFile(const std::string& path, Mode mode); // Write creates the file or empties it
    SeamFile(const SeamFile&) = delete;
    SeamFile& operator=(const SeamFile&) = delete;
    SeamFile(SeamFile&& other) noexcept;
    SeamFile& operator=(SeamFile&& other) noexcept;
    ~SeamFile();

    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }

    // Up to size bytes; 0 at the end. ERROR_BROKEN_PIPE counts as the end.
    std::size_t Read(char* buffer, std::size_t size);
    void Write(const char* data, std::size_t size); // all of it, or EInOutError
    void Flush();
    void Close();

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// The last error code; a call that failed without saying why still counts as a failure.
DWORD LastErrorCode();
[[noreturn]] void ThrowLastInOutError();
