#pragma once
// The rules of the desktop icon command that do not depend on Windows: the names built from the
// year text, the choice of the shortcut template, the search for a free shortcut name, and the
// texts the command shows or hands on. All texts are 8-bit, in the ANSI code page.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace Shortcut {

// The names of one year's edition, built from the year text exactly as typed: a space before
// the digits goes into every name.
struct YearNames {
    std::string batchName; // with its leading "\", to be appended to the program directory
    std::string linkName;
    std::string iconName;
};
YearNames NamesForYear(const std::string& year, bool is64);

// Raises EConvertError unless the year text is a whole number; the number itself is not used.
void CheckYear(std::string_view year);

// The template for the Windows the tool runs on. The major version is asked only where Vista and
// 7 have not settled it, since asking may fail.
const char* TemplateFileName(bool vistaOr7, bool is64, const std::function<std::int32_t()>& majorVersion);

// The first of destination, then destination with "_1", "_2", ... before its last four
// characters (its ".lnk"), for which fileExists is false.
std::string FreeShortcutName(const std::string& destination, const std::function<bool(const std::string&)>& fileExists);

// The text of the box for a template that is not in its directory.
std::string MissingTemplateText(std::string_view year, std::string_view templatePath);

// The directory of a file's full path: the text before its last "\" (empty when it has none).
std::string DirectoryOfPath(std::string_view path);

// What the icon tool is started with: the full path of its settings file in the program
// directory, quoted, so that a directory with spaces stays one parameter.
std::string IconToolParameters(const std::string& programDir);

inline constexpr char kIconTool[] = "\\Ikon.exe";
inline constexpr char kIconToolSettings[] = "\\Ikon.ini";
inline constexpr char kLocationRecord[] = "\\KdeJeZas.ttx";

} // namespace Shortcut
