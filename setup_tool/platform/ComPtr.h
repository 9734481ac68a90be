#pragma once
// The owner of one COM interface reference: released when the owner goes, on every path.
#include <unknwn.h>

#include <utility>

template <typename Interface>
class ComPtr {
public:
    ComPtr() noexcept = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        if (this != &other) {
            reset();
            p_ = std::exchange(other.p_, nullptr);
        }
        return *this;
    }
    ~ComPtr() { reset(); }

    Interface* get() const noexcept { return p_; }
    Interface* operator->() const noexcept { return p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }

    void reset() noexcept
    {
        if (p_)
            std::exchange(p_, nullptr)->Release();
    }

    // The out-parameter of CoCreateInstance or QueryInterface; whatever was held is released first.
    void** put_void() noexcept
    {
        reset();
        return reinterpret_cast<void**>(&p_);
    }

private:
    Interface* p_ = nullptr;
};
