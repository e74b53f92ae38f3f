#include "labels/labelface.h"

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

} // namespace

FaceRect FaceStyle::TextRect() const
{
    return {marginLeft * kPointsPerInch, marginTop * kPointsPerInch, (size.width() - marginRight) * kPointsPerInch,
            (size.height() - marginBottom) * kPointsPerInch};
}

void LabelFace::BuildLines()
{
    lines_.clear();
    if (table_)
        lines_ = ComposeLabelLines(TableFieldReader(*table_), style.options);
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
    return layout;
}
