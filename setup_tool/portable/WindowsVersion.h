#pragma once
// The effective Windows version. Windows reports 6.2 to every program that declares no later
// Windows in its manifest, on Windows 8 and everything after it; then the registry tells the
// truth. The registry reads come from outside, so that the rules can be tried on any system.
#include <cstdint>
#include <string>

struct VersionFacts {
    std::int32_t reportedMajor = 0;
    std::int32_t reportedMinor = 0;
    // RegistryIntegerOrDefault and RegistryTextOrDefault on the CurrentVersion key.
    virtual std::int32_t Integer(const char* valueName, std::int32_t defaultValue) const = 0;
    virtual std::string Text(const char* valueName, const std::string& defaultText) const = 0;

protected:
    ~VersionFacts() = default;
};

inline constexpr char kCurrentVersionKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

// Raise EConvertError when the part of "CurrentVersion" to be converted is no whole number.
std::int32_t EffectiveMajorVersion(const VersionFacts& facts);
std::int32_t EffectiveMinorVersion(const VersionFacts& facts);
bool EffectiveIsVistaOr7(const VersionFacts& facts);
