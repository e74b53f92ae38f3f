#include "labels/labelsheet.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr int kMiniatureOrigin = 10;

// A cell's corner in whatever unit `length` turns inches into: inches for the paper,
// miniature pixels for the position choice.
template <class Length>
auto CellCorner(const LabelTemplate& s, int row, int col, Length length)
{
    auto x = length(s.LeftMargin) + col * length(s.HorzPitch);
    auto y = length(s.TopMargin) + row * length(s.VertPitch);
    if (col + 1 > s.Across / 2 && s.HorzGap > 0)
        x += length(s.HorzGap);
    if (row + 1 > s.Down / 2 && s.VertGap > 0)
        y += length(s.VertGap);
    return std::make_pair(x, y);
}

} // namespace

PositionSelection AllPositions()
{
    PositionSelection all;
    all.fill(true);
    return all;
}

std::vector<SheetPosition> SheetPositions(const LabelTemplate& sheet)
{
    std::vector<SheetPosition> positions;
    for (int row = 0; row < sheet.Down; ++row)
        for (int col = 0; col < sheet.Across && row * sheet.Across + col < kMaxLabelPositions; ++col)
            positions.push_back({row, col});
    return positions;
}

bool PositionSelected(const PositionSelection& selection, const LabelTemplate& sheet, int row, int col)
{
    if (row < 0 || col < 0 || row >= sheet.Down || col >= sheet.Across)
        return false;
    const long index = static_cast<long>(row) * sheet.Across + col;
    return index < kMaxLabelPositions && selection[static_cast<std::size_t>(index)];
}

int SelectedPositionCount(const PositionSelection& selection, const LabelTemplate& sheet)
{
    const std::vector<SheetPosition> positions = SheetPositions(sheet);
    return static_cast<int>(std::count_if(positions.begin(), positions.end(), [&](const SheetPosition& p) {
        return PositionSelected(selection, sheet, p.row, p.col);
    }));
}

QRectF LabelCell(const LabelTemplate& sheet, int row, int col)
{
    const auto [x, y] = CellCorner(sheet, row, col, [](double inches) { return inches; });
    return QRectF(x, y, sheet.HorzPitch, sheet.VertPitch);
}

int MiniatureLength(double inches, double pixelsPerInch)
{
    const double length = std::trunc(inches * 0.2 * pixelsPerInch);
    return static_cast<int>(std::clamp(length, -100000.0, 100000.0));
}

QRect MiniaturePage(const LabelTemplate& sheet, double ppi)
{
    return QRect(QPoint(kMiniatureOrigin, kMiniatureOrigin),
                 QPoint(kMiniatureOrigin + MiniatureLength(sheet.SheetWidth, ppi),
                        kMiniatureOrigin + MiniatureLength(sheet.SheetHeight, ppi)));
}

QRect MiniatureLabel(const LabelTemplate& s, int row, int col, double ppi)
{
    auto [x, y] = CellCorner(s, row, col, [ppi](double inches) { return MiniatureLength(inches, ppi); });
    x += kMiniatureOrigin;
    y += kMiniatureOrigin;
    return QRect(QPoint(x, y), QPoint(x + MiniatureLength(s.LabelWidth, ppi), y + MiniatureLength(s.LabelHeight, ppi)));
}

LabelSlots::LabelSlots(const LabelTemplate& sheet, const PositionSelection& selection, bool onePageOnly, int skipFirst)
    : sheet_(sheet), selection_(selection), onePageOnly_(onePageOnly),
      usable_(SelectedPositionCount(selection, sheet) > 0), skipFirst_(skipFirst)
{}

std::optional<LabelSlot> LabelSlots::Next()
{
    while (usable_) {
        if (++at_.col + 1 > sheet_.Across) {
            at_.col = 0;
            ++at_.row;
        }
        if (at_.row + 1 > sheet_.Down) {
            if (onePageOnly_) {
                usable_ = false;
                break;
            }
            at_.row = 0;
            at_.col = 0;
            ++at_.sheet;
        }
        const bool skipped = at_.sheet == 0 && at_.row * sheet_.Across + at_.col < skipFirst_;
        if (!skipped && PositionSelected(selection_, sheet_, at_.row, at_.col))
            return at_;
    }
    return std::nullopt;
}

LabelPaper PaperForLayout(const LabelTemplate& s)
{
    const auto is = [&s](const char* code) { return s.PaperCode == QLatin1StringView(code); };
    LabelPaper paper;
    paper.landscape = is("LTRL") || is("A4L") || is("USERL");
    paper.portraitWidth = TwoDecimals(paper.landscape ? s.SheetHeight : s.SheetWidth);
    paper.portraitHeight = TwoDecimals(paper.landscape ? s.SheetWidth : s.SheetHeight);
    paper.code = is("LTR") || is("LTRL") ? 1 : is("A4") || is("A4L") ? 9 : is("A5") ? 11 : 0;
    return paper;
}

double TwoDecimals(double inches)
{
    return std::round(inches * 100) / 100;
}
