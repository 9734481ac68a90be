#pragma once
#include <cstdint>
#include <string>

// The system's message text for an error code, without trailing blanks, control characters and
// periods; the empty text when the system has none.
std::string SystemErrorText(std::uint32_t code);
