#pragma once
// The text of the launcher's one error box.
#include "FixedText.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace launcher {

enum class Failure {
    NoFileName,     // "#" without a file name
    CannotReadFile, // the command file cannot be opened or read; subject: its name
    EmptyFile,      // subject: the file's name
    FieldTooLong,   // subject: the file's name
    FieldHasNul,    // subject: the file's name
    NoCommand,      // nothing to start
    CannotStart,    // subject: the command
};

// A command or file name longer than this is shown cut short: the box must stay readable.
inline constexpr std::size_t kLongestSubjectShown = 200;

// Room for the longest headline, subject, number and system text there can be.
using BoxText = FixedText<1024>;

// What went wrong, the command or file it concerns (if any), then the Windows error number and
// the system's text for it as SystemErrorText gives it (no trailing period), e.g.
// "Příkaz se nepodařilo spustit:\nx.exe\n\nChyba č. 2: ….".
BoxText FailureMessage(Failure failure, std::string_view subject, std::uint32_t code,
                       std::string_view systemText) noexcept;

} // namespace launcher
