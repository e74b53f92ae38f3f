#include "report/painteroutput.h"

#include "report/fontmeasure.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPicture>
#include <algorithm>

PainterOutput::PainterOutput(std::function<void()> newPage, double zoom) : newPage_(std::move(newPage)), zoom_(zoom) {}

bool PainterOutput::Begin(QPaintDevice* device)
{
    pages_ = 0;
    font_.reset();
    metrics_.reset();
    raw_ = QRawFont();
    if (!painter_.begin(device))
        return false;
    dpi_ = QSizeF(device->logicalDpiX(), device->logicalDpiY());
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::TextAntialiasing);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform);
    return true;
}

void PainterOutput::End()
{
    if (painter_.isActive())
        painter_.end();
}

void PainterOutput::BeginPage(const ReportPage& page)
{
    if (pages_++ > 0 && newPage_)
        newPage_();
    painter_.resetTransform();
    painter_.scale(zoom_ * page.scaleX / 100.0, zoom_ * page.scaleY / 100.0);
}

void PainterOutput::SetFont(const ReportFont& font)
{
    if (font_ && *font_ == font)
        return;
    font_ = font;
    painter_.setFont(ToQFont(font));
    metrics_.emplace(painter_.font(), painter_.device());
    raw_ = font.underline || font.strikeOut ? QRawFont() : QRawFont::fromFont(painter_.font());
}

namespace {

// Characters drawn one glyph each, with no shaping needed: Latin letters, their accents
// precomposed, and the punctuation of the Windows code page.
bool plainLatin(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= 0x20 && u < 0x7F) || (u >= 0xA0 && u < 0x300 && u != 0xAD) || (u >= 0x2010 && u < 0x2040) ||
               u == 0x20AC || u == 0x2122;
    });
}

} // namespace

PainterOutput::Shaped PainterOutput::shape(const QString& text) const
{
    Shaped shaped;
    if (raw_.isValid() && plainLatin(text)) {
        const QList<quint32> glyphs = raw_.glyphIndexesForString(text);
        if (!glyphs.contains(0)) {
            const QList<QPointF> advances =
                raw_.advancesForGlyphIndexes(glyphs, QRawFont::KernedAdvances | QRawFont::UseDesignMetrics);
            QList<QPointF> positions;
            positions.reserve(advances.size());
            for (const QPointF& advance : advances) {
                positions.append(QPointF(shaped.width, 0));
                shaped.width += advance.x();
            }
            shaped.run.setRawFont(raw_);
            shaped.run.setGlyphIndexes(glyphs);
            shaped.run.setPositions(positions);
            return shaped;
        }
    }
    shaped.width = metrics_->horizontalAdvance(text);
    return shaped;
}

void PainterOutput::drawTextAt(QPointF baselinePx, const QString& text, const Shaped& shaped)
{
    if (font_->opaque) {
        painter_.fillRect(QRectF(baselinePx.x(), baselinePx.y() - metrics_->ascent(), shaped.width, metrics_->height()),
                          Qt::white);
    }
    if (painter_.pen().color() != font_->colour || painter_.pen().style() != Qt::SolidLine ||
        painter_.pen().isCosmetic())
        painter_.setPen(QPen(font_->colour));
    if (shaped.run.isEmpty())
        painter_.drawText(baselinePx, text);
    else
        painter_.drawGlyphRun(baselinePx, shaped.run);
}

void PainterOutput::Text(QPointF baseline, const QString& text)
{
    if (!metrics_)
        SetFont(ReportFont{});
    drawTextAt(px(baseline), text, shape(text));
}

void PainterOutput::ClippedText(const QRectF& clip, QPointF topLeft, const QString& text)
{
    if (!metrics_)
        SetFont(ReportFont{});
    const QRectF area = px(clip);
    const QPointF baseline = px(topLeft) + QPointF(0, metrics_->ascent());
    // Most cells hold their text whole; only text that reaches past its cell pays for a
    // clip, which costs a PDF a graphics state of its own.
    const Shaped shaped = shape(text);
    const QRectF ink(baseline.x(), baseline.y() - metrics_->ascent(), shaped.width, metrics_->height());
    if (area.contains(ink)) {
        drawTextAt(baseline, text, shaped);
        return;
    }
    painter_.save();
    painter_.setClipRect(area, Qt::IntersectClip);
    drawTextAt(baseline, text, shaped);
    painter_.restore();
}

void PainterOutput::Fill(const QRectF& rect, const QColor& colour)
{
    painter_.fillRect(px(rect), colour);
}

void PainterOutput::Line(QPointF from, QPointF to)
{
    QPen pen(pen_.colour, pen_.width, pen_.style);
    pen.setCosmetic(true);
    painter_.setPen(pen);
    painter_.drawLine(px(from), px(to));
}

void PainterOutput::Picture(const QRectF& rect, const QPicture& picture)
{
    const QRect bounds = picture.boundingRect();
    if (bounds.isEmpty())
        return;
    // drawPicture already scales by the device's resolution over the picture's; the rest
    // of the way to the target rectangle is ours.
    const QRectF target = px(rect);
    const double kx = painter_.device()->logicalDpiX() / double(picture.logicalDpiX());
    const double ky = painter_.device()->logicalDpiY() / double(picture.logicalDpiY());
    painter_.save();
    painter_.translate(target.topLeft());
    painter_.scale(target.width() / (bounds.width() * kx), target.height() / (bounds.height() * ky));
    painter_.translate(-bounds.x() * kx, -bounds.y() * ky);
    painter_.drawPicture(0, 0, picture);
    painter_.restore();
}
