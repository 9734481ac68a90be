// The setup tool as a person meets it: started as its own process, looked at and driven from
// outside through the desktop.
#include "Driver.h"
#include "Scaling.h"

#include <gtest/gtest.h>

#include <string>

using namespace Driver;

namespace {

constexpr char kAppClass[] = "TyxApplication";
constexpr char kFormClass[] = "TInstFormTYX";
const std::wstring kCaption = L"Nastaven\u00ed  files a z\u00e1stupce  pro program TYX";

struct ExpectedControl {
    const char* name;
    int id;
    int parentId; // 0: the main window
    const char* className;
    int left, top, width, height;
    const wchar_t* text; // null: not compared
    bool tabStop;
};

// The layout at 96 pixels per inch, as the tool's users know the window.
const ExpectedControl kLayout[] = {
    {"HlPanel", 100, 0, "TyxPanel", 0, 0, 512, 319, L"", false},
    {"ImageTyx", 101, 100, "TyxPicture", 6, 6, 78, 305, nullptr, false},
    {"Image1", 102, 100, "TyxPicture", 86, 1, 423, 248, nullptr, false},
    {"PanPodObr", 103, 100, "TyxPanel", 86, 247, 422, 65, L"", true},
    {"Label2", 104, 103, "Static", 14, 15, 209, 13, L"Nastaven\u00ed parametru FILES na hodnotu 211", false},
    {"Label1", 105, 103, "Static", 16, 38, 196, 13, L"Vytvo\u0159it z\u00e1stupce programu TYX na plo\u0161e", false},
    {"BtnInstal", 106, 103, "Button", 325, 13, 81, 20, L"&Nastavit", true},
    {"Button1", 107, 103, "Button", 325, 37, 81, 20, L"&Ikona", true},
    {"EdRok", 108, 103, "Edit", 265, 35, 35, 21, L"2023", true},
};

bool SameClass(const std::string& actual, const char* expected)
{
    return _stricmp(actual.c_str(), expected) == 0;
}

// One running copy of the tool and its two windows.
class RunningTool {
public:
    explicit RunningTool(int showCommand = -1) : process_(Command(), showCommand)
    {
        app_ = WaitFor([&] {
            HWND app = TopLevelWindow(process_.Id(), kAppClass);
            return app && TextOf(app) == L"VELUK TYX" ? app : nullptr;
        });
        form_ = WaitFor([&] { return TopLevelWindow(process_.Id(), kFormClass); });
    }

    static std::string Command() { return "\"" + BesideDriver("Instal.exe") + "\""; }

    ChildProcess& Process() { return process_; }
    HWND App() const { return app_; }
    HWND Form() const { return form_; }
    HWND Control(int id) const { return ChildById(form_, id); }
    bool Ready() const { return app_ && form_; }

private:
    ChildProcess process_;
    HWND app_ = nullptr;
    HWND form_ = nullptr;
};

int ScreenDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// The height of "0" in the main window's font at this resolution, measured as the tool measures it.
int MeasuredTextHeight(int dpi)
{
    HFONT font = CreateFontA(FontHeightForResolution(-11, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif");
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, font);
    SIZE size{};
    GetTextExtentPoint32A(screen, "0", 1, &size);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    DeleteObject(font);
    return size.cy;
}

LayoutScale ExpectedScale()
{
    const int dpi = ScreenDpi();
    return dpi == kDesignPixelsPerInch ? LayoutScale{} : ScaleForResolution(dpi, MeasuredTextHeight(dpi));
}

} // namespace

TEST(InstalStart, ShowsTheMainWindowCentredWithItsApplicationWindow)
{
    RunningTool tool;
    ASSERT_TRUE(tool.Ready());

    EXPECT_EQ(TextOf(tool.Form()), kCaption);
    EXPECT_EQ(GetWindow(tool.Form(), GW_OWNER), tool.App());
    EXPECT_TRUE(IsWindowVisible(tool.Form()));

    const LONG style = GetWindowLongA(tool.Form(), GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));

    const LayoutScale scale = ExpectedScale();
    const RECT client = ClientOnScreen(tool.Form());
    EXPECT_EQ(client.right - client.left, scale.Apply(512));
    EXPECT_EQ(client.bottom - client.top, scale.Apply(319));

    RECT frame{};
    GetWindowRect(tool.Form(), &frame);
    EXPECT_EQ(frame.left, (GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2);
    EXPECT_EQ(frame.top, (GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2);

    // The application window carries the taskbar button: unowned, visible, 0 x 0 at the centre.
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(tool.App(), GWL_STYLE)) & ~WS_VISIBLE, 0x84CA0000u);
    EXPECT_TRUE(IsWindowVisible(tool.App()));
    EXPECT_EQ(GetWindow(tool.App(), GW_OWNER), nullptr);
    RECT app{};
    GetWindowRect(tool.App(), &app);
    EXPECT_EQ(app.right - app.left, 0);
    EXPECT_EQ(app.bottom - app.top, 0);
    EXPECT_EQ(app.left, GetSystemMetrics(SM_CXSCREEN) / 2);
    EXPECT_EQ(app.top, GetSystemMetrics(SM_CYSCREEN) / 2);
    // The keyboard focus starts on the lower panel.
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(tool.Form()) == tool.Control(103); }))
        << ClassOf(FocusOf(tool.Form()));

    SendMessageA(tool.App(), WM_CLOSE, 0, 0);
    EXPECT_EQ(tool.Process().WaitExit(), 0u);
}

TEST(InstalStart, EveryControlSitsWhereTheLayoutPutsIt)
{
    RunningTool tool;
    ASSERT_TRUE(tool.Ready());
    const LayoutScale scale = ExpectedScale();
    for (const ExpectedControl& expected : kLayout) {
        SCOPED_TRACE(expected.name);
        HWND control = tool.Control(expected.id);
        ASSERT_NE(control, nullptr);
        HWND parent = expected.parentId ? tool.Control(expected.parentId) : tool.Form();
        EXPECT_EQ(GetParent(control), parent);
        EXPECT_TRUE(SameClass(ClassOf(control), expected.className)) << ClassOf(control);
        const RECT rect = RectInParent(control);
        EXPECT_EQ(rect.left, scale.Apply(expected.left));
        EXPECT_EQ(rect.top, scale.Apply(expected.top));
        EXPECT_EQ(rect.right - rect.left, scale.Apply(expected.width));
        EXPECT_EQ(rect.bottom - rect.top, scale.Apply(expected.height));
        if (expected.text) {
            EXPECT_EQ(TextOf(control), expected.text);
        }
        EXPECT_EQ((GetWindowLongA(control, GWL_STYLE) & WS_TABSTOP) != 0, expected.tabStop);
    }
    // No button is the default one.
    for (int id : {106, 107})
        EXPECT_EQ(GetWindowLongA(tool.Control(id), GWL_STYLE) & BS_DEFPUSHBUTTON, 0);
}

// The pictures keep their own size at any resolution: what the box has beyond them shows the
// panel's colour.
TEST(InstalStart, PicturesAreDrawnUnscaledAtTheTopLeft)
{
    RunningTool tool;
    ASSERT_TRUE(tool.Ready());
    SetForegroundWindow(tool.Form());
    // The screen shows the pictures once the window is in front, both boxes are painted (no
    // update region left) and the tool has come back to its message loop, where Wine puts what
    // a window drew on the screen.
    ASSERT_TRUE(WaitUntil([&] {
        return GetForegroundWindow() == tool.Form() && !GetUpdateRect(tool.Control(101), nullptr, FALSE) &&
               !GetUpdateRect(tool.Control(102), nullptr, FALSE) && WaitIdle(tool.Form());
    }));
    HDC screen = GetDC(nullptr);
    auto pixel = [&](int id, int x, int y) {
        POINT p{x, y};
        ClientToScreen(tool.Control(id), &p);
        return GetPixel(screen, p.x, p.y);
    };
    const COLORREF panel = GetSysColor(COLOR_GRADIENTINACTIVECAPTION);
    struct Probe {
        const char* where;
        int id, x, y;
        bool panelColour;
    };
    const Probe probes[] = {
        {"banner, inside", 101, 70, 150, false},
        {"banner, right of it", 101, 77, 150, true},
        {"banner, below it", 101, 38, 304, true},
        {"photo, inside", 102, 200, 100, false},
    };
    for (const Probe& probe : probes)
        EXPECT_EQ(pixel(probe.id, probe.x, probe.y) == panel, probe.panelColour) << probe.where;
    // At a higher resolution the boxes grow and the pictures do not.
    RECT box{};
    GetClientRect(tool.Control(101), &box);
    if (box.right > 80) {
        EXPECT_EQ(pixel(101, box.right - 2, 150), panel) << "banner stretched";
    }
    GetClientRect(tool.Control(102), &box);
    if (box.right > 430) {
        EXPECT_EQ(pixel(102, 428, 50), panel) << "photo stretched";
    }
    ReleaseDC(nullptr, screen);
    SendMessageA(tool.App(), WM_CLOSE, 0, 0);
    EXPECT_EQ(tool.Process().WaitExit(), 0u);
}

TEST(InstalStart, StartCommandsMinimiseOrMaximise)
{
    {
        RunningTool minimised(SW_SHOWMINNOACTIVE);
        ASSERT_TRUE(minimised.App());
        EXPECT_TRUE(WaitUntil([&] { return IsIconic(minimised.App()) != FALSE; }));
        EXPECT_TRUE(IsWindowVisible(minimised.App()));
        EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(minimised.Form()); }));
        SendMessageA(minimised.App(), WM_CLOSE, 0, 0);
        EXPECT_EQ(minimised.Process().WaitExit(), 0u);
    }
    {
        RunningTool maximised(SW_SHOWMAXIMIZED);
        ASSERT_TRUE(maximised.Ready());
        EXPECT_TRUE(WaitUntil([&] { return IsZoomed(maximised.Form()) != FALSE; }));
        SendMessageA(maximised.App(), WM_CLOSE, 0, 0);
        EXPECT_EQ(maximised.Process().WaitExit(), 0u);
    }
}

TEST(InstalStart, SecondCopyRestoresTheFirstAndEndsWithZero)
{
    RunningTool first;
    ASSERT_TRUE(first.Ready());
    RECT before{};
    GetWindowRect(first.Form(), &before);

    // The focus moves on to "&Nastavit" before the tool is minimised; it must come back there.
    HWND focus = WaitFocusInside(first.Form());
    ASSERT_NE(focus, nullptr);
    PostMessageA(focus, WM_KEYDOWN, VK_TAB, 0);
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(first.Form()) == first.Control(106); }));
    SendMessageA(first.App(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(first.App()) && !IsWindowVisible(first.Form()); }));

    ChildProcess second(RunningTool::Command());
    ASSERT_TRUE(second.Started());
    EXPECT_EQ(second.WaitExit(), 0u);
    EXPECT_TRUE(TopLevelWindows(second.Id(), kFormClass).empty());

    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(first.App()) && IsWindowVisible(first.Form()); }));
    RECT after{};
    GetWindowRect(first.Form(), &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(first.Form()) == first.Control(106); }))
        << ClassOf(FocusOf(first.Form()));
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == first.Form(); }));

    SendMessageA(first.App(), WM_CLOSE, 0, 0);
    EXPECT_EQ(first.Process().WaitExit(), 0u);
}

TEST(InstalStart, SecondCopyBringsTheFirstToTheFront)
{
    RunningTool first;
    ASSERT_TRUE(first.Ready());
    // Another program's window in front of the tool.
    HWND other = CreateWindowExA(0, "STATIC", "in front", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 600,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
    SetForegroundWindow(other);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == other; }));

    ChildProcess second(RunningTool::Command());
    EXPECT_EQ(second.WaitExit(), 0u);
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == first.Form(); }))
        << ClassOf(GetForegroundWindow());
    DestroyWindow(other);

    SendMessageA(first.App(), WM_CLOSE, 0, 0);
    EXPECT_EQ(first.Process().WaitExit(), 0u);
}

struct CloseWay {
    const char* name;
    void (*close)(const RunningTool& tool);
};

const CloseWay kCloseWays[] = {
    {"close box", [](const RunningTool& t) { PostMessageA(t.Form(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
    {"WM_CLOSE to the main window", [](const RunningTool& t) { PostMessageA(t.Form(), WM_CLOSE, 0, 0); }},
    {"Close of the taskbar button", [](const RunningTool& t) { PostMessageA(t.App(), WM_CLOSE, 0, 0); }},
    {"session end", [](const RunningTool& t) { PostMessageA(t.App(), WM_ENDSESSION, TRUE, 0); }},
    {"Alt+F4", [](const RunningTool& t) {
         SetForegroundWindow(t.Form());
         WaitUntil([&] { return GetForegroundWindow() == t.Form(); });
         PressKeys({VK_MENU, VK_F4});
     }},
};

class InstalClose : public testing::TestWithParam<CloseWay> {};

TEST_P(InstalClose, EndsWithZeroAndTheNextStartIsAFirstCopy)
{
    {
        RunningTool tool;
        ASSERT_TRUE(tool.Ready());
        GetParam().close(tool);
        EXPECT_EQ(tool.Process().WaitExit(), 0u);
    }
    RunningTool again;
    EXPECT_TRUE(again.Ready());
    SendMessageA(again.App(), WM_CLOSE, 0, 0);
    EXPECT_EQ(again.Process().WaitExit(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Ways, InstalClose, testing::ValuesIn(kCloseWays),
                         [](const auto& info) { return TestName(info.param.name); });
