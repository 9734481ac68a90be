#include "uInstal.h"

#include "Application.h"
#include "Exceptions.h"
#include "FmxUtils.h"
#include "FunkcInstTyx.h"
#include "FunkcInstTyxForms.h"
#include "JpegPicture.h"
#include "Panels.h"
#include "Scaling.h"
#include "ShortcutRules.h"
#include "SystemQueries.h"
#include "Texts.h"

#include <algorithm>
#include <cctype>
#include <vector>

TInstFormTYX* InstFormTYX = nullptr;
UINT ActivationMessage = 0;

namespace {

constexpr char kFormClass[] = "TInstFormTYX";
constexpr char kFontFace[] = "MS Sans Serif";
constexpr int kFormFontHeight = -11;
constexpr int kClientWidth = 512;
constexpr int kClientHeight = 319;
constexpr DWORD kFormStyle = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = 0;
constexpr int kFirstControlId = 100;
constexpr std::uint16_t kOkCancel = 12; // the OK and Cancel buttons
constexpr int kNoResult = 7;            // the result of No, which the question has not

WNDPROC previousWndProc = nullptr;

enum class Kind { Panel, Picture, Label, Button, Edit };

struct ControlFont {
    int height; // 0: the control has no font of its own
    bool bold;
};

constexpr int kNoTab = -1;
constexpr Control kForm = Control::Count; // parent: the main window itself

struct ControlRow {
    Control id;
    Kind kind;
    Control parent;
    int left, top, width, height;
    const char* text;
    ControlFont font;
    int tabIndex; // within the parent; kNoTab: not a tab stop
    Panels::Bevel bevel;
    const char* picture;                // resource name of a picture
    void (TInstFormTYX::*onClick)();    // a button's action
};

} // namespace

// The control table names the protected click handlers; a pointer to a protected member may be
// taken only through a derived class.
struct FormHandlers : TInstFormTYX {
    static constexpr auto kSet = &FormHandlers::BtnInstalClick;
    static constexpr auto kIcon = &FormHandlers::Button1Click;
};

namespace {

using Panels::Bevel;

// The main window's layout at 96 pixels per inch; positions relative to the parent's client area.
const ControlRow kControls[] = {
    {Control::HlPanel, Kind::Panel, kForm, 0, 0, 512, 319, "", {0, false}, kNoTab, Bevel::None, nullptr, nullptr},
    {Control::ImageTyx, Kind::Picture, Control::HlPanel, 6, 6, 78, 305, "", {0, false}, kNoTab, Bevel::None, "BANNER", nullptr},
    {Control::Image1, Kind::Picture, Control::HlPanel, 86, 1, 423, 248, "", {0, false}, kNoTab, Bevel::None, "PHOTO", nullptr},
    {Control::PanPodObr, Kind::Panel, Control::HlPanel, 86, 247, 422, 65, "", {0, false}, 0, Bevel::RaisedOuterLoweredInner, nullptr, nullptr},
    {Control::Label2, Kind::Label, Control::PanPodObr, 14, 15, 209, 13, Texts::kLabelFiles, {-12, false}, kNoTab, Bevel::None, nullptr, nullptr},
    {Control::Label1, Kind::Label, Control::PanPodObr, 16, 38, 196, 13, Texts::kLabelShortcut, {-12, false}, kNoTab, Bevel::None, nullptr, nullptr},
    {Control::BtnInstal, Kind::Button, Control::PanPodObr, 325, 13, 81, 20, Texts::kButtonSet, {-11, false}, 0, Bevel::None, nullptr, FormHandlers::kSet},
    {Control::Button1, Kind::Button, Control::PanPodObr, 325, 37, 81, 20, Texts::kButtonIcon, {-11, false}, 1, Bevel::None, nullptr, FormHandlers::kIcon},
    {Control::EdRok, Kind::Edit, Control::PanPodObr, 265, 35, 35, 21, Texts::kInitialYear, {-11, true}, 2, Bevel::None, nullptr, nullptr},
};

const ControlRow& RowOf(Control control)
{
    return kControls[static_cast<std::size_t>(control)];
}

static_assert(std::size(kControls) == static_cast<std::size_t>(Control::Count));

// The tab order: the tab stops of each parent by their tab index, each followed by its own
// children's tab stops, so the lower panel comes before its buttons and field.
void CollectTabOrder(Control parent, std::vector<Control>& order)
{
    std::vector<const ControlRow*> children;
    for (const ControlRow& row : kControls)
        if (row.parent == parent)
            children.push_back(&row);
    std::stable_sort(children.begin(), children.end(),
                     [](const ControlRow* a, const ControlRow* b) { return a->tabIndex < b->tabIndex; });
    for (const ControlRow* child : children) {
        if (child->tabIndex != kNoTab)
            order.push_back(child->id);
        CollectTabOrder(child->id, order);
    }
}

const std::vector<Control>& TabOrder()
{
    static const std::vector<Control> order = [] {
        std::vector<Control> o;
        CollectTabOrder(kForm, o);
        return o;
    }();
    return order;
}

// The letter after "&" in a caption, lower-cased; 0 when there is none.
char AccessKey(const char* caption)
{
    for (const char* p = caption; *p; ++p)
        if (p[0] == '&' && p[1] && p[1] != '&')
            return static_cast<char>(std::tolower(static_cast<unsigned char>(p[1])));
    return 0;
}

UniqueFont MakeFont(int height, bool bold)
{
    UniqueFont font(CreateFontA(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                                DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH | FF_DONTCARE, kFontFace));
    if (!font)
        throw Exception("Cannot create the font " + std::string(kFontFace));
    return font;
}

int TextHeightOfZero(HFONT font)
{
    WindowDC dc(nullptr);
    SelectedObject selected(dc.get(), font);
    SIZE size{};
    GetTextExtentPoint32A(dc.get(), "0", 1, &size);
    return size.cy;
}

int SystemPixelsPerInch()
{
    WindowDC dc(nullptr);
    return GetDeviceCaps(dc.get(), LOGPIXELSY);
}

bool IsModifierDown(int key)
{
    return GetKeyState(key) < 0;
}

bool ControlTakesCharacters(HWND window, const MSG& msg)
{
    return (SendMessageA(window, WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(&msg)) & DLGC_WANTCHARS) != 0;
}

bool RegisterFormClass(HINSTANCE instance, WNDPROC procedure)
{
    WNDCLASSA existing{};
    if (GetClassInfoA(instance, kFormClass, &existing))
        return true;
    WNDCLASSA wc{};
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, "MAINICON");
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = nullptr; // the main panel covers the client area
    wc.lpszClassName = kFormClass;
    return RegisterClassA(&wc) != 0 && Panels::RegisterClasses(instance);
}

} // namespace

TInstFormTYX::TInstFormTYX(HINSTANCE instance) : instance_(instance) {}

TInstFormTYX::~TInstFormTYX()
{
    if (formCreated_)
        FormDestroy();
    window_.reset();
}

void TInstFormTYX::Build()
{
    if (!RegisterFormClass(instance_, FormWndProc))
        throw Exception("Cannot register the main window");

    // At another resolution the window's font follows it; when the text of the font so changed
    // no longer measures as drawn, the whole layout is scaled by what it measures.
    const int ppi = SystemPixelsPerInch();
    const int formFontHeight = ppi == kDesignPixelsPerInch ? kFormFontHeight
                                                           : FontHeightForResolution(kFormFontHeight, ppi);
    formFont_ = MakeFont(formFontHeight, false);
    const LayoutScale scale =
        ppi == kDesignPixelsPerInch ? LayoutScale{} : ScaleForResolution(ppi, TextHeightOfZero(formFont_.get()));

    RECT frame{0, 0, scale.Apply(kClientWidth), scale.Apply(kClientHeight)};
    AdjustWindowRectEx(&frame, kFormStyle, FALSE, kFormExStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;

    window_.reset(CreateWindowExA(kFormExStyle, kFormClass, Texts::kMainCaption, kFormStyle, left, top, width,
                                  height, Application::Handle(), nullptr, instance_, this));
    if (!window_)
        throw Exception("Cannot create the main window");
    SendMessageA(window_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(formFont_.get()), FALSE);

    banner_.reset(static_cast<HBITMAP>(LoadImageA(instance_, "BANNER", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    photo_ = LoadJpegResource(instance_, "PHOTO");
    CreateControls();
    for (std::size_t i = 0; i < fonts_.size(); ++i) {
        const ControlFont& font = kControls[i].font;
        if (font.height == 0)
            continue;
        fonts_[i] = MakeFont(scale.IsIdentity() ? font.height : scale.Apply(font.height), font.bold);
        SendMessageA(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[i].get()), FALSE);
    }
    for (const ControlRow& row : kControls)
        MoveWindow(ControlHandle(row.id), scale.Apply(row.left), scale.Apply(row.top), scale.Apply(row.width),
                   scale.Apply(row.height), FALSE);

    FormCreate();
    formCreated_ = true;

    Application::ShowButton();
    SetWindowPos(window_.get(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
}

void TInstFormTYX::CreateControls()
{
    for (const ControlRow& row : kControls) {
        HWND parent = row.parent == kForm ? window_.get() : ControlHandle(row.parent);
        const DWORD tab = row.tabIndex != kNoTab ? WS_TABSTOP : 0;
        const DWORD common = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | tab;
        const auto id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + static_cast<int>(row.id)));
        Panels::PanelParams panel{row.bevel};
        Panels::PictureParams picture{row.id == Control::ImageTyx ? banner_.get() : photo_.get()};
        HWND control = nullptr;
        switch (row.kind) {
        case Kind::Panel:
            control = CreateWindowExA(0, Panels::kPanelClass, row.text, common | WS_CLIPCHILDREN, 0, 0, 0, 0,
                                      parent, id, instance_, &panel);
            break;
        case Kind::Picture:
            control = CreateWindowExA(0, Panels::kPictureClass, row.text, common, 0, 0, 0, 0, parent, id,
                                      instance_, &picture);
            break;
        case Kind::Label:
            control = CreateWindowExA(0, "STATIC", row.text, common | SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0, parent,
                                      id, instance_, nullptr);
            break;
        case Kind::Button:
            control = CreateWindowExA(0, "BUTTON", row.text, common | BS_PUSHBUTTON, 0, 0, 0, 0, parent, id,
                                      instance_, nullptr);
            break;
        case Kind::Edit:
            control = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", row.text, common | ES_LEFT | ES_AUTOHSCROLL, 0, 0,
                                      0, 0, parent, id, instance_, nullptr);
            if (control)
                SendMessageA(control, EM_SETLIMITTEXT, 0, 0); // no length limit
            break;
        }
        if (!control)
            throw Exception("Cannot create the controls of the main window");
        controls_[static_cast<std::size_t>(row.id)] = control;
    }
    // The lower panel lies over the photograph's last visible rows.
    SetWindowPos(ControlHandle(Control::PanPodObr), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TInstFormTYX::FormCreate()
{
    ActivationMessage = RegisterWindowMessageA(Texts::kAppTitle);
    previousWndProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window_.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ActivationWndProc)));
}

void TInstFormTYX::FormDestroy()
{
    SetWindowLongPtrA(window_.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousWndProc));
}

std::string TInstFormTYX::YearText() const
{
    HWND edit = ControlHandle(Control::EdRok);
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(edit, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The command handlers; their bodies are the two commands.
void TInstFormTYX::BtnInstalClick()
{
    const int answer = CzechMessageDlg(Texts::kAskCaption, Texts::kAskFiles, MessageDlg::DlgType::Custom,
                                       kOkCancel, kNoResult, 0);
    if (answer != IDOK)
        return;
    SetFilesParameter();
    AppMessageBox(Texts::kFilesSet, Texts::kInfoCaption, MB_OK);
}

// What the last run of the icon command took; set anew at each run, a failed one included.
std::string SelectedYear;
std::string ProgramDir;

void TInstFormTYX::Button1Click()
{
    const bool is64 = IsWin64();
    SelectedYear = YearText();
    ProgramDir = ProgramDirectory();
    if (WindowsMajorVersion() >= 6) {
        const Shortcut::YearNames names = Shortcut::NamesForYear(SelectedYear, is64);
        CreateDesktopShortcut(SelectedYear, ProgramDir, ProgramDir, names.batchName, names.linkName,
                              names.iconName, is64);
    } else {
        // Windows before Vista: the product's icon tool makes the shortcut, with its settings
        // from the program directory. Whether it starts is not the tool's to know.
        ShellExecuteFile(ProgramDir + Shortcut::kIconTool, Shortcut::IconToolParameters(ProgramDir), ProgramDir,
                         SW_SHOWNORMAL);
    }
    AppMessageBox(Texts::kIconOnDesktop, Texts::kInfoCaption, MB_OK);
}

void TInstFormTYX::Click(Control control)
{
    if (auto handler = RowOf(control).onClick)
        (this->*handler)();
}

Control TInstFormTYX::FocusedControl() const
{
    HWND focus = GetFocus();
    for (std::size_t i = 0; i < controls_.size(); ++i)
        if (controls_[i] && controls_[i] == focus)
            return static_cast<Control>(i);
    return Control::Count;
}

void TInstFormTYX::MoveFocus(bool backward)
{
    std::vector<Control> stops;
    for (Control c : TabOrder())
        if (IsWindowVisible(ControlHandle(c)) && IsWindowEnabled(ControlHandle(c)))
            stops.push_back(c);
    if (stops.empty())
        return;
    if (backward)
        std::reverse(stops.begin(), stops.end());
    auto current = std::find(stops.begin(), stops.end(), FocusedControl());
    Control next = (current == stops.end() || current + 1 == stops.end()) ? stops.front() : *(current + 1);
    HWND target = ControlHandle(next);
    SetFocus(target);
    if (RowOf(next).kind == Kind::Edit)
        SendMessageA(target, EM_SETSEL, 0, -1);
}

bool TInstFormTYX::HandleKey(const MSG& msg)
{
    if (!window_ || (msg.hwnd != window_.get() && !IsChild(window_.get(), msg.hwnd)))
        return false;
    const bool ctrl = IsModifierDown(VK_CONTROL);
    const bool alt = IsModifierDown(VK_MENU);
    const bool shift = IsModifierDown(VK_SHIFT);
    switch (msg.message) {
    case WM_KEYDOWN:
        if (msg.wParam == VK_TAB && !ctrl && !alt) {
            MoveFocus(shift);
            return true;
        }
        if (msg.wParam == VK_RETURN && !ctrl && !alt && !shift) {
            const Control focused = FocusedControl();
            if (focused != Control::Count && RowOf(focused).kind == Kind::Button) {
                Click(focused);
                return true;
            }
            return false;
        }
        return msg.wParam == VK_ESCAPE; // no cancel button: Esc does nothing
    case WM_SYSCHAR:
    case WM_CHAR: {
        // A bare letter counts only where typing has no other meaning.
        if (msg.message == WM_CHAR && ControlTakesCharacters(msg.hwnd, msg))
            return false;
        const char letter = static_cast<char>(std::tolower(static_cast<int>(msg.wParam & 0xFF)));
        for (const ControlRow& row : kControls)
            if (row.kind == Kind::Button && letter && AccessKey(row.text) == letter) {
                Click(row.id);
                return true;
            }
        return false;
    }
    default:
        return false;
    }
}

void TInstFormTYX::RestoreFocus()
{
    if (lastFocus_ && IsWindow(lastFocus_) && IsChild(window_.get(), lastFocus_)) {
        SetFocus(lastFocus_);
        return;
    }
    for (Control c : TabOrder()) {
        HWND control = ControlHandle(c);
        if (IsWindowVisible(control) && IsWindowEnabled(control)) {
            SetFocus(control);
            return;
        }
    }
}

LRESULT CALLBACK TInstFormTYX::FormWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    return Guarded(0, [&]() -> LRESULT {
        if (message == WM_NCCREATE) {
            auto* form = static_cast<TInstFormTYX*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
        }
        auto* form = reinterpret_cast<TInstFormTYX*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (!form || !form->window_)
            return DefWindowProcA(window, message, wParam, lParam);
        return form->HandleMessage(message, wParam, lParam);
    });
}

LRESULT TInstFormTYX::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        return OnCommand(wParam);
    case WM_ACTIVATE:
        return OnActivate(wParam);
    case WM_SETFOCUS:
        return OnSetFocus();
    case WM_SIZE:
        return OnSize(lParam);
    case WM_ERASEBKGND:
        return OnEraseBkgnd(wParam);
    case WM_CLOSE:
        return OnClose();
    default:
        return DefWindowProcA(window_.get(), message, wParam, lParam);
    }
}

LRESULT TInstFormTYX::OnCommand(WPARAM wParam)
{
    const int index = LOWORD(wParam) - kFirstControlId;
    if (HIWORD(wParam) == BN_CLICKED && index >= 0 && index < static_cast<int>(Control::Count))
        Click(static_cast<Control>(index));
    return 0;
}

LRESULT TInstFormTYX::OnActivate(WPARAM wParam)
{
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window_.get(), focus))
            lastFocus_ = focus;
    }
    return DefWindowProcA(window_.get(), WM_ACTIVATE, wParam, 0);
}

LRESULT TInstFormTYX::OnSetFocus()
{
    RestoreFocus();
    return 0;
}

LRESULT TInstFormTYX::OnSize(LPARAM lParam)
{
    // The main panel keeps filling the client area, also when a maximised start enlarges it.
    if (HWND panel = ControlHandle(Control::HlPanel))
        MoveWindow(panel, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
    return 0;
}

LRESULT TInstFormTYX::OnEraseBkgnd(WPARAM wParam)
{
    RECT r{};
    GetClientRect(window_.get(), &r);
    FillRect(reinterpret_cast<HDC>(wParam), &r, Panels::BackgroundBrush());
    return 1;
}

LRESULT TInstFormTYX::OnClose()
{
    PostQuitMessage(0);
    return 0;
}

LRESULT CALLBACK ActivationWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == ActivationMessage && ActivationMessage != 0) {
        return Guarded(0, [&]() -> LRESULT {
            SendMessageA(Application::Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
            SetForegroundWindow(Application::Handle());
            return 0;
        });
    }
    return CallWindowProcA(previousWndProc, hWnd, uMsg, wParam, lParam);
}
