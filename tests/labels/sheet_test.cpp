#include "labels/calibration.h"
#include "labels/labelsheet.h"
#include "support/temp_program_dir.h"

#include <gtest/gtest.h>

namespace {

LabelTemplate Sheet(int across, int down)
{
    LabelTemplate s;
    s.Across = across;
    s.Down = down;
    s.LabelWidth = 2.625;
    s.LabelHeight = 1;
    s.HorzPitch = 2.75;
    s.VertPitch = 1;
    s.LeftMargin = 0.1875;
    s.TopMargin = 0.5;
    s.SheetWidth = 8.5;
    s.SheetHeight = 11;
    return s;
}

// The slots of `labels` labels, as "sheet:row,col".
std::vector<std::string> Walk(LabelSlots order, int labels)
{
    std::vector<std::string> seen;
    for (int i = 0; i < labels; ++i) {
        const auto slot = order.Next();
        if (!slot)
            break;
        seen.push_back(std::to_string(slot->sheet) + ":" + std::to_string(slot->row) + "," + std::to_string(slot->col));
    }
    return seen;
}

} // namespace

TEST(LabelSheet, ClearedPositionsAreSkippedOnEverySheet)
{
    PositionSelection selection = AllPositions();
    selection[0] = selection[1] = false;
    const auto seen = Walk(LabelSlots(Sheet(3, 10), selection, false), 35);
    ASSERT_EQ(seen.size(), 35u);
    EXPECT_EQ(seen[0], "0:0,2");
    EXPECT_EQ(seen[27], "0:9,2");
    EXPECT_EQ(seen[28], "1:0,2");
    EXPECT_EQ(seen[34], "1:2,2");
}

TEST(LabelSheet, ASamplePageStopsAfterOneSheetAndNothingSelectedPrintsNothing)
{
    EXPECT_EQ(Walk(LabelSlots(Sheet(3, 10), AllPositions(), true), 100).size(), 30u);
    // Entries beyond the layout do not count: a sheet whose own positions are all
    // cleared has nothing to print, rather than endless empty sheets.
    PositionSelection selection{};
    selection[199] = true;
    EXPECT_TRUE(Walk(LabelSlots(Sheet(3, 10), selection, false), 5).empty());
    EXPECT_EQ(SelectedPositionCount(selection, Sheet(3, 10)), 0);
    EXPECT_TRUE(Walk(LabelSlots(Sheet(0, 10), AllPositions(), false), 5).empty());
    // A layout larger than the selection never reaches past its 200 entries.
    const auto seen = Walk(LabelSlots(Sheet(10, 30), AllPositions(), false), 201);
    EXPECT_EQ(seen[199], "0:19,9");
    EXPECT_EQ(seen[200], "1:0,0");
    // The positions drawn, clicked and counted stop at the same entry, mid-row if need be.
    const std::vector<SheetPosition> positions = SheetPositions(Sheet(3, 100));
    ASSERT_EQ(positions.size(), 200u);
    EXPECT_EQ(std::make_pair(positions[3].row, positions[3].col), std::make_pair(1, 0));
    EXPECT_EQ(std::make_pair(positions[199].row, positions[199].col), std::make_pair(66, 1));
    EXPECT_EQ(SelectedPositionCount(AllPositions(), Sheet(3, 100)), 200);
}

TEST(LabelSheet, CellsFollowPitchesAndGapsOnPaperAndInTheMiniature)
{
    LabelTemplate two = Sheet(2, 10);
    two.HorzGap = 0.5;
    EXPECT_EQ(LabelCell(two, 0, 0), QRectF(0.1875, 0.5, 2.75, 1));
    EXPECT_DOUBLE_EQ(LabelCell(two, 0, 1).x(), 0.1875 + 2.75 + 0.5);
    LabelTemplate three = Sheet(3, 10);
    three.HorzGap = 0.5;
    three.VertGap = 0.25;
    EXPECT_DOUBLE_EQ(LabelCell(three, 4, 1).x(), 0.1875 + 2.75 + 0.5); // 3 div 2 = 1: columns 1 and 2
    EXPECT_DOUBLE_EQ(LabelCell(three, 5, 1).y(), 0.5 + 5 + 0.25);      // 10 div 2 = 5: rows 5 to 9
    EXPECT_DOUBLE_EQ(LabelCell(three, 4, 0).y(), 0.5 + 4);
    // At 96 pixels per inch: m(L) = trunc(L x 19.2).
    EXPECT_EQ(MiniaturePage(three, 96), QRect(QPoint(10, 10), QPoint(10 + 163, 10 + 211)));
    EXPECT_EQ(MiniatureLabel(three, 5, 1, 96), QRect(QPoint(3 + 52 + 9 + 10, 9 + 5 * 19 + 4 + 10),
                                                     QPoint(3 + 52 + 9 + 10 + 50, 9 + 5 * 19 + 4 + 10 + 19)));
}

TEST(Calibration, ScalesAboutThePaperCornerThenOffsets)
{
    const PrinterCalibration c{25.4, -12.7, 105, 95};
    const QRectF r = Calibrated(QRectF(2, 4, 2.75, 1), c);
    EXPECT_DOUBLE_EQ(r.x(), 2 * 1.05 + 1);
    EXPECT_DOUBLE_EQ(r.y(), 4 * 0.95 - 0.5);
    EXPECT_DOUBLE_EQ(r.width(), 2.75 * 1.05);
    EXPECT_EQ(Calibrated(r, PrinterCalibration()), r);
}

TEST(Calibration, KeptPerPrinterAndRefusedOutOfRange)
{
    TempProgramDirectory dir;
    EXPECT_EQ(CheckCalibration({10, -10, 95, 105}), std::nullopt);
    EXPECT_EQ(CheckCalibration({10.5, 0, 100, 100}), "Offsets must lie between -10 and 10 mm");
    EXPECT_EQ(CheckCalibration({0, 0, 100, 94.9}), "Scales must lie between 95 and 105 %");
    WritePrinterCalibration("PDF file", {1.5, -2, 101.5, 99});
    EXPECT_EQ(ReadPrinterCalibration("PDF file"), PrinterCalibration({1.5, -2, 101.5, 99}));
    EXPECT_EQ(ReadPrinterCalibration("Other"), PrinterCalibration());
    EXPECT_TRUE(dir.SettingsText().contains("[Calibration PDF file]"));
    dir.WriteSettingsText("[Calibration PDF file]\nOffsetX=55\n");
    EXPECT_EQ(ReadPrinterCalibration("PDF file"), PrinterCalibration()); // edited by hand beyond range
}

TEST(LabelSheet, PaperFollowsThePaperCodeAndSkipLeavesTheFirstSheetsStart)
{
    LabelTemplate custom = Sheet(3, 10);
    custom.PaperCode = QStringLiteral("USERL");
    custom.SheetWidth = 11;
    custom.SheetHeight = 8.5;
    const LabelPaper paper = PaperForLayout(custom);
    EXPECT_EQ(std::make_tuple(paper.code, paper.portraitWidth, paper.portraitHeight, paper.landscape),
              std::make_tuple(0, 8.5, 11.0, true));
    custom.PaperCode = QStringLiteral("A4");
    custom.SheetWidth = 8.2677;
    EXPECT_EQ(PaperForLayout(custom).code, 9);
    EXPECT_EQ(PaperForLayout(custom).portraitWidth, 8.27);
    const auto seen = Walk(LabelSlots(Sheet(3, 10), AllPositions(), false, 4), 30);
    EXPECT_EQ(seen.front(), "0:1,1");
    EXPECT_EQ(seen[26], "1:0,0"); // later sheets start at their first position
}

TEST(Calibration, TheSheetOutlinesEveryLabelWithACrossAtItsCorner)
{
    const LabelTemplate sheet = Sheet(3, 10);
    const std::vector<QLineF> lines = CalibrationSheetLines(sheet, {25.4, 0, 100, 100});
    ASSERT_EQ(lines.size(), 30u * 6);
    EXPECT_EQ(lines[0], QLineF(1.1875, 0.5, 1.1875 + 2.625, 0.5)); // first label's top edge, 1 in right
    EXPECT_EQ(lines[4], QLineF(1.0875, 0.5, 1.2875, 0.5));         // its cross
}
