#include "WindowsVersion.h"

#include "Convert.h"

namespace {

bool ReportsSixTwo(const VersionFacts& facts)
{
    return facts.reportedMajor == 6 && facts.reportedMinor == 2;
}

std::string CurrentVersionText(const VersionFacts& facts)
{
    return facts.Text("CurrentVersion",
                      std::to_string(facts.reportedMajor) + "." + std::to_string(facts.reportedMinor));
}

} // namespace

std::int32_t EffectiveMajorVersion(const VersionFacts& facts)
{
    if (!ReportsSixTwo(facts))
        return facts.reportedMajor;
    const std::int32_t n = facts.Integer("CurrentMajorVersionNumber", -1);
    if (n != -1)
        return n;
    const std::string text = CurrentVersionText(facts);
    return StrToInt(text.substr(0, text.find('.')));
}

std::int32_t EffectiveMinorVersion(const VersionFacts& facts)
{
    if (!ReportsSixTwo(facts))
        return facts.reportedMinor;
    const std::int32_t n = facts.Integer("CurrentMinorVersionNumber", -1);
    if (n != -1)
        return n;
    const std::string text = CurrentVersionText(facts);
    const auto dot = text.find('.');
    return StrToInt(dot == std::string::npos ? std::string() : text.substr(dot + 1));
}

bool EffectiveIsVistaOr7(const VersionFacts& facts)
{
    return EffectiveMajorVersion(facts) == 6 && EffectiveMinorVersion(facts) < 2;
}
