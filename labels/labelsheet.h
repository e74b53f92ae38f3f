#pragma once
// Where labels go on a sheet: the corner of each cell, the miniature of the sheet the
// position choice draws, and the walk through the chosen positions of sheet after sheet
// that printing follows.
//
//   LabelSlots order(setup, selection, onePageOnly);
//   for (each record) for (copies) {
//       auto slot = order.Next();       // nothing once a sample page is full
//       if (slot->sheet != sheet) ...   // a new sheet starts only when a label is due
//       DrawFace(LabelCell(setup, slot->row, slot->col));
//   }

#include "labels/labellayout.h"

#include <QRect>
#include <QRectF>
#include <array>
#include <optional>
#include <vector>

// Which positions of a sheet receive labels: entry row x Across + column.
using PositionSelection = std::array<bool, kMaxLabelPositions>;
PositionSelection AllPositions();

struct SheetPosition {
    int row = 0;
    int col = 0;
};
// The positions of a sheet that a selection can hold, row by row, left to right.
std::vector<SheetPosition> SheetPositions(const LabelTemplate& sheet);

// True when the given position of a sheet lies in the layout and is selected.
bool PositionSelected(const PositionSelection& selection, const LabelTemplate& sheet, int row, int col);
// Selected positions that the layout has; a sheet with none cannot be printed.
int SelectedPositionCount(const PositionSelection& selection, const LabelTemplate& sheet);

// The pitch cell of a position in inches from the paper's top left corner: the face is
// stretched over the whole cell. The right half of the columns moves by HorzGap, the
// lower half of the rows by VertGap.
QRectF LabelCell(const LabelTemplate& sheet, int row, int col);

// The one-fifth miniature: a length L in inches is trunc(L x 0.2 x pixels per inch).
int MiniatureLength(double inches, double pixelsPerInch);
// The page, at (10, 10), and the label of a position on it.
QRect MiniaturePage(const LabelTemplate& sheet, double pixelsPerInch);
QRect MiniatureLabel(const LabelTemplate& sheet, int row, int col, double pixelsPerInch);

struct LabelSlot {
    int sheet = 0; // from 0
    int row = 0;
    int col = 0;
};

// The chosen positions in print order: row by row, left to right, sheet after sheet.
class LabelSlots {
public:
    // skipFirst leaves that many positions of the first sheet empty (a part-used sheet).
    LabelSlots(const LabelTemplate& sheet, const PositionSelection& selection, bool onePageOnly, int skipFirst = 0);
    // The next position; nothing when the one sheet asked for is full, or when the
    // layout has no selected position at all.
    std::optional<LabelSlot> Next();

private:
    LabelTemplate sheet_;
    PositionSelection selection_;
    bool onePageOnly_;
    bool usable_;
    int skipFirst_;
    LabelSlot at_{0, 0, -1};
};

// The paper a layout asks the printer for: the device paper code (1 letter, 9 A4, 11 A5,
// 0 a custom size), the paper held upright in inches rounded to 2 decimals, and whether
// the labels lie across it (landscape: "LTRL", "A4L", "USERL").
struct LabelPaper {
    int code = 0;
    double portraitWidth = 0;
    double portraitHeight = 0;
    bool landscape = false;
};
LabelPaper PaperForLayout(const LabelTemplate& sheet);
// A paper length in inches rounded to hundredths, as the paper is asked for and checked.
double TwoDecimals(double inches);
