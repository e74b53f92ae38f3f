#pragma once
// The widths of label lines in one font, in points, as the report canvas measures them.
// A print measures every line of every label when the font shrinks to fit, and shaping
// each line anew would cost more than the rest of the run: text in Latin-1 is summed from
// each character's advance and each pair's kerning instead, both asked of the font once.
// Other text is measured whole.

#include "report/fontmeasure.h"

#include <array>
#include <vector>

class FaceMeasure {
public:
    explicit FaceMeasure(const ReportFont& font);

    double Width(const QString& text);
    // The height of a line: the font's ascent and descent.
    double LineHeight() const;

private:
    double advance(char16_t c);
    double kerning(char16_t first, char16_t second);

    FontMeasure measure_;
    std::array<double, 256> advances_;
    std::vector<float> kerning_; // 256 x 256, NaN until asked; allocated on first use
};
