#pragma once
// The owner type for Win32 handles, and the owner of the kernel's handles: no path out of a
// routine leaks one.
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
