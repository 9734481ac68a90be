#pragma once
// A block of the process heap, given back when the owner goes.
#include <windows.h>

#include <cstddef>
#include <new>

class HeapBlock {
public:
    explicit HeapBlock(std::size_t size) : size_(size)
    {
        data_ = ::HeapAlloc(::GetProcessHeap(), 0, size);
        if (!data_)
            throw std::bad_alloc();
    }
    HeapBlock(const HeapBlock&) = delete;
    HeapBlock& operator=(const HeapBlock&) = delete;
    ~HeapBlock() { ::HeapFree(::GetProcessHeap(), 0, data_); }

    void* get() const noexcept { return data_; }
    std::size_t size() const noexcept { return size_; }

private:
    void* data_;
    std::size_t size_;
};
