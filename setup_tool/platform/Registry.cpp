#include "Registry.h"

#include "AnsiText.h"
#include "Handles.h"
#include "RegistryValue.h"
#include "SystemQueries.h"

#include <optional>
#include <vector>

namespace {

bool IsNtFamily()
{
    return ReportedPlatformId() == VER_PLATFORM_WIN32_NT;
}

// An open key, read with the W functions on the NT family and the A functions elsewhere.
class ValueReader {
public:
    ValueReader(HKEY root, const std::string& keyPath, const std::string& valueName)
        : wide_(IsNtFamily()), name_(valueName), wideName_(AnsiToWide(valueName))
    {
        HKEY key = nullptr;
        const LONG status = wide_ ? RegOpenKeyExW(root, AnsiToWide(keyPath).c_str(), 0, KEY_READ, &key)
                                  : RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_READ, &key);
        if (status == ERROR_SUCCESS)
            key_.reset(key);
    }

    bool IsOpen() const { return static_cast<bool>(key_); }

    bool TypeAndSize(DWORD& type, DWORD& size) const
    {
        return Query(&type, nullptr, &size);
    }

    bool Data(void* buffer, DWORD& size) const
    {
        return Query(nullptr, static_cast<BYTE*>(buffer), &size);
    }

private:
    bool Query(DWORD* type, BYTE* data, DWORD* size) const
    {
        const LONG status = wide_ ? RegQueryValueExW(key_.get(), wideName_.c_str(), nullptr, type, data, size)
                                  : RegQueryValueExA(key_.get(), name_.c_str(), nullptr, type, data, size);
        return status == ERROR_SUCCESS;
    }

    bool wide_;
    std::string name_;
    std::wstring wideName_;
    UniqueRegKey key_;
};

DWORD LookUpType(HKEY root, const std::string& keyPath, const std::string& valueName)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return REG_NONE;
    UniqueRegKey owner(key);
    DWORD type = REG_NONE;
    if (RegQueryValueExA(key, valueName.c_str(), nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS)
        return REG_NONE;
    return type;
}

std::optional<std::string> ReadText(HKEY root, const std::string& keyPath, const std::string& valueName)
{
    ValueReader reader(root, keyPath, valueName);
    if (!reader.IsOpen())
        return std::nullopt;
    DWORD type = 0, size = 0;
    if (!reader.TypeAndSize(type, size) || !RegistryValue::IsAcceptedText(type))
        return std::nullopt;
    std::vector<unsigned char> data(size + 2, 0);
    DWORD got = size;
    if (!reader.Data(data.data(), got))
        return std::nullopt;
    if (IsNtFamily()) {
        const std::u16string units = RegistryValue::TextUnits(data.data(), got);
        return WideToAnsi(std::wstring(units.begin(), units.end()));
    }
    return std::string(reinterpret_cast<const char*>(data.data()), got > 0 ? got - 1 : 0);
}

std::optional<std::int32_t> ReadNumberData(HKEY root, const std::string& keyPath, const std::string& valueName)
{
    ValueReader reader(root, keyPath, valueName);
    if (!reader.IsOpen())
        return std::nullopt;
    DWORD type = 0, size = 0;
    if (!reader.TypeAndSize(type, size) || !RegistryValue::IsNumberData(type, size))
        return std::nullopt;
    unsigned char buffer[RegistryValue::kMaxNumberSize] = {};
    DWORD got = sizeof buffer;
    if (!reader.Data(buffer, got))
        return std::nullopt;
    return RegistryValue::NumberFromData(buffer, sizeof buffer);
}

} // namespace

std::int32_t RegistryIntegerOrDefault(HKEY root, const std::string& keyPath, const std::string& valueName,
                                      std::int32_t defaultValue) noexcept
{
    try {
        std::optional<std::int32_t> value;
        if (RegistryValue::IsText(LookUpType(root, keyPath, valueName))) {
            if (const auto text = ReadText(root, keyPath, valueName))
                value = RegistryValue::NumberFromText(*text);
        } else {
            value = ReadNumberData(root, keyPath, valueName);
        }
        return value ? *value : defaultValue;
    } catch (...) {
        return defaultValue;
    }
}

std::string RegistryTextOrDefault(HKEY root, const std::string& keyPath, const std::string& valueName,
                                  const std::string& defaultText) noexcept
{
    try {
        if (auto text = ReadText(root, keyPath, valueName))
            return std::move(*text);
        return defaultText;
    } catch (...) {
        try {
            return defaultText;
        } catch (...) {
            return {};
        }
    }
}
