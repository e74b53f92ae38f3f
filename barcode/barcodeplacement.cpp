#include "barcode/barcodeplacement.h"

#include <algorithm>

namespace {

constexpr double kPointsPerInch = 72;
// Between the barcode and the address.
constexpr double kGap = kPointsPerInch / 16;
// libzint draws one module (the narrowest bar or smallest square) two units wide.
constexpr double kUnitsPerModule = 2;
// The smallest module readers take reliably on labels, and the largest that still looks
// like a label's barcode rather than a poster's.
constexpr double kSmallestModule = 0.25 / 25.4 * kPointsPerInch;
constexpr double kSmallestBar = 0.0075 * kPointsPerInch;
constexpr double kWidestBar = 0.02 * kPointsPerInch;
constexpr double kCode128Height = 0.25 * kPointsPerInch;
// Intelligent Mail: 22 bars an inch is the middle of what the Postal Service accepts (20 to
// 24); four units from bar to bar, a full bar 0.16 inch high.
constexpr double kImbHeight = 0.16 * kPointsPerInch;
constexpr double kImbUnitsPerBar = 4;
constexpr double kImbNominalPitch = kPointsPerInch / 22;
constexpr double kImbTightestPitch = kPointsPerInch / 24;

bool Right(BarcodeCorner c)
{
    return c == BarcodeCorner::TopRight || c == BarcodeCorner::BottomRight;
}

bool Bottom(BarcodeCorner c)
{
    return c == BarcodeCorner::BottomLeft || c == BarcodeCorner::BottomRight;
}

QString KindName(BarcodeKind kind)
{
    return BarcodeKindCaptions().value(int(kind));
}

QString Inches(double points)
{
    return QString::number(points / kPointsPerInch, 'f', 2) + QLatin1Char('"');
}

} // namespace

BarcodeArea ReserveBarcode(const BarcodeChoice& choice, const QRectF& text)
{
    BarcodeArea area{text, text};
    if (choice.Square()) {
        const double side = std::max(0.0, std::min(text.height(), text.width() / 2));
        area.symbol = QRectF(Right(choice.corner) ? text.right() - side : text.left(),
                             Bottom(choice.corner) ? text.bottom() - side : text.top(), side, side);
        if (Right(choice.corner))
            area.text.setRight(area.symbol.left() - kGap);
        else
            area.text.setLeft(area.symbol.right() + kGap);
        return area;
    }
    const double band =
        std::min(text.height(), choice.kind == BarcodeKind::IntelligentMail ? kImbHeight : kCode128Height);
    area.symbol = QRectF(text.left(), Bottom(choice.corner) ? text.bottom() - band : text.top(), text.width(), band);
    if (Bottom(choice.corner))
        area.text.setBottom(area.symbol.top() - kGap);
    else
        area.text.setTop(area.symbol.bottom() + kGap);
    return area;
}

std::vector<QRectF> PlaceBarcode(const BarcodeSymbol& symbol, const BarcodeChoice& choice, const QRectF& area)
{
    if (symbol.size.isEmpty())
        return {};
    // Points per unit across and down, and the least across that can still be read.
    double across = 0;
    double down = 0;
    double least = 0;
    double height = area.height();
    if (choice.Square()) {
        across = down = std::min(area.width() / symbol.size.width(), area.height() / symbol.size.height());
        least = kSmallestModule / kUnitsPerModule;
        height = least * symbol.size.height();
    } else if (choice.kind == BarcodeKind::IntelligentMail) {
        across = std::min(area.width() / symbol.size.width(), kImbNominalPitch / kImbUnitsPerBar);
        least = kImbTightestPitch / kImbUnitsPerBar;
        height = kImbHeight;
    } else {
        across = std::min(area.width() / symbol.size.width(), kWidestBar / kUnitsPerModule);
        least = kSmallestBar / kUnitsPerModule;
        height = kCode128Height;
    }
    if (across < least || (!choice.Square() && area.height() < height - 1e-9))
        throw BarcodeError(QStringLiteral("The %1 barcode does not fit the label: it needs %2 by %3, and the "
                                          "corner beside the address has %4 by %5.")
                               .arg(KindName(choice.kind), Inches(least * symbol.size.width()), Inches(height),
                                    Inches(area.width()), Inches(area.height())));
    if (!choice.Square())
        down = height / symbol.size.height();
    const double width = across * symbol.size.width();
    const double tall = down * symbol.size.height();
    const QPointF origin(Right(choice.corner) ? area.right() - width : area.left(),
                         Bottom(choice.corner) ? area.bottom() - tall : area.top());
    std::vector<QRectF> placed;
    placed.reserve(symbol.bars.size());
    for (const QRectF& bar : symbol.bars)
        placed.emplace_back(origin.x() + bar.x() * across, origin.y() + bar.y() * down, bar.width() * across,
                            bar.height() * down);
    return placed;
}
