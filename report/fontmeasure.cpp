#include "report/fontmeasure.h"

#include <QImage>

namespace {

constexpr double MeasureDpi = 1200;

// A device that is never painted on, only asked for its resolution.
const QImage& measuringDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_Mono);
        const int dotsPerMeter = qRound(MeasureDpi / 0.0254);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return device;
}

} // namespace

QFont ToQFont(const ReportFont& font)
{
    QFont q(font.name);
    q.setPointSizeF(font.points);
    q.setBold(font.bold);
    q.setItalic(font.italic);
    q.setUnderline(font.underline);
    q.setStrikeOut(font.strikeOut);
    q.setHintingPreference(QFont::PreferNoHinting);
    return q;
}

FontMeasure::FontMeasure(const ReportFont& font)
    : metrics_(ToQFont(font), &measuringDevice()), ascent_(metrics_.ascent() / MeasureDpi),
      descent_(metrics_.descent() / MeasureDpi)
{}

double FontMeasure::Width(const QString& text) const
{
    return metrics_.horizontalAdvance(text) / MeasureDpi;
}
