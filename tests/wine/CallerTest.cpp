// The launcher as the batch files meet it: started as its own process with a command line,
// starting the recorder (which writes down how it was started) or ending with its error box.
#include "CommandFile.h"
#include "Driver.h"

#include <gtest/gtest.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

using namespace Driver;

namespace {

constexpr DWORD kShownFlags = STARTF_USESHOWWINDOW;
constexpr DWORD kHiddenFlags = STARTF_USESHOWWINDOW | STARTF_FORCEOFFFEEDBACK;
constexpr LONGLONG kHundredMiB = 100LL * 1024 * 1024;

std::string Replace(const std::string& text, const std::string& from, const std::string& to)
{
    std::string out;
    std::size_t at = 0;
    for (std::size_t found = text.find(from); found != std::string::npos; found = text.find(from, at)) {
        out.append(text, at, found - at);
        out += to;
        at = found + from.size();
    }
    out.append(text, at, std::string::npos);
    return out;
}

// The system's text for an error as the box shows it: without trailing blanks and periods.
std::wstring SystemText(DWORD code)
{
    wchar_t buffer[512];
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                  buffer, 512, nullptr);
    while (length > 0 && (buffer[length - 1] <= 32 || buffer[length - 1] == L'.'))
        --length;
    return std::wstring(buffer, length);
}

// The whole box text: what failed, the subject (if any), the error number and its text.
std::wstring ExpectedBoxText(const std::wstring& headline, const std::optional<std::wstring>& subject, DWORD code)
{
    std::wstring text = headline;
    if (subject)
        text += L"\n" + *subject;
    text += L"\n\nChyba \u010d. " + std::to_wstring(code);
    const std::wstring system = SystemText(code);
    if (!system.empty())
        text += L": " + system;
    return text + L".";
}

const std::wstring kNoFileName = L"Za znakem # chyb\u00ed jm\u00e9no souboru s p\u0159\u00edkazem.";
const std::wstring kCannotReadFile = L"Soubor s p\u0159\u00edkazem se nepoda\u0159ilo p\u0159e\u010d\u00edst:";
const std::wstring kEmptyFile = L"Soubor s p\u0159\u00edkazem je pr\u00e1zdn\u00fd:";
const std::wstring kFieldTooLong = L"P\u0159\u00edkaz v souboru je p\u0159\u00edli\u0161 dlouh\u00fd:";
const std::wstring kFieldHasNul = L"P\u0159\u00edkaz v souboru obsahuje neplatn\u00fd znak:";
const std::wstring kNoCommand = L"Chyb\u00ed p\u0159\u00edkaz ke spu\u0161t\u011bn\u00ed.";
const std::wstring kCannotStart = L"P\u0159\u00edkaz se nepoda\u0159ilo spustit:";

bool WriteBytes(const std::string& path, const std::string& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

// A file of 100 MiB that starts with the given bytes; the rest is a hole of zeros, made by
// moving the end, so that it costs neither time nor disk.
bool WriteHugeFile(const std::string& path, const std::string& start)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    LARGE_INTEGER end{};
    end.QuadPart = kHundredMiB;
    const BOOL ok = WriteFile(file, start.data(), static_cast<DWORD>(start.size()), &written, nullptr) &&
                    SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    return ok != FALSE;
}

std::optional<std::string> ReadWhole(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::string bytes;
    char chunk[65536];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0)
        bytes.append(chunk, got);
    CloseHandle(file);
    return bytes;
}

// A path in double quotes. (Built by appending: GCC 12 warns falsely on a literal + a temporary.)
std::string Quoted(const std::string& path)
{
    std::string quoted(1, '"');
    quoted += path;
    quoted += '"';
    return quoted;
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void RemoveTree(const std::string& directory)
{
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((directory + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = directory + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(directory.c_str());
}

std::string Lower(std::string text)
{
    if (!text.empty())
        CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// What the recorder wrote down.
struct Record {
    DWORD pid = 0;
    DWORD flags = 0;
    DWORD show = 0;
    std::string dir;
    std::string command;
};

std::optional<Record> ParseRecord(const std::string& text)
{
    Record record;
    std::size_t at = 0;
    auto field = [&](const char* key) -> std::optional<std::string> {
        const std::string prefix = std::string(key) + "=";
        if (text.compare(at, prefix.size(), prefix) != 0)
            return std::nullopt;
        const std::size_t end = text.find('\n', at);
        std::string value = text.substr(at + prefix.size(), end - at - prefix.size());
        at = end + 1;
        return value;
    };
    const auto pid = field("pid");
    const auto flags = field("flags");
    const auto show = field("show");
    const auto dir = field("dir");
    if (!pid || !flags || !show || !dir || text.compare(at, 8, "command=") != 0)
        return std::nullopt;
    record.pid = std::stoul(*pid);
    record.flags = std::stoul(*flags);
    record.show = std::stoul(*show);
    record.dir = *dir;
    record.command = text.substr(at + 8);
    return record;
}

// The recorders a process started that are still running. (Only those: under Wine the first
// window of a prefix may start the desktop's own process as a child of whoever asked for it.)
std::vector<DWORD> RunningRecorders(DWORD parent)
{
    std::vector<DWORD> children;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return children;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        if (entry.th32ParentProcessID == parent && lstrcmpiA(entry.szExeFile, "recorder.exe") == 0)
            children.push_back(entry.th32ProcessID);
    CloseHandle(snapshot);
    return children;
}

void EndProcess(DWORD pid)
{
    if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid)) {
        TerminateProcess(process, 0);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
}

// What a failed run showed.
struct Box {
    bool shown = false;
    std::wstring caption;
    std::wstring text;
    std::vector<std::string> otherVisibleWindows; // classes of the launcher's other visible windows
    std::optional<DWORD> exitCode;
};

Box CloseBoxOf(ChildProcess& caller)
{
    Box box;
    HWND window = WaitForDialog(caller.Id());
    if (window) {
        box.shown = true;
        box.caption = TextOf(window);
        box.text = MessageBoxText(window);
        for (HWND other : TopLevelWindows(caller.Id()))
            if (other != window && IsWindowVisible(other))
                box.otherVisibleWindows.push_back(ClassOf(other));
        PostMessageW(window, WM_COMMAND, IDOK, 0);
    }
    box.exitCode = caller.WaitExit();
    return box;
}

// Every case runs in a directory of its own, which is also the launcher's current directory.
class CallerCase : public testing::Test {
protected:
    void SetUp() override
    {
        static int counter = 0;
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        dir_ = std::string(temp) + "caller-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
        ASSERT_TRUE(CreateDirectoryA(dir_.c_str(), nullptr));
        if (dir_.back() == '\\')
            dir_.pop_back();
        record_ = dir_ + "\\record.txt";
        SetEnvironmentVariableA("TYX_RECORD", record_.c_str());
        SetEnvironmentVariableA("TYX_RECORD_SLEEP", nullptr);
    }

    void TearDown() override
    {
        SetEnvironmentVariableA("TYX_RECORD", nullptr);
        SetEnvironmentVariableA("TYX_RECORD_SLEEP", nullptr);
        RemoveTree(dir_);
    }

    static std::string CallerPath() { return BesideDriver("caller.exe"); }
    static std::string RecorderPath() { return BesideDriver("recorder.exe"); }
    std::string InCase(const std::string& name) const { return dir_ + "\\" + name; }

    // {rec} stands for the recorder's path, {dir} for the case's directory.
    std::string Expand(const std::string& text) const
    {
        return Replace(Replace(text, "{rec}", RecorderPath()), "{dir}", dir_);
    }

    std::unique_ptr<ChildProcess> Start(const std::string& arguments, int showCommand = -1) const
    {
        return StartLine(Quoted(CallerPath()) + " " + arguments, showCommand);
    }
    std::unique_ptr<ChildProcess> StartLine(const std::string& commandLine, int showCommand = -1) const
    {
        return std::make_unique<ChildProcess>(commandLine, showCommand, dir_);
    }

    std::optional<Record> WaitForRecord() const
    {
        std::optional<Record> record;
        WaitUntil([&] {
            if (const auto text = ReadWhole(record_))
                record = ParseRecord(*text);
            return record.has_value();
        }, 20000);
        return record;
    }

    // A run that succeeded: exit status 0, the recorder started as expected.
    void ExpectStarted(ChildProcess& caller, const std::string& command, bool hidden) const
    {
        ASSERT_TRUE(caller.Started());
        EXPECT_EQ(caller.WaitExit(), 0u);
        const auto record = WaitForRecord();
        ASSERT_TRUE(record.has_value()) << "the recorder did not run";
        EXPECT_EQ(record->command.size(), command.size());
        EXPECT_EQ(record->command, command);
        EXPECT_EQ(record->flags, hidden ? kHiddenFlags : kShownFlags);
        EXPECT_EQ(record->show, hidden ? 0u : 1u);
        EXPECT_EQ(Lower(record->dir), Lower(dir_));
    }

    // A run that failed: one box, the launcher's only visible window, and nothing started.
    void ExpectFailure(ChildProcess& caller, DWORD code, const std::wstring& text) const
    {
        ASSERT_TRUE(caller.Started());
        const Box box = CloseBoxOf(caller);
        ASSERT_TRUE(box.shown) << "no error box";
        EXPECT_EQ(box.caption, L"VELUK TYX");
        EXPECT_EQ(box.text, text);
        EXPECT_TRUE(box.otherVisibleWindows.empty()) << box.otherVisibleWindows.front();
        EXPECT_EQ(box.exitCode, code);
        ExpectNothingStarted(caller);
    }

    void ExpectNothingStarted(ChildProcess& caller) const
    {
        EXPECT_FALSE(Exists(record_)) << "the recorder ran";
        for (DWORD child : RunningRecorders(caller.Id())) {
            ADD_FAILURE() << "the launcher started the recorder: " << child;
            EndProcess(child);
        }
    }

    std::string dir_;
    std::string record_;
};

// ---------------------------------------------------------------------------------------------
// Starts

struct StartCase {
    const char* name;
    std::string arguments;              // {rec}, {dir} expanded
    std::optional<std::string> cmdFile; // written to cmd.txt in the case's directory
    std::string command;                // what the recorder must see as its command line
    bool hidden;
    int callerShow = -1;                // how the launcher itself is started
};

const StartCase kStarts[] = {
    {"Shown", "{rec} a b", std::nullopt, "{rec} a b", false},
    {"Hidden", "-{rec} /x", std::nullopt, "{rec} /x", true},
    {"ShownWhateverTheLauncherGot", "{rec} a", std::nullopt, "{rec} a", false, SW_SHOWMINNOACTIVE},
    {"HiddenWhateverTheLauncherGot", "-{rec} a", std::nullopt, "{rec} a", true, SW_SHOWMAXIMIZED},
    {"QuotedProgramWithSpaces", "\"{dir}\\my dir\\recorder.exe\" a,b", std::nullopt,
     "\"{dir}\\my dir\\recorder.exe\" a,b", false},
    {"BlanksAtTheEndKept", "{rec} x  ", std::nullopt, "{rec} x  ", false},
    {"FromFile", "# cmd.txt", "{rec} /x\r\nsecond line\r\n", "{rec} /x", false},
    {"FromFileHidden", "# cmd.txt more words", "-{rec} /x\r\n", "{rec} /x", true},
    {"FromFileByFullPath", "# {dir}\\cmd.txt", "{rec} full\n", "{rec} full", false},
    {"FromFileQuotedKeepsComma", "# cmd.txt", "\"{rec} a,b\"\r\n", "{rec} a,b", false},
    {"FromFileUnquotedEndsAtComma", "# cmd.txt", "{rec} a,b\r\n", "{rec} a", false},
    {"FromFileQuotedProgramHidden", "# cmd.txt", "-\"{dir}\\my dir\\recorder.exe\" q,r", "\"{dir}\\my dir\\recorder.exe\" q",
     true},
    {"FromFileBlanksBeforeAndAfter", "# cmd.txt", " \t {rec} x \t\r\n", "{rec} x \t", false},
    {"FromFileNulAfterTheField", "# cmd.txt", std::string("{rec} x,\0\0\0\xFF\xFE", 13), "{rec} x", false},
    {"FromFileAfterClosingQuoteIgnored", "# cmd.txt", "\"{rec}\" ignored\r\n", "{rec}", false},
};

class Starts : public CallerCase, public testing::WithParamInterface<StartCase> {};

TEST_P(Starts, TheRecorderSeesTheCommand)
{
    const StartCase& c = GetParam();
    ASSERT_TRUE(CreateDirectoryA(InCase("my dir").c_str(), nullptr));
    ASSERT_TRUE(CopyFileA(RecorderPath().c_str(), InCase("my dir\\recorder.exe").c_str(), FALSE));
    if (c.cmdFile) {
        ASSERT_TRUE(WriteBytes(InCase("cmd.txt"), Expand(*c.cmdFile)));
    }
    auto caller = Start(Expand(c.arguments), c.callerShow);
    ExpectStarted(*caller, Expand(c.command), c.hidden);
}

INSTANTIATE_TEST_SUITE_P(Caller, Starts, testing::ValuesIn(kStarts),
                         [](const testing::TestParamInfo<StartCase>& info) { return info.param.name; });

// The launcher's own name, unquoted and followed by tabs and spaces, is not part of the command.
TEST_F(CallerCase, OwnNameUnquotedAndBlanksAfterIt)
{
    auto caller = StartLine(CallerPath() + " \t  " + RecorderPath() + " z");
    ExpectStarted(*caller, RecorderPath() + " z", false);
}

// Started without arguments it opens "explorer.exe c:\", which the system looks for in the
// launcher's own directory first: there a recorder stands in for it.
TEST_F(CallerCase, NoArgumentsStartsExplorerOnC)
{
    const std::string app = InCase("app");
    ASSERT_TRUE(CreateDirectoryA(app.c_str(), nullptr));
    ASSERT_TRUE(CopyFileA(CallerPath().c_str(), (app + "\\caller.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(RecorderPath().c_str(), (app + "\\explorer.exe").c_str(), FALSE));
    for (const std::string after : {"", "   ", " \t"}) {
        SCOPED_TRACE("blanks after the name: " + std::to_string(after.size()));
        DeleteFileA(record_.c_str());
        auto caller = StartLine(Quoted(app + "\\caller.exe") + after);
        ExpectStarted(*caller, "explorer.exe c:\\", false);
    }
}

// The launcher ends at once; the program it started goes on.
TEST_F(CallerCase, DoesNotWaitForTheProgram)
{
    SetEnvironmentVariableA("TYX_RECORD_SLEEP", "20000");
    auto caller = Start(RecorderPath() + " sleeping");
    ASSERT_TRUE(caller->Started());
    EXPECT_EQ(caller->WaitExit(), 0u);
    const auto record = WaitForRecord();
    ASSERT_TRUE(record.has_value());
    HANDLE program = OpenProcess(SYNCHRONIZE, FALSE, record->pid);
    ASSERT_NE(program, nullptr);
    EXPECT_EQ(WaitForSingleObject(program, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "the program ended first";
    CloseHandle(program);
    EndProcess(record->pid);
}

// The longest command lines the system takes pass whole, from the command line and from a file.
TEST_F(CallerCase, LongCommandLinesPassWhole)
{
    // The launcher's whole command line 32,000 characters long.
    const std::string prefix = Quoted(CallerPath()) + " ";
    const std::string shown = RecorderPath() + " " + std::string(32000 - prefix.size() - RecorderPath().size() - 1, 'x');
    {
        auto caller = StartLine(prefix + shown);
        ExpectStarted(*caller, shown, false);
    }
    DeleteFileA(record_.c_str());
    {
        // The same length with the "-" in front.
        const std::string hidden = shown.substr(0, shown.size() - 1);
        auto caller = StartLine(prefix + "-" + hidden);
        ExpectStarted(*caller, hidden, true);
    }
    DeleteFileA(record_.c_str());
    {
        // A field of the longest command there can be, with its "-".
        const std::string longest = RecorderPath() + " " + std::string(32766 - RecorderPath().size() - 1, 'y');
        ASSERT_TRUE(WriteBytes(InCase("cmd.txt"), std::string(1, '-') + longest + "\r\n"));
        auto caller = Start("# cmd.txt");
        ExpectStarted(*caller, longest, true);
    }
}

// The launcher's normal run never loads user32: it cannot show a window, and it costs no
// connection to the display. Only the error box loads it. Watched as a debugger sees the
// launcher's DLLs arrive.
std::vector<std::string> DllsLoadedBy(const std::string& commandLine, const std::string& directory, bool closeBox)
{
    std::vector<std::string> dlls;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string writable = commandLine;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS, nullptr,
                        directory.c_str(), &startup, &info))
        return {"<not started>"};
    CloseHandle(info.hThread);
    const ULONGLONG end = GetTickCount64() + 30000;
    bool running = true;
    while (running && GetTickCount64() < end) {
        DEBUG_EVENT event{};
        if (!WaitForDebugEvent(&event, 100)) {
            if (closeBox) {
                for (HWND box : TopLevelWindows(info.dwProcessId, "#32770"))
                    PostMessageW(box, WM_COMMAND, IDOK, 0);
            }
            continue;
        }
        DWORD status = DBG_CONTINUE;
        switch (event.dwDebugEventCode) {
        case CREATE_PROCESS_DEBUG_EVENT:
            if (event.u.CreateProcessInfo.hFile)
                CloseHandle(event.u.CreateProcessInfo.hFile);
            break;
        case LOAD_DLL_DEBUG_EVENT:
            if (HANDLE file = event.u.LoadDll.hFile) {
                char path[MAX_PATH * 2] = {};
                const DWORD length = GetFinalPathNameByHandleA(file, path, sizeof path, 0);
                std::string name(path, length < sizeof path ? length : 0);
                name = name.substr(name.find_last_of('\\') + 1);
                dlls.push_back(Lower(name.empty() ? "<unnamed>" : name));
                CloseHandle(file);
            } else {
                dlls.push_back("<unnamed>");
            }
            break;
        case EXCEPTION_DEBUG_EVENT:
            if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT)
                status = DBG_EXCEPTION_NOT_HANDLED;
            break;
        case EXIT_PROCESS_DEBUG_EVENT:
            running = false;
            break;
        default:
            break;
        }
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
    }
    if (running)
        TerminateProcess(info.hProcess, 99);
    WaitForSingleObject(info.hProcess, 5000);
    CloseHandle(info.hProcess);
    return dlls;
}

bool Has(const std::vector<std::string>& names, const char* name)
{
    for (const std::string& each : names)
        if (each == name)
            return true;
    return false;
}

std::string Joined(const std::vector<std::string>& names)
{
    std::string all;
    for (const std::string& each : names)
        all += each + " ";
    return all;
}

TEST_F(CallerCase, OnlyTheErrorBoxLoadsUser32)
{
    const auto failing = DllsLoadedBy(Quoted(CallerPath()) + " #", dir_, true);
    ASSERT_TRUE(Has(failing, "user32.dll")) << Joined(failing);

    const auto starting = DllsLoadedBy(Quoted(CallerPath()) + " " + RecorderPath() + " x", dir_, false);
    EXPECT_FALSE(starting.empty());
    EXPECT_FALSE(Has(starting, "user32.dll")) << Joined(starting);
    EXPECT_TRUE(WaitForRecord().has_value());
}

// ---------------------------------------------------------------------------------------------
// Failures: each ends with the one box, the error number as exit status, and nothing started.

enum class Setup {
    None,
    MyFiles,      // C:\My Files\cmd.txt exists and would start the recorder
    LockedFile,   // cmd.txt is held open by another program that lets nobody read it
};

struct FailureCase {
    const char* name;
    std::string arguments;
    std::optional<std::string> cmdFile;
    DWORD code;
    const std::wstring* headline;
    std::optional<std::string> subject; // {rec}, {dir} expanded
    Setup setup = Setup::None;
};

const std::string kValidFile = "{rec} should-not-run\r\n";

const FailureCase kFailures[] = {
    {"HashAlone", "#", std::nullopt, ERROR_BAD_ARGUMENTS, &kNoFileName, std::nullopt},
    {"TwoSpacesAfterHash", "#  cmd.txt", kValidFile, ERROR_PATH_NOT_FOUND, &kCannotReadFile, ""},
    {"MissingFile", "# missing.txt", std::nullopt, ERROR_FILE_NOT_FOUND, &kCannotReadFile, "missing.txt"},
    {"MissingFolder", "# nowhere\\cmd.txt", std::nullopt, ERROR_PATH_NOT_FOUND, &kCannotReadFile, "nowhere\\cmd.txt"},
    {"NameCutAtTheSpace", "# C:\\My Files\\cmd.txt", std::nullopt, ERROR_FILE_NOT_FOUND, &kCannotReadFile, "C:\\My",
     Setup::MyFiles},
    {"FolderAsFile", "# {dir}", std::nullopt, ERROR_ACCESS_DENIED, &kCannotReadFile, "{dir}"},
    {"DeviceAsFile", "# NUL", std::nullopt, ERROR_NOT_SUPPORTED, &kCannotReadFile, "NUL"},
    {"FileHeldByAnother", "# cmd.txt", kValidFile, ERROR_SHARING_VIOLATION, &kCannotReadFile, "cmd.txt",
     Setup::LockedFile},
    {"EmptyFile", "# cmd.txt", "", ERROR_HANDLE_EOF, &kEmptyFile, "cmd.txt"},
    {"EmptyFirstLine", "# cmd.txt", "\r\n{rec} x\r\n", ERROR_FILE_NOT_FOUND, &kNoCommand, std::nullopt},
    {"BlankField", "# cmd.txt", "  \t,{rec}", ERROR_FILE_NOT_FOUND, &kNoCommand, std::nullopt},
    {"FieldOnlyDash", "# cmd.txt", "-\r\n{rec}", ERROR_FILE_NOT_FOUND, &kNoCommand, std::nullopt},
    {"DashAlone", "-", std::nullopt, ERROR_FILE_NOT_FOUND, &kNoCommand, std::nullopt},
    {"DashAndBlank", "- ", std::nullopt, ERROR_FILE_NOT_FOUND, &kNoCommand, std::nullopt},
    {"HashGlued", "#cmd.txt", kValidFile, ERROR_FILE_NOT_FOUND, &kCannotStart, "#cmd.txt"},
    {"DashBeforeHash", "-# cmd.txt", kValidFile, ERROR_FILE_NOT_FOUND, &kCannotStart, "# cmd.txt"},
    {"NoSuchProgram", "nosuchprogram.exe /x", std::nullopt, ERROR_FILE_NOT_FOUND, &kCannotStart,
     "nosuchprogram.exe /x"},
    {"NoSuchProgramFromFile", "# cmd.txt", "-nosuchprogram.exe /x", ERROR_FILE_NOT_FOUND, &kCannotStart,
     "nosuchprogram.exe /x"},
    {"NulInField", "# cmd.txt", std::string("{rec}\0 x\r\n", 9), ERROR_INVALID_DATA, &kFieldHasNul, "cmd.txt"},
    {"Utf16File", "# cmd.txt", std::string("\xFF\xFEr\0e\0c\0", 8), ERROR_INVALID_DATA, &kFieldHasNul, "cmd.txt"},
    {"FieldTooLong", "# cmd.txt", "{rec} " + std::string(40000, 'x') + "\r\n", ERROR_FILENAME_EXCED_RANGE,
     &kFieldTooLong, "cmd.txt"},
    {"QuoteNeverClosed", "# cmd.txt", "\"{rec} " + std::string(40000, 'x'), ERROR_FILENAME_EXCED_RANGE,
     &kFieldTooLong, "cmd.txt"},
};

class Failures : public CallerCase, public testing::WithParamInterface<FailureCase> {};

TEST_P(Failures, ShowTheBoxAndStartNothing)
{
    const FailureCase& c = GetParam();
    // Were anything started after all, it would still be running when the test looks.
    SetEnvironmentVariableA("TYX_RECORD_SLEEP", "20000");
    if (c.cmdFile) {
        ASSERT_TRUE(WriteBytes(InCase("cmd.txt"), Expand(*c.cmdFile)));
    }
    HANDLE held = INVALID_HANDLE_VALUE;
    if (c.setup == Setup::MyFiles) {
        CreateDirectoryA("C:\\My Files", nullptr);
        ASSERT_TRUE(WriteBytes("C:\\My Files\\cmd.txt", Expand(kValidFile)));
    } else if (c.setup == Setup::LockedFile) {
        held = CreateFileA(InCase("cmd.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
    }
    auto caller = Start(Expand(c.arguments));
    const std::optional<std::wstring> subject =
        c.subject ? std::optional<std::wstring>(Wide(Expand(*c.subject))) : std::nullopt;
    ExpectFailure(*caller, c.code, ExpectedBoxText(*c.headline, subject, c.code));
    if (held != INVALID_HANDLE_VALUE)
        CloseHandle(held);
    if (c.setup == Setup::MyFiles)
        RemoveTree("C:\\My Files");
}

INSTANTIATE_TEST_SUITE_P(Caller, Failures, testing::ValuesIn(kFailures),
                         [](const testing::TestParamInfo<FailureCase>& info) { return info.param.name; });

// A command one character longer than the system takes is refused, and shown cut short.
TEST_F(CallerCase, CommandBeyondTheSystemLimitFails)
{
    SetEnvironmentVariableA("TYX_RECORD_SLEEP", "20000");
    const std::string command = RecorderPath() + " " + std::string(32767 - RecorderPath().size() - 1, 'z');
    ASSERT_TRUE(WriteBytes(InCase("cmd.txt"), command));
    auto caller = Start("# cmd.txt");
    ExpectFailure(*caller, ERROR_FILENAME_EXCED_RANGE,
                  ExpectedBoxText(kCannotStart, Wide(command.substr(0, 200)) + L"\u2026", ERROR_FILENAME_EXCED_RANGE));
}

// ---------------------------------------------------------------------------------------------
// Command files of 100 MiB: the launcher takes only the start. While its box shows, its memory
// tells that it never held the file: the peak of its private memory stays far below 100 MiB.

using HugeFile = CallerCase;

TEST_F(HugeFile, FirstLineStartsWithoutReadingTheRest)
{
    ASSERT_TRUE(WriteHugeFile(InCase("cmd.txt"), std::string(1, '-') + RecorderPath() + " huge\r\n"));
    auto caller = Start("# cmd.txt");
    ExpectStarted(*caller, RecorderPath() + " huge", true);
}

struct HugeFailure {
    const char* name;
    std::string start; // the bytes before the hole
    DWORD code;
    const std::wstring* headline;
};

const HugeFailure kHugeFailures[] = {
    {"NoLineEnd", std::string(40 * 1024, 'x'), ERROR_FILENAME_EXCED_RANGE, &kFieldTooLong},
    {"QuoteNeverClosed", std::string(1, '"') + std::string(40 * 1024, 'x'), ERROR_FILENAME_EXCED_RANGE,
     &kFieldTooLong},
    {"AllZeros", "", ERROR_INVALID_DATA, &kFieldHasNul},
    {"TextThenZeros", "C:\\P\\prog.exe", ERROR_INVALID_DATA, &kFieldHasNul},
};

class HugeFailures : public CallerCase, public testing::WithParamInterface<HugeFailure> {};

TEST_P(HugeFailures, StopReadingAtTheLimit)
{
    SetEnvironmentVariableA("TYX_RECORD_SLEEP", "20000");
    ASSERT_TRUE(WriteHugeFile(InCase("cmd.txt"), GetParam().start));
    auto caller = Start("# cmd.txt");
    ASSERT_TRUE(caller->Started());
    ASSERT_NE(WaitForDialog(caller->Id()), nullptr);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    ASSERT_TRUE(GetProcessMemoryInfo(caller->Handle(), &memory, sizeof memory));
    EXPECT_GT(memory.PeakPagefileUsage, 0u);
    EXPECT_LT(memory.PeakPagefileUsage, 16u * 1024 * 1024);
    ExpectFailure(*caller, GetParam().code, ExpectedBoxText(*GetParam().headline, L"cmd.txt", GetParam().code));
}

INSTANTIATE_TEST_SUITE_P(Caller, HugeFailures, testing::ValuesIn(kHugeFailures),
                         [](const testing::TestParamInfo<HugeFailure>& info) { return info.param.name; });

// Binary garbage: whatever the bytes, the launcher either starts what the rules give or shows its
// box, and in either case ends.
TEST_F(CallerCase, GarbageFilesEndWithTheBox)
{
    SetEnvironmentVariableA("TYX_RECORD_SLEEP", "20000");
    for (unsigned seed : {1u, 7u, 2023u}) {
        SCOPED_TRACE(seed);
        std::string bytes(64 * 1024, '\0');
        unsigned state = seed;
        for (char& byte : bytes) {
            state = state * 1103515245u + 12345u;
            byte = static_cast<char>(state >> 16);
        }
        ASSERT_TRUE(WriteBytes(InCase("cmd.txt"), bytes));
        launcher::FirstFieldReader rules;
        if (rules.Take(bytes))
            rules.EndOfFile();
        auto caller = Start("# cmd.txt");
        const Box box = CloseBoxOf(*caller);
        ASSERT_TRUE(box.shown);
        EXPECT_EQ(box.caption, L"VELUK TYX");
        EXPECT_TRUE(box.otherVisibleWindows.empty());
        ASSERT_TRUE(box.exitCode.has_value());
        EXPECT_NE(*box.exitCode, 0u);
        // The box names the number the launcher ends with.
        EXPECT_NE(box.text.find(L"Chyba \u010d. " + std::to_wstring(*box.exitCode)), std::wstring::npos) << box.exitCode.value();
        if (rules.Status() == launcher::FieldStatus::HasNul) {
            EXPECT_EQ(*box.exitCode, static_cast<DWORD>(ERROR_INVALID_DATA));
        }
        ExpectNothingStarted(*caller);
    }
}

} // namespace
