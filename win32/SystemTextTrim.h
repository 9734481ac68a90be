#pragma once
// How both programs shorten the system's text for an error: the programs put their own
// punctuation after it. Knows nothing of Windows, so that the rule is tested natively.
#include <string_view>

// The text without its trailing blanks, line ends, control characters and periods.
constexpr std::string_view TrimSystemText(std::string_view text) noexcept
{
    while (!text.empty() && (static_cast<unsigned char>(text.back()) <= 32 || text.back() == '.'))
        text.remove_suffix(1);
    return text;
}
