#pragma once
// The first field of a command file, taken from the file's bytes as they come, so that the file
// is read in bounded pieces and no further than the field needs.
#include "FixedText.h"

#include <cstddef>
#include <string_view>

namespace launcher {

// A command line may hold at most 32,767 characters with its terminating NUL; a field may carry
// one more byte, the "-" that asks for a hidden start. Anything longer can never be started, so
// reading stops there.
inline constexpr std::size_t kLongestField = 32767;

enum class FieldStatus {
    Found,     // Text() is the field (possibly empty)
    EmptyFile, // the file holds no byte at all
    TooLong,   // the field runs past kLongestField bytes
    HasNul,    // the field holds a NUL byte, which no command line can carry
};

class FirstFieldReader {
public:
    // Takes the next bytes of the file. Returns true while more bytes are wanted; once it
    // returns false the result stands and nothing more need be read.
    bool Take(std::string_view bytes) noexcept;
    // The file ended. Call once no more bytes come, unless Take returned false.
    void EndOfFile() noexcept;

    bool Complete() const noexcept { return phase_ == Phase::Done; }
    FieldStatus Status() const noexcept { return status_; }
    // The field when Status() is Found, else empty.
    std::string_view Text() const noexcept { return text_.View(); }

private:
    enum class Phase { Blanks, Quoted, Plain, Done };
    void Finish(FieldStatus status) noexcept;

    Phase phase_ = Phase::Blanks;
    bool anyByte_ = false;
    FieldStatus status_ = FieldStatus::Found;
    // One byte of slack beyond the longest field: a plain field's CR before its LF.
    FixedText<kLongestField + 1> text_;
};

} // namespace launcher
