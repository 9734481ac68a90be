// The main window built inside the test process, so that the clicks its keys cause can be
// counted; the keys themselves come through the system's input, as a person types them.
#include "Exceptions.h"
#include "InProcess.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <memory>
#include <thread>

using namespace Driver;

namespace {

using namespace InProcess;

struct KeyCase {
    const char* name;
    Control focus;                  // where the focus is before the keys
    std::vector<WORD> keys;         // pressed together, released in reverse
    int setClicks;
    int iconClicks;
    bool yearChanged;               // the key went into the year field
};

const KeyCase kKeyCases[] = {
    {"N on the panel", Control::PanPodObr, {'N'}, 1, 0, false},
    {"I on the panel", Control::PanPodObr, {'I'}, 0, 1, false},
    {"Shift+N on the panel", Control::PanPodObr, {VK_SHIFT, 'N'}, 1, 0, false},
    {"I on a button", Control::BtnInstal, {'I'}, 0, 1, false},
    {"N in the year field", Control::EdRok, {'N'}, 0, 0, true},
    {"I in the year field", Control::EdRok, {'I'}, 0, 0, true},
    {"Alt+N in the year field", Control::EdRok, {VK_MENU, 'N'}, 1, 0, false},
    {"Alt+I in the year field", Control::EdRok, {VK_MENU, 'I'}, 0, 1, false},
    {"Alt+N on the panel", Control::PanPodObr, {VK_MENU, 'N'}, 1, 0, false},
    {"Enter on Nastavit", Control::BtnInstal, {VK_RETURN}, 1, 0, false},
    {"Enter on Ikona", Control::Button1, {VK_RETURN}, 0, 1, false},
    {"Space on Ikona", Control::Button1, {VK_SPACE}, 0, 1, false},
    {"Enter on the panel", Control::PanPodObr, {VK_RETURN}, 0, 0, false},
    {"Enter in the year field", Control::EdRok, {VK_RETURN}, 0, 0, false},
    {"Ctrl+Enter on Nastavit", Control::BtnInstal, {VK_CONTROL, VK_RETURN}, 0, 0, false},
    {"Esc on the panel", Control::PanPodObr, {VK_ESCAPE}, 0, 0, false},
    {"Esc in the year field", Control::EdRok, {VK_ESCAPE}, 0, 0, false},
    {"another letter on the panel", Control::PanPodObr, {'X'}, 0, 0, false},
};

class InstalKeys : public InProcessForm, public testing::WithParamInterface<KeyCase> {};

TEST_P(InstalKeys, ClickWhatTheKeyboardRulesSay)
{
    const KeyCase& c = GetParam();
    SetFocus(Get(c.focus));
    Pump();
    ASSERT_EQ(GetFocus(), Get(c.focus));
    PressKeys(c.keys);
    Pump();
    EXPECT_EQ(form_->setClicks, c.setClicks);
    EXPECT_EQ(form_->iconClicks, c.iconClicks);
    EXPECT_EQ(form_->YearText() != "2023", c.yearChanged) << form_->YearText();
    EXPECT_TRUE(IsWindowVisible(form_->Handle()));
}

INSTANTIATE_TEST_SUITE_P(Keys, InstalKeys, testing::ValuesIn(kKeyCases),
                         [](const auto& info) { return TestName(info.param.name); });

TEST_F(InProcessForm, TabRunsThroughTheControlsInTheirOrderBothWays)
{
    const Control forward[] = {Control::PanPodObr, Control::BtnInstal, Control::Button1, Control::EdRok,
                               Control::PanPodObr};
    SetFocus(Get(Control::PanPodObr));
    Pump();
    for (std::size_t i = 1; i < std::size(forward); ++i) {
        PressKeys({VK_TAB});
        Pump();
        EXPECT_EQ(GetFocus(), Get(forward[i])) << "after Tab " << i;
    }
    for (std::size_t i = std::size(forward) - 1; i-- > 0;) {
        PressKeys({VK_SHIFT, VK_TAB});
        Pump();
        EXPECT_EQ(GetFocus(), Get(forward[i])) << "after Shift+Tab back to " << i;
    }
    EXPECT_EQ(form_->setClicks + form_->iconClicks, 0);
}

TEST_F(InProcessForm, ApplicationWindowCarriesTheIconAndATrimmedSystemMenu)
{
    HWND app = Application::Handle();
    EXPECT_NE(SendMessageA(app, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(GetClassLongPtrA(app, GCLP_HICON), 0);
    HMENU menu = GetSystemMenu(app, FALSE);
    ASSERT_NE(menu, nullptr);
    for (UINT command : {SC_MAXIMIZE, SC_SIZE, SC_MOVE})
        EXPECT_EQ(GetMenuState(menu, command, MF_BYCOMMAND), static_cast<UINT>(-1)) << std::hex << command;
    for (UINT command : {SC_RESTORE, SC_MINIMIZE, SC_CLOSE})
        EXPECT_NE(GetMenuState(menu, command, MF_BYCOMMAND), static_cast<UINT>(-1)) << std::hex << command;
    // The main window shows the same icon.
    EXPECT_NE(GetClassLongPtrA(form_->Handle(), GCLP_HICON), 0);
}

TEST_F(InProcessForm, YearFieldTakesAnyTextWithoutLimit)
{
    SetFocus(Get(Control::EdRok));
    SendMessageA(Get(Control::EdRok), EM_SETSEL, 0, -1);
    PressKeys({'A'});
    Pump();
    std::string typed(300, 'x');
    SendMessageA(Get(Control::EdRok), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(typed.c_str()));
    EXPECT_EQ(form_->YearText(), "a" + typed);
}

struct FailureCase {
    const char* message;
    const wchar_t* shown;
};

// The period rule, read back from the box as Unicode: the Czech letters reach it in 1250.
const FailureCase kFailureCases[] = {
    {"File not found", L"File not found."},
    {"Hotovo.", L"Hotovo."},
    {"Pozor!", L"Pozor!"},
    {"Opravdu?", L"Opravdu?."},
    {"Chyba ve v\xFDpo\xE8tu", L"Chyba ve v\u00fdpo\u010dtu."},
    {"Soubor (C:\\config.nt)", L"Soubor (C:\\config.nt)"},
    {"", L""},
};

class InstalFailureBox : public InProcessForm, public testing::WithParamInterface<FailureCase> {};

TEST_P(InstalFailureBox, ShowsTheTextWithThePeriodRuleAndGivesTheWindowBack)
{
    struct Seen {
        std::wstring text, caption;
        bool formDisabled = false;
        bool ownedByApplication = false;
        bool found = false;
    } seen;
    HWND form = form_->Handle();
    std::thread reader([&] {
        HWND box = WaitForDialog(GetCurrentProcessId());
        if (!box)
            return;
        seen.found = true;
        seen.text = MessageBoxText(box);
        seen.caption = TextOf(box);
        seen.formDisabled = !IsWindowEnabled(form);
        seen.ownedByApplication = GetWindow(box, GW_OWNER) == Application::Handle();
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    ShowFailureBox(Exception(GetParam().message));
    reader.join();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.text, GetParam().shown);
    EXPECT_EQ(seen.caption, L"VELUK TYX");
    EXPECT_TRUE(seen.formDisabled);
    EXPECT_TRUE(seen.ownedByApplication);
    EXPECT_TRUE(IsWindowEnabled(form));
    Pump();
    EXPECT_EQ(GetActiveWindow(), form);
}

INSTANTIATE_TEST_SUITE_P(Texts, InstalFailureBox, testing::ValuesIn(kFailureCases));

} // namespace
