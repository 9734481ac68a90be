// The product's files in the demo program directory, as the setup tool finds them there.
#include "Driver.h"
#include "FmxUtils.h"
#include "ShellTestSupport.h"
#include "TemplateTable.h"

#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <string>

using namespace ShellTest;

namespace {

class DemoFiles : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(com_.Ok());
        demo_ = DemoDir();
        ASSERT_FALSE(demo_.empty()) << "TYX_DEMO_DIR names no demo program directory";
    }

    ComApartment com_;
    std::string demo_;
};

class DemoTemplate : public DemoFiles, public testing::WithParamInterface<Templates::Template> {};

TEST_P(DemoTemplate, IsAShellLinkWithItsOwnProperties)
{
    const Templates::Template& entry = GetParam();
    const std::string path = demo_ + "\\" + Ansi(entry.fileName);
    const auto link = ReadLink(Wide(path));
    ASSERT_TRUE(link) << path;
    EXPECT_EQ(link->target, entry.target);
    EXPECT_EQ(link->arguments, entry.arguments);
    EXPECT_EQ(link->workingDirectory, entry.workingDirectory);
    EXPECT_EQ(link->description, entry.description);
    EXPECT_EQ(link->iconLocation, entry.iconLocation);
    EXPECT_EQ(link->iconIndex, entry.iconIndex);
    EXPECT_EQ(link->hotKey, entry.hotKey);
    EXPECT_EQ(ShowCommandInFile(path), static_cast<DWORD>(entry.showCommand));
}

INSTANTIATE_TEST_SUITE_P(Demo, DemoTemplate, testing::ValuesIn(Templates::kTemplates),
                         [](const auto& info) { return Driver::TestName(Ansi(info.param.fileName)); });

// A template that looked like another would let a mix-up in the choice of template pass unseen.
TEST_F(DemoFiles, TemplatesDifferFromEachOther)
{
    std::set<std::wstring> arguments, descriptions;
    std::set<WORD> hotKeys;
    for (const Templates::Template& entry : Templates::kTemplates) {
        const auto link = ReadLink(Wide(demo_ + "\\" + Ansi(entry.fileName)));
        ASSERT_TRUE(link);
        arguments.insert(link->arguments);
        descriptions.insert(link->description);
        hotKeys.insert(link->hotKey);
    }
    EXPECT_EQ(arguments.size(), std::size(Templates::kTemplates));
    EXPECT_EQ(descriptions.size(), std::size(Templates::kTemplates));
    EXPECT_EQ(hotKeys.size(), std::size(Templates::kTemplates));
}

TEST_F(DemoFiles, BatchFilesAreDosTexts)
{
    for (const char* name : {"Tyx2023.bat", "S64v.bat"}) {
        SCOPED_TRACE(name);
        const std::string text = ReadBytes(demo_ + "\\" + name);
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(text.rfind("@echo off\r\n", 0), 0u);
        EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
        for (std::size_t i = 0; i < text.size(); ++i)
            if (text[i] == '\n') {
                ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at " << i;
            }
    }
}

TEST_F(DemoFiles, YearsIconLoadsInEverySizeTheShellAsksFor)
{
    const std::string icon = demo_ + "\\TYX2023.ico";
    for (int size : {16, 32, 48}) {
        SCOPED_TRACE(size);
        HICON loaded = static_cast<HICON>(LoadImageA(nullptr, icon.c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE));
        ASSERT_NE(loaded, nullptr);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(loaded, &info));
        BITMAP bitmap{};
        GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, size);
        if (info.hbmColor)
            DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(loaded);
    }
}

// The icon tool, started the way the setup tool starts it on Windows before Vista, or by hand
// in the program directory, puts the year's shortcut on the desktop.
struct IconToolCase {
    const char* name;
    bool settingsAsParameter;
};

class DemoIconTool : public DemoFiles, public testing::WithParamInterface<IconToolCase> {};

TEST_P(DemoIconTool, PutsTheYearsShortcutOnTheDesktop)
{
    const std::string desktop = DesktopDir();
    ASSERT_FALSE(desktop.empty());
    const std::string shortcut = desktop + "\\TYX2023.lnk";
    DeleteFileA(shortcut.c_str());

    const std::string parameters = GetParam().settingsAsParameter ? "\"" + demo_ + "\\Ikon.ini\"" : "";
    ShellExecuteFile(demo_ + "\\Ikon.exe", parameters, demo_, SW_SHOWNORMAL);

    // The icon tool runs on its own; its shortcut is done once it reads back with a target.
    std::optional<LinkProperties> link;
    Driver::WaitUntil([&] {
        if (FileExists(shortcut))
            link = ReadLink(Wide(shortcut));
        return link && !link->target.empty();
    }, 20000);
    ASSERT_TRUE(link) << "no shortcut on the desktop";
    const std::wstring dir = Wide(demo_);
    EXPECT_EQ(link->target, dir + L"\\Tyx2023.bat");
    EXPECT_EQ(link->workingDirectory, dir);
    EXPECT_EQ(link->iconLocation, dir + L"\\TYX2023.ico");
    EXPECT_EQ(link->iconIndex, 0);
    // "TYX 2023 - podvojné účetnictví", read from the settings file in Windows-1250
    EXPECT_EQ(link->description, L"TYX 2023 - podvojn\u00E9 \u00FA\u010Detnictv\u00ED");
    DeleteFileA(shortcut.c_str());
}

INSTANTIATE_TEST_SUITE_P(Ways, DemoIconTool, testing::Values(
    IconToolCase{"SettingsFileAsParameter", true},
    IconToolCase{"SettingsFileInTheWorkingDirectory", false}),
    [](const testing::TestParamInfo<IconToolCase>& info) { return std::string(info.param.name); });

TEST_F(DemoFiles, IconToolWithoutItsSettingsSaysSoAndPutsNothingOnTheDesktop)
{
    const std::string desktop = DesktopDir();
    ScratchDir dir;
    const std::string settings = dir / "Ikon.ini";
    Driver::ChildProcess tool("\"" + demo_ + "\\Ikon.exe\" \"" + settings + "\"");
    ASSERT_TRUE(tool.Started());

    HWND box = Driver::WaitForDialog(tool.Id());
    ASSERT_NE(box, nullptr);
    // "Ikonu programu TYX nelze vytvořit." ... "Nenalezen soubor ..."
    EXPECT_EQ(Driver::MessageBoxText(box), L"Ikonu programu TYX nelze vytvo\u0159it.\r\n\r\nNenalezen soubor " +
                                               Wide(settings) + L".");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(tool.WaitExit(), 1u);
    EXPECT_FALSE(PathExists(desktop + "\\TYX2023.lnk"));
}

} // namespace
