#include "Scaling.h"

int MulDivRound(int a, int b, int c)
{
    if (c == 0)
        return 0;
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const std::int64_t divisor = c < 0 ? -static_cast<std::int64_t>(c) : c;
    const std::int64_t signedProduct = c < 0 ? -product : product;
    const std::int64_t half = divisor / 2;
    const std::int64_t rounded =
        signedProduct >= 0 ? (signedProduct + half) / divisor : -((-signedProduct + half) / divisor);
    return static_cast<int>(rounded);
}

int FontHeightForResolution(int designHeight, int pixelsPerInch)
{
    return MulDivRound(designHeight, pixelsPerInch, kDesignPixelsPerInch);
}

LayoutScale ScaleForResolution(int pixelsPerInch, int measuredTextHeight)
{
    if (pixelsPerInch == kDesignPixelsPerInch || measuredTextHeight <= 0 ||
        measuredTextHeight == kDesignTextHeight)
        return {};
    return {measuredTextHeight, kDesignTextHeight};
}
