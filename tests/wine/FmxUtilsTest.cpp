// The file and shell routines against the real file system of the prefix, and, through the
// file seam, against failures the file system will not produce on demand.
#include "Exceptions.h"
#include "FmxUtils.h"
#include "ShellTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace ShellTest;
using Faults::Injector;
using Faults::Op;
using Faults::Plan;

namespace {

// Runs the call and gives the failure it raised, so that its class, code and text can be checked.
template <typename Failure>
std::optional<Failure> FailureOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const Failure& failure) {
        return failure;
    }
    return std::nullopt;
}

// --- CopyFileChunked: sizes --------------------------------------------------------------------

struct SizeCase {
    std::size_t size;
    int reads;  // calls of ReadFile until the copy ends
    int writes;
};

class CopyFileChunkedSize : public testing::TestWithParam<SizeCase> {};

TEST_P(CopyFileChunkedSize, CopiesEveryByteInWholeChunks)
{
    ScratchDir dir;
    const std::string bytes = PatternBytes(GetParam().size);
    WriteBytes(dir / "source.bin", bytes);

    Injector log;
    CopyFileChunked(dir / "source.bin", dir / "copy.bin");

    EXPECT_EQ(ReadBytes(dir / "copy.bin"), bytes);
    EXPECT_EQ(log.Count(Op::Read), GetParam().reads);
    EXPECT_EQ(log.Count(Op::Write), GetParam().writes);
    EXPECT_EQ(log.OpenHandles(), 0);
    EXPECT_EQ(ReadBytes(dir / "source.bin"), bytes);
}

INSTANTIATE_TEST_SUITE_P(Table, CopyFileChunkedSize, testing::Values(
    SizeCase{0, 1, 0},         // one read gives 0 and nothing is written
    SizeCase{1, 1, 1},
    SizeCase{8191, 1, 1},
    SizeCase{8192, 2, 1},
    SizeCase{8193, 2, 2},
    SizeCase{16384, 3, 2},     // two full chunks, the third read gives 0
    SizeCase{100000, 13, 13}));

// --- CopyFileChunked: where the copy goes ------------------------------------------------------

struct DestinationCase {
    const char* name;
    // The destination text, given the scratch directory (the current directory too).
    std::function<std::string(const std::string& dir)> destination;
    // Where the copy must land.
    std::function<std::string(const std::string& dir)> landsAt;
};

class CopyFileChunkedDestination : public testing::TestWithParam<DestinationCase> {};

TEST_P(CopyFileChunkedDestination, LandsWhereTheDestinationSays)
{
    ScratchDir dir;
    CreateDirectoryA((dir / "Plocha").c_str(), nullptr);
    CurrentDirectory inScratch(dir.Path());
    const std::string bytes = PatternBytes(9000, 7);
    WriteBytes(dir / "TyxWin10.sss", bytes);

    Injector log;
    CopyFileChunked(dir / "TyxWin10.sss", GetParam().destination(dir.Path()));

    const std::string expected = GetParam().landsAt(dir.Path());
    ASSERT_TRUE(FileExists(expected)) << expected;
    EXPECT_EQ(ReadBytes(expected), bytes);
    // The create names the full path, with exactly one separator before the file name.
    EXPECT_GE(log.IndexOf(Op::Create, expected), 0);
}

INSTANTIATE_TEST_SUITE_P(Table, CopyFileChunkedDestination, testing::Values(
    DestinationCase{"Directory", [](const std::string& d) { return d + "\\Plocha"; },
                    [](const std::string& d) { return d + "\\Plocha\\TyxWin10.sss"; }},
    DestinationCase{"DirectoryWithSeparator", [](const std::string& d) { return d + "\\Plocha\\"; },
                    [](const std::string& d) { return d + "\\Plocha\\TyxWin10.sss"; }},
    DestinationCase{"RelativeName", [](const std::string&) { return std::string("TYX2023.lnk"); },
                    [](const std::string& d) { return d + "\\TYX2023.lnk"; }},
    DestinationCase{"RelativeDirectory", [](const std::string&) { return std::string("Plocha"); },
                    [](const std::string& d) { return d + "\\Plocha\\TyxWin10.sss"; }},
    DestinationCase{"DotsInThePath", [](const std::string& d) { return d + "\\Plocha\\..\\TYX2023.lnk"; },
                    [](const std::string& d) { return d + "\\TYX2023.lnk"; }}),
    [](const testing::TestParamInfo<DestinationCase>& info) { return std::string(info.param.name); });

TEST(CopyFileChunked, OverwritesALongerFileCompletely)
{
    ScratchDir dir;
    WriteBytes(dir / "new.bin", PatternBytes(100, 3));
    WriteBytes(dir / "old.bin", std::string(20000, 'x'));
    CopyFileChunked(dir / "new.bin", dir / "old.bin");
    EXPECT_EQ(ReadBytes(dir / "old.bin"), PatternBytes(100, 3));
}

TEST(CopyFileChunked, CarriesNeitherAttributesNorTimes)
{
    ScratchDir dir;
    WriteBytes(dir / "source.bin", "abc");
    FILETIME old{};
    old.dwHighDateTime = 0x01B00000; // some day in 1990
    {
        HANDLE h = CreateFileA((dir / "source.bin").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0,
                               nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        SetFileTime(h, nullptr, nullptr, &old);
        CloseHandle(h);
    }
    SetFileAttributesA((dir / "source.bin").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);

    CopyFileChunked(dir / "source.bin", dir / "copy.bin");

    const DWORD attributes = GetFileAttributesA((dir / "copy.bin").c_str());
    EXPECT_EQ(attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY), 0u);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExA((dir / "copy.bin").c_str(), GetFileExInfoStandard, &data));
    EXPECT_NE(data.ftLastWriteTime.dwHighDateTime, old.dwHighDateTime);
}

TEST(CopyFileChunked, OntoItselfFailsToCreateAndLeavesTheFile)
{
    ScratchDir dir;
    CurrentDirectory inScratch(dir.Path());
    const std::string bytes = PatternBytes(5000);
    WriteBytes(dir / "TyxWin8.sss", bytes);

    const auto failure = FailureOf<EFCreateError>([&] { CopyFileChunked("TyxWin8.sss", "TyxWin8.sss"); });

    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->Message(), "Cannot create file " + dir / "TyxWin8.sss");
    EXPECT_EQ(ReadBytes(dir / "TyxWin8.sss"), bytes);
}

TEST(CopyFileChunked, MissingSourceNamesItAsGivenAndTouchesNoDestination)
{
    ScratchDir dir;
    CurrentDirectory inScratch(dir.Path());
    WriteBytes(dir / "kept.lnk", "old content");

    for (const std::string& destination : {dir / "new.lnk", dir / "kept.lnk"}) {
        SCOPED_TRACE(destination);
        const auto failure = FailureOf<EFOpenError>([&] { CopyFileChunked("..\\chybi\\TyxWin7.s64", destination); });
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->Message(), "Cannot open file ..\\chybi\\TyxWin7.s64");
    }
    EXPECT_FALSE(PathExists(dir / "new.lnk"));
    EXPECT_EQ(ReadBytes(dir / "kept.lnk"), "old content");
}

// A destination longer than the 260 characters of the first try is asked for again with the
// room the system says it needs, and the create names it whole.
TEST(CopyFileChunked, LongFullPathIsNeverCut)
{
    ScratchDir dir;
    WriteBytes(dir / "source.bin", "abc");
    const std::string longPath = dir.Path() + "\\" + std::string(300, 'a') + ".lnk";

    Injector log;
    Faults::SetFullPathFor("long.lnk", longPath);
    const auto failure = FailureOf<EFCreateError>([&] { CopyFileChunked(dir / "source.bin", "long.lnk"); });

    const int create = log.IndexOf(Op::Create, longPath);
    ASSERT_GE(create, 0) << "the destination was created under some other name";
    RecordProperty("created", log.Log()[create].failed ? "no" : "yes");
    if (log.Log()[create].failed) {
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->Message(), "Cannot create file " + longPath);
    } else {
        EXPECT_FALSE(failure);
    }
    EXPECT_EQ(log.OpenHandles(), 0);
}

// --- CopyFileChunked: failures midway ----------------------------------------------------------

struct FaultCase {
    const char* name;
    Plan plan;
    enum Outcome { InOut, Open, Create } outcome;
    DWORD code;          // InOut: the code raised
    const char* message; // InOut: its text
};

class CopyFileChunkedFault : public testing::TestWithParam<FaultCase> {};

TEST_P(CopyFileChunkedFault, RaisesClosesAndLeavesNoBrokenCopy)
{
    ScratchDir dir;
    const std::string source = dir / "source.bin";
    const std::string destination = dir / "copy.bin";
    const std::string bytes = PatternBytes(20000); // three chunks
    WriteBytes(source, bytes);
    const FaultCase& c = GetParam();

    Injector log(c.plan);
    bool raised = false;
    try {
        CopyFileChunked(source, destination);
    } catch (const EInOutError& failure) {
        raised = true;
        EXPECT_EQ(c.outcome, FaultCase::InOut);
        EXPECT_EQ(failure.ErrorCode(), c.code);
        EXPECT_EQ(failure.Message(), c.message);
    } catch (const EFOpenError& failure) {
        raised = true;
        EXPECT_EQ(c.outcome, FaultCase::Open);
        EXPECT_EQ(failure.Message(), "Cannot open file " + source);
    } catch (const EFCreateError& failure) {
        raised = true;
        EXPECT_EQ(c.outcome, FaultCase::Create);
        EXPECT_EQ(failure.Message(), "Cannot create file " + destination);
    }
    ASSERT_TRUE(raised) << "a broken copy passed for a good one";

    EXPECT_FALSE(PathExists(destination));
    EXPECT_EQ(ReadBytes(source), bytes);
    EXPECT_EQ(log.OpenHandles(), 0);

    // The destination is closed before the source, and deleted only once it is closed; nothing
    // is deleted when the destination was never made.
    const HANDLE in = log.HandleOf(source);
    const HANDLE out = log.HandleOf(destination);
    const int deleted = log.IndexOf(Op::Delete, destination);
    if (out) {
        ASSERT_GE(deleted, 0);
        EXPECT_LT(log.IndexOf(Op::Close, out), deleted);
        EXPECT_LT(log.IndexOf(Op::Close, out), log.IndexOf(Op::Close, in));
    } else {
        EXPECT_EQ(deleted, -1);
        EXPECT_EQ(log.Count(Op::Delete), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, CopyFileChunkedFault, testing::Values(
    FaultCase{"FirstReadFails", {Op::Read, 1, ERROR_ACCESS_DENIED}, FaultCase::InOut, 5, "File access denied"},
    FaultCase{"SecondReadFails", {Op::Read, 2, ERROR_CRC}, FaultCase::InOut, 23, "I/O error 23"},
    FaultCase{"FirstWriteFails", {Op::Write, 1, ERROR_DISK_FULL}, FaultCase::InOut, 112, "I/O error 112"},
    FaultCase{"LastWriteFails", {Op::Write, 3, ERROR_HANDLE_DISK_FULL}, FaultCase::InOut, 39, "I/O error 39"},
    FaultCase{"ShortWrite", {Op::Write, 2, 0, true}, FaultCase::InOut, 112, "I/O error 112"},
    FaultCase{"ClosingTheCopyFails", {Op::Close, 1, ERROR_NETNAME_DELETED}, FaultCase::InOut, 64, "I/O error 64"},
    FaultCase{"FailureWithoutCode", {Op::Read, 1, 0}, FaultCase::InOut, 31, "I/O error 31"},
    FaultCase{"SourceCannotBeOpened", {Op::Create, 1, ERROR_SHARING_VIOLATION}, FaultCase::Open, 0, ""},
    FaultCase{"CopyCannotBeCreated", {Op::Create, 2, ERROR_ACCESS_DENIED}, FaultCase::Create, 0, ""}),
    [](const testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.name); });

// --- HasFileAttr -------------------------------------------------------------------------------

struct AttrCase {
    const char* name;
    enum Kind { Missing, File, ReadOnlyFile, Directory } kind;
    std::uint16_t mask;
    bool expected;
};

class HasFileAttrTest : public testing::TestWithParam<AttrCase> {};

TEST_P(HasFileAttrTest, NeedsEveryBitOfTheMask)
{
    ScratchDir dir;
    const std::string path = dir / "item";
    switch (GetParam().kind) {
    case AttrCase::Missing: break;
    case AttrCase::File: WriteBytes(path, "x"); break;
    case AttrCase::ReadOnlyFile:
        WriteBytes(path, "x");
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
        break;
    case AttrCase::Directory: CreateDirectoryA(path.c_str(), nullptr); break;
    }
    EXPECT_EQ(HasFileAttr(path, GetParam().mask), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, HasFileAttrTest, testing::Values(
    AttrCase{"MissingDirectoryBit", AttrCase::Missing, FILE_ATTRIBUTE_DIRECTORY, false},
    AttrCase{"MissingReadOnlyBit", AttrCase::Missing, FILE_ATTRIBUTE_READONLY, false},
    AttrCase{"MissingNoBits", AttrCase::Missing, 0, true},
    AttrCase{"FileNoBits", AttrCase::File, 0, true},
    AttrCase{"FileDirectoryBit", AttrCase::File, FILE_ATTRIBUTE_DIRECTORY, false},
    AttrCase{"DirectoryDirectoryBit", AttrCase::Directory, FILE_ATTRIBUTE_DIRECTORY, true},
    AttrCase{"ReadOnlyFileReadOnlyBit", AttrCase::ReadOnlyFile, FILE_ATTRIBUTE_READONLY, true},
    AttrCase{"ReadOnlyFileTwoBits", AttrCase::ReadOnlyFile, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY,
             false},
    AttrCase{"EveryBitOfMissing", AttrCase::Missing, 0xFFFF, false}),
    [](const testing::TestParamInfo<AttrCase>& info) { return std::string(info.param.name); });

// --- ShellExecuteFile --------------------------------------------------------------------------

TEST(ShellExecuteFile, MissingFileReturnsQuietly)
{
    ScratchDir dir;
    EXPECT_NO_THROW(ShellExecuteFile(dir / "Ikon.exe", "", dir / "Ikon.ini", SW_SHOWNORMAL));
    EXPECT_NO_THROW(ShellExecuteFile("", "", "", SW_SHOWNORMAL));
}

// File, parameters and directory far beyond 80 characters reach the started program whole.
TEST(ShellExecuteFile, HandsLongTextsToTheShellWhole)
{
    ScratchDir dir;
    std::string deep = dir.Path();
    for (const char* part : {"\\Podvojne ucetnictvi TYX", "\\Rocnik dva tisice dvacet tri", "\\Program"}) {
        deep += part;
        ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr));
    }
    ASSERT_GT(deep.size(), 80u);
    // The batch file writes its working directory and its first parameter.
    WriteBytes(deep + "\\record.bat", "@echo off\r\ncd > result.txt\r\necho %~1>> result.txt\r\n");
    const std::string parameter = "P" + std::string(150, 'x') + "K";
    const std::string result = deep + "\\result.txt";

    ShellExecuteFile(deep + "\\record.bat", "\"" + parameter + "\"", deep, SW_HIDE);

    // The batch file runs on its own; its record is whole once the parameter's line has ended.
    std::string written;
    Driver::WaitUntil([&] {
        if (FileExists(result))
            written = ReadBytes(result);
        return written.find("K\r\n") != std::string::npos;
    }, 20000);
    EXPECT_EQ(written, deep + "\r\n" + parameter + "\r\n");
}

// --- WriteOneLineFile --------------------------------------------------------------------------

struct LineCase {
    const char* name;
    std::string text;
};

class WriteOneLineFileText : public testing::TestWithParam<LineCase> {};

TEST_P(WriteOneLineFileText, HoldsTheTextAndCrLfOnly)
{
    ScratchDir dir;
    WriteBytes(dir / "KdeJeZas.ttx", std::string(1000, 'o')); // an older, longer record
    Injector log;
    WriteOneLineFile(dir / "KdeJeZas.ttx", GetParam().text);
    EXPECT_EQ(ReadBytes(dir / "KdeJeZas.ttx"), GetParam().text + "\r\n");
    EXPECT_EQ(log.OpenHandles(), 0);
}

INSTANTIATE_TEST_SUITE_P(Table, WriteOneLineFileText, testing::Values(
    LineCase{"Empty", ""},
    LineCase{"ShortcutPath", "C:\\users\\ucetni\\Desktop\\TYX2023_1.lnk"},
    // "C:\Účetnictví\Plocha\TYX 2023.lnk" in Windows-1250, passed through byte for byte
    LineCase{"AnsiBytes", "C:\\\xDA\xE8" "etnictv\xED\\Plocha\\TYX 2023.lnk"},
    LineCase{"LongerThanABuffer", std::string(300, 'L')},
    LineCase{"ControlCharacters", std::string("a\tb\x1A" "c\r\nd", 8)}),
    [](const testing::TestParamInfo<LineCase>& info) { return std::string(info.param.name); });

TEST(WriteOneLineFile, MissingDirectoryGivesInvalidFilenameAndNoFile)
{
    ScratchDir dir;
    const auto failure = FailureOf<EInOutError>([&] { WriteOneLineFile(dir / "chybi\\KdeJeZas.ttx", "x"); });
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->ErrorCode(), 3u);
    EXPECT_EQ(failure->Message(), "Invalid filename");
    EXPECT_FALSE(PathExists(dir / "chybi"));
}

// A name of more than 260 characters goes to the system whole: either the file is made under
// that very name or the failure is raised, and nothing appears under a shortened name.
TEST(WriteOneLineFile, LongNameIsNeverCut)
{
    ScratchDir dir;
    const std::string name = dir.Path() + "\\" + std::string(300 - dir.Path().size(), 'n') + ".ttx";
    Injector log;
    const auto failure = FailureOf<EInOutError>([&] { WriteOneLineFile(name, "x"); });
    const int create = log.IndexOf(Op::Create, name);
    ASSERT_GE(create, 0);
    RecordProperty("created", log.Log()[create].failed ? "no" : "yes");
    EXPECT_EQ(log.Log()[create].failed, failure.has_value());
    if (!failure) {
        EXPECT_EQ(ReadBytes(name), "x\r\n");
    }
    EXPECT_FALSE(PathExists(name.substr(0, MAX_PATH - 1)));
    EXPECT_EQ(log.OpenHandles(), 0);
}

struct LineFaultCase {
    const char* name;
    Plan plan;
    DWORD code;
    const char* message;
};

class WriteOneLineFileFault : public testing::TestWithParam<LineFaultCase> {};

TEST_P(WriteOneLineFileFault, RaisesTheStepsCodeAndClosesTheFile)
{
    ScratchDir dir;
    Injector log(GetParam().plan);
    const auto failure = FailureOf<EInOutError>([&] { WriteOneLineFile(dir / "KdeJeZas.ttx", "C:\\x.lnk"); });
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->ErrorCode(), GetParam().code);
    EXPECT_EQ(failure->Message(), GetParam().message);
    EXPECT_EQ(log.OpenHandles(), 0);
}

INSTANTIATE_TEST_SUITE_P(Table, WriteOneLineFileFault, testing::Values(
    LineFaultCase{"CreateFails", {Op::Create, 1, ERROR_ACCESS_DENIED}, 5, "File access denied"},
    LineFaultCase{"WriteFails", {Op::Write, 1, ERROR_DISK_FULL}, 112, "I/O error 112"},
    LineFaultCase{"CloseFails", {Op::Close, 1, ERROR_NETNAME_DELETED}, 64, "I/O error 64"}),
    [](const testing::TestParamInfo<LineFaultCase>& info) { return std::string(info.param.name); });

} // namespace
