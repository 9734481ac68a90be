#pragma once
#include <cstdint>
#include <string>

// The message of a failed COM call: the system's text for the result, or "OLE error " and the
// result as eight hexadecimal digits in capitals when the system has none.
std::string OleErrorMessage(const std::string& systemText, std::int32_t result);
