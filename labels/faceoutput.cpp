#include "labels/faceoutput.h"

#include <QPaintDevice>
#include <QPainter>

namespace {

// Text is drawn in units this many times finer than a point, so that the font engine places
// glyphs by the font's design, as the face measured them, not rounded at a small size.
constexpr double kFine = 1200.0 / 72;

} // namespace

void DrawFace(const FaceLayout& layout, FaceOutput& output)
{
    if (!layout.lines.empty()) {
        output.SetFont(layout.font);
        for (const FaceText& line : layout.lines)
            output.Text(line.clip, line.topLeft, line.text);
    }
    if (!layout.bars.empty())
        output.Bars(layout.bars);
}

PainterFaceOutput::PainterFaceOutput(QPainter& painter, const QTransform& pointsToPainter)
    : painter_(painter), transform_(pointsToPainter)
{}

void PainterFaceOutput::SetFont(const ReportFont& font)
{
    QFont q = ToQFont(font);
    // A painter sizes a font by its device's resolution; one unit is to be one point.
    const int dpi = painter_.device() ? painter_.device()->logicalDpiY() : 72;
    q.setPointSizeF(font.points * kFine * 72.0 / (dpi > 0 ? dpi : 72));
    painter_.setFont(q);
    painter_.setPen(font.colour);
    painter_.setBackgroundMode(Qt::TransparentMode);
    ascent_ = FontMeasure(font).Ascent() * 72;
}

void PainterFaceOutput::Text(const QRectF& clip, QPointF topLeft, const QString& text)
{
    painter_.save();
    painter_.setTransform(QTransform::fromScale(1 / kFine, 1 / kFine) * transform_, true);
    painter_.setClipRect(QRectF(clip.topLeft() * kFine, clip.size() * kFine), Qt::IntersectClip);
    painter_.drawText(QPointF(topLeft.x(), topLeft.y() + ascent_) * kFine, text);
    painter_.restore();
}

void PainterFaceOutput::Bars(const std::vector<QRectF>& bars)
{
    painter_.save();
    painter_.setTransform(transform_, true);
    // Edge to edge, unsmoothed: neighbouring modules must not leave a hairline between them.
    painter_.setRenderHint(QPainter::Antialiasing, false);
    for (const QRectF& bar : bars)
        painter_.fillRect(bar, Qt::black);
    painter_.restore();
}
