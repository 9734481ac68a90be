// The "&Ikona" command through the window, as a bookkeeper uses it: the tool is started from a
// program directory laid out like the product's, the button is clicked, every box is read back
// and closed, and the shortcut is read back through the shell. The run says through TYX_EXPECT
// which template this Windows must give and its bitness ("TyxWin10.sss 64"), or that the icon
// tool must be started instead ("Ikon.exe 32").
#include "ComPtr.h"
#include "Driver.h"
#include "Exceptions.h"
#include "FailureText.h"
#include "Ikonak.h"
#include "ShellTestSupport.h"
#include "TemplateTable.h"

#include <gtest/gtest.h>
#include <objidl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdlib>
#include <cwchar>
#include <memory>
#include <optional>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using namespace Driver;
using namespace ShellTest;

namespace {

constexpr int kIconButton = 107;
constexpr int kYearField = 108;
constexpr char kFormClass[] = "TInstFormTYX";

// "Ikona by měla být na ploše :-)"
const std::wstring kClosingText = L"Ikona by m\u011Bla b\u00FDt na plo\u0161e :-)";
const std::wstring kInfo = L"Informace";
const std::wstring kFailureCaption = L"VELUK TYX";

struct Expected {
    std::string templateName; // "Ikon.exe": Windows before Vista
    int bits = 0;
    bool IconTool() const { return templateName == "Ikon.exe"; }
    std::string Batch(const std::string& year) const { return bits == 64 ? "\\S64v.bat" : "\\Tyx" + year + ".bat"; }
};

Expected ExpectedOfRun()
{
    Expected e;
    const char* text = std::getenv("TYX_EXPECT");
    if (text) {
        std::istringstream in(text);
        in >> e.templateName >> e.bits;
    }
    return e;
}

const Templates::Template* TemplateNamed(const std::string& name)
{
    for (const Templates::Template& entry : Templates::kTemplates)
        if (Ansi(entry.fileName) == name)
            return &entry;
    return nullptr;
}

struct Box {
    std::wstring caption;
    std::wstring text;
    bool operator==(const Box& other) const { return caption == other.caption && text == other.text; }
};

void PrintTo(const Box& box, std::ostream* os)
{
    *os << "[" << Ansi(box.caption) << "] " << Ansi(box.text.substr(0, 300));
}

// ---- Paths of any length: the test makes its directories through the wide calls, with the
// prefix that lifts the length limit.

std::wstring Long(const std::wstring& path)
{
    return path.size() >= MAX_PATH - 12 && path.rfind(L"\\\\?\\", 0) != 0 ? L"\\\\?\\" + path : path;
}

bool MakeDirectory(const std::wstring& path)
{
    return CreateDirectoryW(Long(path).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

std::vector<std::wstring> NamesIn(const std::wstring& dir)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(Long(dir + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

void RemoveTreeW(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(Long(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        for (const std::wstring& name : NamesIn(path))
            RemoveTreeW(path + L"\\" + name);
        RemoveDirectoryW(Long(path).c_str());
    } else {
        SetFileAttributesW(Long(path).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(Long(path).c_str());
    }
}

std::optional<std::string> BytesOf(const std::wstring& path)
{
    HANDLE file = CreateFileW(Long(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

void PutBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(Long(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << Ansi(path);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, bytes.size());
}

bool FileThere(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(Long(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// What the shortcut's show command becomes when the shell loads and saves the template
// unchanged: Wine's link object forgets it on loading, Windows keeps it.
DWORD ShowCommandAfterResave(const std::wstring& templatePath, const std::wstring& scratch)
{
    const std::wstring copy = scratch + L"\\resaved.lnk";
    CopyFileW(Long(templatePath).c_str(), copy.c_str(), FALSE);
    ComPtr<IPersistFile> file;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IPersistFile,
                                   file.put_void())) &&
        SUCCEEDED(file->Load(copy.c_str(), STGM_READWRITE)))
        file->Save(copy.c_str(), TRUE);
    file.reset();
    const DWORD show = ShowCommandInFile(Ansi(copy));
    DeleteFileW(copy.c_str());
    return show;
}

// A started copy of the tool, run from outside: the driver clicks and reads boxes as a person.
class Tool {
public:
    explicit Tool(const std::wstring& programDir, const std::wstring& currentDir)
    {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring command = L"\"" + programDir + L"\\Instal.exe\"";
        PROCESS_INFORMATION info{};
        if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, currentDir.c_str(),
                           &startup, &info)) {
            CloseHandle(info.hThread);
            process_ = info.hProcess;
            id_ = info.dwProcessId;
            WaitForInputIdle(process_, 10000);
            form_ = WaitFor([&] { return TopLevelWindow(id_, kFormClass); });
        } else {
            startError_ = GetLastError();
        }
    }
    Tool(const Tool&) = delete;
    Tool& operator=(const Tool&) = delete;
    ~Tool()
    {
        if (!process_)
            return;
        if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_, 99);
            WaitForSingleObject(process_, 5000);
        }
        CloseHandle(process_);
    }

    HWND Form() const { return form_; }
    DWORD StartError() const { return startError_; }
    HANDLE Process() const { return process_; }

    void SetYear(const std::wstring& year) const
    {
        SendMessageW(ChildById(form_, kYearField), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(year.c_str()));
    }

    // Presses "&Ikona" and takes every box the command shows, closing each with OK, until the
    // command is back in the message loop (no box comes and the window takes input again).
    std::vector<Box> Click() const
    {
        PostMessageA(ChildById(form_, kIconButton), BM_CLICK, 0, 0);
        return Boxes();
    }

    std::vector<Box> Boxes() const
    {
        std::vector<Box> boxes;
        for (DWORD wait = 20000;; wait = 1500) {
            HWND box = WaitForDialog(id_, wait);
            if (!box)
                break;
            boxes.push_back({TextOf(box), MessageBoxText(box)});
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            if (!WaitUntil([&] { return !IsWindow(box); }))
                break;
        }
        WaitUntil([&] { return IsWindowEnabled(form_) != FALSE; });
        return boxes;
    }

    // The tool ends in order when its window is closed.
    std::optional<DWORD> Close()
    {
        PostMessageA(form_, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_, 20000) != WAIT_OBJECT_0)
            return std::nullopt;
        DWORD code = 0;
        GetExitCodeProcess(process_, &code);
        return code;
    }

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
    HWND form_ = nullptr;
    DWORD startError_ = 0;
};

// A program directory as the product lays it out, with the tool under test in it, somewhere of
// the test's choosing, and the desktop that the shortcuts go to.
class IkonaCommand : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(com_.Ok());
        expected_ = ExpectedOfRun();
        ASSERT_FALSE(expected_.templateName.empty()) << "TYX_EXPECT names no template";
        ASSERT_FALSE(DemoDir().empty()) << "TYX_DEMO_DIR names no demo program directory";
        desktop_ = Wide(DesktopDir());
        ASSERT_FALSE(desktop_.empty());
        ClearDesktop();
    }

    void TearDown() override
    {
        if (tool_) {
            EXPECT_EQ(tool_->Close(), std::optional<DWORD>(0u));
            tool_.reset();
        }
        ClearDesktop();
        if (!layoutRoot_.empty())
            RemoveTreeW(layoutRoot_);
    }

    // Every shortcut and directory named like one of the tool's.
    void ClearDesktop() const
    {
        for (const std::wstring& name : NamesIn(desktop_))
            if (name.rfind(L"TYX", 0) == 0)
                RemoveTreeW(desktop_ + L"\\" + name);
    }

    std::vector<std::wstring> DesktopShortcuts() const
    {
        std::vector<std::wstring> names;
        for (const std::wstring& name : NamesIn(desktop_))
            if (name.rfind(L"TYX", 0) == 0)
                names.push_back(name);
        return names;
    }

    // Lays out the program directory under the scratch directory (relative) or at the path given.
    void LayOut(const std::wstring& where = L"TYX")
    {
        const std::wstring scratch = Wide(scratch_.Path());
        programDir_ = where.find(L':') == std::wstring::npos ? scratch + L"\\" + where : where;
        layoutRoot_ = programDir_.substr(0, programDir_.find(L'\\', scratch.size() + 1));
        std::wstring made;
        for (std::size_t at = 0; at != std::wstring::npos;) {
            at = programDir_.find(L'\\', at + 1);
            made = programDir_.substr(0, at);
            if (made.size() > 2) {
                ASSERT_TRUE(MakeDirectory(made)) << Ansi(made) << " error " << GetLastError();
            }
        }
        const std::wstring demo = Wide(DemoDir());
        for (const std::wstring& name : NamesIn(demo))
            if (name != L"KdeJeZas.ttx" && name != L"Instal.exe") {
                ASSERT_TRUE(CopyFileW((demo + L"\\" + name).c_str(), Long(programDir_ + L"\\" + name).c_str(), FALSE))
                    << Ansi(name);
            }
        // The tool built with this test program, not an older copy.
        ASSERT_TRUE(CopyFileW(Wide(BesideDriver("Instal.exe")).c_str(),
                              Long(programDir_ + L"\\Instal.exe").c_str(), FALSE));
    }

    // Starts the tool elsewhere than in its directory: the program directory must come from the
    // tool's own path, not from where it was started.
    void Start()
    {
        tool_ = std::make_unique<Tool>(programDir_, Wide(scratch_.Path()));
        ASSERT_NE(tool_->Form(), nullptr) << "no main window; start error " << tool_->StartError();
    }

    std::wstring InProgramDir(const std::wstring& name) const { return programDir_ + L"\\" + name; }
    std::wstring Record() const { return InProgramDir(L"KdeJeZas.ttx"); }
    std::wstring TemplatePath() const { return InProgramDir(Wide(expected_.templateName)); }

    // What the location record must hold for a shortcut: its path in the ANSI code page, CR LF.
    static std::string RecordFor(const std::wstring& shortcut) { return Ansi(shortcut) + "\r\n"; }

    // The shortcut as the command must have made it from this Windows' template for the year.
    void ExpectShortcutFromTemplate(const std::wstring& shortcut, const std::string& year)
    {
        const Templates::Template* entry = TemplateNamed(expected_.templateName);
        ASSERT_NE(entry, nullptr) << expected_.templateName;
        const auto link = ReadLink(shortcut);
        ASSERT_TRUE(link) << "the shortcut does not load: " << Ansi(shortcut);
        EXPECT_EQ(link->target, programDir_ + Wide(expected_.Batch(year)));
        EXPECT_EQ(link->workingDirectory, programDir_);
        EXPECT_EQ(link->iconLocation, programDir_ + L"\\TYX" + Wide(year) + L".ico");
        EXPECT_EQ(link->iconIndex, 0);
        // The template chosen is seen in what only it holds.
        EXPECT_EQ(link->arguments, entry->arguments);
        EXPECT_EQ(link->description, entry->description);
        EXPECT_EQ(link->hotKey, entry->hotKey);
        EXPECT_EQ(ShowCommandInFile(Ansi(shortcut)), ShowCommandAfterResave(TemplatePath(), Wide(scratch_.Path())));
    }

    ComApartment com_;
    ScratchDir scratch_;
    Expected expected_;
    std::wstring desktop_;
    std::wstring programDir_;
    std::wstring layoutRoot_; // the first directory the layout made
    std::unique_ptr<Tool> tool_;
};

// ---- Windows Vista and later: the tool makes the shortcut itself.

class IkonaVistaAndLater : public IkonaCommand {
protected:
    void SetUp() override
    {
        IkonaCommand::SetUp();
        if (expected_.IconTool())
            GTEST_SKIP() << "Windows before Vista";
    }
};

using IkonaShortcut = IkonaVistaAndLater;

TEST_F(IkonaShortcut, OneClickPutsTheYearsShortcutFromThisWindowsTemplate)
{
    ASSERT_NO_FATAL_FAILURE(LayOut());
    PutBytes(Record(), "C:\\older\\TYX2022.lnk\r\n");
    const std::string templateBytes = BytesOf(TemplatePath()).value_or("");
    ASSERT_FALSE(templateBytes.empty());
    ASSERT_NO_FATAL_FAILURE(Start());

    EXPECT_EQ(tool_->Click(), (std::vector<Box>{{kInfo, kClosingText}}));

    const std::wstring shortcut = desktop_ + L"\\TYX2023.lnk";
    EXPECT_EQ(DesktopShortcuts(), std::vector<std::wstring>{L"TYX2023.lnk"});
    ExpectShortcutFromTemplate(shortcut, "2023");
    EXPECT_EQ(BytesOf(Record()), RecordFor(shortcut));
    // The template is copied, never changed.
    EXPECT_EQ(BytesOf(TemplatePath()), templateBytes);
}

TEST_F(IkonaShortcut, SecondClickTakesTheNextFreeNameAndLeavesTheFirst)
{
    ASSERT_NO_FATAL_FAILURE(LayOut());
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_EQ(tool_->Click(), (std::vector<Box>{{kInfo, kClosingText}}));
    const std::wstring first = desktop_ + L"\\TYX2023.lnk";
    const auto firstBytes = BytesOf(first);
    ASSERT_TRUE(firstBytes);

    EXPECT_EQ(tool_->Click(), (std::vector<Box>{{kInfo, kClosingText}}));

    const std::wstring second = desktop_ + L"\\TYX2023_1.lnk";
    EXPECT_EQ(BytesOf(first), firstBytes);
    ExpectShortcutFromTemplate(second, "2023");
    EXPECT_EQ(BytesOf(Record()), RecordFor(second));
    EXPECT_EQ(DesktopShortcuts(), (std::vector<std::wstring>{L"TYX2023.lnk", L"TYX2023_1.lnk"}));
}

TEST_F(IkonaShortcut, MissingTemplateShowsItsBoxThenTheClosingBoxAndWritesNothing)
{
    ASSERT_NO_FATAL_FAILURE(LayOut());
    ASSERT_TRUE(DeleteFileW(TemplatePath().c_str()));
    const std::string oldRecord = "C:\\older\\TYX2022.lnk\r\n";
    PutBytes(Record(), oldRecord);
    ASSERT_NO_FATAL_FAILURE(Start());

    // "Zástupce programu TYX2023 nelze vytvořit!" CR LF CR LF "Nenalezen soubor <template>."
    const std::wstring missing = L"Z\u00E1stupce programu TYX2023 nelze vytvo\u0159it!\r\n\r\nNenalezen soubor " +
                                 TemplatePath() + L".";
    EXPECT_EQ(tool_->Click(), (std::vector<Box>{{kInfo, missing}, {kInfo, kClosingText}}));
    EXPECT_TRUE(DesktopShortcuts().empty());
    EXPECT_EQ(BytesOf(Record()), oldRecord);
}

TEST_F(IkonaShortcut, SpaceBeforeTheYearGoesIntoEveryName)
{
    ASSERT_NO_FATAL_FAILURE(LayOut());
    ASSERT_NO_FATAL_FAILURE(Start());
    tool_->SetYear(L" 2023");
    EXPECT_EQ(tool_->Click(), (std::vector<Box>{{kInfo, kClosingText}}));
    const std::wstring shortcut = desktop_ + L"\\TYX 2023.lnk";
    EXPECT_EQ(DesktopShortcuts(), std::vector<std::wstring>{L"TYX 2023.lnk"});
    ExpectShortcutFromTemplate(shortcut, " 2023");
    EXPECT_EQ(BytesOf(Record()), RecordFor(shortcut));
}

// ---- What a bookkeeper may type or have: a clear box or a correct shortcut, and no broken
// file anywhere.

class IkonaBadInput : public IkonaVistaAndLater {};

TEST_F(IkonaBadInput, YearThatIsNoWholeNumberStopsBeforeAnyFileIsTouched)
{
    ASSERT_NO_FATAL_FAILURE(LayOut());
    const std::string oldRecord = "C:\\older\\TYX2022.lnk\r\n";
    PutBytes(Record(), oldRecord);
    ASSERT_NO_FATAL_FAILURE(Start());
    const std::vector<std::wstring> years = {L"2023 ", L"", L"abc", L"20\\23", L"20:23", L"20*", L"C:\\x",
                                             std::wstring(10000, L'9')};
    for (const std::wstring& year : years) {
        SCOPED_TRACE(Ansi(year.substr(0, 20)));
        tool_->SetYear(year);
        const std::wstring message = L"'" + year + L"' is not a valid integer value.";
        EXPECT_EQ(tool_->Click(), (std::vector<Box>{{kFailureCaption, message}}));
        EXPECT_TRUE(DesktopShortcuts().empty());
        EXPECT_EQ(BytesOf(Record()), oldRecord);
    }
}

// Spaces before the digits pass the check, however many; a shortcut of a name that long cannot
// be made, and the box names it.
TEST_F(IkonaBadInput, TenThousandCharacterYearThatConvertsGivesAFailureBox)
{
    ASSERT_NO_FATAL_FAILURE(LayOut());
    ASSERT_NO_FATAL_FAILURE(Start());
    const std::wstring year = std::wstring(9996, L' ') + L"2023";
    tool_->SetYear(year);
    const std::wstring message = L"Cannot create file " + desktop_ + L"\\TYX" + year + L".lnk.";
    EXPECT_EQ(tool_->Click(), (std::vector<Box>{{kFailureCaption, message}}));
    EXPECT_TRUE(DesktopShortcuts().empty());
    EXPECT_FALSE(FileThere(Record()));
}

struct BrokenTemplateCase {
    const char* name;
    const char* bytes;
};

void PrintTo(const BrokenTemplateCase& c, std::ostream* os)
{
    *os << c.name;
}

class IkonaBrokenTemplate : public IkonaBadInput, public testing::WithParamInterface<BrokenTemplateCase> {};

TEST_P(IkonaBrokenTemplate, GivesTheShellsFailureAndLeavesNothingOnTheDesktop)
{
    ASSERT_NO_FATAL_FAILURE(LayOut());
    PutBytes(TemplatePath(), GetParam().bytes);
    const std::string oldRecord = "C:\\older\\TYX2022.lnk\r\n";
    PutBytes(Record(), oldRecord);
    // What the shell's link object says of such a file, as the tool would show it.
    const std::string probe = scratch_ / "probe.lnk";
    WriteBytes(probe, GetParam().bytes);
    std::string message;
    try {
        EditShellLink(Wide(probe), L"C:\\TYX\\S64v.bat", L"C:\\TYX", L"TYX2023.ico");
    } catch (const EOleSysError& failure) {
        message = failure.Message();
    }
    ASSERT_FALSE(message.empty()) << "the shell took the file for a link";
    ASSERT_NO_FATAL_FAILURE(Start());

    EXPECT_EQ(tool_->Click(), (std::vector<Box>{{kFailureCaption, Wide(FailureBoxText(message))}}));
    EXPECT_TRUE(DesktopShortcuts().empty());
    EXPECT_EQ(BytesOf(Record()), oldRecord);
    EXPECT_EQ(BytesOf(TemplatePath()), std::string(GetParam().bytes));
}

INSTANTIATE_TEST_SUITE_P(Table, IkonaBrokenTemplate, testing::Values(
    BrokenTemplateCase{"TextFile", "@echo off\r\nTYX2023.EXE\r\n"},
    BrokenTemplateCase{"EmptyFile", ""}),
    [](const testing::TestParamInfo<BrokenTemplateCase>& info) { return std::string(info.param.name); });

// A directory under a shortcut's name is no shortcut, so the search does not pass it by; the
// copy must not go into it.
TEST_F(IkonaBadInput, DirectoryUnderTheFreeNameIsRefusedAndKeptEmpty)
{
    ASSERT_NO_FATAL_FAILURE(LayOut());
    ASSERT_NO_FATAL_FAILURE(Start());
    struct Case {
        std::vector<std::wstring> files;
        std::wstring directory;
    };
    const std::vector<Case> cases = {{{}, L"TYX2023.lnk"}, {{L"TYX2023.lnk"}, L"TYX2023_1.lnk"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(Ansi(c.directory));
        ClearDesktop();
        for (const std::wstring& file : c.files)
            PutBytes(desktop_ + L"\\" + file, "a shortcut the bookkeeper has");
        ASSERT_TRUE(MakeDirectory(desktop_ + L"\\" + c.directory));
        const std::wstring message = L"Cannot create file " + desktop_ + L"\\" + c.directory + L".";
        EXPECT_EQ(tool_->Click(), (std::vector<Box>{{kFailureCaption, message}}));
        EXPECT_TRUE(NamesIn(desktop_ + L"\\" + c.directory).empty());
        for (const std::wstring& file : c.files)
            EXPECT_EQ(BytesOf(desktop_ + L"\\" + file), std::string("a shortcut the bookkeeper has"));
        EXPECT_FALSE(FileThere(Record()));
    }
}

// "Účetnictví 2023": a program directory outside ASCII, in Windows-1250 for the tool.
const std::wstring kCzechName = L"\u00DA\u010Detnictv\u00ED 2023";

TEST_F(IkonaBadInput, ProgramDirectoryWithCzechLetters)
{
    ASSERT_NO_FATAL_FAILURE(LayOut(kCzechName + L"\\TYX"));
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_EQ(tool_->Click(), (std::vector<Box>{{kInfo, kClosingText}}));
    const std::wstring shortcut = desktop_ + L"\\TYX2023.lnk";
    ExpectShortcutFromTemplate(shortcut, "2023");
    EXPECT_EQ(BytesOf(Record()), RecordFor(shortcut));
}

// The deepest program directory the tool can start from (Windows starts no program whose path
// has 260 characters or more) gives template and record paths beyond that limit: either the
// shortcut is right or a failure box names the path that could not be used, and no half-made
// file stays.
TEST_F(IkonaBadInput, PathsBuiltFromTheDeepestProgramDirectoryPassTheLimit)
{
    const std::wstring scratch = Wide(scratch_.Path());
    const std::size_t length = MAX_PATH - 1 - std::wcslen(L"\\Instal.exe");
    std::wstring deep = L"TYX";
    while (scratch.size() + 1 + deep.size() + 41 < length)
        deep += L"\\" + std::wstring(40, L'd');
    deep += L"\\" + std::wstring(length - scratch.size() - 2 - deep.size(), L'e');
    ASSERT_NO_FATAL_FAILURE(LayOut(deep));
    ASSERT_EQ(programDir_.size(), length);
    ASSERT_GE(TemplatePath().size(), static_cast<std::size_t>(MAX_PATH));
    ASSERT_NO_FATAL_FAILURE(Start());

    const std::vector<Box> boxes = tool_->Click();
    ASSERT_EQ(boxes.size(), 1u);
    const std::wstring shortcut = desktop_ + L"\\TYX2023.lnk";
    if (boxes[0] == Box{kInfo, kClosingText}) {
        ExpectShortcutFromTemplate(shortcut, "2023");
        EXPECT_EQ(BytesOf(Record()), RecordFor(shortcut));
    } else {
        RecordProperty("failure", Ansi(boxes[0].text));
        EXPECT_EQ(boxes[0], (Box{kFailureCaption, L"Cannot open file " + TemplatePath() + L"."}));
        EXPECT_TRUE(DesktopShortcuts().empty());
        EXPECT_FALSE(FileThere(Record()));
    }
}

// The desktop moved elsewhere, as a user may move it: the shell's answer is followed.
class IkonaMovedDesktop : public IkonaBadInput {
protected:
    static constexpr wchar_t kFolders[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

    void SetUp() override
    {
        IkonaBadInput::SetUp();
        if (IsSkipped())
            return;
        DWORD size = sizeof saved_;
        hadValue_ = RegGetValueW(HKEY_CURRENT_USER, kFolders, L"Desktop", RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ |
                                 RRF_NOEXPAND, &savedType_, saved_, &size) == ERROR_SUCCESS;
    }
    void TearDown() override
    {
        if (hadValue_)
            RegSetKeyValueW(HKEY_CURRENT_USER, kFolders, L"Desktop", savedType_, saved_,
                            static_cast<DWORD>((wcslen(saved_) + 1) * sizeof(wchar_t)));
        else if (!moved_.empty())
            RegDeleteKeyValueW(HKEY_CURRENT_USER, kFolders, L"Desktop");
        IkonaBadInput::TearDown();
        if (!moved_.empty())
            RemoveTreeW(moved_);
    }
    // True when the shell reports the new place.
    bool MoveDesktopTo(const std::wstring& path)
    {
        moved_ = path;
        std::wstring made;
        for (std::size_t at = 0; at != std::wstring::npos;) {
            at = path.find(L'\\', at + 1);
            made = path.substr(0, at);
            if (made.size() > 2 && !MakeDirectory(made)) {
                ADD_FAILURE() << "cannot make " << Ansi(made) << ", error " << GetLastError();
                return false;
            }
        }
        if (RegSetKeyValueW(HKEY_CURRENT_USER, kFolders, L"Desktop", REG_SZ, path.c_str(),
                            static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS)
            return false;
        wchar_t found[MAX_PATH] = L"";
        const bool reported = SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr,
                                                         SHGFP_TYPE_CURRENT, found)) && path == found;
        desktop_ = path;
        return reported;
    }

    std::wstring moved_;
    bool hadValue_ = false;
    DWORD savedType_ = 0;
    wchar_t saved_[1024] = L"";
};

TEST_F(IkonaMovedDesktop, DesktopWithCzechLetters)
{
    // "C:\users\Public\Plocha účetní"
    const bool followed = MoveDesktopTo(L"C:\\users\\Public\\Plocha \u00FA\u010Detn\u00ED");
    ASSERT_FALSE(HasFailure());
    if (!followed)
        GTEST_SKIP() << "the shell does not follow a moved desktop here";
    ASSERT_NO_FATAL_FAILURE(LayOut());
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_EQ(tool_->Click(), (std::vector<Box>{{kInfo, kClosingText}}));
    const std::wstring shortcut = desktop_ + L"\\TYX2023.lnk";
    EXPECT_EQ(DesktopShortcuts(), std::vector<std::wstring>{L"TYX2023.lnk"});
    ExpectShortcutFromTemplate(shortcut, "2023");
    EXPECT_EQ(BytesOf(Record()), RecordFor(shortcut));
}

// A desktop deeper than the ANSI calls reach: the shortcut lands on it or a failure box says so;
// it never goes elsewhere under a closing box that says it is on the desktop.
TEST_F(IkonaMovedDesktop, DesktopLongerThan260Characters)
{
    std::wstring deep = L"C:\\users\\Public\\Plocha";
    while (deep.size() < 300)
        deep += L"\\" + std::wstring(40, L'p');
    MoveDesktopTo(deep);
    // Where the shell itself now puts the desktop, if it can say.
    const std::wstring reported = Wide(DesktopDir());
    if (!reported.empty())
        desktop_ = reported;
    ClearDesktop();
    ASSERT_NO_FATAL_FAILURE(LayOut());
    ASSERT_NO_FATAL_FAILURE(Start());
    const std::vector<Box> boxes = tool_->Click();
    ASSERT_EQ(boxes.size(), 1u);
    RecordProperty("box", Ansi(boxes[0].text));
    const std::wstring shortcut = desktop_ + L"\\TYX2023.lnk";
    if (boxes[0] == Box{kInfo, kClosingText}) {
        ExpectShortcutFromTemplate(shortcut, "2023");
        EXPECT_EQ(BytesOf(Record()), RecordFor(shortcut));
    } else {
        EXPECT_EQ(boxes[0].caption, kFailureCaption);
        EXPECT_TRUE(DesktopShortcuts().empty());
        EXPECT_FALSE(FileThere(Record()));
    }
    EXPECT_TRUE(NamesIn(deep).empty() || desktop_ == deep);
    // Nowhere else either: not in the root of the drive the tool was started on.
    EXPECT_FALSE(FileThere(L"C:\\TYX2023.lnk"));
    DeleteFileW(L"C:\\TYX2023.lnk");
}

// ---- Windows before Vista: the icon tool makes the shortcut.

class IkonaBeforeVista : public IkonaCommand {
protected:
    void SetUp() override
    {
        IkonaCommand::SetUp();
        if (!expected_.IconTool())
            GTEST_SKIP() << "Windows Vista or later";
    }
};

TEST_F(IkonaBeforeVista, StartsTheIconToolWhichPutsTheShortcutThere)
{
    ASSERT_NO_FATAL_FAILURE(LayOut(L"TYX 2023"));
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_EQ(tool_->Click(), (std::vector<Box>{{kInfo, kClosingText}}));

    const std::wstring shortcut = desktop_ + L"\\TYX2023.lnk";
    std::optional<LinkProperties> link;
    WaitUntil([&] {
        link = FileThere(shortcut) ? ReadLink(shortcut) : std::nullopt;
        return link && !link->target.empty();
    });
    ASSERT_TRUE(link) << "the icon tool put no shortcut on the desktop";
    EXPECT_EQ(link->target, programDir_ + L"\\Tyx2023.bat");
    EXPECT_EQ(link->workingDirectory, programDir_);
    EXPECT_EQ(link->iconLocation, programDir_ + L"\\TYX2023.ico");
    // "TYX 2023 - podvojné účetnictví", from the program directory's Ikon.ini
    EXPECT_EQ(link->description, L"TYX 2023 - podvojn\u00E9 \u00FA\u010Detnictv\u00ED");
    // The tool itself writes no location record there.
    EXPECT_FALSE(FileThere(Record()));
}

// In place of the icon tool a recorder notes how it was started.
class IkonaIconToolStart : public IkonaBeforeVista {
protected:
    void SetUp() override
    {
        IkonaBeforeVista::SetUp();
        if (IsSkipped())
            return;
        record_ = scratch_ / "started.txt";
        SetEnvironmentVariableA("TYX_RECORD", record_.c_str());
    }
    void TearDown() override
    {
        IkonaBeforeVista::TearDown();
        SetEnvironmentVariableA("TYX_RECORD", nullptr);
    }
    void LayOutWithRecorder(const std::wstring& where)
    {
        ASSERT_NO_FATAL_FAILURE(LayOut(where));
        ASSERT_TRUE(CopyFileW(Wide(BesideDriver("recorder.exe")).c_str(), Long(InProgramDir(L"Ikon.exe")).c_str(),
                              FALSE));
    }
    // Each line of the record, "key=value".
    std::string Recorded(const std::string& key) const
    {
        std::istringstream in(ReadBytes(record_));
        std::string line;
        while (std::getline(in, line))
            if (line.rfind(key + "=", 0) == 0)
                return line.substr(key.size() + 1);
        return {};
    }

    std::string record_;
};

TEST_F(IkonaIconToolStart, GetsItsSettingsFileQuotedAndStartsInTheProgramDirectory)
{
    LayOutWithRecorder(L"TYX 2023");
    ASSERT_NO_FATAL_FAILURE(Start());
    // On this path the year is not looked at: not even a text that is no number stops it.
    for (const wchar_t* year : {L"2023", L"abc"}) {
        SCOPED_TRACE(Ansi(year));
        DeleteFileA(record_.c_str());
        tool_->SetYear(year);
        EXPECT_EQ(tool_->Click(), (std::vector<Box>{{kInfo, kClosingText}}));
        ASSERT_TRUE(WaitUntil([&] { return FileExists(record_); })) << "the icon tool was not started";

        EXPECT_EQ(Wide(Recorded("dir")), programDir_);
        EXPECT_EQ(Recorded("show"), std::to_string(SW_SHOWNORMAL));
        int count = 0;
        LPWSTR* arguments = CommandLineToArgvW(Wide(Recorded("command")).c_str(), &count);
        ASSERT_NE(arguments, nullptr);
        ASSERT_EQ(count, 2) << Recorded("command");
        EXPECT_EQ(_wcsicmp(arguments[0], InProgramDir(L"Ikon.exe").c_str()), 0) << Ansi(arguments[0]);
        EXPECT_EQ(std::wstring(arguments[1]), InProgramDir(L"Ikon.ini"));
        LocalFree(arguments);
        EXPECT_TRUE(DesktopShortcuts().empty());
    }
}

TEST_F(IkonaIconToolStart, MissingIconToolIsNotNoticed)
{
    ASSERT_NO_FATAL_FAILURE(LayOut());
    ASSERT_TRUE(DeleteFileW(InProgramDir(L"Ikon.exe").c_str()));
    ASSERT_NO_FATAL_FAILURE(Start());
    const std::vector<Box> boxes = tool_->Click();
    // Windows may report the missing program in a box of its own; the tool's closing box comes
    // either way, and last.
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back(), (Box{kInfo, kClosingText}));
    EXPECT_TRUE(DesktopShortcuts().empty());
}

} // namespace
