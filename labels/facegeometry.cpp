#include "labels/facegeometry.h"

#include <algorithm>
#include <cmath>

namespace {

// Sums of line heights are not exact in binary: a line that ends on the limit counts.
constexpr double kSlack = 1e-9;

} // namespace

double LineLeft(int alignment, const FaceRect& r, double width)
{
    switch (alignment) {
    case 1:
        return r.right - width;
    case 2:
        return r.left + (r.right - r.left - width) / 2;
    default:
        return r.left;
    }
}

int FittingLineCount(int lineCount, double lineHeight, const FaceRect& r)
{
    if (lineHeight <= 0)
        return lineCount;
    const double limit = r.bottom + 0.4 * lineHeight + kSlack;
    int fitting = 0;
    while (fitting < lineCount && r.top + (fitting + 1) * lineHeight <= limit)
        ++fitting;
    return fitting;
}

std::vector<PlacedLine> PlaceFaceLines(const std::vector<double>& widths, double lineHeight, int alignment,
                                       const FaceRect& r)
{
    const int count = FittingLineCount(static_cast<int>(widths.size()), lineHeight, r);
    std::vector<PlacedLine> placed;
    placed.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const double top = r.top + i * lineHeight;
        placed.push_back({LineLeft(alignment, r, widths[static_cast<std::size_t>(i)]), top, top + lineHeight});
    }
    return placed;
}

int FittedFontSize(int fontSize, double lineHeight, int lineCount, double widest, const FaceRect& r)
{
    const double w = r.right - r.left;
    const double h = r.bottom - r.top;
    if (lineCount <= 0)
        return fontSize;
    if (w <= 0 || h <= 0)
        return 1; // margins leave no room at all
    const double total = lineCount * lineHeight;
    const int forWidth = widest > w + kSlack ? static_cast<int>(fontSize * w / widest) : fontSize;
    const int forHeight = total > h + kSlack ? static_cast<int>(fontSize * h / total) : fontSize;
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
