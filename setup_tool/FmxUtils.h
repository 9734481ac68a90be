#pragma once
// File and shell routines of the setup tool: the chunked copy, the attribute test, opening a file
// through the shell, and the one-line text file. Every text is 8-bit, in the ANSI code page.
#include <cstddef>
#include <cstdint>
#include <string>

// The most of a copied file held in memory at a time.
inline constexpr std::size_t kCopyChunkSize = 8192;

// Copies the bytes of source to destination (not its times or attributes). A destination that
// is an existing directory receives the copy under the source's file name. Raises EFOpenError
// (the source as given) or EFCreateError (the full destination path) when a file cannot be
// opened, and EInOutError with the system's code when reading or writing fails midway; the
// incomplete destination is deleted then.
void CopyFileChunked(const std::string& source, const std::string& destination);

// True when every bit of mask is set in the attributes of path; a path that cannot be looked
// at has none. Never fails.
bool HasFileAttr(const std::string& path, std::uint16_t mask);

// Opens file with the shell's default action, or starts it when it is a program, beside the
// main window; whether that worked is not looked at, and nothing waits for a started program.
void ShellExecuteFile(const std::string& file, const std::string& parameters, const std::string& directory,
                      int showCommand);

// Creates or replaces fileName with text and CR LF, nothing else. Raises EInOutError with the
// system's code of the first failing step (create, write, close); the file is closed either way.
void WriteOneLineFile(const std::string& fileName, const std::string& text);
