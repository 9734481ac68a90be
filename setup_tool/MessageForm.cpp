#include "MessageForm.h"

#include "Application.h"
#include "Exceptions.h"

#include <algorithm>
#include <cstddef>

namespace {

constexpr char kClassName[] = "TMessageForm";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;
constexpr int kMessageId = 100;
constexpr int kImageId = 101;
constexpr int kFirstButtonId = 200;
constexpr int kIconSize = 32;

bool RegisterFormClass(HINSTANCE instance)
{
    static const bool registered = [instance] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA; // replaced per window at creation
        wc.hInstance = instance;
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kClassName;
        return RegisterClassA(&wc) != 0;
    }();
    return registered;
}

UniqueFont MessageFont()
{
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        // Older systems know the structure without its last member.
        metrics.cbSize = offsetof(NONCLIENTMETRICSA, lfMessageFont) + sizeof(LOGFONTA);
        if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
            return UniqueFont(CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                          DEFAULT_PITCH | FF_DONTCARE, "MS Shell Dlg"));
    }
    return UniqueFont(CreateFontIndirectA(&metrics.lfMessageFont));
}

struct TextMetrics {
    int averageWidth;
    int height;
};

TextMetrics Measure(HDC dc)
{
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    // The average width as the dialog manager takes it: over the 52 letters.
    SIZE size{};
    GetTextExtentPoint32A(dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &size);
    return {(size.cx / 26 + 1) / 2, static_cast<int>(tm.tmHeight)};
}

} // namespace

TMessageForm::TMessageForm(const std::string& message, MessageDlg::DlgType type, std::uint16_t buttons)
    : message_(message), buttons_(MessageDlg::StandardButtons(buttons))
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterFormClass(instance))
        throw Exception("Cannot register the dialog class");
    font_ = MessageFont();
    const char* standard = MessageDlg::InfoOf(type).standardCaption;
    char title[256] = "";
    if (!standard)
        GetWindowTextA(Application::Handle(), title, sizeof title);
    window_.reset(CreateWindowExA(kExStyle, kClassName, standard ? standard : title, kStyle, 0, 0, 0, 0,
                                  Application::Handle(), nullptr, instance, nullptr));
    if (!window_)
        throw Exception("Cannot create the dialog window");
    SetWindowLongPtrA(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(window_.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TMessageForm::WndProc));
    // Close only: a fixed dialog that is neither sized nor moved by the menu.
    HMENU menu = GetSystemMenu(window_.get(), FALSE);
    DeleteMenu(menu, SC_SIZE, MF_BYCOMMAND);
    DeleteMenu(menu, SC_MINIMIZE, MF_BYCOMMAND);
    DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
    DeleteMenu(menu, SC_RESTORE, MF_BYCOMMAND);
    BuildLayout(message, type);
}

TMessageForm::~TMessageForm()
{
    if (window_)
        SetWindowLongPtrA(window_.get(), GWLP_USERDATA, 0);
}

void TMessageForm::BuildLayout(const std::string& message, MessageDlg::DlgType type)
{
    HWND window = window_.get();
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WindowDC dc(window);
    SelectedObject selected(dc.get(), font_.get());
    const TextMetrics tm = Measure(dc.get());
    // Dialog units of the message font.
    auto dx = [&](int units) { return MulDiv(units, tm.averageWidth, 4); };
    auto dy = [&](int units) { return MulDiv(units, tm.height, 8); };

    const int margin = dx(8);
    const int spacing = dy(10);
    const int gap = dx(4);
    const int buttonHeight = dy(14);
    int buttonWidth = dx(50);
    for (const auto& button : buttons_) {
        RECT r{0, 0, 0, 0};
        DrawTextA(dc.get(), button.caption.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE);
        buttonWidth = std::max(buttonWidth, static_cast<int>(r.right - r.left) + dx(8));
    }

    RECT text{0, 0, GetSystemMetrics(SM_CXSCREEN) / 2, 0};
    DrawTextA(dc.get(), message.c_str(), -1, &text,
              DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_LEFT);
    const int textWidth = text.right - text.left;
    const int textHeight = text.bottom - text.top;

    const int icon = MessageDlg::InfoOf(type).stockIcon;
    const int iconSpace = icon ? kIconSize + margin : 0;
    const int count = static_cast<int>(buttons_.size());
    const int rowWidth = count * buttonWidth + std::max(0, count - 1) * gap;
    const int contentHeight = std::max(textHeight, icon ? kIconSize : 0);
    const int clientWidth = std::max(iconSpace + textWidth, rowWidth) + 2 * margin;
    const int clientHeight = margin + contentHeight + spacing + buttonHeight + margin;

    if (icon) {
        HWND image = CreateWindowExA(0, "STATIC", "Image", WS_CHILD | WS_VISIBLE | SS_ICON, margin, margin,
                                     kIconSize, kIconSize, window, reinterpret_cast<HMENU>(kImageId), instance,
                                     nullptr);
        SendMessageA(image, STM_SETICON,
                     reinterpret_cast<WPARAM>(LoadIconA(nullptr, MAKEINTRESOURCEA(icon))), 0);
    }
    HWND messageControl = CreateWindowExA(0, "STATIC", message.c_str(),
                                          WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL,
                                          margin + iconSpace, margin, textWidth, textHeight, window,
                                          reinterpret_cast<HMENU>(kMessageId), instance, nullptr);
    SendMessageA(messageControl, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);

    int left = (clientWidth - rowWidth) / 2;
    const int top = margin + contentHeight + spacing;
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const auto& button = buttons_[i];
        HWND control = CreateWindowExA(0, "BUTTON", button.caption.c_str(),
                                       WS_CHILD | WS_VISIBLE | WS_TABSTOP |
                                           (button.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
                                       left, top, buttonWidth, buttonHeight, window,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstButtonId + i)), instance,
                                       nullptr);
        if (!control)
            throw Exception("Cannot create a dialog button");
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        buttonWindows_.push_back(control);
        left += buttonWidth + gap;
    }

    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(window, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMessageForm::SetCaption(const std::string& caption)
{
    SetWindowTextA(window_.get(), caption.c_str());
}

void TMessageForm::ApplyButtons()
{
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        SetWindowTextA(buttonWindows_[i], buttons_[i].caption.c_str());
        SendMessageA(buttonWindows_[i], BM_SETSTYLE, buttons_[i].isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON,
                     TRUE);
    }
}

int TMessageForm::FocusedButton() const
{
    const HWND focus = GetFocus();
    for (std::size_t i = 0; i < buttonWindows_.size(); ++i)
        if (buttonWindows_[i] == focus)
            return static_cast<int>(i);
    return -1;
}

// The focused button wears the default frame while it has the focus.
void TMessageForm::MarkFocusedAsDefault()
{
    const int focused = FocusedButton();
    if (focused < 0)
        return;
    for (std::size_t i = 0; i < buttonWindows_.size(); ++i)
        SendMessageA(buttonWindows_[i], BM_SETSTYLE,
                     static_cast<int>(i) == focused ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TMessageForm::Press(std::size_t index)
{
    const auto& button = buttons_[index];
    // Help leaves the dialog open; the tool has no help system to ask (it never shows one).
    if (button.kind == 10)
        return;
    result_ = button.result;
    closed_ = true;
}

void TMessageForm::CopyToClipboard() const
{
    MessageBeep(0);
    char caption[512] = "";
    GetWindowTextA(window_.get(), caption, sizeof caption);
    const std::string text = MessageDlg::ClipboardText(caption, message_, buttons_);
    if (!OpenClipboard(window_.get()))
        return;
    EmptyClipboard();
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
        if (void* target = GlobalLock(memory)) {
            std::copy(text.c_str(), text.c_str() + text.size() + 1, static_cast<char*>(target));
            GlobalUnlock(memory);
            if (!SetClipboardData(CF_TEXT, memory))
                GlobalFree(memory);
        } else {
            GlobalFree(memory);
        }
    }
    CloseClipboard();
}

// The dialog's keys, before the message is translated. True when the key was used up.
bool TMessageForm::HandleKey(const MSG& msg)
{
    if (msg.hwnd != window_.get() && !IsChild(window_.get(), msg.hwnd))
        return false;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const bool alt = GetKeyState(VK_MENU) < 0;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    if (msg.message == WM_KEYDOWN) {
        switch (msg.wParam) {
        case VK_RETURN: {
            if (ctrl || alt || shift)
                return true;
            int index = FocusedButton();
            if (index < 0)
                for (std::size_t i = 0; i < buttons_.size(); ++i)
                    if (buttons_[i].isDefault)
                        index = static_cast<int>(i);
            if (index >= 0)
                Press(static_cast<std::size_t>(index));
            return true;
        }
        case VK_ESCAPE:
            for (std::size_t i = 0; i < buttons_.size(); ++i)
                if (buttons_[i].isCancel) {
                    Press(i);
                    break;
                }
            return true;
        case VK_TAB: {
            if (buttonWindows_.empty())
                return true;
            const int n = static_cast<int>(buttonWindows_.size());
            int index = FocusedButton();
            index = index < 0 ? 0 : (index + (shift ? n - 1 : 1)) % n;
            SetFocus(buttonWindows_[static_cast<std::size_t>(index)]);
            MarkFocusedAsDefault();
            return true;
        }
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN: {
            if (buttonWindows_.empty())
                return true;
            const int n = static_cast<int>(buttonWindows_.size());
            const bool back = msg.wParam == VK_LEFT || msg.wParam == VK_UP;
            int index = FocusedButton();
            index = index < 0 ? 0 : (index + (back ? n - 1 : 1)) % n;
            SetFocus(buttonWindows_[static_cast<std::size_t>(index)]);
            MarkFocusedAsDefault();
            return true;
        }
        case 'C':
            if (ctrl && !alt) {
                CopyToClipboard();
                return true;
            }
            return false;
        default:
            return false;
        }
    }
    if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR) {
        const char typed = static_cast<char>(msg.wParam);
        const char lower = typed >= 'A' && typed <= 'Z' ? static_cast<char>(typed + 0x20) : typed;
        for (std::size_t i = 0; i < buttons_.size(); ++i)
            if (MessageDlg::AccessKey(buttons_[i].caption) == lower && lower != 0) {
                SetFocus(buttonWindows_[i]);
                Press(i);
                return true;
            }
        // Characters are the dialog's: nothing else takes typing.
        return msg.message == WM_CHAR;
    }
    return false;
}

int TMessageForm::ShowModal()
{
    Application::ModalScope modal;
    EnableWindow(window_.get(), TRUE);
    ShowWindow(window_.get(), SW_SHOWNORMAL);
    SetForegroundWindow(window_.get());
    const int first = activeButton_ >= 0 ? activeButton_ : 0;
    if (static_cast<std::size_t>(first) < buttonWindows_.size())
        SetFocus(buttonWindows_[static_cast<std::size_t>(first)]);
    MarkFocusedAsDefault();

    result_ = 0;
    closed_ = false;
    MSG msg{};
    while (!closed_) {
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            WaitMessage();
            continue;
        }
        if (msg.message == WM_QUIT) {
            // The application is ending: the dialog gives way, and the loop above must see the quit.
            PostQuitMessage(static_cast<int>(msg.wParam));
            result_ = MessageDlg::kClosedResult;
            break;
        }
        if (HandleKey(msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    ShowWindow(window_.get(), SW_HIDE);
    return result_;
}

LRESULT CALLBACK TMessageForm::WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    auto* form = reinterpret_cast<TMessageForm*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!form)
        return DefWindowProcA(window, message, wParam, lParam);
    return Guarded(0, [&] { return form->HandleMessage(message, wParam, lParam); });
}

LRESULT TMessageForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        return OnCommand(wParam);
    case WM_CLOSE:
        return OnClose();
    case WM_CTLCOLORSTATIC:
        return OnCtlColorStatic(wParam);
    default:
        return DefWindowProcA(window_.get(), message, wParam, lParam);
    }
}

LRESULT TMessageForm::OnCommand(WPARAM wParam)
{
    const int index = LOWORD(wParam) - kFirstButtonId;
    if (HIWORD(wParam) == BN_CLICKED && index >= 0 && static_cast<std::size_t>(index) < buttons_.size())
        Press(static_cast<std::size_t>(index));
    return 0;
}

LRESULT TMessageForm::OnClose()
{
    result_ = MessageDlg::kClosedResult;
    closed_ = true;
    return 0;
}

LRESULT TMessageForm::OnCtlColorStatic(WPARAM wParam)
{
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}
