#include "labels/gzintpanel.h"

#include "table/ttable.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <algorithm>

namespace {

// The corner ellipses of a rounded label are 24 pixels across.
constexpr qreal kCornerRadius = 12;

QPainterPath ShapePath(TLabelShapeType shape, const QRectF& rect)
{
    QPainterPath path;
    if (shape == lsRoundRect)
        path.addRoundedRect(rect, kCornerRadius, kCornerRadius);
    else if (shape == lsEllipse)
        path.addEllipse(rect);
    else
        path.addRect(rect);
    return path;
}

// Measuring a line costs as much as drawing it, so left-aligned lines that need no fit
// are not measured: their place does not depend on their width.
std::vector<int> LineWidths(const QFontMetrics& metrics, const QStringList& lines, bool needed)
{
    std::vector<int> widths(static_cast<std::size_t>(lines.size()), 0);
    if (needed)
        for (std::size_t i = 0; i < widths.size(); ++i)
            widths[i] = metrics.horizontalAdvance(lines[static_cast<qsizetype>(i)]);
    return widths;
}

} // namespace

TZintLabelPanel::TZintLabelPanel(QWidget* parent) : QWidget(parent), font_(QStringLiteral("Arial"), 10)
{
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TZintLabelPanel::SetDataTable(TTable* table)
{
    dataTable_ = table;
}

double TZintLabelPanel::PixelsPerInch() const
{
    return logicalDpiX();
}

void TZintLabelPanel::BuildLines()
{
    lines_.clear();
    if (dataTable_)
        lines_ = ComposeLabelLines(TableFieldReader(*dataTable_), options_);
}

void TZintLabelPanel::RefreshLines()
{
    if (linesDirty_ && dataTable_ && dataTable_->Active()) {
        BuildLines();
        linesDirty_ = false;
    }
}

// Sizes the font in the control's own pixels, so that the face keeps its proportions on
// every surface: the screen, an off-screen bitmap and a picture.
QFont TZintLabelPanel::SurfaceFont(int pointSize, const QPaintDevice* surface) const
{
    QFont f = font_;
    const int surfaceDpi = surface ? surface->logicalDpiY() : 0;
    f.setPointSizeF(surfaceDpi > 0 ? pointSize * PixelsPerInch() / surfaceDpi : pointSize);
    return f;
}

FaceRect TZintLabelPanel::TextRect() const
{
    const double ppi = PixelsPerInch();
    return {InchesToPixels(marginLeft_, ppi), InchesToPixels(marginTop_, ppi),
            width() - InchesToPixels(marginRight_, ppi), height() - InchesToPixels(marginBottom_, ppi)};
}

TZintLabelPanel::Arrangement TZintLabelPanel::Arrange(const QPaintDevice* surface, const FaceRect& rect) const
{
    const int pointSize = std::max(1, font_.pointSize());
    Arrangement a;
    a.font = SurfaceFont(pointSize, surface);
    QFontMetrics metrics(a.font, surface);
    std::vector<int> widths = LineWidths(metrics, lines_, adjustFontSizeToFit_ || alignment_ != taLeftJustify);
    if (adjustFontSizeToFit_) {
        const int widest = widths.empty() ? 0 : *std::max_element(widths.begin(), widths.end());
        const int fitted = FittedFontSize(pointSize, metrics.height(), static_cast<int>(lines_.size()), widest, rect);
        if (fitted != pointSize) {
            a.font = SurfaceFont(fitted, surface);
            metrics = QFontMetrics(a.font, surface);
            widths = LineWidths(metrics, lines_, alignment_ != taLeftJustify);
        }
    }
    a.ascent = metrics.ascent();
    a.placed = PlaceFaceLines(widths, metrics.height(), alignment_, rect);
    return a;
}

FaceLines TZintLabelPanel::DrawLines(QPainter& surface, const FaceRect& rect)
{
    RefreshLines();
    const Arrangement a = Arrange(surface.device(), rect);
    surface.setFont(a.font);
    surface.setPen(fontColor_);
    surface.setBackgroundMode(Qt::TransparentMode);
    for (std::size_t i = 0; i < a.placed.size(); ++i) {
        const PlacedLine& p = a.placed[i];
        surface.setClipRect(QRect(rect.left, p.top, rect.right - rect.left, p.bottom - p.top));
        surface.drawText(QPoint(p.x, p.top + a.ascent), lines_[static_cast<qsizetype>(i)]);
    }
    surface.setClipping(false);
    lastDrawing_ = {static_cast<int>(lines_.size()), static_cast<int>(a.placed.size())};
    return lastDrawing_;
}

FaceLines TZintLabelPanel::MeasureLines()
{
    RefreshLines();
    return {static_cast<int>(lines_.size()), static_cast<int>(Arrange(this, TextRect()).placed.size())};
}

QPicture TZintLabelPanel::RenderToPicture()
{
    QPicture picture;
    picture.setBoundingRect(QRect(0, 0, width(), height()));
    QPainter painter(&picture);
    DrawLines(painter, TextRect());
    painter.end();
    return picture;
}

void TZintLabelPanel::paintEvent(QPaintEvent*)
{
    if (painting_)
        return;
    painting_ = true;
    QPixmap bitmap(size());
    bitmap.fill(bgColor_);
    {
        QPainter p(&bitmap);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF whole(0, 0, width(), height());
        p.fillPath(ShapePath(shape_, whole), Qt::white);

        const FaceRect text = TextRect();
        DrawLines(p, text);

        p.setRenderHint(QPainter::Antialiasing, false);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0xC0, 0xC0, 0xC0), 1, Qt::DotLine));
        p.drawRect(QRect(QPoint(text.left - 1, text.top - 1), QPoint(text.right, text.bottom)));
        if (drawOutline_) {
            p.setPen(QPen(Qt::black, 1));
            p.drawPath(ShapePath(shape_, whole.adjusted(0, 0, -1, -1)));
        }
    }
    QPainter(this).drawPixmap(0, 0, bitmap);
    painting_ = false;
}

void TZintLabelPanel::mouseDoubleClickEvent(QMouseEvent* event)
{
    emit doubleClicked();
    QWidget::mouseDoubleClickEvent(event);
}
