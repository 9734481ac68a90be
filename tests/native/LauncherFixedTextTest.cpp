// The launcher's fixed-size text: it cuts, never overruns.
#include "FixedText.h"

#include <gtest/gtest.h>

using launcher::FixedText;

TEST(FixedText, KeepsWhatFitsAndSaysWhenItCuts)
{
    FixedText<5> text;
    EXPECT_TRUE(text.Empty());
    EXPECT_TRUE(text.Append("abc"));
    EXPECT_FALSE(text.Append("def"));
    EXPECT_EQ(text.View(), "abcde");
    EXPECT_STREQ(text.CStr(), "abcde");
    EXPECT_FALSE(text.Append('x'));
    text.DropLast();
    EXPECT_EQ(text.Back(), 'd');
    EXPECT_TRUE(text.Append(std::string_view("\0", 1)));
    EXPECT_EQ(text.Size(), 5u);
    text.Clear();
    EXPECT_STREQ(text.CStr(), "");
    text.DropLast();
    EXPECT_EQ(text.Size(), 0u);
}
