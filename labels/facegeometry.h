#pragma once
// Where the lines of a label face go and how far its font shrinks to fit: arithmetic in
// points (1/72 inch), apart from any drawing surface.

#include <vector>

// A text rectangle in points: the inner edges of the label's four text margins.
struct FaceRect {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

// Left edge of a line of the given width: 0 left-aligned, 1 right-aligned, 2 centred.
double LineLeft(int alignment, const FaceRect& rect, double width);

// What one drawing of a face did with its lines: those it had and those it drew. Lines
// that do not fit are left out, and a label without its city line cannot be delivered,
// so printing counts such faces and tells the user.
struct FaceLines {
    int had = 0;
    int drawn = 0;
    bool Lost() const { return drawn < had; }
};

struct PlacedLine {
    double x = 0;
    double top = 0;
    double bottom = 0;
};

// How many of a face's lines fit its text rectangle under the rule below.
int FittingLineCount(int lineCount, double lineHeight, const FaceRect& rect);

// The lines that are drawn, top to bottom, each lineHeight high. A line still counts when
// its bottom overhangs the rectangle by up to 40 % of the line height; the first one that
// overhangs further ends the face, with every line after it.
std::vector<PlacedLine> PlaceFaceLines(const std::vector<double>& widths, double lineHeight, int alignment,
                                       const FaceRect& rect);

// The whole point size that makes lineCount lines of lineHeight, the widest being widest
// points, fit the rectangle, scaled in one step from fontSize. Never larger than
// fontSize, never below 1.
int FittedFontSize(int fontSize, double lineHeight, int lineCount, double widest, const FaceRect& rect);

// A length in inches as whole device pixels at the given resolution, kept within a range
// any widget or picture can take, however large or odd the stored length.
int InchesToPixels(double inches, double pixelsPerInch);
