#pragma once
// Conversions between the tool's 8-bit texts (the system's ANSI code page) and the wide texts that
// the shell link object takes.
#include <string>

std::wstring AnsiToWide(const std::string& text);
std::string WideToAnsi(const std::wstring& text);
