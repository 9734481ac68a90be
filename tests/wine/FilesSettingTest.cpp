// The FILES setting on real files: every failure the file layer can give, at every step, and
// what a bookkeeper would see through the window.
#include "Driver.h"
#include "Exceptions.h"
#include "FileSeam.h"
#include "FunkcInstTyx.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using namespace Driver;

namespace {

const std::string kOldConfig =
    "REM Windows MS-DOS Startup File\r\n"
    "REM\r\n"
    "dos=high, umb\n"
    "device=%SystemRoot%\\system32\\himem.sys\r\n"
    "files=40";
const std::string kBackup =
    "REM Windows MS-DOS Startup File\r\n"
    "REM\r\n"
    "dos=high, umb\r\n"
    "device=%SystemRoot%\\system32\\himem.sys\r\n"
    "files=40\r\n";
const std::string kNewConfig =
    "REM Windows MS-DOS Startup File\r\n"
    "REM\r\n"
    "dos=high, umb\r\n"
    "device=%SystemRoot%\\system32\\himem.sys\r\n"
    "FILES=211\r\n";

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::set<std::string> FilesIn(const std::string& dir)
{
    std::set<std::string> names;
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..")
            names.insert(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// ---- The fault seam: fails the n-th call of one kind and keeps count of open handles.

enum class Call { Open, Read, Write, Flush, Close, Replace, Count };
const char* const kCallNames[] = {"open", "read", "write", "flush", "close", "replace"};

struct FaultPlan {
    Call kind = Call::Count;
    int failAt = 0;
    DWORD code = 0;
    int calls[static_cast<int>(Call::Count)] = {};
    std::set<HANDLE> open;
} plan;

bool Hit(Call call)
{
    const int n = ++plan.calls[static_cast<int>(call)];
    if (call == plan.kind && n == plan.failAt) {
        SetLastError(plan.code);
        return true;
    }
    return false;
}

HANDLE WINAPI FaultyCreate(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD disposition,
                           DWORD flags, HANDLE templ)
{
    if (Hit(Call::Open))
        return INVALID_HANDLE_VALUE;
    HANDLE h = CreateFileA(name, access, share, security, disposition, flags, templ);
    if (h != INVALID_HANDLE_VALUE)
        plan.open.insert(h);
    return h;
}

BOOL WINAPI FaultyRead(HANDLE h, LPVOID buffer, DWORD size, LPDWORD got, LPOVERLAPPED overlapped)
{
    if (Hit(Call::Read))
        return FALSE;
    return ReadFile(h, buffer, size, got, overlapped);
}

BOOL WINAPI FaultyWrite(HANDLE h, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED overlapped)
{
    if (Hit(Call::Write))
        return FALSE;
    return WriteFile(h, data, size, written, overlapped);
}

BOOL WINAPI FaultyFlush(HANDLE h)
{
    if (Hit(Call::Flush))
        return FALSE;
    return FlushFileBuffers(h);
}

// A failing close still lets the handle go, as the system does.
BOOL WINAPI FaultyClose(HANDLE h)
{
    plan.open.erase(h);
    const BOOL closed = CloseHandle(h);
    if (Hit(Call::Close))
        return FALSE;
    return closed;
}

BOOL WINAPI FaultyReplace(LPCSTR replaced, LPCSTR replacement, LPCSTR backup, DWORD flags, LPVOID, LPVOID)
{
    if (Hit(Call::Replace))
        return FALSE;
    return ReplaceFileA(replaced, replacement, backup, flags, nullptr, nullptr);
}

FileSeam::Functions FaultyFunctions()
{
    FileSeam::Functions f;
    f.createFile = FaultyCreate;
    f.readFile = FaultyRead;
    f.writeFile = FaultyWrite;
    f.flushFileBuffers = FaultyFlush;
    f.closeHandle = FaultyClose;
    f.replaceFile = FaultyReplace;
    return f;
}

class FilesSetting : public testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH] = "";
        GetTempPathA(MAX_PATH, temp);
        dir_ = std::string(temp) + "tyx-files-" + std::to_string(GetCurrentProcessId()) + "-" +
               testing::UnitTest::GetInstance()->current_test_info()->name();
        CreateDirectoryA(dir_.c_str(), nullptr);
        Clean();
    }
    void TearDown() override
    {
        Clean();
        RemoveDirectoryA(dir_.c_str());
    }
    void Clean()
    {
        for (const std::string& name : FilesIn(dir_)) {
            SetFileAttributesA((dir_ + "\\" + name).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA((dir_ + "\\" + name).c_str());
        }
    }
    std::string ConfigNt() const { return dir_ + "\\Config.nt"; }
    std::string Backup() const { return dir_ + "\\Config.TYX"; }

    std::string dir_;
};

TEST_F(FilesSetting, RewritesConfigNtAfterACompleteBackup)
{
    WriteBytes(ConfigNt(), kOldConfig);
    WriteBytes(Backup(), "an older backup\r\n");
    SetFilesParameterIn(dir_);
    EXPECT_EQ(ReadBytes(ConfigNt()), kNewConfig);
    EXPECT_EQ(ReadBytes(Backup()), kBackup);
    EXPECT_EQ(FilesIn(dir_), (std::set<std::string>{"Config.nt", "Config.TYX"}));

    // A second run: the same Config.nt, and the backup holds the first run's result.
    SetFilesParameterIn(dir_);
    EXPECT_EQ(ReadBytes(ConfigNt()), kNewConfig);
    EXPECT_EQ(ReadBytes(Backup()), kNewConfig);
}

TEST_F(FilesSetting, WithoutConfigNtNothingIsTouched)
{
    SetFilesParameterIn(dir_);
    EXPECT_TRUE(FilesIn(dir_).empty());
    // A directory of that name is no file either.
    CreateDirectoryA(ConfigNt().c_str(), nullptr);
    SetFilesParameterIn(dir_);
    EXPECT_EQ(FilesIn(dir_), std::set<std::string>{"Config.nt"});
    RemoveDirectoryA(ConfigNt().c_str());
}

TEST_F(FilesSetting, KeepsAHiddenConfigNtHidden)
{
    WriteBytes(ConfigNt(), kOldConfig);
    SetFileAttributesA(ConfigNt().c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
    SetFilesParameterIn(dir_);
    EXPECT_EQ(ReadBytes(ConfigNt()), kNewConfig);
    EXPECT_TRUE(GetFileAttributesA(ConfigNt().c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

TEST_F(FilesSetting, ReadOnlyConfigNtIsRefusedAndStaysAsItWas)
{
    WriteBytes(ConfigNt(), kOldConfig);
    SetFileAttributesA(ConfigNt().c_str(), FILE_ATTRIBUTE_READONLY);
    try {
        SetFilesParameterIn(dir_);
        ADD_FAILURE() << "no failure";
    } catch (const EInOutError& failure) {
        EXPECT_EQ(failure.ErrorCode(), 5u);
        EXPECT_EQ(failure.Message(), "File access denied");
    }
    EXPECT_EQ(ReadBytes(ConfigNt()), kOldConfig);
    EXPECT_EQ(ReadBytes(Backup()), kBackup);
    EXPECT_EQ(FilesIn(dir_), (std::set<std::string>{"Config.nt", "Config.TYX"}));
}

TEST_F(FilesSetting, ConfigNtHeldOpenForWritingIsASharingFailure)
{
    WriteBytes(ConfigNt(), kOldConfig);
    HANDLE writer = CreateFileA(ConfigNt().c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    try {
        SetFilesParameterIn(dir_);
        ADD_FAILURE() << "no failure";
    } catch (const EInOutError& failure) {
        EXPECT_EQ(failure.ErrorCode(), 32u);
        EXPECT_EQ(failure.Message(), "I/O error 32");
    }
    CloseHandle(writer);
    EXPECT_EQ(ReadBytes(ConfigNt()), kOldConfig);
    EXPECT_FALSE(Exists(Backup()));
}

// Wine run by root writes into read-only files, which no Windows user can: such a case proves
// nothing there.
bool ReadOnlyIsEnforced(const std::string& dir)
{
    const std::string probe = dir + "\\read-only probe";
    WriteBytes(probe, "x");
    SetFileAttributesA(probe.c_str(), FILE_ATTRIBUTE_READONLY);
    HANDLE h = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const bool enforced = h == INVALID_HANDLE_VALUE;
    if (!enforced)
        CloseHandle(h);
    SetFileAttributesA(probe.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(probe.c_str());
    return enforced;
}

TEST_F(FilesSetting, ReadOnlyBackupFailsBeforeConfigNtIsTouched)
{
    if (!ReadOnlyIsEnforced(dir_))
        GTEST_SKIP() << "read-only files are writable here (Wine run by root)";
    WriteBytes(ConfigNt(), kOldConfig);
    WriteBytes(Backup(), "an older backup\r\n");
    SetFileAttributesA(Backup().c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_THROW(SetFilesParameterIn(dir_), EInOutError);
    EXPECT_EQ(ReadBytes(ConfigNt()), kOldConfig);
    EXPECT_EQ(ReadBytes(Backup()), "an older backup\r\n");
}

// The rules written out plainly, as the oracle for inputs too odd to spell out by hand.
std::string ExpectedRewrite(const std::string& input, std::string* backup)
{
    std::vector<std::string> lines;
    std::string line;
    bool inLine = false;
    for (std::size_t i = 0; i < input.size(); ++i) {
        const char c = input[i];
        if (!inLine && c == '\x1A')
            break;
        inLine = true;
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
            inLine = false;
        } else if (c != '\r') {
            line += c;
        }
    }
    if (inLine)
        lines.push_back(line);
    std::string out;
    backup->clear();
    for (const std::string& l : lines) {
        *backup += l + "\r\n";
        std::string upper = l;
        for (char& ch : upper)
            if (ch >= 'a' && ch <= 'z')
                ch = static_cast<char>(ch - 0x20);
        out += (upper.find("FILES") != std::string::npos ? std::string("FILES=211") : l) + "\r\n";
    }
    return out;
}

TEST_F(FilesSetting, OddContentIsRewrittenByTheRulesAndNothingIsLost)
{
    std::string garbage;
    unsigned seed = 12345;
    for (int i = 0; i < 200000; ++i) {
        seed = seed * 1103515245u + 12345u;
        garbage += static_cast<char>(seed >> 24);
    }
    static const char kNuls[] = "dos=high\0umb\r\nfi\0les=1\r\nfiles=2\0\r\n\0\0\0";
    const std::string withNuls(kNuls, sizeof kNuls - 1);
    const std::string oneLongLine = "files=" + std::string(20 * 1024 * 1024, 'x');
    const std::pair<const char*, const std::string*> cases[] = {
        {"binary garbage", &garbage}, {"NUL bytes", &withNuls}, {"one line of 20 MiB", &oneLongLine}};
    for (const auto& [name, input] : cases) {
        SCOPED_TRACE(name);
        Clean();
        WriteBytes(ConfigNt(), *input);
        std::string backup;
        const std::string expected = ExpectedRewrite(*input, &backup);
        SetFilesParameterIn(dir_);
        EXPECT_TRUE(ReadBytes(ConfigNt()) == expected);
        EXPECT_TRUE(ReadBytes(Backup()) == backup);
    }
}

// Every call of the file layer fails once, in turn; Config.nt is never anything but its old or
// its new content, the failure is the one given, and nothing stays open or behind.
TEST_F(FilesSetting, AFailureAtAnyStepNeverLeavesConfigNtPartial)
{
    WriteBytes(ConfigNt(), kOldConfig);
    int counts[static_cast<int>(Call::Count)] = {};
    {
        plan = FaultPlan{};
        FileSeam::Override seam(FaultyFunctions());
        SetFilesParameterIn(dir_);
        std::copy(std::begin(plan.calls), std::end(plan.calls), counts);
        ASSERT_TRUE(plan.open.empty());
    }
    ASSERT_EQ(ReadBytes(ConfigNt()), kNewConfig);
    ASSERT_GE(counts[static_cast<int>(Call::Open)], 4);
    ASSERT_GE(counts[static_cast<int>(Call::Replace)], 1);

    const DWORD kCode = 29; // ERROR_WRITE_FAULT: a code with no text of its own
    int runs = 0;
    for (int kind = 0; kind < static_cast<int>(Call::Count); ++kind) {
        for (int n = 1; n <= counts[kind]; ++n) {
            SCOPED_TRACE(std::string(kCallNames[kind]) + " #" + std::to_string(n));
            Clean();
            WriteBytes(ConfigNt(), kOldConfig);
            plan = FaultPlan{};
            plan.kind = static_cast<Call>(kind);
            plan.failAt = n;
            plan.code = kCode;
            bool failed = false;
            {
                FileSeam::Override seam(FaultyFunctions());
                try {
                    SetFilesParameterIn(dir_);
                } catch (const EInOutError& failure) {
                    failed = true;
                    EXPECT_EQ(failure.ErrorCode(), kCode);
                    EXPECT_EQ(failure.Message(), "I/O error 29");
                }
            }
            ++runs;
            EXPECT_TRUE(failed) << "a failed call was not reported";
            EXPECT_TRUE(plan.open.empty()) << plan.open.size() << " handles left open";
            const std::string now = ReadBytes(ConfigNt());
            EXPECT_TRUE(now == kOldConfig || now == kNewConfig) << now;
            const auto files = FilesIn(dir_);
            for (const std::string& name : files)
                EXPECT_TRUE(name == "Config.nt" || name == "Config.TYX") << name << " left behind";
            // Once Config.nt could have changed, the whole old content is in the backup.
            if (now == kNewConfig) {
                EXPECT_EQ(ReadBytes(Backup()), kBackup);
            }
        }
    }
    EXPECT_GT(runs, 10);
}

// ---- Through the window, in the prefix's own system directory.

constexpr char kFormClass[] = "TInstFormTYX";

std::string SystemConfig(const char* name)
{
    char system[MAX_PATH] = "";
    GetSystemDirectoryA(system, MAX_PATH);
    return std::string(system) + "\\" + name;
}

class FilesCommand : public testing::Test {
protected:
    void SetUp() override
    {
        WriteBytes(SystemConfig("Config.nt"), kOldConfig);
        SetFileAttributesA(SystemConfig("Config.TYX").c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(SystemConfig("Config.TYX").c_str());
        tool_ = std::make_unique<ChildProcess>("\"" + BesideDriver("Instal.exe") + "\"");
        form_ = WaitFor([&] { return TopLevelWindow(tool_->Id(), kFormClass); });
        ASSERT_NE(form_, nullptr);
    }
    void TearDown() override
    {
        if (form_)
            PostMessageA(form_, WM_CLOSE, 0, 0);
        if (tool_) {
            EXPECT_EQ(tool_->WaitExit(), 0u);
        }
        SetFileAttributesA(SystemConfig("Config.nt").c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    HWND Question()
    {
        PostMessageA(ChildById(form_, 106), BM_CLICK, 0, 0);
        return OpenQuestion();
    }
    // Clicks "&Nastavit" and answers the question with Enter on its focused button.
    bool ConfirmQuestion()
    {
        HWND question = Question();
        HWND focus = question ? WaitFocusInside(question) : nullptr;
        return focus && PostMessageA(focus, WM_KEYDOWN, VK_RETURN, 0) != FALSE;
    }
    HWND OpenQuestion()
    {
        return WaitFor([&] {
            for (HWND w : TopLevelWindows(tool_->Id(), "TMessageForm"))
                if (IsWindowVisible(w))
                    return w;
            return HWND(nullptr);
        });
    }
    std::unique_ptr<ChildProcess> tool_;
    HWND form_ = nullptr;
};

std::vector<std::wstring> ButtonCaptions(HWND dialog)
{
    std::vector<std::wstring> captions;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (_stricmp(ClassOf(child).c_str(), "Button") == 0)
            captions.push_back(TextOf(child));
    return captions;
}

std::wstring StaticText(HWND dialog)
{
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (_stricmp(ClassOf(child).c_str(), "Static") == 0 && !TextOf(child).empty())
            return TextOf(child);
    return L"";
}

TEST_F(FilesCommand, ConfirmedWithEnterSetsFilesAndAsksForARestart)
{
    HWND question = Question();
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(TextOf(question), L"Dotaz");
    EXPECT_EQ(StaticText(question), L"Nastavit parametr Files na hodnotu 211?");
    EXPECT_EQ(ButtonCaptions(question), (std::vector<std::wstring>{L"OK", L"&Storno"}));
    EXPECT_FALSE(IsWindowEnabled(form_));
    EXPECT_EQ(GetWindow(question, GW_OWNER), GetWindow(form_, GW_OWNER));
    HWND focus = WaitFocusInside(question);
    ASSERT_NE(focus, nullptr);
    PostMessageA(focus, WM_KEYDOWN, VK_RETURN, 0);

    HWND box = WaitForDialog(tool_->Id());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(TextOf(box), L"Informace");
    EXPECT_EQ(MessageBoxText(box), L"Parametr Files nastaven, restartujte po\u010d\u00edta\u010d.");
    EXPECT_EQ(ReadBytes(SystemConfig("Config.nt")), kNewConfig);
    EXPECT_EQ(ReadBytes(SystemConfig("Config.TYX")), kBackup);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(form_) != FALSE; }));
}

TEST_F(FilesCommand, NAndAltNOnThePanelAsk)
{
    const std::vector<std::vector<WORD>> ways = {{'N'}, {VK_MENU, 'N'}};
    for (const auto& keys : ways) {
        SetForegroundWindow(form_);
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == form_; }));
        PressKeys(keys);
        HWND question = OpenQuestion();
        ASSERT_NE(question, nullptr) << keys.size();
        EXPECT_EQ(TextOf(question), L"Dotaz");
        HWND focus = WaitFocusInside(question);
        ASSERT_NE(focus, nullptr);
        PostMessageA(focus, WM_KEYDOWN, VK_ESCAPE, 0);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(question); }));
        EXPECT_EQ(ReadBytes(SystemConfig("Config.nt")), kOldConfig);
    }
}

TEST_F(FilesCommand, WithoutConfigNtTheRestartBoxStillShows)
{
    DeleteFileA(SystemConfig("Config.nt").c_str());
    ASSERT_TRUE(ConfirmQuestion());
    HWND box = WaitForDialog(tool_->Id());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), L"Parametr Files nastaven, restartujte po\u010d\u00edta\u010d.");
    EXPECT_FALSE(Exists(SystemConfig("Config.nt")));
    EXPECT_FALSE(Exists(SystemConfig("Config.TYX")));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}

TEST_F(FilesCommand, StornoTouchesNothingAndShowsNoBox)
{
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        HWND question = Question();
        ASSERT_NE(question, nullptr);
        HWND focus = WaitFocusInside(question);
        ASSERT_NE(focus, nullptr);
        if (way == 0)
            PostMessageA(focus, WM_KEYDOWN, VK_ESCAPE, 0);
        else if (way == 1)
            PostMessageA(question, WM_CLOSE, 0, 0);
        else
            PostMessageA(focus, WM_CHAR, 's', 0);
        // The command has ended once its question is gone, the main window is enabled again and
        // the tool is back in its message loop: a box it were to show would be up by then.
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(question) && IsWindowEnabled(form_); }));
        ASSERT_TRUE(WaitIdle(form_));
        EXPECT_EQ(WaitForDialog(tool_->Id(), 0), nullptr);
        EXPECT_EQ(ReadBytes(SystemConfig("Config.nt")), kOldConfig);
        EXPECT_FALSE(Exists(SystemConfig("Config.TYX")));
        EXPECT_TRUE(IsWindowEnabled(form_));
    }
}

// The failure box of a command that cannot write, and the files as the failure left them.
void ExpectFailureBox(FilesCommand& t, ChildProcess& tool, HWND form, const wchar_t* text)
{
    HWND box = WaitForDialog(tool.Id());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(TextOf(box), L"VELUK TYX");
    EXPECT_EQ(MessageBoxText(box), text);
    EXPECT_FALSE(IsWindowEnabled(form));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(form) != FALSE; }));
    (void)t;
}

TEST_F(FilesCommand, ReadOnlyBackupShowsTheFailureBox)
{
    WriteBytes(SystemConfig("Config.TYX"), "an older backup\r\n");
    SetFileAttributesA(SystemConfig("Config.TYX").c_str(), FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(ConfirmQuestion());
    ExpectFailureBox(*this, *tool_, form_, L"File access denied.");
    EXPECT_EQ(ReadBytes(SystemConfig("Config.nt")), kOldConfig);
    EXPECT_EQ(ReadBytes(SystemConfig("Config.TYX")), "an older backup\r\n");
    SetFileAttributesA(SystemConfig("Config.TYX").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(FilesCommand, ConfigNtHeldOpenByAnotherProgramShowsTheFailureBox)
{
    HANDLE writer = CreateFileA(SystemConfig("Config.nt").c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(ConfirmQuestion());
    ExpectFailureBox(*this, *tool_, form_, L"I/O error 32.");
    CloseHandle(writer);
    EXPECT_EQ(ReadBytes(SystemConfig("Config.nt")), kOldConfig);
    EXPECT_FALSE(Exists(SystemConfig("Config.TYX")));
}

TEST_F(FilesCommand, ReadOnlyConfigNtShowsTheFailureBox)
{
    SetFileAttributesA(SystemConfig("Config.nt").c_str(), FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(ConfirmQuestion());
    HWND box = WaitForDialog(tool_->Id());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(TextOf(box), L"VELUK TYX");
    EXPECT_EQ(MessageBoxText(box), L"File access denied.");
    EXPECT_EQ(ReadBytes(SystemConfig("Config.nt")), kOldConfig);
    EXPECT_EQ(ReadBytes(SystemConfig("Config.TYX")), kBackup);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(form_) != FALSE; }));
}

} // namespace
