// The tool's question dialog, shown on the test's own thread while a second thread looks at it
// and answers it as a person would.
#include "FunkcInstTyxForms.h"
#include "InProcess.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>

using namespace Driver;
using namespace InProcess;

namespace {

constexpr std::uint16_t kOkCancel = 1 << 2 | 1 << 3;
constexpr std::uint16_t kYesNoCancel = 1 << 0 | 1 << 1 | 1 << 3;
constexpr std::uint16_t kYesNo = 1 << 0 | 1 << 1;

struct Seen {
    bool found = false;
    std::wstring caption;
    std::vector<std::wstring> captions;
    std::vector<RECT> buttonRects;
    RECT client{};
    RECT messageRect{};
    std::wstring message;
    std::wstring focused;
    bool mainDisabled = false;
    bool ownedByApplication = false;
    bool hasIcon = false;
};

HWND FindDialog()
{
    return WaitFor([] {
        for (HWND w : TopLevelWindows(GetCurrentProcessId(), "TMessageForm"))
            if (IsWindowVisible(w))
                return w;
        return HWND(nullptr);
    });
}

// A second thread that finds the dialog and does what a person would; should the dialog stay
// open afterwards it is closed, so that a dialog ignoring the answer cannot hang the run.
std::thread Person(std::function<void(HWND dialog)> act)
{
    return std::thread([act = std::move(act)] {
        HWND dialog = FindDialog();
        if (!dialog)
            return;
        act(dialog);
        if (!WaitUntil([&] { return !IsWindowVisible(dialog); }, 5000))
            PostMessageA(dialog, WM_CLOSE, 0, 0);
    });
}

Seen Look(HWND dialog, HWND mainWindow)
{
    Seen seen;
    seen.found = true;
    seen.caption = TextOf(dialog);
    GetClientRect(dialog, &seen.client);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::string cls = ClassOf(child);
        if (_stricmp(cls.c_str(), "Button") == 0) {
            seen.captions.push_back(TextOf(child));
            RECT r{};
            GetWindowRect(child, &r);
            MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
            seen.buttonRects.push_back(r);
        } else if (_stricmp(cls.c_str(), "Static") == 0) {
            if (GetWindowLongA(child, GWL_STYLE) & SS_ICON) {
                seen.hasIcon = true;
            } else {
                seen.message = TextOf(child);
                GetWindowRect(child, &seen.messageRect);
                MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&seen.messageRect), 2);
            }
        }
    }
    seen.focused = TextOf(WaitFocusInside(dialog));
    seen.mainDisabled = !IsWindowEnabled(mainWindow);
    seen.ownedByApplication = GetWindow(dialog, GW_OWNER) == Application::Handle();
    return seen;
}

struct AnswerCase {
    const char* name;
    std::uint16_t buttons;
    int defaultResult;
    std::vector<std::wstring> captions;
    const wchar_t* focusedAtStart;
    std::function<void(HWND dialog)> answer;
    int result;
};

void Keys(std::vector<WORD> keys)
{
    PressKeys(keys);
}

const AnswerCase kAnswers[] = {
    {"Enter chooses OK", kOkCancel, 7, {L"OK", L"&Storno"}, L"OK", [](HWND) { Keys({VK_RETURN}); }, 1},
    {"Esc gives 2", kOkCancel, 7, {L"OK", L"&Storno"}, L"OK", [](HWND) { Keys({VK_ESCAPE}); }, 2},
    {"the close box gives 2", kOkCancel, 7, {L"OK", L"&Storno"}, L"OK",
     [](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, 2},
    {"Alt+F4 gives 2", kOkCancel, 7, {L"OK", L"&Storno"}, L"OK", [](HWND) { Keys({VK_MENU, VK_F4}); }, 2},
    {"Tab then Enter chooses Storno", kOkCancel, 7, {L"OK", L"&Storno"}, L"OK",
     [](HWND d) {
         Keys({VK_TAB});
         // Enter goes where the focus is once Tab has moved it.
         WaitUntil([&] { return TextOf(WaitFocusInside(d)) == L"&Storno"; });
         Keys({VK_RETURN});
     },
     2},
    {"S chooses Storno", kOkCancel, 7, {L"OK", L"&Storno"}, L"OK", [](HWND) { Keys({'S'}); }, 2},
    {"Alt+S chooses Storno", kOkCancel, 7, {L"OK", L"&Storno"}, L"OK", [](HWND) { Keys({VK_MENU, 'S'}); }, 2},
    {"a click on Storno", kOkCancel, 7, {L"OK", L"&Storno"}, L"OK",
     [](HWND d) {
         for (HWND c = GetWindow(d, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
             if (TextOf(c) == L"&Storno")
                 PostMessageA(c, BM_CLICK, 0, 0);
     },
     2},
    {"default 1 starts on OK", kOkCancel, 1, {L"OK", L"&Storno"}, L"OK", [](HWND) { Keys({VK_RETURN}); }, 1},
    {"default 2 starts on Storno", kOkCancel, 2, {L"OK", L"&Storno"}, L"&Storno", [](HWND) { Keys({VK_RETURN}); }, 2},
    {"Yes No Cancel starts on Ne", kYesNoCancel, 7, {L"&Ano", L"&Ne", L"&Storno"}, L"&Ne",
     [](HWND) { Keys({VK_RETURN}); }, 7},
    {"Yes No Cancel: Esc is Storno", kYesNoCancel, 7, {L"&Ano", L"&Ne", L"&Storno"}, L"&Ne",
     [](HWND) { Keys({VK_ESCAPE}); }, 2},
    {"Yes No Cancel: A is Ano", kYesNoCancel, 7, {L"&Ano", L"&Ne", L"&Storno"}, L"&Ne", [](HWND) { Keys({'A'}); }, 6},
    {"Yes No: Esc is Ne", kYesNo, 6, {L"&Ano", L"&Ne"}, L"&Ano", [](HWND) { Keys({VK_ESCAPE}); }, 7},
};

class CzechDialog : public InProcessForm, public testing::WithParamInterface<AnswerCase> {};

TEST_P(CzechDialog, AnswersAsTheButtonRulesSay)
{
    const AnswerCase& c = GetParam();
    Seen seen;
    HWND main = form_->Handle();
    std::thread person = Person([&](HWND dialog) {
        seen = Look(dialog, main);
        c.answer(dialog);
    });
    const int result = CzechMessageDlg("Dotaz", "Nastavit parametr Files na hodnotu 211?",
                                       MessageDlg::DlgType::Custom, c.buttons, c.defaultResult, 0);
    person.join();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(seen.caption, L"Dotaz");
    EXPECT_EQ(seen.message, L"Nastavit parametr Files na hodnotu 211?");
    EXPECT_EQ(seen.captions, c.captions);
    EXPECT_EQ(seen.focused, c.focusedAtStart);
    EXPECT_TRUE(seen.mainDisabled);
    EXPECT_TRUE(seen.ownedByApplication);
    EXPECT_FALSE(seen.hasIcon);
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_TRUE(TopLevelWindows(GetCurrentProcessId(), "TMessageForm").empty()) << "the dialog was not destroyed";

    // One row of equal buttons, centred, inside the dialog, below the whole message.
    ASSERT_EQ(seen.buttonRects.size(), c.captions.size());
    const RECT& first = seen.buttonRects.front();
    const RECT& last = seen.buttonRects.back();
    for (const RECT& r : seen.buttonRects) {
        EXPECT_EQ(r.right - r.left, first.right - first.left);
        EXPECT_EQ(r.top, first.top);
        EXPECT_GE(r.top, seen.messageRect.bottom);
        EXPECT_LE(r.bottom, seen.client.bottom);
    }
    EXPECT_LE(std::abs(first.left - (seen.client.right - last.right)), 1);
    EXPECT_GE(seen.messageRect.left, 0);
    EXPECT_LE(seen.messageRect.right, seen.client.right);
}

INSTANTIATE_TEST_SUITE_P(Answers, CzechDialog, testing::ValuesIn(kAnswers),
                         [](const auto& info) { return TestName(info.param.name); });

std::string ClipboardText()
{
    std::string text;
    if (!OpenClipboard(nullptr))
        return "<no clipboard>";
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(GlobalLock(data))) {
            text = p;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

TEST_F(InProcessForm, CtrlCCopiesTheDialogText)
{
    std::string copied;
    std::thread person = Person([&](HWND dialog) {
        WaitFocusInside(dialog);
        if (OpenClipboard(nullptr)) {
            EmptyClipboard();
            CloseClipboard();
        }
        PressKeys({VK_CONTROL, 'C'});
        // The dialog holds the clipboard open from emptying it to setting the text.
        WaitUntil([&] {
            copied = ClipboardText();
            return !copied.empty() && copied != "<no clipboard>";
        });
        PressKeys({VK_ESCAPE});
    });
    const int result = CzechMessageDlg("Dotaz", "Nastavit parametr Files na hodnotu 211?",
                                       MessageDlg::DlgType::Custom, kOkCancel, 7, 0);
    person.join();
    EXPECT_EQ(result, 2);
    const std::string dashes = "---------------------------\r\n";
    EXPECT_EQ(copied, dashes + "Dotaz\r\n" + dashes + "Nastavit parametr Files na hodnotu 211?\r\n" + dashes +
                          "OK   Storno   \r\n" + dashes);
}

TEST_F(InProcessForm, ALongMessageWrapsWithinHalfTheScreenAndAnIconShows)
{
    std::string message;
    for (int i = 0; i < 60; ++i)
        message += "slovo ";
    Seen seen;
    HWND main = form_->Handle();
    std::thread person = Person([&](HWND dialog) {
        seen = Look(dialog, main);
        PressKeys({VK_RETURN});
    });
    const int result = CzechMessageDlg("Pozor", message, MessageDlg::DlgType::Warning, kYesNo, 6, 0);
    person.join();
    EXPECT_EQ(result, 6);
    EXPECT_TRUE(seen.hasIcon);
    EXPECT_LE(seen.messageRect.right - seen.messageRect.left, GetSystemMetrics(SM_CXSCREEN) / 2);
    EXPECT_GT(seen.messageRect.bottom - seen.messageRect.top, 20) << "not wrapped";
    EXPECT_LE(seen.messageRect.right, seen.client.right);
}

} // namespace
