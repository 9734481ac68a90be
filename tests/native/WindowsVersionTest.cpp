#include "Exceptions.h"
#include "WindowsVersion.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>

namespace {

// A reported version and a registry of the version values; counts what is asked.
struct FakeFacts : VersionFacts {
    std::map<std::string, std::int32_t> integers; // what RegistryIntegerOrDefault finds
    std::optional<std::string> currentVersion;
    mutable std::vector<std::string> asked;

    std::int32_t Integer(const char* name, std::int32_t defaultValue) const override
    {
        asked.push_back(name);
        auto found = integers.find(name);
        return found != integers.end() ? found->second : defaultValue;
    }
    std::string Text(const char* name, const std::string& defaultText) const override
    {
        asked.push_back(name);
        return currentVersion ? *currentVersion : defaultText;
    }
};

FakeFacts Reported(int major, int minor)
{
    FakeFacts facts;
    facts.reportedMajor = major;
    facts.reportedMinor = minor;
    return facts;
}

struct VersionCase {
    const char* name;
    int reportedMajor, reportedMinor;
    std::map<std::string, std::int32_t> integers;
    std::optional<std::string> currentVersion;
    int major, minor;
    bool vistaOr7;
    bool registryRead;
};

const VersionCase kVersionCases[] = {
    {"Windows 7 as reported", 6, 1, {{"CurrentMajorVersionNumber", 10}}, "9.9", 6, 1, true, false},
    {"Vista as reported", 6, 0, {}, std::nullopt, 6, 0, true, false},
    {"XP as reported", 5, 1, {}, std::nullopt, 5, 1, false, false},
    {"6.2 with the numbers 10.0", 6, 2, {{"CurrentMajorVersionNumber", 10}, {"CurrentMinorVersionNumber", 0}},
     std::nullopt, 10, 0, false, true},
    {"6.2 with CurrentVersion 6.3 only", 6, 2, {}, "6.3", 6, 3, false, true},
    {"6.2 with nothing in the registry", 6, 2, {}, std::nullopt, 6, 2, false, true},
    {"6.2 with the major number only", 6, 2, {{"CurrentMajorVersionNumber", 10}}, "6.3", 10, 3, false, true},
    {"6.2 with CurrentVersion 6.3.1 has major 6", 6, 2, {}, "6.3.1", 6, -1, false, true},
};

TEST(WindowsVersion, EffectiveVersionByTheRules)
{
    for (const VersionCase& c : kVersionCases) {
        SCOPED_TRACE(c.name);
        FakeFacts facts = Reported(c.reportedMajor, c.reportedMinor);
        facts.integers = c.integers;
        facts.currentVersion = c.currentVersion;
        EXPECT_EQ(EffectiveMajorVersion(facts), c.major);
        if (c.minor >= 0) {
            EXPECT_EQ(EffectiveMinorVersion(facts), c.minor);
        }
        if (c.minor >= 0 || c.major != 6) {
            EXPECT_EQ(EffectiveIsVistaOr7(facts), c.vistaOr7);
        }
        EXPECT_EQ(!facts.asked.empty(), c.registryRead);
    }
}

TEST(WindowsVersion, IsVistaOr7AsksTheMinorOnlyForMajorSix)
{
    FakeFacts facts = Reported(6, 2);
    facts.integers = {{"CurrentMajorVersionNumber", 10}, {"CurrentMinorVersionNumber", 0}};
    EXPECT_FALSE(EffectiveIsVistaOr7(facts));
    EXPECT_EQ(facts.asked, std::vector<std::string>{"CurrentMajorVersionNumber"});

    FakeFacts xp = Reported(5, 1);
    EXPECT_FALSE(EffectiveIsVistaOr7(xp));
}

struct BadTextCase {
    const char* currentVersion;
    bool majorFails;
    const char* message; // of the failing query
};

const BadTextCase kBadTexts[] = {
    {"6", false, "'' is not a valid integer value"},
    {"6.3.1", false, "'3.1' is not a valid integer value"},
    {"six.1", true, "'six' is not a valid integer value"},
    {".3", true, "'' is not a valid integer value"},
    {"6.", false, "'' is not a valid integer value"},
};

TEST(WindowsVersion, UnconvertibleCurrentVersionRaisesTheConversionFailure)
{
    for (const BadTextCase& c : kBadTexts) {
        SCOPED_TRACE(c.currentVersion);
        FakeFacts facts = Reported(6, 2);
        facts.currentVersion = c.currentVersion;
        try {
            if (c.majorFails)
                EffectiveMajorVersion(facts);
            else
                EffectiveMinorVersion(facts);
            ADD_FAILURE() << "no failure";
        } catch (const EConvertError& failure) {
            EXPECT_EQ(failure.Message(), c.message);
        }
        if (!c.majorFails) {
            EXPECT_EQ(EffectiveMajorVersion(facts), 6);
        }
    }
}

TEST(WindowsVersion, IsVistaOr7PassesTheFailureOn)
{
    FakeFacts facts = Reported(6, 2);
    facts.currentVersion = "6";
    EXPECT_THROW(EffectiveIsVistaOr7(facts), EConvertError);
}

} // namespace
