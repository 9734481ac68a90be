#include "FunkcInstTyx.h"

#include "Exceptions.h"
#include "FileNames.h"
#include "FileSeam.h"
#include "SystemError.h"
#include "SystemQueries.h"
#include "TextFile.h"
#include "TextLines.h"

#include <windows.h>

bool IsWin64()
{
    SYSTEM_INFO info{};
    using NativeInfo = void(WINAPI*)(LPSYSTEM_INFO);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    FARPROC found = kernel ? GetProcAddress(kernel, "GetNativeSystemInfo") : nullptr;
    if (found)
        reinterpret_cast<NativeInfo>(reinterpret_cast<void*>(found))(&info);
    else
        GetSystemInfo(&info);
    return info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64 ||
           info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_IA64;
}

bool IsVistaOr7()
{
    return WindowsVistaOr7();
}

std::string GetSystemDir()
{
    std::string buffer(MAX_PATH, '\0');
    UINT n = GetSystemDirectoryA(buffer.data(), static_cast<UINT>(buffer.size()));
    // A longer directory is reported by the size it needs; it is read again, never cut short.
    while (n >= buffer.size()) {
        buffer.assign(n + 1, '\0');
        n = GetSystemDirectoryA(buffer.data(), static_cast<UINT>(buffer.size()));
    }
    buffer.resize(n);
    if (buffer.empty())
        throw Exception(SystemErrorText(GetLastError()));
    return buffer;
}

namespace {

class FileSource final : public ByteSource {
public:
    explicit FileSource(SeamFile& file) : file_(file) {}
    std::size_t Read(char* buffer, std::size_t size) override { return file_.Read(buffer, size); }

private:
    SeamFile& file_;
};

class FileSink final : public ByteSink {
public:
    explicit FileSink(SeamFile& file) : file_(file) {}
    void Write(const char* data, std::size_t size) override { file_.Write(data, size); }

private:
    SeamFile& file_;
};

template <typename Transform>
void CopyLines(SeamFile& from, SeamFile& to, Transform transform)
{
    FileSource source(from);
    FileSink sink(to);
    LineReader reader(source);
    LineWriter writer(sink);
    std::string line;
    while (reader.ReadLine(line))
        writer.WriteLine(transform(line));
    writer.Flush();
}

void MakeBackup(const std::string& configNt, const std::string& backup)
{
    SeamFile original(configNt, SeamFile::Mode::Read);
    SeamFile copy(backup, SeamFile::Mode::Write);
    CopyLines(original, copy, [](const std::string& line) -> std::string_view { return line; });
    // On the disk before Config.nt is touched: the backup is what a failure falls back on.
    copy.Flush();
    copy.Close();
    original.Close();
}

// Fails as opening Config.nt for writing would (read-only, no right, held open by another
// program), without emptying it.
void CheckWritable(const std::string& configNt)
{
    auto& api = FileSeam::Current();
    HANDLE probe = api.createFile(configNt.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    if (probe == INVALID_HANDLE_VALUE)
        ThrowLastInOutError();
    if (!api.closeHandle(probe))
        ThrowLastInOutError();
}

void WriteAnew(const std::string& configNt, const std::string& backup, const std::string& directory)
{
    SeamFile source(backup, SeamFile::Mode::Read);
    CheckWritable(configNt);
    // The new content is written beside Config.nt and takes its place in one step; until then
    // the file lies here, and it goes again on every way out but success.
    FileRemover fresh(directory + "\\Config.nt.new");
    {
        SeamFile target(fresh.Path(), SeamFile::Mode::Write);
        CopyLines(source, target, [](const std::string& line) { return RewriteFilesLine(line); });
        target.Flush();
        target.Close();
    }
    // ReplaceFile keeps Config.nt's security and refuses a read-only one. Not every
    // implementation carries the attributes over, so they are put back as they were.
    const DWORD attributes = GetFileAttributesA(configNt.c_str());
    if (!FileSeam::Current().replaceFile(configNt.c_str(), fresh.Path().c_str(), nullptr,
                                         REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
        ThrowLastInOutError();
    fresh.Keep();
    if (attributes != INVALID_FILE_ATTRIBUTES && GetFileAttributesA(configNt.c_str()) != attributes)
        SetFileAttributesA(configNt.c_str(), attributes);
    source.Close();
}

} // namespace

void SetFilesParameterIn(const std::string& directory)
{
    // ReplaceFile needs absolute paths.
    const std::string dir = FullPathName(directory);
    if (dir.empty())
        ThrowLastInOutError();
    const std::string configNt = dir + "\\Config.nt";
    const std::string backup = dir + "\\Config.TYX";
    if (LookForFile(configNt) != FileLookup::File)
        return;
    MakeBackup(configNt, backup);
    WriteAnew(configNt, backup, dir);
}

void SetFilesParameter()
{
    SetFilesParameterIn(GetSystemDir());
}
