#include "Panels.h"

#include "Application.h"
#include "Handles.h"

namespace Panels {

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);

template <typename Params>
const Params* CreateParams(LPARAM lParam)
{
    return static_cast<const Params*>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
}

void FillBackground(HWND window, HDC dc)
{
    RECT r{};
    GetClientRect(window, &r);
    FillRect(dc, &r, BackgroundBrush());
}

void DrawLine(HDC dc, int left, int top, int width, int height, int sysColor)
{
    RECT r{left, top, left + width, top + height};
    FillRect(dc, &r, GetSysColorBrush(sysColor));
}

// A 1-pixel frame: highlight at top and left, shadow at bottom and right (or the other way round).
void DrawFrame(HDC dc, RECT r, bool raised)
{
    const int light = raised ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW;
    const int dark = raised ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT;
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    DrawLine(dc, r.left, r.top, w - 1, 1, light);
    DrawLine(dc, r.left, r.top, 1, h - 1, light);
    DrawLine(dc, r.left, r.bottom - 1, w, 1, dark);
    DrawLine(dc, r.right - 1, r.top, 1, h, dark);
}

LRESULT PanelPaint(HWND window)
{
    PaintScope paint(window);
    const auto bevel = static_cast<Bevel>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (bevel == Bevel::RaisedOuterLoweredInner) {
        RECT r{};
        GetClientRect(window, &r);
        DrawFrame(paint.dc(), r, true);
        InflateRect(&r, -1, -1);
        DrawFrame(paint.dc(), r, false);
    }
    return 0;
}

LRESULT PanelControlColour(HDC dc, bool editField)
{
    SetTextColor(dc, kBlack);
    if (editField) {
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    SetBkColor(dc, GetSysColor(COLOR_GRADIENTINACTIVECAPTION));
    return reinterpret_cast<LRESULT>(BackgroundBrush());
}

LRESULT CALLBACK PanelWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    return Guarded(0, [&]() -> LRESULT {
        switch (message) {
        case WM_NCCREATE:
            SetWindowLongPtrA(window, GWLP_USERDATA,
                              static_cast<LONG_PTR>(CreateParams<PanelParams>(lParam)->bevel));
            return DefWindowProcA(window, message, wParam, lParam);
        case WM_ERASEBKGND:
            FillBackground(window, reinterpret_cast<HDC>(wParam));
            return 1;
        case WM_PAINT:
            return PanelPaint(window);
        case WM_COMMAND:
        case WM_NOTIFY:
            // The buttons' clicks belong to the main window, however deep the panels nest.
            return SendMessageA(GetAncestor(window, GA_ROOT), message, wParam, lParam);
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return PanelControlColour(reinterpret_cast<HDC>(wParam), false);
        case WM_CTLCOLOREDIT:
            return PanelControlColour(reinterpret_cast<HDC>(wParam), true);
        default:
            return DefWindowProcA(window, message, wParam, lParam);
        }
    });
}

LRESULT PicturePaint(HWND window)
{
    PaintScope paint(window);
    FillBackground(window, paint.dc());
    auto bitmap = reinterpret_cast<HBITMAP>(GetWindowLongPtrA(window, GWLP_USERDATA));
    BITMAP info{};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info))
        return 0;
    HDC memory = CreateCompatibleDC(paint.dc());
    if (!memory)
        return 0;
    {
        SelectedObject selected(memory, bitmap);
        BitBlt(paint.dc(), 0, 0, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
    }
    DeleteDC(memory);
    return 0;
}

LRESULT CALLBACK PictureWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    return Guarded(0, [&]() -> LRESULT {
        switch (message) {
        case WM_NCCREATE:
            SetWindowLongPtrA(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(CreateParams<PictureParams>(lParam)->bitmap));
            return DefWindowProcA(window, message, wParam, lParam);
        case WM_ERASEBKGND:
            return 1; // WM_PAINT covers every pixel
        case WM_PAINT:
            return PicturePaint(window);
        default:
            return DefWindowProcA(window, message, wParam, lParam);
        }
    });
}

bool Register(HINSTANCE instance, const char* name, WNDPROC procedure)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    return RegisterClassA(&wc) != 0;
}

} // namespace

HBRUSH BackgroundBrush()
{
    return GetSysColorBrush(COLOR_GRADIENTINACTIVECAPTION);
}

bool RegisterClasses(HINSTANCE instance)
{
    return Register(instance, kPanelClass, PanelWndProc) && Register(instance, kPictureClass, PictureWndProc);
}

} // namespace Panels
