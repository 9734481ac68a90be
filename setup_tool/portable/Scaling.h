#pragma once
// How the main window follows the system resolution. The layout is drawn for 96 pixels per inch,
// where the text "0" of the window's font is 13 pixels high.
#include <cstdint>

inline constexpr int kDesignPixelsPerInch = 96;
inline constexpr int kDesignTextHeight = 13;

// a * b / c rounded to the nearest whole number, halves away from zero (as Windows' MulDiv);
// 0 when c is 0.
int MulDivRound(int a, int b, int c);

// The main window's font height at a resolution.
int FontHeightForResolution(int designHeight, int pixelsPerInch);

// The factor by which positions, sizes and the controls' own fonts are multiplied: the measured
// text height over 13 at another resolution, none at 96 pixels per inch.
struct LayoutScale {
    int numerator = kDesignTextHeight;
    int denominator = kDesignTextHeight;

    int Apply(int value) const { return MulDivRound(value, numerator, denominator); }
    bool IsIdentity() const { return numerator == denominator; }
};

LayoutScale ScaleForResolution(int pixelsPerInch, int measuredTextHeight);
