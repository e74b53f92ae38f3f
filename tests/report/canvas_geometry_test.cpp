#include "report/printrun.h"
#include "report/tcanvasreport.h"
#include "report/treportfiler.h"
#include "support/scripted_messages.h"
#include "support/scripted_printers.h"

#include <gtest/gtest.h>

namespace {

// A filer on letter paper, all margins 0.5, outside any run.
struct Letter : TReportFiler {
    Letter()
    {
        Printer().SetPaperSize(1, 0, 0);
        ResetSection();
    }
};

} // namespace

TEST(CanvasGeometry, ArialNineLinesAreFifteenHundredthsAndTheFirstBaselineSitsOneLineDown)
{
    Letter r;
    r.SetFont("Arial", 9);
    EXPECT_DOUBLE_EQ(r.LineHeight(), 0.15);
    EXPECT_DOUBLE_EQ(r.FontHeight(), 0.125);
    EXPECT_NEAR(r.FontDescent(), 0.212 * 9 / 72, 0.002); // the metric-compatible Arial
    r.SetSectionTop(1.5);
    r.GoToFirstLine();
    EXPECT_NEAR(r.CursorY(), 1.65 - r.FontDescent(), 1e-9);
    EXPECT_DOUBLE_EQ(r.CursorX(), r.SectionLeft());
    r.NextLine();
    EXPECT_NEAR(r.CursorY(), 1.80 - r.FontDescent(), 1e-9);
    EXPECT_EQ(r.LineNum(), 2);

    r.SetLineHeightMethod(lhmLinesPerInch);
    r.SetLinesPerInch(0); // ignored
    EXPECT_DOUBLE_EQ(r.LineHeight(), 1.0 / 6);
    r.SetLinesPerInch(8);
    EXPECT_DOUBLE_EQ(r.LineHeight(), 0.125);
}

TEST(CanvasGeometry, LinesRemainingCountsTheCurrentLineUntilItsBottomPassesTheSection)
{
    Letter r;
    r.SetFont("Arial", 9);
    r.SetSectionTop(1.0);
    r.GoToFirstLine();
    for (int i = 0; i < 9; ++i)
        r.NextLine();
    // The tenth line's bottom exactly on the section's bottom.
    r.SetSectionBottom(r.CursorY() + r.FontDescent());
    EXPECT_EQ(r.LinesRemaining(), 1);
    r.NextLine();
    EXPECT_EQ(r.LinesRemaining(), 0);

    r.GoToFirstLine();
    EXPECT_EQ(r.LinesRemaining(), 10);
    r.SetCursor(1, r.CursorY() + 0.149);
    EXPECT_EQ(r.LinesRemaining(), 9);
}

TEST(CanvasGeometry, UnitsConvertEveryPositionAndTheFactorNamesTheUnit)
{
    Letter r;
    r.SetUnitsFactor(25.4);
    EXPECT_EQ(r.Units(), unMM);
    EXPECT_DOUBLE_EQ(r.MarginLeft(), 12.7);
    EXPECT_DOUBLE_EQ(r.PaperWidth(), 215.9);
    r.SetUnitsFactor(72);
    EXPECT_EQ(r.Units(), unPoint);
    r.SetUnitsFactor(10);
    EXPECT_EQ(r.Units(), unUser);
    r.SetUnitsFactor(-3); // ignored
    EXPECT_DOUBLE_EQ(r.UnitsFactor(), 10);
    r.SetUnits(unCM);
    EXPECT_DOUBLE_EQ(r.UnitsFactor(), 2.54);
    r.SetUnits(unInch);

    // A margin moves its section edge; section edges pull the cursor inside.
    r.SetMarginLeft(1.0);
    EXPECT_DOUBLE_EQ(r.SectionLeft(), 1.0);
    r.SetMarginRight(1.0);
    EXPECT_DOUBLE_EQ(r.SectionRight(), 7.5);
    r.SetCursor(0.2, 0.2);
    r.SetSectionLeft(2);
    r.SetSectionTop(3);
    EXPECT_DOUBLE_EQ(r.CursorX(), 2);
    EXPECT_DOUBLE_EQ(r.CursorY(), 3);
    r.SetCursor(8, 3);
    r.SetSectionRight(6);
    EXPECT_DOUBLE_EQ(r.CursorX(), 6);
    r.ResetSection();
    EXPECT_DOUBLE_EQ(r.SectionLeft(), 1.0);
    EXPECT_DOUBLE_EQ(r.SectionBottom(), 10.5);
}

TEST(CanvasGeometry, PaperCodesAndOrientation)
{
    Letter r;
    r.SetPaperSize(9);
    EXPECT_NEAR(r.PaperWidth(), 210 / 25.4, 1e-6);
    EXPECT_NEAR(r.PaperHeight(), 297 / 25.4, 1e-6);
    r.SetPaperSize(11);
    EXPECT_NEAR(r.PaperWidth(), 148 / 25.4, 1e-6);
    // A custom size goes to the device in tenths of a millimetre.
    r.SetPaperSize(0, 4.0001, 6);
    EXPECT_NEAR(r.PaperWidth(), 1016 / 254.0, 1e-9);
    r.SetPaperSize(42); // unknown: unchanged
    EXPECT_NEAR(r.PaperHeight(), 6, 1e-9);
    r.SetOrientation(poLandScape);
    EXPECT_NEAR(r.PaperWidth(), 6, 1e-9);
    EXPECT_NEAR(r.SectionRight(), 5.5, 1e-9);
    EXPECT_EQ(r.Orientation(), poLandScape);
}

TEST(CanvasGeometry, TabStopsFollowEachOtherAndCellLessStopsHaveNoMargin)
{
    Letter r;
    r.SetMarginLeft(1.0);
    r.AddTabStop(TabAfterPrevious, pjLeft, 1.75, 2, blNone, 0);
    r.AddTabStop(TabAfterPrevious, pjLeft, 2.15, 2, blNone, 0);
    r.AddTabStop(5.0, pjLeft, 0, 10, blLeft, 50);
    EXPECT_DOUBLE_EQ(r.TabStopTextLeft(1), 1.02);
    EXPECT_DOUBLE_EQ(r.TabStopTextLeft(2), 2.77);
    EXPECT_DOUBLE_EQ(r.TabStopTextLeft(3), 5.0);
    EXPECT_DOUBLE_EQ(r.TabStopTextLeft(4), 0);
    EXPECT_DOUBLE_EQ(r.TabStopTextLeft(0), 0); // none current yet

    r.SaveTabStops();
    r.ClearTabStops();
    r.AddTabStop(-32768, pjLeft, 1, 0, blNone, 0);
    EXPECT_EQ(r.TabStopCount(), 1);
    EXPECT_DOUBLE_EQ(r.TabStopTextLeft(1), 1.0); // the first follows the left margin
    r.RestoreTabStops();
    EXPECT_EQ(r.TabStopCount(), 3);
    r.RestoreTabStops(); // nothing saved: nothing happens
    EXPECT_EQ(r.TabStopCount(), 3);
}

TEST(CanvasGeometry, FontsResetTheirStylesAndIgnoreSizesOfZero)
{
    Letter r;
    r.SetFont("Arial", 9);
    r.SetBold(true);
    r.SetFont("Times New Roman", 0);
    EXPECT_EQ(r.Font().name, "Arial");
    EXPECT_TRUE(r.Font().bold);
    r.SetFont("Times New Roman", 14);
    EXPECT_FALSE(r.Font().bold);
    EXPECT_DOUBLE_EQ(r.LineHeight(), 14 / 60.0);
    r.SetTabShade(140);
    EXPECT_EQ(r.TabShade(), 100);
    r.SetTabShade(-5);
    EXPECT_EQ(r.TabShade(), 0);
}

TEST(CanvasGeometry, RunStateIsGuarded)
{
    Letter r;
    EXPECT_THROW(r.PrintText("x"), EReportPrinter);
    try {
        r.StartNewPage();
        FAIL();
    } catch (const EReportPrinter& e) {
        EXPECT_EQ(e.Message(), "Invalid method call.  ReportPrinter is not printing.");
    }
    r.SetStreamMode(smUser);
    try {
        r.RunReport();
        FAIL();
    } catch (const EReportPrinter& e) {
        EXPECT_EQ(e.Message(), "StreamMode is smUser but Stream is nil");
    }
    r.SetStreamMode(smMemory);
    QString refusal;
    r.OnPrint = [&](TBaseReport& report) {
        try {
            report.SetOrientation(poLandScape);
        } catch (const EReportPrinter& e) {
            refusal = e.Message();
        }
    };
    r.RunReport();
    EXPECT_EQ(refusal, "Invalid method call.  ReportPrinter already printing.");
    EXPECT_FALSE(r.Printing());
}

TEST(CanvasGeometry, NoPrinterAtAllStopsAPrintBeforeItStarts)
{
    FakePrinterList none({}, {});
    ScriptedMessages messages;
    TReportPrinter r;
    EXPECT_FALSE(ReadyToPrint(r));
    ASSERT_EQ(messages.Boxes().size(), 1);
    EXPECT_EQ(messages.Boxes()[0].text, "No printers are defined, aborting print job.");
}
