#pragma once
// The rules of the user-defined label layout: the ten values of a sheet with its paper
// and shape, the checks they must pass, inch and millimetre display, and the paper sizes offered.

#include "labels/labellayout.h"

#include <QString>

class QRegularExpression;
#include <array>
#include <optional>

// The first check of a user-defined sheet (its ten values) that fails, as the message to
// show; nothing when it passes.
std::optional<QString> ValidLabel(const LabelTemplate& sheet);

// Takes a user-defined sheet into a setup: the ten values, paper and shape, no template,
// printer type or extra code, maker "USER", no gaps. The face stays.
void TakeUserDefinedLayout(LabelLayout& layout, const LabelTemplate& sheet);

// Millimetres typed by the user as inches, rounded to 3 decimals.
double MillimetresToInches(double millimetres);
// A length as the dialog shows it: inches with one to three decimals ("2.625", "1.0"),
// millimetres as a whole number ("216").
QString FormatLength(double value, bool millimetres);
// A shown or typed length, with a decimal comma or point; an empty or unreadable text is 0.
double ParseLength(const QString& text);
// What may be typed as a length in inches: up to 99.999, with a decimal comma or point.
const QRegularExpression& LengthPattern();

struct PaperSize {
    const char* caption;
    const char* paperCode;
    // Zero for the two "Other" entries, which leave the sheet size as it is.
    double widthInches;
    double heightInches;
    double widthMillimetres;
    double heightMillimetres;
};

// The paper-size list in order; an entry's index gives its paper code.
const std::array<PaperSize, 7>& PaperSizes();

// The shape list's entries in order and the codes they stand for.
inline constexpr std::array<const char*, 3> kShapeCaptions = {"Rectangular with Rounded Edges", "Rectangular", "Round"};
inline constexpr std::array<const char*, 3> kShapeCodes = {"RR", "SR", "EL"};
// The list index that shows a stored shape code: anything else is round.
int ShapeIndex(const QString& shapeCode);
