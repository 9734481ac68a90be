#pragma once
// Reads of single registry values that never fail: whatever goes wrong gives the default.
#include <windows.h>

#include <cstdint>
#include <string>

std::int32_t RegistryIntegerOrDefault(HKEY root, const std::string& keyPath, const std::string& valueName,
                                      std::int32_t defaultValue) noexcept;
std::string RegistryTextOrDefault(HKEY root, const std::string& keyPath, const std::string& valueName,
                                  const std::string& defaultText) noexcept;
