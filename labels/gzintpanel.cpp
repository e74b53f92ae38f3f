#include "labels/gzintpanel.h"

#include "labels/faceoutput.h"
#include "table/ttable.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

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

} // namespace

TZintLabelPanel::TZintLabelPanel(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

double TZintLabelPanel::PixelsPerInch() const
{
    return logicalDpiX();
}

void TZintLabelPanel::SetStyle(const FaceStyle& style)
{
    const double ppi = PixelsPerInch();
    resize(std::max(1, InchesToPixels(style.size.width(), ppi)), std::max(1, InchesToPixels(style.size.height(), ppi)));
    Set(face_.style, style);
}

void TZintLabelPanel::RefreshLines()
{
    if (linesDirty_ && DataTable() && DataTable()->Active()) {
        BuildLines();
        linesDirty_ = false;
    }
}

const QStringList& TZintLabelPanel::LabelLines()
{
    RefreshLines();
    return face_.Lines();
}

FaceLines TZintLabelPanel::MeasureLines()
{
    RefreshLines();
    return face_.Layout().count;
}

QString TZintLabelPanel::BarcodeRefusal()
{
    RefreshLines();
    return face_.Layout().barcodeRefusal;
}

void TZintLabelPanel::SetBarcode(const BarcodeChoice& value, const IntelligentMailSettings& mail)
{
    face_.style.mail = mail;
    SetLinesDirty();
    Set(face_.style.barcode, value);
}

void TZintLabelPanel::paintEvent(QPaintEvent*)
{
    if (painting_)
        return;
    painting_ = true;
    RefreshLines();
    QPixmap bitmap(size());
    bitmap.fill(bgColor_);
    {
        QPainter p(&bitmap);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF whole(0, 0, width(), height());
        p.fillPath(ShapePath(face_.style.shape, whole), Qt::white);

        const double scale = PixelsPerInch() / 72;
        PainterFaceOutput output(p, QTransform::fromScale(scale, scale));
        DrawFace(face_.Layout(), output);

        const FaceRect text = face_.style.TextRect();
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0xC0, 0xC0, 0xC0), 1, Qt::DotLine));
        p.drawRect(QRectF(QPointF(text.left * scale - 1, text.top * scale - 1),
                          QPointF(text.right * scale, text.bottom * scale))
                       .toRect());
        if (drawOutline_) {
            p.setPen(QPen(Qt::black, 1));
            p.drawPath(ShapePath(face_.style.shape, whole.adjusted(0, 0, -1, -1)));
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
