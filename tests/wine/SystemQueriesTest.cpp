// What the tool learns of the system, in prefixes set to the Windows versions it meets. The run
// says what the prefix emulates through TYX_EXPECT (reported major.minor, effective major.minor,
// 64 or 32), e.g. "6.2 10.0 64".
#include "Exceptions.h"
#include "FunkcInstTyx.h"
#include "Registry.h"
#include "SystemQueries.h"
#include "WindowsVersion.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Expected {
    int reportedMajor = -1, reportedMinor = -1, major = -1, minor = -1, bits = 0;
};

Expected ExpectedOfRun()
{
    Expected e;
    const char* text = std::getenv("TYX_EXPECT");
    if (!text || std::sscanf(text, "%d.%d %d.%d %d", &e.reportedMajor, &e.reportedMinor, &e.major, &e.minor,
                             &e.bits) != 5)
        e.bits = 0;
    return e;
}

class SystemQueries : public testing::Test {
protected:
    void SetUp() override
    {
        expected_ = ExpectedOfRun();
        if (expected_.bits == 0)
            GTEST_SKIP() << "TYX_EXPECT not set";
        CaptureReportedVersion();
    }
    Expected expected_;
};

TEST_F(SystemQueries, VersionAndBitnessAreWhatThePrefixEmulates)
{
    EXPECT_EQ(ReportedPlatformId(), VER_PLATFORM_WIN32_NT);
    EXPECT_EQ(ReportedMajorVersion(), expected_.reportedMajor);
    EXPECT_EQ(ReportedMinorVersion(), expected_.reportedMinor);
    EXPECT_EQ(WindowsMajorVersion(), expected_.major);
    EXPECT_EQ(WindowsMinorVersion(), expected_.minor);
    EXPECT_EQ(IsVistaOr7(), expected_.major == 6 && expected_.minor < 2);
    EXPECT_EQ(IsWin64(), expected_.bits == 64);
}

TEST_F(SystemQueries, SystemDirectoryAndDesktopAreThePrefixPaths)
{
    const std::string system = GetSystemDir();
    // A 32-bit program on 64-bit Windows is shown SysWOW64 under the name system32.
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(_stricmp(system.c_str(), (std::string(windows) + "\\system32").c_str()), 0) << system;
    EXPECT_NE(GetFileAttributesA((system + "\\kernel32.dll").c_str()), INVALID_FILE_ATTRIBUTES);

    const std::string desktop = DesktopFolder();
    ASSERT_FALSE(desktop.empty());
    const DWORD attributes = GetFileAttributesA(desktop.c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES) << desktop;
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(_stricmp(desktop.substr(desktop.size() - 8).c_str(), "\\Desktop"), 0) << desktop;
    EXPECT_EQ(_strnicmp(desktop.c_str(), "C:\\users\\", 9), 0) << desktop;
}

// Values of the test's own, written as the registry stores them.
class RegistryValues : public testing::Test {
protected:
    static constexpr char kKey[] = "Software\\TyxTests\\Values";

    void SetUp() override
    {
        CaptureReportedVersion();
        RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override
    {
        if (key_)
            RegCloseKey(key_);
        RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
    }
    void Set(const char* name, DWORD type, const std::vector<unsigned char>& data)
    {
        ASSERT_EQ(RegSetValueExA(key_, name, 0, type, data.data(), static_cast<DWORD>(data.size())), ERROR_SUCCESS);
    }
    void SetText(const char* name, DWORD type, const std::string& text)
    {
        std::vector<unsigned char> data(text.begin(), text.end());
        data.push_back(0);
        Set(name, type, data);
    }
    HKEY key_ = nullptr;
};

std::vector<unsigned char> Bytes(std::initializer_list<int> values)
{
    std::vector<unsigned char> bytes;
    for (int v : values)
        bytes.push_back(static_cast<unsigned char>(v));
    return bytes;
}

TEST_F(RegistryValues, IntegersOfEveryTypeOrTheDefault)
{
    struct Case {
        const char* name;
        DWORD type;
        std::vector<unsigned char> data;
        int expected;
    };
    const Case cases[] = {
        {"dword", REG_DWORD, Bytes({10, 0, 0, 0}), 10},
        {"dword all ones", REG_DWORD, Bytes({0xFF, 0xFF, 0xFF, 0xFF}), -1},
        {"qword", REG_QWORD, Bytes({10, 0, 0, 0, 1, 0, 0, 0}), 10},
        {"binary 3", REG_BINARY, Bytes({1, 2, 0}), 0x0201},
        {"binary 12", REG_BINARY, std::vector<unsigned char>(12, 1), -7},
        {"multi", REG_MULTI_SZ, Bytes({'1', 0, '2', 0, 0}), -7},
    };
    for (const Case& c : cases)
        Set(c.name, c.type, c.data);
    SetText("text 10", REG_SZ, "10");
    SetText("text hex", REG_SZ, " +0x0A");
    SetText("text expand", REG_EXPAND_SZ, "$1F");
    SetText("text letters", REG_SZ, "ten");
    SetText("text overflow", REG_SZ, "9223372036854775808");
    SetText("text big", REG_SZ, "4294967306");
    SetText("text empty", REG_SZ, "");

    for (const Case& c : cases)
        EXPECT_EQ(RegistryIntegerOrDefault(HKEY_CURRENT_USER, kKey, c.name, -7), c.expected) << c.name;
    const std::pair<const char*, int> texts[] = {
        {"text 10", 10}, {"text hex", 10}, {"text expand", 31}, {"text letters", -7},
        {"text overflow", -7}, {"text big", 10}, {"text empty", -7}, {"missing", -7},
    };
    for (const auto& [name, expected] : texts)
        EXPECT_EQ(RegistryIntegerOrDefault(HKEY_CURRENT_USER, kKey, name, -7), expected) << name;
    EXPECT_EQ(RegistryIntegerOrDefault(HKEY_CURRENT_USER, "Software\\TyxTests\\Missing", "dword", -7), -7);
}

TEST_F(RegistryValues, TextsOfTheAcceptedTypesInTheAnsiCodePage)
{
    SetText("sz", REG_SZ, "6.3");
    SetText("expand", REG_EXPAND_SZ, "%SystemRoot%\\x");
    // "počítač" in 1250: read through the W functions and converted back.
    SetText("czech", REG_SZ, "po\xE8\xEDta\xE8");
    Set("binary", REG_BINARY, Bytes({'6', 0, '.', 0, '1', 0, 0, 0}));
    Set("dword", REG_DWORD, Bytes({10, 0, 0, 0}));
    SetText("multi", REG_MULTI_SZ, "a");
    const std::pair<const char*, std::string> cases[] = {
        {"sz", "6.3"}, {"expand", "%SystemRoot%\\x"}, {"czech", "po\xE8\xEDta\xE8"}, {"binary", "6.1"},
        {"dword", "default"}, {"multi", "default"}, {"missing", "default"},
    };
    for (const auto& [name, expected] : cases)
        EXPECT_EQ(RegistryTextOrDefault(HKEY_CURRENT_USER, kKey, name, "default"), expected) << name;
}

// The version rules against the real key, with what Windows reports held at 6.2.
class VersionKey : public testing::Test {
protected:
    void SetUp() override
    {
        CaptureReportedVersion();
        if (ReportedMajorVersion() != 6 || ReportedMinorVersion() != 2)
            GTEST_SKIP() << "the prefix does not report 6.2";
        ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kCurrentVersionKey, 0, KEY_ALL_ACCESS, &key_), ERROR_SUCCESS);
        for (const char* name : {"CurrentMajorVersionNumber", "CurrentMinorVersionNumber", "CurrentVersion"})
            RegDeleteValueA(key_, name);
    }
    void TearDown() override
    {
        if (key_)
            RegCloseKey(key_);
    }
    void Dword(const char* name, DWORD value)
    {
        RegSetValueExA(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    }
    void Text(const char* name, const char* value, DWORD type = REG_SZ)
    {
        RegSetValueExA(key_, name, 0, type, reinterpret_cast<const BYTE*>(value), static_cast<DWORD>(strlen(value) + 1));
    }
    HKEY key_ = nullptr;
};

TEST_F(VersionKey, NumbersFirstThenCurrentVersionThenWhatIsReported)
{
    EXPECT_EQ(WindowsMajorVersion(), 6);
    EXPECT_EQ(WindowsMinorVersion(), 2);

    Text("CurrentVersion", "6.3");
    EXPECT_EQ(WindowsMajorVersion(), 6);
    EXPECT_EQ(WindowsMinorVersion(), 3);
    EXPECT_FALSE(IsVistaOr7());

    Dword("CurrentMajorVersionNumber", 10);
    Dword("CurrentMinorVersionNumber", 0);
    EXPECT_EQ(WindowsMajorVersion(), 10);
    EXPECT_EQ(WindowsMinorVersion(), 0);

    Text("CurrentMajorVersionNumber", "10");
    EXPECT_EQ(WindowsMajorVersion(), 10);
    Text("CurrentMajorVersionNumber", "ten");
    EXPECT_EQ(WindowsMajorVersion(), 6);
    Dword("CurrentMajorVersionNumber", 0xFFFFFFFF);
    EXPECT_EQ(WindowsMajorVersion(), 6);
    Text("CurrentMajorVersionNumber", "1\0", REG_MULTI_SZ);
    EXPECT_EQ(WindowsMajorVersion(), 6);
}

// Where Windows reports anything but 6.2 the report is the truth and the registry is not asked.
TEST(VersionReport, OtherThanSixTwoTheRegistryIsNotAsked)
{
    CaptureReportedVersion();
    if (ReportedMajorVersion() == 6 && ReportedMinorVersion() == 2)
        GTEST_SKIP() << "the prefix reports 6.2";
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kCurrentVersionKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    const DWORD ten = 10;
    RegSetValueExA(key, "CurrentMajorVersionNumber", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&ten), sizeof ten);
    RegSetValueExA(key, "CurrentMinorVersionNumber", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&ten), sizeof ten);
    RegSetValueExA(key, "CurrentVersion", 0, REG_SZ, reinterpret_cast<const BYTE*>("bad"), 4);
    RegCloseKey(key);
    EXPECT_EQ(WindowsMajorVersion(), ReportedMajorVersion());
    EXPECT_EQ(WindowsMinorVersion(), ReportedMinorVersion());
    EXPECT_NO_THROW(IsVistaOr7());
}

TEST_F(VersionKey, UnconvertibleCurrentVersionFailsTheMinorQuery)
{
    const std::pair<const char*, const char*> cases[] = {{"6", "''"}, {"6.3.1", "'3.1'"}};
    for (const auto& [text, quoted] : cases) {
        Text("CurrentVersion", text);
        EXPECT_EQ(WindowsMajorVersion(), 6) << text;
        try {
            WindowsMinorVersion();
            ADD_FAILURE() << "no failure for " << text;
        } catch (const EConvertError& failure) {
            EXPECT_EQ(failure.Message(), std::string(quoted) + " is not a valid integer value");
        }
    }
}

} // namespace
