#pragma once
// The Intelligent Mail bars as the Postal Service writes them, one letter a bar from left
// to right: F full, A ascender, D descender, T tracker, read from drawn rectangles by
// where each bar reaches within the symbol's height.

#include <QRectF>
#include <QString>
#include <algorithm>
#include <vector>

inline QString ImbLetters(std::vector<QRectF> bars)
{
    if (bars.empty())
        return {};
    double top = bars[0].top();
    double bottom = bars[0].bottom();
    for (const QRectF& bar : bars) {
        top = std::min(top, bar.top());
        bottom = std::max(bottom, bar.bottom());
    }
    const double slack = (bottom - top) / 10;
    std::sort(bars.begin(), bars.end(), [](const QRectF& a, const QRectF& b) { return a.left() < b.left(); });
    QString letters;
    for (const QRectF& bar : bars) {
        const bool up = bar.top() < top + slack;
        const bool down = bar.bottom() > bottom - slack;
        letters += up && down ? QLatin1Char('F') : up ? QLatin1Char('A') : down ? QLatin1Char('D') : QLatin1Char('T');
    }
    return letters;
}
