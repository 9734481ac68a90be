#include "Scaling.h"

#include <gtest/gtest.h>

namespace {

TEST(MulDivRound, RoundsHalvesAwayFromZero)
{
    struct Case {
        int a, b, c, expected;
    };
    for (const Case& k : {Case{-11, 120, 96, -14}, Case{-11, 144, 96, -17}, Case{512, 15, 13, 591},
                          Case{319, 15, 13, 368}, Case{1, 1, 2, 1}, Case{-1, 1, 2, -1},
                          Case{3, 1, 2, 2}, Case{5, 2, -4, -3}, Case{7, 3, 0, 0}})
        EXPECT_EQ(MulDivRound(k.a, k.b, k.c), k.expected) << k.a << '*' << k.b << '/' << k.c;
}

TEST(ScaleForResolution, OnlyAnotherResolutionWithAnotherTextHeightScales)
{
    struct Case {
        int ppi, measured, numerator, denominator;
    };
    for (const Case& k : {Case{96, 12, 13, 13},   // a font that measures differently at 96 stays
                          Case{96, 13, 13, 13},
                          Case{120, 13, 13, 13},  // the changed font happens to measure 13
                          Case{120, 15, 15, 13},
                          Case{120, 16, 16, 13},
                          Case{144, 20, 20, 13},
                          Case{72, 10, 10, 13},
                          Case{120, 0, 13, 13}}) { // nothing measured: left as drawn
        const LayoutScale s = ScaleForResolution(k.ppi, k.measured);
        EXPECT_EQ(s.numerator * k.denominator, k.numerator * s.denominator) << k.ppi << '/' << k.measured;
    }
}

TEST(LayoutScale, AppliesToEachNumberOnItsOwn)
{
    const LayoutScale s{15, 13};
    EXPECT_EQ(s.Apply(512), 591);
    EXPECT_EQ(s.Apply(86), 99);
    EXPECT_EQ(s.Apply(-12), -14);
    EXPECT_TRUE(LayoutScale{}.IsIdentity());
    EXPECT_EQ(LayoutScale{}.Apply(247), 247);
}

} // namespace
