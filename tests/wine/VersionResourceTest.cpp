// The version resources of both programs as Windows' file properties read them, and the texts that
// Windows' installer detection reads: the version texts and the setup tool's manifest.
#include "Driver.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cwctype>
#include <map>
#include <string>
#include <vector>

namespace {

using Strings = std::map<std::wstring, std::wstring>;

struct Program {
    const char* file;
    Strings strings;
};

// What every program of the product says of its maker, product, version and copyright.
Strings ProductTexts(const wchar_t* description, const wchar_t* internalName, const wchar_t* fileName)
{
    return {{L"CompanyName", L"VELUK"},
            {L"ProductName", L"TYX"},
            {L"FileDescription", description},
            {L"FileVersion", L"1.0.0"},
            {L"ProductVersion", L"1.0.0"},
            {L"InternalName", internalName},
            {L"OriginalFilename", fileName},
            {L"LegalCopyright", L"\u00a9 2026 VELUK"}};
}

// Literal, as a person reads them in the file's properties.
const Program kPrograms[] = {
    {"Instal.exe",
     ProductTexts(L"Nastaven\u00ed parametru FILES a vytvo\u0159en\u00ed z\u00e1stupce TYX na plo\u0161e", L"Instal",
                  L"Instal.exe")},
    {"caller.exe", ProductTexts(L"Spou\u0161t\u011b\u010d p\u0159\u00edkaz\u016f TYX", L"caller", L"caller.exe")},
};

void PrintTo(const Program& p, std::ostream* out) { *out << p.file; }

std::vector<BYTE> VersionBlock(const std::wstring& path)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    std::vector<BYTE> block(size);
    if (size == 0 || !GetFileVersionInfoW(path.c_str(), 0, size, block.data()))
        block.clear();
    return block;
}

// The manifest is UTF-8; paths go through the driver's ANSI conversion.
std::wstring FromUtf8(const std::string& text)
{
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                            static_cast<int>(wide.size()))));
    return wide;
}

// Every string of every table in the block, walked node by node as the format lays them out, so
// that no text escapes the scan below for want of its name.
struct Node {
    std::wstring key;
    const BYTE* value;
    std::size_t valueBytes;
    bool isText;
    std::vector<Node> children;
};

std::size_t Aligned(std::size_t offset) { return (offset + 3) & ~std::size_t{3}; }

Node ReadNode(const BYTE* base, std::size_t offset, std::size_t end)
{
    Node node{};
    const auto* header = reinterpret_cast<const WORD*>(base + offset);
    const std::size_t nodeEnd = offset + header[0];
    EXPECT_LE(nodeEnd, end);
    const auto* key = reinterpret_cast<const wchar_t*>(base + offset + 6);
    node.key = key;
    node.isText = header[2] == 1;
    std::size_t at = Aligned(offset + 6 + (node.key.size() + 1) * sizeof(wchar_t));
    node.value = base + at;
    node.valueBytes = node.isText ? header[1] * sizeof(wchar_t) : header[1];
    at = Aligned(at + node.valueBytes);
    while (at + 6 <= nodeEnd && at + 6 <= end) {
        const WORD length = *reinterpret_cast<const WORD*>(base + at);
        if (length == 0)
            break;
        node.children.push_back(ReadNode(base, at, nodeEnd));
        at = Aligned(at + length);
    }
    return node;
}

Strings AllStrings(const std::vector<BYTE>& block)
{
    Strings all;
    const Node root = ReadNode(block.data(), 0, block.size());
    EXPECT_EQ(root.key, L"VS_VERSION_INFO");
    for (const Node& fileInfo : root.children) {
        if (fileInfo.key != L"StringFileInfo")
            continue;
        for (const Node& table : fileInfo.children) {
            EXPECT_EQ(table.key, L"040504E2");
            for (const Node& entry : table.children) {
                const auto* text = reinterpret_cast<const wchar_t*>(entry.value);
                all[entry.key] = std::wstring(text, wcsnlen(text, entry.valueBytes / sizeof(wchar_t)));
            }
        }
    }
    return all;
}

std::wstring Lower(std::wstring text)
{
    if (!text.empty())
        CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// The English keywords of Windows' installer detection, and the Czech words of the same meaning
// (install, update, patch). "instal" alone is the stem that the detection matches in file names:
// only the two texts that must name the file itself ("Instal", "Instal.exe") may hold it, and they
// add nothing to what the file's own name already gives.
const wchar_t* const kKeywords[] = {L"install", L"setup", L"update", L"patch", L"upgrade",
                                    L"aktualiz", L"z\u00e1plat", L"zaplat"};

std::vector<std::wstring> KeywordsIn(const std::wstring& text, bool mayNameTheFile)
{
    std::vector<std::wstring> found;
    const std::wstring lower = Lower(text);
    for (const wchar_t* keyword : kKeywords) {
        if (lower.find(keyword) != std::wstring::npos)
            found.push_back(keyword);
    }
    if (!mayNameTheFile && lower.find(L"instal") != std::wstring::npos)
        found.push_back(L"instal");
    return found;
}

class VersionResources : public testing::TestWithParam<Program> {
protected:
    std::wstring Path() const { return Driver::Wide(Driver::BesideDriver(GetParam().file)); }
};

TEST_P(VersionResources, FilePropertiesShowTheLiteralTexts)
{
    const std::vector<BYTE> block = VersionBlock(Path());
    ASSERT_FALSE(block.empty()) << "no version resource, error " << GetLastError();

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &size));
    ASSERT_EQ(size, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000000u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000000u);
    EXPECT_EQ(fixed->dwFileOS, DWORD{VOS_NT_WINDOWS32});
    EXPECT_EQ(fixed->dwFileType, DWORD{VFT_APP});
    EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask, 0u);

    // Czech, Windows-1250: the table that Explorer looks up.
    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                               &size));
    ASSERT_EQ(size, 4u);
    EXPECT_EQ(translation[0], 0x0405);
    EXPECT_EQ(translation[1], 1250);

    for (const auto& [name, expected] : GetParam().strings) {
        wchar_t* value = nullptr;
        const std::wstring query = L"\\StringFileInfo\\040504E2\\" + name;
        ASSERT_TRUE(VerQueryValueW(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &size)) << name;
        EXPECT_EQ(std::wstring(value), expected) << name;
    }
    // Nothing beside them: every text the resource holds is one of the above.
    EXPECT_EQ(AllStrings(block), GetParam().strings);
}

TEST_P(VersionResources, NoTextHoldsAnInstallerKeyword)
{
    const std::vector<BYTE> block = VersionBlock(Path());
    ASSERT_FALSE(block.empty());
    const Strings all = AllStrings(block);
    ASSERT_FALSE(all.empty());
    for (const auto& [name, text] : all) {
        const bool namesTheFile = name == L"InternalName" || name == L"OriginalFilename";
        EXPECT_EQ(KeywordsIn(name, false), std::vector<std::wstring>{});
        EXPECT_EQ(KeywordsIn(text, namesTheFile), std::vector<std::wstring>{}) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Programs, VersionResources, testing::ValuesIn(kPrograms));

// The manifest as the loader takes it from the file.
std::string ManifestOf(const std::wstring& path)
{
    HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        return {};
    std::string manifest;
    if (HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24))) {
        const auto* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
        if (bytes)
            manifest.assign(bytes, SizeofResource(module, found));
    }
    FreeLibrary(module);
    return manifest;
}

TEST(SetupToolManifest, RequestsNoExecutionLevelAndHoldsNoInstallerKeyword)
{
    const std::string manifest = ManifestOf(Driver::Wide(Driver::BesideDriver("Instal.exe")));
    ASSERT_FALSE(manifest.empty());
    const std::wstring text = FromUtf8(manifest);
    EXPECT_EQ(text.find(L"requestedExecutionLevel"), std::wstring::npos);
    EXPECT_EQ(text.find(L"trustInfo"), std::wstring::npos);
    EXPECT_NE(text.find(L"version=\"1.0.0.0\""), std::wstring::npos);

    const std::wstring open = L"<description>", close = L"</description>";
    const std::size_t start = text.find(open);
    ASSERT_NE(start, std::wstring::npos);
    const std::size_t end = text.find(close, start);
    ASSERT_NE(end, std::wstring::npos);
    const std::wstring description = text.substr(start + open.size(), end - start - open.size());
    EXPECT_EQ(description, L"Nastaven\u00ed parametru FILES a vytvo\u0159en\u00ed z\u00e1stupce TYX na plo\u0161e");
    EXPECT_EQ(KeywordsIn(description, false), std::vector<std::wstring>{});
    // The assembly's name repeats the file's, as the version texts may; no other keyword anywhere.
    EXPECT_EQ(KeywordsIn(text, true), std::vector<std::wstring>{});
}

} // namespace
