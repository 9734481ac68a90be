#include "MessageDlgRules.h"

#include <gtest/gtest.h>

namespace MessageDlg {
namespace {

enum : std::uint16_t {
    kYes = 1 << 0, kNo = 1 << 1, kOk = 1 << 2, kCancel = 1 << 3, kAbort = 1 << 4, kRetry = 1 << 5,
    kIgnore = 1 << 6, kAll = 1 << 7, kNoToAll = 1 << 8, kYesToAll = 1 << 9, kHelp = 1 << 10,
};

struct ButtonCase {
    const char* name;
    std::uint16_t set;
    int defaultResult;
    std::vector<std::string> captions; // after the Czech rules
    std::vector<int> results;
    int defaultIndex;  // -1: none
    int cancelIndex;   // -1: none
};

const ButtonCase kButtonCases[] = {
    {"the FILES question", kOk | kCancel, 7, {"OK", "&Storno"}, {1, 2}, -1, 1},
    {"OK and Cancel, default OK", kOk | kCancel, 1, {"OK", "&Storno"}, {1, 2}, 0, 1},
    {"OK and Cancel, default Cancel", kOk | kCancel, 2, {"OK", "&Storno"}, {1, 2}, 1, 1},
    {"Yes No Cancel, default No", kYes | kNo | kCancel, 7, {"&Ano", "&Ne", "&Storno"}, {6, 7, 2}, 1, 2},
    {"Yes and No: No is the cancel button", kYes | kNo, 6, {"&Ano", "&Ne"}, {6, 7}, 0, 1},
    {"OK alone is also the cancel button", kOk, 1, {"OK"}, {1}, 0, 0},
    {"Abort Retry Ignore: no cancel button", kAbort | kRetry | kIgnore, 4, {"&Abort", "&Retry", "&Ignore"},
     {3, 4, 5}, 1, -1},
    {"every button, in bit order", 0x07FF, 0,
     {"&Ano", "&Ne", "OK", "&Storno", "&Abort", "&Retry", "&Ignore", "&All", "N&o to All", "Yes to &All", "&Help"},
     {6, 7, 1, 2, 3, 4, 5, 8, 9, 10, 0}, 10, 3},
    {"no buttons", 0, 1, {}, {}, -1, -1},
    {"bits above Help are ignored", kOk | 0x8000, 1, {"OK"}, {1}, 0, 0},
};

TEST(MessageDlgButtons, CaptionsResultsAndFlags)
{
    for (const ButtonCase& c : kButtonCases) {
        SCOPED_TRACE(c.name);
        std::vector<Button> buttons = StandardButtons(c.set);
        const int active = ApplyCzechRules(buttons, c.defaultResult);
        ASSERT_EQ(buttons.size(), c.captions.size());
        int defaults = 0;
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            EXPECT_EQ(buttons[i].caption, c.captions[i]) << i;
            EXPECT_EQ(buttons[i].result, c.results[i]) << i;
            EXPECT_EQ(buttons[i].isDefault, static_cast<int>(i) == c.defaultIndex) << i;
            EXPECT_EQ(buttons[i].isCancel, static_cast<int>(i) == c.cancelIndex) << i;
            defaults += buttons[i].isDefault;
        }
        EXPECT_LE(defaults, 1);
        EXPECT_EQ(active, c.defaultIndex);
    }
}

TEST(MessageDlgButtons, StandardDefaultBeforeTheCzechRules)
{
    struct Case {
        std::uint16_t set;
        int defaultKind;
    };
    for (Case c : {Case{kOk | kCancel, 2}, Case{kYes | kNo, 0}, Case{kRetry | kCancel, 5}, Case{kAbort, -1}}) {
        int found = -1;
        for (const Button& b : StandardButtons(c.set))
            if (b.isDefault)
                found = b.kind;
        EXPECT_EQ(found, c.defaultKind) << c.set;
    }
}

TEST(MessageDlgButtons, OnlyExactStockCaptionsTurnCzech)
{
    const std::pair<const char*, const char*> cases[] = {
        {"&Yes", "&Ano"}, {"&No", "&Ne"}, {"Cancel", "&Storno"}, {"&yes", "&yes"}, {"&No ", "&No "},
        {"cancel", "cancel"}, {"&Cancel", "&Cancel"}, {"OK", "OK"}, {"N&o to All", "N&o to All"}, {"", ""},
    };
    for (const auto& [stock, czech] : cases)
        EXPECT_EQ(CzechCaption(stock), czech) << stock;
}

TEST(MessageDlgButtons, AccessKeys)
{
    EXPECT_EQ(AccessKey("&Storno"), 's');
    EXPECT_EQ(AccessKey("N&o to All"), 'o');
    EXPECT_EQ(AccessKey("OK"), 0);
    EXPECT_EQ(AccessKey("a&&b"), 0);
    EXPECT_EQ(AccessKey("a&&b&C"), 'c');
    EXPECT_EQ(AccessKey("x&"), 0);
}

TEST(MessageDlgClipboard, TwentySevenDashesAroundEachPiece)
{
    std::vector<Button> buttons = StandardButtons(kOk | kCancel);
    ApplyCzechRules(buttons, 7);
    const std::string dashes = "---------------------------\r\n";
    EXPECT_EQ(ClipboardText("Dotaz", "Nastavit parametr Files na hodnotu 211?", buttons),
              dashes + "Dotaz\r\n" + dashes + "Nastavit parametr Files na hodnotu 211?\r\n" + dashes +
                  "OK   Storno   \r\n" + dashes);
}

TEST(MessageDlgTypes, IconsAndStandardCaptions)
{
    EXPECT_EQ(InfoOf(DlgType::Warning).stockIcon, 32515);
    EXPECT_EQ(InfoOf(DlgType::Error).stockIcon, 32513);
    EXPECT_EQ(InfoOf(DlgType::Information).stockIcon, 32516);
    EXPECT_EQ(InfoOf(DlgType::Confirmation).stockIcon, 32514);
    EXPECT_EQ(InfoOf(DlgType::Custom).stockIcon, 0);
    EXPECT_EQ(InfoOf(static_cast<DlgType>(9)).stockIcon, 0);
}

} // namespace
} // namespace MessageDlg
