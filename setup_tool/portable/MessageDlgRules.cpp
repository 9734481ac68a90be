#include "MessageDlgRules.h"

#include <initializer_list>
#include <iterator>

namespace MessageDlg {

namespace {

const TypeInfo kTypes[] = {
    {"Warning", 32515},
    {"Error", 32513},
    {"Information", 32516},
    {"Confirm", 32514},
    {nullptr, 0},
};

const ButtonKind kKinds[kButtonKindCount] = {
    {"Yes", "&Yes", 6},
    {"No", "&No", 7},
    {"OK", "OK", 1},
    {"Cancel", "Cancel", 2},
    {"Abort", "&Abort", 3},
    {"Retry", "&Retry", 4},
    {"Ignore", "&Ignore", 5},
    {"All", "&All", 8},
    {"NoToAll", "N&o to All", 9},
    {"YesToAll", "Yes to &All", 10},
    {"Help", "&Help", 0},
};

enum Bit { kYes = 0, kNo = 1, kOk = 2, kCancel = 3, kRetry = 5 };

bool Has(std::uint16_t set, int bit)
{
    return (set >> bit) & 1u;
}

int FirstPresent(std::uint16_t set, std::initializer_list<int> bits)
{
    for (int bit : bits)
        if (Has(set, bit))
            return bit;
    return -1;
}

} // namespace

TypeInfo InfoOf(DlgType type)
{
    const auto index = static_cast<std::size_t>(type);
    return index < std::size(kTypes) ? kTypes[index] : kTypes[static_cast<std::size_t>(DlgType::Custom)];
}

const ButtonKind& Kind(int bit)
{
    return kKinds[bit];
}

std::vector<Button> StandardButtons(std::uint16_t set)
{
    const int defaultBit = FirstPresent(set, {kOk, kYes, kRetry});
    const int cancelBit = FirstPresent(set, {kCancel, kNo, kOk});
    std::vector<Button> buttons;
    for (int bit = 0; bit < kButtonKindCount; ++bit)
        if (Has(set, bit))
            buttons.push_back({bit, kKinds[bit].stockCaption, kKinds[bit].result, bit == defaultBit, bit == cancelBit});
    return buttons;
}

std::string CzechCaption(std::string_view caption)
{
    std::string text(caption);
    if (text == "&Yes")
        text = "&Ano";
    if (text == "&No")
        text = "&Ne";
    if (text == "Cancel")
        text = "&Storno";
    return text;
}

int ApplyCzechRules(std::vector<Button>& buttons, int defaultResult)
{
    int active = -1;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        Button& button = buttons[i];
        button.isDefault = button.result == defaultResult;
        button.caption = CzechCaption(button.caption);
        if (button.isDefault)
            active = static_cast<int>(i);
    }
    return active;
}

std::string ClipboardText(std::string_view caption, std::string_view message, const std::vector<Button>& buttons)
{
    const std::string rule = std::string(27, '-') + "\r\n";
    std::string text = rule;
    text.append(caption).append("\r\n");
    text += rule;
    text.append(message).append("\r\n");
    text += rule;
    for (const Button& button : buttons) {
        for (char c : button.caption)
            if (c != '&')
                text += c;
        text += "   ";
    }
    text += "\r\n";
    text += rule;
    return text;
}

char AccessKey(std::string_view caption)
{
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        const char c = caption[i + 1];
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 0x20) : c;
    }
    return 0;
}

} // namespace MessageDlg
