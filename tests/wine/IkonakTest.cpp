// Shell link editing on copies of the product's shortcut templates, read back through the
// shell as any other program would.
#include "ComPtr.h"
#include "Exceptions.h"
#include "FmxUtils.h"
#include "Ikonak.h"
#include "OleText.h"
#include "ShellTestSupport.h"
#include "SystemError.h"
#include "TemplateTable.h"

#include <gtest/gtest.h>
#include <objidl.h>
#include <shlobj.h>

#include <string>

using namespace ShellTest;

namespace {

class EditShellLinkTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(com_.Ok());
        ASSERT_FALSE(DemoDir().empty()) << "TYX_DEMO_DIR names no demo program directory";
    }

    // A copy of a template under the name a desktop shortcut gets, made as the tool makes it.
    std::string CopyOfTemplate(const wchar_t* templateName, const std::string& name = "TYX2023.lnk")
    {
        const std::string copy = scratch_ / name;
        CopyFileChunked(DemoDir() + "\\" + Ansi(templateName), copy);
        return copy;
    }

    // What the show command of a template becomes when the shell loads and saves it unchanged.
    DWORD ShowCommandAfterPlainResave(const wchar_t* templateName)
    {
        const std::string copy = CopyOfTemplate(templateName, "resaved.lnk");
        ComPtr<IPersistFile> file;
        if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IPersistFile,
                                       file.put_void())) &&
            SUCCEEDED(file->Load(Wide(copy).c_str(), STGM_READWRITE)))
            file->Save(Wide(copy).c_str(), TRUE);
        return ShowCommandInFile(copy);
    }

    ComApartment com_;
    ScratchDir scratch_;
};

class EditShellLinkTemplate : public EditShellLinkTest,
                              public testing::WithParamInterface<Templates::Template> {};

TEST_P(EditShellLinkTemplate, SetsTargetFolderAndIconAndKeepsTheRest)
{
    const Templates::Template& entry = GetParam();
    const std::string link = CopyOfTemplate(entry.fileName);
    const auto before = ReadLink(Wide(link));
    ASSERT_TRUE(before);
    // "C:\Účetnictví\TYX": a program directory outside ASCII, converted as the tool converts it
    const std::wstring programDir = L"C:\\\u00DA\u010Detnictv\u00ED\\TYX";

    EditShellLink(Wide(link), programDir + L"\\S64v.bat", programDir, L"TYX2023.ico");

    const auto after = ReadLink(Wide(link));
    ASSERT_TRUE(after);
    EXPECT_EQ(after->target, programDir + L"\\S64v.bat");
    EXPECT_EQ(after->workingDirectory, programDir);
    EXPECT_EQ(after->iconLocation, programDir + L"\\TYX2023.ico");
    EXPECT_EQ(after->iconIndex, 0);
    EXPECT_EQ(after->arguments, before->arguments);
    EXPECT_EQ(after->description, before->description);
    EXPECT_EQ(after->hotKey, before->hotKey);
    // And they are the template's own, not some default.
    EXPECT_EQ(after->arguments, entry.arguments);
    EXPECT_EQ(after->description, entry.description);
    EXPECT_EQ(after->hotKey, entry.hotKey);
    // The show command is kept as far as the shell itself keeps it: Wine's link object forgets
    // it on loading, so there even a plain load and save writes 1.
    EXPECT_EQ(ShowCommandInFile(link), ShowCommandAfterPlainResave(entry.fileName));
}

INSTANTIATE_TEST_SUITE_P(Demo, EditShellLinkTemplate, testing::ValuesIn(Templates::kTemplates),
                         [](const auto& info) { return Driver::TestName(Ansi(info.param.fileName)); });

TEST_F(EditShellLinkTest, DriveRootGivesTwoSeparatorsBeforeTheIcon)
{
    const std::string link = CopyOfTemplate(L"TyxWin10.sss");
    EditShellLink(Wide(link), L"C:\\Tyx2023.bat", L"C:\\", L"TYX2023.ico");
    const auto after = ReadLink(Wide(link));
    ASSERT_TRUE(after);
    EXPECT_EQ(after->iconLocation, L"C:\\\\TYX2023.ico");
    EXPECT_EQ(after->workingDirectory, L"C:\\");
}

// The routine looks for neither the target nor the icon: both may be missing.
TEST_F(EditShellLinkTest, MissingTargetAndIconAreTakenAsTheyAre)
{
    const std::string link = CopyOfTemplate(L"TyxWin7.sss");
    const std::wstring dir = Wide(scratch_ / "chybi");
    EditShellLink(Wide(link), dir + L"\\Tyx2023.bat", dir, L"TYX2023.ico");
    const auto after = ReadLink(Wide(link));
    ASSERT_TRUE(after);
    EXPECT_EQ(after->target, dir + L"\\Tyx2023.bat");
    EXPECT_EQ(after->iconLocation, dir + L"\\TYX2023.ico");
}

// An edited link can be edited again: the tool's second run for a year works on a fresh copy,
// but a copy that was edited once must load as well as the template did.
TEST_F(EditShellLinkTest, EditedLinkEditsAgain)
{
    const std::string link = CopyOfTemplate(L"TyxWin8.sss");
    EditShellLink(Wide(link), L"C:\\A\\S64v.bat", L"C:\\A", L"TYX2022.ico");
    EditShellLink(Wide(link), L"D:\\B\\Tyx2023.bat", L"D:\\B", L"TYX2023.ico");
    const auto after = ReadLink(Wide(link));
    ASSERT_TRUE(after);
    EXPECT_EQ(after->target, L"D:\\B\\Tyx2023.bat");
    EXPECT_EQ(after->iconLocation, L"D:\\B\\TYX2023.ico");
    EXPECT_EQ(after->arguments, std::wstring(Templates::kTemplates[2].arguments));
}

struct BadLinkCase {
    const char* name;
    const char* relativePath; // under the scratch directory
    const char* content;      // null: no file
    HRESULT expected;         // 0: any failure
};

class EditShellLinkBadFile : public EditShellLinkTest, public testing::WithParamInterface<BadLinkCase> {};

TEST_P(EditShellLinkBadFile, RaisesOleSysErrorAndChangesNothing)
{
    const BadLinkCase& c = GetParam();
    const std::string path = scratch_ / c.relativePath;
    if (c.content)
        WriteBytes(path, c.content);

    bool raised = false;
    try {
        EditShellLink(Wide(path), L"C:\\TYX\\S64v.bat", L"C:\\TYX", L"TYX2023.ico");
    } catch (const EOleSysError& failure) {
        raised = true;
        const HRESULT code = failure.ErrorCode();
        RecordProperty("result", std::to_string(static_cast<unsigned long>(code)));
        EXPECT_TRUE(FAILED(code)) << std::hex << code;
        if (c.expected) {
            EXPECT_EQ(static_cast<unsigned>(code), static_cast<unsigned>(c.expected));
        }
        EXPECT_EQ(failure.Message(), OleErrorMessage(SystemErrorText(static_cast<std::uint32_t>(code)), code));
        EXPECT_FALSE(failure.Message().empty());
    }
    ASSERT_TRUE(raised);
    if (c.content) {
        EXPECT_EQ(ReadBytes(path), c.content);
        // Nothing of the link object still holds the file.
        EXPECT_TRUE(DeleteFileA(path.c_str()));
    } else {
        EXPECT_FALSE(PathExists(path));
    }
}

INSTANTIATE_TEST_SUITE_P(Table, EditShellLinkBadFile, testing::Values(
    BadLinkCase{"MissingFile", "TYX2023.lnk", nullptr, HRESULT(0x80070002)},
    BadLinkCase{"MissingDirectory", "chybi\\TYX2023.lnk", nullptr, HRESULT(0x80070003)},
    BadLinkCase{"TextFile", "TYX2023.lnk", "@echo off\r\nTYX2023.EXE\r\n", 0},
    BadLinkCase{"EmptyFile", "TYX2023.lnk", "", 0}),
    [](const testing::TestParamInfo<BadLinkCase>& info) { return std::string(info.param.name); });

TEST(EditShellLinkMessage, MissingFileShowsTheSystemsText)
{
    ComApartment com;
    ScratchDir dir;
    try {
        EditShellLink(Wide(dir / "TYX2023.lnk"), L"C:\\x.bat", L"C:\\", L"x.ico");
        FAIL() << "no failure";
    } catch (const EOleSysError& failure) {
        // The system's own text in the system's language, not the fallback.
        EXPECT_EQ(failure.Message(), SystemErrorText(0x80070002u));
        EXPECT_FALSE(failure.Message().empty());
        EXPECT_EQ(failure.Message().rfind("OLE error", 0), std::string::npos);
    }
}

} // namespace
