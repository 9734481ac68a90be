#pragma once
// What the launcher's command line asks for. Every text here is a view into the command line
// (or into a constant); nothing is copied.
#include <string_view>

namespace launcher {

// What is started when the command line holds nothing after the program's name.
inline constexpr std::string_view kDefaultCommand = "explorer.exe c:\\";

struct Command {
    std::string_view text;
    bool hidden = false;
};

// The arguments part of a whole command line: everything after the program's own name (in
// double quotes or not) and the spaces and tabs that follow the name.
std::string_view ArgumentsOf(std::string_view commandLine) noexcept;

// A command text as the batch files write it: a leading "-" asks for a hidden start and is not
// part of the command.
Command CommandFrom(std::string_view text) noexcept;

struct Request {
    enum class Kind {
        StartCommand,    // command holds what to start
        ReadCommandFile, // fileName names the file whose first field is the command
        NoFileName,      // "#" alone: a command file was meant, but none is named
    };
    Kind kind = Kind::StartCommand;
    Command command;
    std::string_view fileName;
};

// The arguments are split at every single space; only the first two words matter, and only
// when the first is exactly "#".
Request RequestFrom(std::string_view arguments) noexcept;

// True when the text names no program at all: empty, or spaces and tabs only.
bool IsBlank(std::string_view text) noexcept;

} // namespace launcher
