#include "SystemQueries.h"

#include "Registry.h"
#include "WindowsVersion.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

namespace {

struct Reported {
    std::int32_t platformId = 0;
    std::int32_t major = 0;
    std::int32_t minor = 0;
} reported;

struct RegistryFacts final : VersionFacts {
    std::int32_t Integer(const char* name, std::int32_t defaultValue) const override
    {
        return RegistryIntegerOrDefault(HKEY_LOCAL_MACHINE, kCurrentVersionKey, name, defaultValue);
    }
    std::string Text(const char* name, const std::string& defaultText) const override
    {
        return RegistryTextOrDefault(HKEY_LOCAL_MACHINE, kCurrentVersionKey, name, defaultText);
    }
};

RegistryFacts Facts()
{
    RegistryFacts facts;
    facts.reportedMajor = reported.major;
    facts.reportedMinor = reported.minor;
    return facts;
}

} // namespace

void CaptureReportedVersion()
{
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info; // 148
#if defined(_MSC_VER)
#pragma warning(suppress : 4996)
#elif defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
    const BOOL ok = GetVersionExA(&info);
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
    if (ok)
        reported = {static_cast<std::int32_t>(info.dwPlatformId), static_cast<std::int32_t>(info.dwMajorVersion),
                    static_cast<std::int32_t>(info.dwMinorVersion)};
}

std::int32_t ReportedPlatformId() { return reported.platformId; }
std::int32_t ReportedMajorVersion() { return reported.major; }
std::int32_t ReportedMinorVersion() { return reported.minor; }

std::int32_t WindowsMajorVersion()
{
    return EffectiveMajorVersion(Facts());
}

std::int32_t WindowsMinorVersion()
{
    return EffectiveMinorVersion(Facts());
}

bool WindowsVistaOr7()
{
    return EffectiveIsVistaOr7(Facts());
}

std::string DesktopFolder()
{
    PIDLIST_ABSOLUTE list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &list)))
        return {};
    char path[MAX_PATH] = "";
    const BOOL ok = SHGetPathFromIDListA(list, path);
    CoTaskMemFree(list);
    return ok ? std::string(path) : std::string();
}
