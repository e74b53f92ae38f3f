#include "labels/labelface.h"

#include "barcode/barcodeplacement.h"
#include "labels/labelbarcode.h"
#include "labels/labellines.h"

#include <algorithm>

namespace {

constexpr double kPointsPerInch = 72;
// Enough for the face's own size and the sizes a fit picks while a run goes on.
constexpr std::size_t kMeasuresKept = 16;

ReportFont FaceFont(const FaceStyle& style, int points)
{
    ReportFont font;
    font.name = style.font.family();
    font.points = points;
    font.bold = style.font.bold();
    font.italic = style.font.italic();
    font.underline = style.font.underline();
    font.colour = style.fontColor;
    return font;
}

QRectF MarginRect(const FaceStyle& style)
{
    return QRectF(QPointF(style.marginLeft, style.marginTop) * kPointsPerInch,
                  QPointF(style.size.width() - style.marginRight, style.size.height() - style.marginBottom) *
                      kPointsPerInch);
}

} // namespace

FaceRect FaceStyle::TextRect() const
{
    QRectF text = MarginRect(*this);
    if (barcode.kind != BarcodeKind::None)
        text = ReserveBarcode(barcode, text).text;
    return {text.left(), text.top(), text.right(), text.bottom()};
}

void LabelFace::BuildLines()
{
    lines_.clear();
    barcodeData_.clear();
    barcodeProblem_.clear();
    if (!table_)
        return;
    lines_ = ComposeLabelLines(TableFieldReader(*table_), style.options);
    if (style.barcode.kind == BarcodeKind::None)
        return;
    try {
        barcodeData_ = LabelBarcodeData(style.barcode, style.mail, *table_);
    } catch (const BarcodeError& e) {
        barcodeProblem_ = e.Message();
    }
}

void LabelFace::layBarcode(FaceLayout& layout) const
{
    if (style.barcode.kind == BarcodeKind::None || (barcodeData_.isEmpty() && barcodeProblem_.isEmpty()))
        return;
    layout.barcodeRefusal = barcodeProblem_;
    if (!barcodeProblem_.isEmpty())
        return;
    try {
        const BarcodeSymbol symbol = EncodeBarcode(style.barcode.kind, barcodeData_);
        layout.bars = PlaceBarcode(symbol, style.barcode, ReserveBarcode(style.barcode, MarginRect(style)).symbol);
    } catch (const BarcodeError& e) {
        layout.barcodeRefusal = e.Message();
    }
}

FaceMeasure& LabelFace::measure(const ReportFont& font)
{
    for (const auto& [known, measure] : measures_)
        if (known == font)
            return *measure;
    if (measures_.size() == kMeasuresKept)
        measures_.erase(measures_.begin());
    measures_.emplace_back(font, std::make_unique<FaceMeasure>(font));
    return *measures_.back().second;
}

FaceLayout LabelFace::Layout()
{
    const int pointSize = std::max(1, style.font.pointSize());
    const FaceRect rect = style.TextRect();
    const auto count = static_cast<int>(lines_.size());
    // Left-aligned lines that need no fit are not measured: their place does not depend on
    // their width.
    const auto widths = [this](FaceMeasure& m, bool needed) {
        std::vector<double> w(lines_.size(), 0);
        if (needed)
            for (std::size_t i = 0; i < w.size(); ++i)
                w[i] = m.Width(lines_[static_cast<qsizetype>(i)]);
        return w;
    };
    FaceLayout layout;
    layout.font = FaceFont(style, pointSize);
    FaceMeasure* m = &measure(layout.font);
    const bool aligned = style.alignment != taLeftJustify;
    std::vector<double> w = widths(*m, style.adjustFontSizeToFit || aligned);
    if (style.adjustFontSizeToFit) {
        const double widest = w.empty() ? 0 : *std::max_element(w.begin(), w.end());
        const int fitted = FittedFontSize(pointSize, m->LineHeight(), count, widest, rect);
        if (fitted != pointSize) {
            layout.font.points = fitted;
            m = &measure(layout.font);
            w = widths(*m, aligned);
        }
    }
    const std::vector<PlacedLine> placed = PlaceFaceLines(w, m->LineHeight(), style.alignment, rect);
    layout.lines.reserve(placed.size());
    for (std::size_t i = 0; i < placed.size(); ++i) {
        const PlacedLine& p = placed[i];
        layout.lines.push_back({QPointF(p.x, p.top), QRectF(rect.left, p.top, rect.right - rect.left, p.bottom - p.top),
                                lines_[static_cast<qsizetype>(i)]});
    }
    layout.count = {count, static_cast<int>(placed.size())};
    layBarcode(layout);
    return layout;
}
