#pragma once

#include "report/reportoutput.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <functional>
#include <optional>

class QPaintDevice;

// Paints report output on a device (a printer, a PDF, a preview image) in its own pixels.
class PainterOutput : public ReportOutput {
public:
    // newPage is called before every page but the first (a printer's form feed); zoom
    // enlarges everything drawn (the preview's zoom factor over 100).
    explicit PainterOutput(std::function<void()> newPage = {}, double zoom = 1.0);
    void SetZoom(double zoom) { zoom_ = zoom; }

    bool Begin(QPaintDevice* device);
    void End();
    bool Active() const { return painter_.isActive(); }
    QSizeF Dpi() const { return dpi_; }

    void BeginPage(const ReportPage& page) override;
    void SetFont(const ReportFont& font) override;
    void SetPen(const ReportPen& pen) override { pen_ = pen; }
    void Text(QPointF baseline, const QString& text) override;
    void ClippedText(const QRectF& clip, QPointF topLeft, const QString& text) override;
    void Fill(const QRectF& rect, const QColor& colour) override;
    void Line(QPointF from, QPointF to) override;
    void Picture(const QRectF& rect, const QPicture& picture) override;

private:
    QPointF px(QPointF inches) const { return QPointF(inches.x() * dpi_.width(), inches.y() * dpi_.height()); }
    QRectF px(const QRectF& inches) const { return QRectF(px(inches.topLeft()), px(inches.bottomRight())); }
    // Text in the current font with its width in device pixels. Plain Latin text gets its
    // glyphs straight from the font's character map, a fraction of what the full shaping
    // in QPainter::drawText costs on every call; other text leaves run empty for the shaper.
    struct Shaped {
        QGlyphRun run;
        double width = 0;
    };
    Shaped shape(const QString& text) const;
    void drawTextAt(QPointF baselinePx, const QString& text, const Shaped& shaped);

    std::function<void()> newPage_;
    QPainter painter_;
    QSizeF dpi_;
    double zoom_;
    int pages_ = 0;
    std::optional<ReportFont> font_;
    std::optional<QFontMetricsF> metrics_; // of font_ on this device
    QRawFont raw_;                         // likewise; invalid when the font draws decorations
    ReportPen pen_;
};
