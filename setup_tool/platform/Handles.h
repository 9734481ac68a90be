#pragma once
// One owner type per kind of Win32 handle, so that no path out of a routine leaks one.
#include <windows.h>

#include <utility>

template <typename Traits>
class Owned {
public:
    using Handle = typename Traits::Handle;

    Owned() noexcept = default;
    explicit Owned(Handle h) noexcept : h_(h) {}
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : h_(other.release()) {}
    Owned& operator=(Owned&& other) noexcept
    {
        reset(other.release());
        return *this;
    }
    ~Owned() { reset(); }

    Handle get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return Traits::IsValid(h_); }
    Handle release() noexcept { return std::exchange(h_, Traits::Invalid()); }
    void reset(Handle h = Traits::Invalid()) noexcept
    {
        if (Traits::IsValid(h_))
            Traits::Close(h_);
        h_ = h;
    }

private:
    Handle h_ = Traits::Invalid();
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() noexcept { return nullptr; }
    static bool IsValid(Handle h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) noexcept { ::CloseHandle(h); }
};
// CreateFile's failure value is INVALID_HANDLE_VALUE, the others' is null: both count as empty.
using UniqueHandle = Owned<KernelHandleTraits>;

struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Handle h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) noexcept { ::FindClose(h); }
};
// A directory search of FindFirstFile.
using UniqueFindHandle = Owned<FindHandleTraits>;

template <typename T>
struct GdiTraits {
    using Handle = T;
    static Handle Invalid() noexcept { return nullptr; }
    static bool IsValid(Handle h) noexcept { return h != nullptr; }
    static void Close(Handle h) noexcept { ::DeleteObject(h); }
};
using UniqueFont = Owned<GdiTraits<HFONT>>;
using UniqueBitmap = Owned<GdiTraits<HBITMAP>>;

struct WindowTraits {
    using Handle = HWND;
    static Handle Invalid() noexcept { return nullptr; }
    static bool IsValid(Handle h) noexcept { return h != nullptr; }
    static void Close(Handle h) noexcept { ::DestroyWindow(h); }
};
using UniqueWindow = Owned<WindowTraits>;

struct RegKeyTraits {
    using Handle = HKEY;
    static Handle Invalid() noexcept { return nullptr; }
    static bool IsValid(Handle h) noexcept { return h != nullptr; }
    static void Close(Handle h) noexcept { ::RegCloseKey(h); }
};
using UniqueRegKey = Owned<RegKeyTraits>;

// A device context taken with GetDC, given back with ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND window) noexcept : window_(window), dc_(::GetDC(window)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC()
    {
        if (dc_)
            ::ReleaseDC(window_, dc_);
    }
    HDC get() const noexcept { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a DC for one scope and puts the former one back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(::SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() { ::SelectObject(dc_, previous_); }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A paint cycle: BeginPaint now, EndPaint at the end of the scope.
class PaintScope {
public:
    explicit PaintScope(HWND window) noexcept : window_(window) { dc_ = ::BeginPaint(window, &ps_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    ~PaintScope() { ::EndPaint(window_, &ps_); }
    HDC dc() const noexcept { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};
