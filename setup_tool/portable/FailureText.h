#pragma once
#include <string>

// The text the standard failure box shows for a failure's message: a period is appended when the
// last byte lies above "." (0x2E) as an unsigned byte of the ANSI code page, so a message ending
// in a letter, digit, ":" or "?" gets one; the empty text stays empty.
std::string FailureBoxText(std::string message);
