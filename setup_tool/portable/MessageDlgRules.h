#pragma once
// The rules of the tool's question dialog that do not depend on windows: which buttons a set
// gives, in which order, with which captions, results and flags, and the text Ctrl+C copies.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace MessageDlg {

enum class DlgType : std::uint8_t { Warning = 0, Error = 1, Information = 2, Confirmation = 3, Custom = 4 };

struct TypeInfo {
    const char* standardCaption; // null: the application title
    int stockIcon;               // IDI_* number; 0: no icon
};
TypeInfo InfoOf(DlgType type);

struct ButtonKind {
    const char* name;
    const char* stockCaption;
    int result;
};
inline constexpr int kButtonKindCount = 11;
const ButtonKind& Kind(int bit);

struct Button {
    int kind;            // bit number in the button set
    std::string caption;
    int result;
    bool isDefault;
    bool isCancel;
};

// The standard dialog's buttons for a set, left to right, with its default and cancel flags.
std::vector<Button> StandardButtons(std::uint16_t set);

// The Czech captions for the three stock ones, by exact comparison; any other stays.
std::string CzechCaption(std::string_view caption);

// The default flag decided anew by the result, and the Czech captions; gives the index of the
// button that starts with the focus, or -1 when none is the default.
int ApplyCzechRules(std::vector<Button>& buttons, int defaultResult);

// What Ctrl+C puts on the clipboard.
std::string ClipboardText(std::string_view caption, std::string_view message, const std::vector<Button>& buttons);

// The letter after "&", lower-cased ASCII; 0 when there is none.
char AccessKey(std::string_view caption);

inline constexpr int kClosedResult = 2; // the close box, Alt+F4, the end of the application

} // namespace MessageDlg
