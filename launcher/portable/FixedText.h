#pragma once
// Text in a buffer of fixed size. The launcher keeps no heap text at all, so that none of the
// C++ runtime's throwing string machinery is linked into it and the program stays small.
#include <cstddef>
#include <string_view>

namespace launcher {

template <std::size_t Capacity>
class FixedText {
public:
    static constexpr std::size_t kCapacity = Capacity; // bytes, without the terminating NUL

    FixedText() noexcept { bytes_[0] = '\0'; }
    explicit FixedText(std::string_view text) noexcept : FixedText() { Append(text); }

    // Appends what fits; returns false when the text had to be cut.
    bool Append(std::string_view text) noexcept
    {
        const std::size_t room = Capacity - length_;
        const std::size_t taken = text.size() < room ? text.size() : room;
        for (std::size_t i = 0; i < taken; ++i)
            bytes_[length_ + i] = text[i];
        length_ += taken;
        bytes_[length_] = '\0';
        return taken == text.size();
    }
    bool Append(char c) noexcept { return Append(std::string_view(&c, 1)); }
    void DropLast() noexcept
    {
        if (length_ > 0)
            bytes_[--length_] = '\0';
    }
    void Clear() noexcept
    {
        length_ = 0;
        bytes_[0] = '\0';
    }

    std::size_t Size() const noexcept { return length_; }
    bool Empty() const noexcept { return length_ == 0; }
    char Back() const noexcept { return length_ ? bytes_[length_ - 1] : '\0'; }
    std::string_view View() const noexcept { return std::string_view(bytes_, length_); }
    const char* CStr() const noexcept { return bytes_; }
    // Writable, as CreateProcessA wants its command line.
    char* Data() noexcept { return bytes_; }

private:
    char bytes_[Capacity + 1];
    std::size_t length_ = 0;
};

} // namespace launcher
