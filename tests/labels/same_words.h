#pragma once
// Whether two PDFs show the same words in the same boxes, within a tenth of a point.

#include "support/pdf_readback.h"

#include <gtest/gtest.h>

// withTops compares the words' tops too: a reader takes them from the font's ascent, which
// differs between a standard font and an embedded one even where the baselines agree.
inline void ExpectSameWords(const PdfReadBack& a, const PdfReadBack& b, bool withTops = true)
{
    constexpr double kTenthOfAPoint = 0.1 / 72;
    ASSERT_EQ(a.words.size(), b.words.size());
    for (qsizetype i = 0; i < a.words.size(); ++i) {
        const PdfWord &x = a.words[i], &y = b.words[i];
        EXPECT_EQ(x.text, y.text);
        EXPECT_NEAR(x.xMin, y.xMin, kTenthOfAPoint) << x.text.toStdString();
        EXPECT_NEAR(x.xMax, y.xMax, kTenthOfAPoint) << x.text.toStdString();
        EXPECT_NEAR(x.yMax, y.yMax, kTenthOfAPoint) << x.text.toStdString();
        if (withTops) {
            EXPECT_NEAR(x.yMin, y.yMin, kTenthOfAPoint) << x.text.toStdString();
        }
    }
}
