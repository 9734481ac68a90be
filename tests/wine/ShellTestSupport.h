#pragma once
// What the tests of the file, shell and shell link routines share: scratch directories, whole
// files as bytes, a COM apartment, links read back through the shell, and a replacement for the
// file calls that fails one of them on purpose and keeps a log of all.
#include "Driver.h"

#include <windows.h>
#include <objbase.h>

#include <optional>
#include <string>
#include <vector>

namespace ShellTest {

// A fresh directory under the temporary folder, removed with everything in it at the end.
class ScratchDir {
public:
    ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    ~ScratchDir();
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

void RemoveTree(const std::string& path);
bool FileExists(const std::string& path);      // a file, not a directory
bool PathExists(const std::string& path);      // anything
std::string ReadBytes(const std::string& path); // the whole file; throws when it cannot be read
void WriteBytes(const std::string& path, const std::string& bytes);
std::string PatternBytes(std::size_t size, unsigned seed = 1); // bytes that differ from chunk to chunk

// The current directory for one scope.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::string& path);
    ~CurrentDirectory();

private:
    std::string saved_;
};

class ComApartment {
public:
    ComApartment() { ok_ = SUCCEEDED(CoInitialize(nullptr)); }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment()
    {
        if (ok_)
            CoUninitialize();
    }
    bool Ok() const { return ok_; }

private:
    bool ok_ = false;
};

struct LinkProperties {
    std::wstring target;
    std::wstring arguments;
    std::wstring workingDirectory;
    std::wstring description;
    std::wstring iconLocation;
    int iconIndex = -1;
    WORD hotKey = 0;
};

// The link as the shell reads it; nothing when the shell cannot load it.
std::optional<LinkProperties> ReadLink(const std::wstring& file);
// The show command as the file holds it (the shell under Wine always reports 1).
DWORD ShowCommandInFile(const std::string& file);

using Driver::Ansi;
using Driver::DemoDir;
using Driver::Wide;
std::string DesktopDir();

// The file calls of the seam, with one of them made to fail.
namespace Faults {

enum class Op { Create, Read, Write, Close, Delete, FullPath };

struct Plan {
    Op op;
    int nth;              // the nth call of that kind fails (1 = the first)
    DWORD error;          // what GetLastError gives then
    bool shortWrite = false; // Write: report success with one byte less than asked
};

struct Call {
    Op op;
    HANDLE handle;     // Read, Write, Close: the handle; Create: the handle it gave
    std::string name;  // Create, Delete, FullPath: the name
    bool failed;
};

// Puts the logging replacement in force for its lifetime.
class Injector {
public:
    explicit Injector(std::optional<Plan> plan = std::nullopt);
    Injector(const Injector&) = delete;
    Injector& operator=(const Injector&) = delete;
    ~Injector();

    const std::vector<Call>& Log() const;
    int OpenHandles() const; // successful creates minus closes
    // The handle the Create of that name gave (nullptr when none did).
    HANDLE HandleOf(const std::string& name) const;
    // Position in the log of the first call of op on handle, or -1.
    int IndexOf(Op op, HANDLE handle) const;
    int IndexOf(Op op, const std::string& name) const;
    int Count(Op op) const;
};

// Replaces GetFullPathName's answer for one name (with the size protocol of the system).
void SetFullPathFor(const std::string& name, const std::string& fullPath);

} // namespace Faults

} // namespace ShellTest
