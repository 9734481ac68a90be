#include "CommandLine.h"

namespace launcher {

namespace {

bool IsSeparatingBlank(char c) noexcept
{
    return c == ' ' || c == '\t';
}

// The bounds are always within the text here; this keeps the checked substr (and the runtime's
// exception for a bad position) out of the program.
std::string_view Part(std::string_view text, std::size_t from, std::size_t to) noexcept
{
    return std::string_view(text.data() + from, to - from);
}

std::size_t FindSpace(std::string_view text, std::size_t from) noexcept
{
    const std::size_t at = text.find(' ', from);
    return at == std::string_view::npos ? text.size() : at;
}

} // namespace

std::string_view ArgumentsOf(std::string_view commandLine) noexcept
{
    std::size_t end = 0;
    if (!commandLine.empty() && commandLine.front() == '"') {
        // A quoted name runs to the closing quote; without one the whole line is the name.
        const std::size_t closing = commandLine.find('"', 1);
        end = closing == std::string_view::npos ? commandLine.size() : closing + 1;
    } else {
        while (end < commandLine.size() && !IsSeparatingBlank(commandLine[end]))
            ++end;
    }
    while (end < commandLine.size() && IsSeparatingBlank(commandLine[end]))
        ++end;
    return Part(commandLine, end, commandLine.size());
}

Command CommandFrom(std::string_view text) noexcept
{
    if (!text.empty() && text.front() == '-')
        return Command{Part(text, 1, text.size()), true};
    return Command{text, false};
}

Request RequestFrom(std::string_view arguments) noexcept
{
    Request request;
    if (arguments.empty()) {
        request.command = Command{kDefaultCommand, false};
        return request;
    }
    const std::size_t firstSpace = FindSpace(arguments, 0);
    if (Part(arguments, 0, firstSpace) == "#") {
        if (firstSpace == arguments.size()) {
            request.kind = Request::Kind::NoFileName;
            return request;
        }
        request.kind = Request::Kind::ReadCommandFile;
        request.fileName = Part(arguments, firstSpace + 1, FindSpace(arguments, firstSpace + 1));
        return request;
    }
    request.command = CommandFrom(arguments);
    return request;
}

bool IsBlank(std::string_view text) noexcept
{
    for (char c : text)
        if (!IsSeparatingBlank(c))
            return false;
    return true;
}

} // namespace launcher
