#include "FmxUtils.h"

#include "Exceptions.h"
#include "FileNames.h"
#include "FileSeam.h"
#include "Handles.h"
#include "HeapBlock.h"
#include "PathText.h"
#include "TextFile.h"
#include "uInstal.h"

#include <windows.h>
#include <shellapi.h>

namespace {

// A handle from the seam's CreateFile goes back through the seam's CloseHandle, so that a test
// that replaces the calls sees every open matched by a close.
struct SeamHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Handle h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) noexcept { FileSeam::Current().closeHandle(h); }
};
using SeamHandle = Owned<SeamHandleTraits>;

// A name the system cannot expand goes to the create as given, which then fails naming it.
std::string DestinationPath(const std::string& name)
{
    std::string path = FullPathName(name);
    return path.empty() ? name : path;
}

// A copy that stopped midway must not pass for the file: it goes, and the failure is raised.
[[noreturn]] void AbandonCopy(SeamHandle& destination, const std::string& destinationPath, DWORD code)
{
    destination.reset();
    FileSeam::Current().deleteFile(destinationPath.c_str());
    throw EInOutError(code);
}

} // namespace

void CopyFileChunked(const std::string& source, const std::string& destination)
{
    std::string destinationPath = DestinationPath(destination);
    if (HasFileAttr(destinationPath, FILE_ATTRIBUTE_DIRECTORY))
        destinationPath = PathInDirectory(destinationPath, ExtractFileName(source));

    // Declared in this order, so that every way out closes the destination, then the source, and
    // gives the buffer back last.
    HeapBlock buffer(kCopyChunkSize);
    FileSeam::Functions& files = FileSeam::Current();

    SeamHandle input(files.createFile(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!input)
        throw EFOpenError(source);

    SeamHandle output(files.createFile(destinationPath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!output)
        throw EFCreateError(destinationPath);

    const DWORD chunk = static_cast<DWORD>(buffer.size());
    DWORD got = 0;
    do {
        if (!files.readFile(input.get(), buffer.get(), chunk, &got, nullptr))
            AbandonCopy(output, destinationPath, LastErrorCode());
        if (got > 0) {
            DWORD written = 0;
            if (!files.writeFile(output.get(), buffer.get(), got, &written, nullptr))
                AbandonCopy(output, destinationPath, LastErrorCode());
            if (written != got)
                AbandonCopy(output, destinationPath, ERROR_DISK_FULL);
        }
    } while (got == chunk);

    // The system may report a write it had held back only when the file is closed.
    if (!files.closeHandle(output.release())) {
        const DWORD code = LastErrorCode();
        files.deleteFile(destinationPath.c_str());
        throw EInOutError(code);
    }
}

bool HasFileAttr(const std::string& path, std::uint16_t mask)
{
    DWORD attributes = FileSeam::Current().getFileAttributes(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        attributes = 0;
    return (attributes & mask) == mask;
}

void ShellExecuteFile(const std::string& file, const std::string& parameters, const std::string& directory,
                      int showCommand)
{
    // The texts go to the shell whole: a program directory deep in the file system must not
    // start some other program or none.
    HWND owner = InstFormTYX ? InstFormTYX->Handle() : nullptr;
    ::ShellExecuteA(owner, nullptr, file.c_str(), parameters.c_str(), directory.c_str(), showCommand);
}

void WriteOneLineFile(const std::string& fileName, const std::string& text)
{
    SeamFile file(fileName, SeamFile::Mode::Write);
    const std::string line = text + "\r\n";
    file.Write(line.data(), line.size());
    file.Close();
}
