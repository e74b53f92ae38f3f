#include "labels/facegeometry.h"

#include <algorithm>
#include <cmath>

int LineLeft(int alignment, const FaceRect& r, int width)
{
    switch (alignment) {
    case 1:
        return r.right - (width + 1);
    case 2:
        return r.left + (r.right - r.left) / 2 - width / 2 + 1;
    default:
        return r.left;
    }
}

int FittingLineCount(int lineCount, int lineHeight, const FaceRect& r)
{
    const int overhang = static_cast<int>(0.4 * lineHeight);
    int fitting = 0;
    for (int bottom = r.top + lineHeight; fitting < lineCount && bottom <= r.bottom + overhang; bottom += lineHeight)
        ++fitting;
    return fitting;
}

std::vector<PlacedLine> PlaceFaceLines(const std::vector<int>& widths, int lineHeight, int alignment, const FaceRect& r)
{
    const int count = FittingLineCount(static_cast<int>(widths.size()), lineHeight, r);
    std::vector<PlacedLine> placed;
    placed.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const int top = r.top + i * lineHeight;
        placed.push_back({LineLeft(alignment, r, widths[static_cast<std::size_t>(i)]), top, top + lineHeight});
    }
    return placed;
}

int FittedFontSize(int fontSize, int lineHeight, int lineCount, int widest, const FaceRect& r)
{
    const int w = r.right - r.left + 1;
    const int h = r.bottom - r.top + 1;
    if (lineCount <= 0)
        return fontSize;
    if (w <= 0 || h <= 0)
        return 1; // margins leave no room at all
    const long total = static_cast<long>(lineCount) * lineHeight;
    const int forWidth = widest > w ? static_cast<int>(double(fontSize) * w / widest) : fontSize;
    const int forHeight = total > h ? static_cast<int>(double(fontSize) * h / double(total)) : fontSize;
    if (forWidth >= fontSize && forHeight >= fontSize)
        return fontSize;
    return std::max(1, std::min(forWidth, forHeight));
}

int InchesToPixels(double inches, double pixelsPerInch)
{
    constexpr double kLimit = 100000;
    const double pixels = std::round(inches * pixelsPerInch);
    return static_cast<int>(std::clamp(pixels, -kLimit, kLimit));
}
