#include "ShortcutRules.h"

#include "Convert.h"

// The tool's texts are kept in one place, beside the windows that show them.
#include "../Texts.h"

namespace Shortcut {

YearNames NamesForYear(const std::string& year, bool is64)
{
    // 64-bit Windows runs the DOS program in an emulator that offers every year itself.
    return {is64 ? std::string("\\S64v.bat") : "\\Tyx" + year + ".bat", "TYX" + year + ".lnk",
            "TYX" + year + ".ico"};
}

void CheckYear(std::string_view year)
{
    static_cast<void>(StrToInt(year));
}

const char* TemplateFileName(bool vistaOr7, bool is64, const std::function<std::int32_t()>& majorVersion)
{
    if (vistaOr7)
        return is64 ? "TyxWin7.s64" : "TyxWin7.sss";
    return majorVersion() <= 6 ? "TyxWin8.sss" : "TyxWin10.sss";
}

std::string FreeShortcutName(const std::string& destination, const std::function<bool(const std::string&)>& fileExists)
{
    const std::string base = destination.substr(0, destination.size() >= 4 ? destination.size() - 4 : 0);
    std::string candidate = base + ".lnk";
    // A counter that cannot wrap: every name it gives is a new one.
    for (std::uint64_t n = 1; fileExists(candidate); ++n)
        candidate = base + "_" + std::to_string(n) + ".lnk";
    return candidate;
}

std::string MissingTemplateText(std::string_view year, std::string_view templatePath)
{
    std::string text = Texts::kShortcutFailedBefore;
    text += year;
    text += Texts::kShortcutFailedAfter;
    text += "\r\n\r\n";
    text += Texts::kFileNotFound;
    text += templatePath;
    text += ".";
    return text;
}

std::string DirectoryOfPath(std::string_view path)
{
    const std::string_view::size_type separator = path.rfind('\\');
    return separator == std::string_view::npos ? std::string() : std::string(path.substr(0, separator));
}

std::string IconToolParameters(const std::string& programDir)
{
    return "\"" + programDir + kIconToolSettings + "\"";
}

} // namespace Shortcut
