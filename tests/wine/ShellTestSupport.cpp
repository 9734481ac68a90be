#include "ShellTestSupport.h"

#include "ComPtr.h"
#include "FileSeam.h"

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include <atomic>
#include <cstdlib>
#include <map>
#include <stdexcept>

namespace ShellTest {

namespace {

std::string TempDir()
{
    char buffer[MAX_PATH + 1];
    const DWORD length = GetTempPathA(sizeof buffer, buffer);
    std::string path(buffer, length);
    if (!path.empty() && path.back() == '\\')
        path.pop_back();
    return path;
}

struct HandleCloser {
    HANDLE h;
    ~HandleCloser()
    {
        if (h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
    }
};

} // namespace

ScratchDir::ScratchDir()
{
    static std::atomic<int> counter{0};
    for (;;) {
        path_ = TempDir() + "\\tyx-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
        if (CreateDirectoryA(path_.c_str(), nullptr))
            return;
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            throw std::runtime_error("cannot create " + path_);
    }
}

ScratchDir::~ScratchDir()
{
    RemoveTree(path_);
}

void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string child = path + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

bool FileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool PathExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadBytes(const std::string& path)
{
    HandleCloser file{CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.h == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot read " + path);
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file.h, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    return bytes;
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    HandleCloser file{CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                  nullptr)};
    DWORD written = 0;
    if (file.h == INVALID_HANDLE_VALUE ||
        !WriteFile(file.h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size())
        throw std::runtime_error("cannot write " + path);
}

std::string PatternBytes(std::size_t size, unsigned seed)
{
    std::string bytes(size, '\0');
    unsigned state = seed * 2654435761u + 1;
    for (char& byte : bytes) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<char>(state >> 16);
    }
    return bytes;
}

CurrentDirectory::CurrentDirectory(const std::string& path)
{
    char buffer[MAX_PATH + 1];
    saved_.assign(buffer, GetCurrentDirectoryA(sizeof buffer, buffer));
    SetCurrentDirectoryA(path.c_str());
}

CurrentDirectory::~CurrentDirectory()
{
    SetCurrentDirectoryA(saved_.c_str());
}

std::optional<LinkProperties> ReadLink(const std::wstring& file)
{
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> persist;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.put_void())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, persist.put_void())) ||
        FAILED(persist->Load(file.c_str(), STGM_READ)))
        return std::nullopt;

    LinkProperties properties;
    wchar_t text[1024];
    text[0] = 0;
    link->GetPath(text, 1024, nullptr, SLGP_RAWPATH);
    properties.target = text;
    text[0] = 0;
    link->GetArguments(text, 1024);
    properties.arguments = text;
    text[0] = 0;
    link->GetWorkingDirectory(text, 1024);
    properties.workingDirectory = text;
    text[0] = 0;
    link->GetDescription(text, 1024);
    properties.description = text;
    text[0] = 0;
    link->GetIconLocation(text, 1024, &properties.iconIndex);
    properties.iconLocation = text;
    link->GetHotkey(&properties.hotKey);
    return properties;
}

DWORD ShowCommandInFile(const std::string& file)
{
    // The shell link header keeps the show command at offset 0x3C.
    const std::string bytes = ReadBytes(file);
    if (bytes.size() < 0x40)
        return 0;
    DWORD value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[0x3C + i]);
    return value;
}

std::string DesktopDir()
{
    char path[MAX_PATH];
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, path)))
        return {};
    return path;
}

namespace Faults {

namespace {

struct State {
    std::optional<Plan> plan;
    std::map<Op, int> counts;
    std::vector<Call> log;
    std::map<std::string, std::string> fullPaths;
    FileSeam::Functions real;
};

State* state = nullptr;

// True when this call is the one the plan makes fail; then GetLastError gives the plan's code.
bool Fails(Op op)
{
    const int n = ++state->counts[op];
    if (state->plan && state->plan->op == op && state->plan->nth == n && !state->plan->shortWrite) {
        SetLastError(state->plan->error);
        return true;
    }
    return false;
}

HANDLE WINAPI FakeCreate(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD disposition,
                         DWORD flags, HANDLE templateFile)
{
    if (Fails(Op::Create)) {
        state->log.push_back({Op::Create, INVALID_HANDLE_VALUE, name, true});
        return INVALID_HANDLE_VALUE;
    }
    HANDLE h = state->real.createFile(name, access, share, security, disposition, flags, templateFile);
    const DWORD error = GetLastError();
    state->log.push_back({Op::Create, h, name, h == INVALID_HANDLE_VALUE});
    SetLastError(error);
    return h;
}

BOOL WINAPI FakeRead(HANDLE h, LPVOID buffer, DWORD size, LPDWORD got, LPOVERLAPPED overlapped)
{
    const bool fails = Fails(Op::Read);
    state->log.push_back({Op::Read, h, {}, fails});
    if (fails)
        return FALSE;
    return state->real.readFile(h, buffer, size, got, overlapped);
}

BOOL WINAPI FakeWrite(HANDLE h, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED overlapped)
{
    const bool fails = Fails(Op::Write);
    state->log.push_back({Op::Write, h, {}, fails});
    if (fails)
        return FALSE;
    const int n = state->counts[Op::Write];
    if (state->plan && state->plan->op == Op::Write && state->plan->shortWrite && state->plan->nth == n && size > 0)
        size -= 1;
    return state->real.writeFile(h, data, size, written, overlapped);
}

BOOL WINAPI FakeClose(HANDLE h)
{
    // A close that fails still lets the handle go, as the system does.
    const bool fails = Fails(Op::Close);
    const DWORD error = GetLastError();
    state->log.push_back({Op::Close, h, {}, fails});
    const BOOL ok = state->real.closeHandle(h);
    if (fails) {
        SetLastError(error);
        return FALSE;
    }
    return ok;
}

BOOL WINAPI FakeDelete(LPCSTR name)
{
    const bool fails = Fails(Op::Delete);
    state->log.push_back({Op::Delete, nullptr, name, fails});
    return fails ? FALSE : state->real.deleteFile(name);
}

DWORD WINAPI FakeFullPath(LPCSTR name, DWORD size, LPSTR buffer, LPSTR* filePart)
{
    const bool fails = Fails(Op::FullPath);
    state->log.push_back({Op::FullPath, nullptr, name, fails});
    if (fails)
        return 0;
    const auto replaced = state->fullPaths.find(name);
    if (replaced == state->fullPaths.end())
        return state->real.getFullPathName(name, size, buffer, filePart);
    const std::string& path = replaced->second;
    if (size <= path.size())
        return static_cast<DWORD>(path.size() + 1);
    path.copy(buffer, path.size());
    buffer[path.size()] = '\0';
    if (filePart)
        *filePart = nullptr;
    return static_cast<DWORD>(path.size());
}

std::optional<FileSeam::Override> active;

} // namespace

Injector::Injector(std::optional<Plan> plan)
{
    state = new State{plan, {}, {}, {}, FileSeam::Current()};
    FileSeam::Functions fake = FileSeam::Current();
    fake.createFile = FakeCreate;
    fake.readFile = FakeRead;
    fake.writeFile = FakeWrite;
    fake.closeHandle = FakeClose;
    fake.deleteFile = FakeDelete;
    fake.getFullPathName = FakeFullPath;
    active.emplace(fake);
}

Injector::~Injector()
{
    active.reset();
    delete state;
    state = nullptr;
}

const std::vector<Call>& Injector::Log() const
{
    return state->log;
}

int Injector::OpenHandles() const
{
    int open = 0;
    for (const Call& call : state->log) {
        if (call.op == Op::Create && !call.failed)
            ++open;
        if (call.op == Op::Close)
            --open;
    }
    return open;
}

HANDLE Injector::HandleOf(const std::string& name) const
{
    for (const Call& call : state->log)
        if (call.op == Op::Create && !call.failed && _stricmp(call.name.c_str(), name.c_str()) == 0)
            return call.handle;
    return nullptr;
}

int Injector::IndexOf(Op op, HANDLE handle) const
{
    for (std::size_t i = 0; i < state->log.size(); ++i)
        if (state->log[i].op == op && state->log[i].handle == handle)
            return static_cast<int>(i);
    return -1;
}

int Injector::IndexOf(Op op, const std::string& name) const
{
    for (std::size_t i = 0; i < state->log.size(); ++i)
        if (state->log[i].op == op && _stricmp(state->log[i].name.c_str(), name.c_str()) == 0)
            return static_cast<int>(i);
    return -1;
}

int Injector::Count(Op op) const
{
    int n = 0;
    for (const Call& call : state->log)
        n += call.op == op;
    return n;
}

void SetFullPathFor(const std::string& name, const std::string& fullPath)
{
    state->fullPaths[name] = fullPath;
}

} // namespace Faults

} // namespace ShellTest
