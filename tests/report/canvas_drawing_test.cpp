#include "report/statustext.h"
#include "report/treportfiler.h"
#include "report_support.h"

#include <QPainter>
#include <QPicture>
#include <gtest/gtest.h>

TEST(CanvasDrawing, TabCharactersMoveTheTextIntoTheStopsByTheirJustification)
{
    double width = 0;
    const QStringList log = RecordOperations([&](TBaseReport& r) {
        r.SetFont("Arial", 9);
        r.ClearTabStops();
        r.AddTabStop(2.0, pjLeft, 1.0, 5, blNone, 0);
        r.AddTabStop(TabAfterPrevious, pjLeft, 1.0, 5, blNone, 0);
        r.SetCursor(1.0, 2.0);
        r.PrintText("a\tb");
        r.NextLine();
        r.ClearTabStops();
        r.AddTabStop(1.0, pjRight, 2.0, 10, blNone, 0);
        r.AddTabStop(TabAfterPrevious, pjCenter, 2.0, 10, blNone, 0);
        r.AddTabStop(TabAfterPrevious, pjBlock, 3.0, 10, blNone, 0);
        r.PrintText("\tright\tcentre\tone two three");
        width = r.TextWidth("right");
        r.NextLine();
        r.PrintText("\t\t\tsingle");
        r.PrintText(" after"); // no stop pending: at the cursor
    });
    EXPECT_DOUBLE_EQ(TextX(log, "a"), 1.0);     // no stop pending yet: at the cursor
    EXPECT_NEAR(TextX(log, "b"), 2.05, 0.0005); // first stop + margin
    EXPECT_NEAR(TextX(log, "right") + width, 2.9, 0.001);
    EXPECT_GT(TextX(log, "centre"), 3.0);
    EXPECT_NEAR(TextX(log, "one"), 5.1, 0.0005);
    EXPECT_GT(TextX(log, "two"), 6.0); // gaps widened across the cell
    EXPECT_GT(TextX(log, "three"), 7.0);
    EXPECT_NEAR(TextX(log, "single"), 5.1, 0.0005); // one word stays left
    EXPECT_GT(TextX(log, " after"), 5.2);
    EXPECT_DOUBLE_EQ(TextY(log, "b"), 2.0);
}

TEST(CanvasDrawing, TabCellsAreShadedAndBoxedOverTheCurrentLine)
{
    const QStringList log = RecordOperations([](TBaseReport& r) {
        r.SetFont("Arial", 9);
        r.SetTabShade(20);
        r.AddTabStop(1.0, pjLeft, 2.0, 2, blLeft | blBottom, 0); // takes TabShade
        r.AddTabStop(TabAfterPrevious, pjLeft, 1.0, 2, blNone, 5);
        r.AddTabStop(TabAfterPrevious, pjLeft, 0, 2, blLeft, 50); // no cell
        r.SetCursor(1.0, 3.0);
        r.PrintText("\tx\ty\tz\tpast the last");
    });
    const double bottom = 3.0 + 0.212 * 9 / 72;
    const QStringList f = log.filter(QRegularExpression("^fill"));
    ASSERT_EQ(f.size(), 2);
    const QStringList cell = f[0].mid(5).split(QRegularExpression("[, ]"));
    ASSERT_EQ(cell.size(), 5);
    EXPECT_DOUBLE_EQ(cell[0].toDouble(), 1.0);
    EXPECT_NEAR(cell[1].toDouble(), bottom - 0.15, 0.002);
    EXPECT_DOUBLE_EQ(cell[2].toDouble(), 3.0);
    EXPECT_NEAR(cell[3].toDouble(), bottom, 0.002);
    EXPECT_EQ(cell[4], "#cccccc"); // 20 % grey from TabShade
    EXPECT_TRUE(f[1].endsWith("#f2f2f2"));
    EXPECT_EQ(log.filter(QRegularExpression("^line")).size(), 2);
    EXPECT_NEAR(TextX(log, "z"), 4.0, 0.0005);
    EXPECT_GT(TextX(log, "past the last"), 4.0); // falls back to the cursor
}

TEST(CanvasDrawing, AlignedTextPicturesLinesAndClippedText)
{
    QPicture picture;
    {
        QPainter p(&picture);
        p.drawRect(0, 0, 100, 50);
    }
    double width = 0;
    const QStringList log = RecordOperations([&](TBaseReport& r) {
        r.SetFont("Arial", 10);
        width = r.TextWidth("Page 1");
        r.PrintRightAt("Page 1", 8.0);
        r.PrintCenterAt("mid", 4.25);
        r.SetPen(QColor(0xC0, 0xC0, 0xC0), Qt::SolidLine, 1);
        r.MoveTo(1, 1.5);
        r.LineTo(7.5, 1.5);
        r.DrawPicture(r.DeviceRect(1, 2, 3, 3), picture);
        r.PrintInRect(r.DeviceRect(1, 4, 2, 4.2), 1.02, 4.0, "clipped");
    });
    EXPECT_NEAR(TextX(log, "Page 1") + width, 8.0, 0.0005);
    EXPECT_TRUE(log.contains("pen #c0c0c0 1"));
    EXPECT_TRUE(log.contains("line 1.000,1.500 7.500,1.500"));
    EXPECT_TRUE(log.contains("picture 1.000,2.000,3.000,3.000"));
    EXPECT_TRUE(log.contains("clip 1.000,4.000,2.000,4.200 1.020,4.000 clipped"));
}

TEST(CanvasDrawing, PagesOutsideTheRangeAreDrawnIntoNothing)
{
    const QStringList log = RecordOperations(
        [](TBaseReport& r) {
            for (int page = 1; page <= 4; ++page) {
                if (page > 1)
                    r.StartNewPage();
                r.PrintText(QString("on %1").arg(r.CurrentPage()));
            }
        },
        [](TBaseReport& r) {
            r.SetFirstPage(2);
            r.SetLastPage(3);
        });
    EXPECT_EQ(log.filter(QRegularExpression("^page")).size(), 2);
    EXPECT_EQ(log.filter(QRegularExpression("^text")), QStringList({log.filter("on 2")[0], log.filter("on 3")[0]}));
}

TEST(CanvasDrawing, AfterAbortNothingMoreIsOutputAndTheHandlerEndsQuietly)
{
    bool reachedEnd = false;
    int pagesStarted = 0;
    bool afterPrint = false;
    const QStringList log = RecordOperations(
        [&](TBaseReport& r) {
            r.PrintText("before");
            r.AbortReport();
            r.PrintText("after");
            reachedEnd = true;
        },
        [&](TBaseReport& r) {
            r.OnNewPage = [&](TBaseReport&) { ++pagesStarted; };
            r.OnAfterPrint = [&](TBaseReport& report) { afterPrint = report.Aborted(); };
        });
    EXPECT_FALSE(reachedEnd);
    EXPECT_EQ(log.filter(QRegularExpression("^text")).size(), 1);
    EXPECT_EQ(pagesStarted, 1);
    EXPECT_TRUE(afterPrint);
}

TEST(CanvasDrawing, OnPrintPageDrawsPageAfterPageUntilItSaysStop)
{
    const QStringList log = RecordOperations({}, [](TBaseReport& r) {
        r.OnPrintPage = [](TBaseReport& report, int& page) {
            report.PrintText(QString("p%1").arg(page));
            return page < 3;
        };
    });
    // Each page carries its own number, drawn at the left margin.
    const QStringList pagesAndTexts = log.filter(QRegularExpression("^(page|text)"));
    ASSERT_EQ(pagesAndTexts.size(), 6) << pagesAndTexts.join('|').toStdString();
    for (int page = 1; page <= 3; ++page) {
        EXPECT_TRUE(pagesAndTexts[2 * page - 2].startsWith("page ")) << page;
        EXPECT_TRUE(pagesAndTexts[2 * page - 1].endsWith(QString(" p%1").arg(page))) << page;
    }
    EXPECT_DOUBLE_EQ(TextX(log, "p3"), 0.5);
}

TEST(StatusText, TemplateCodes)
{
    StatusValues v;
    v.page = 3;
    EXPECT_EQ(ExpandStatus("Printing Page %p\r%0\r%1", v), "Printing Page 3\r\r");
    v.lines = QStringList{"zero", "one"};
    v.firstPage = 2;
    v.lastPage = 9;
    v.device = "PDF file";
    v.driver = "PDF";
    v.port = "FILE:";
    EXPECT_EQ(ExpandStatus("%0/%1/%2|%P %F %L|%d %r %t|100%%|%x|%", v),
              "zero/one/|3 2 9|PDF file PDF FILE:|100%|<ERROR-%X>|%");
}

namespace {

// Watches a run as a window would, without one.
class StatusLog : public ReportProgress {
public:
    QStringList texts;
    int breaths = 0;
    bool cancelled = false;

    void Status(const QString& text) override { texts << text; }
    void Breathe() override { ++breaths; }
    bool Cancelled() const override { return cancelled; }
};

void WatchedBy(TBaseReport& r, StatusLog& watcher)
{
    r.SetProgress(&watcher);
    r.SetStatusFormat("Preparing Preview Page %p\r%0\r%1 on %D");
    r.StatusText() << ""
                   << "";
}

} // namespace

TEST(StatusText, TheWatcherHearsEachPagesExpandedTemplateAndBreathesOncePerPage)
{
    StatusLog watcher;
    RecordOperations(
        [&](TBaseReport& r) {
            r.StartNewPage();
            r.StartNewPage();
        },
        [&](TBaseReport& r) { WatchedBy(r, watcher); });
    EXPECT_EQ(watcher.texts,
              QStringList({"Preparing Preview Page 1\n\n on Preview", "Preparing Preview Page 2\n\n on Preview",
                           "Preparing Preview Page 3\n\n on Preview"}));
    EXPECT_EQ(watcher.breaths, 3);
}

TEST(StatusText, ACancelOfTheWatcherEndsTheRunQuietlyAtTheNextOperation)
{
    StatusLog watcher;
    bool pastCancel = false;
    QByteArray stream;
    TReportFiler filer;
    filer.SetStream(&stream);
    filer.SetStreamMode(smUser);
    WatchedBy(filer, watcher);
    filer.OnPrint = [&](TBaseReport& r) {
        r.PrintText("before");
        watcher.cancelled = true;
        r.PrintText("after");
        pastCancel = true;
    };
    filer.RunReport();
    EXPECT_TRUE(filer.Aborted());
    EXPECT_FALSE(pastCancel);

    // Cancelled between pages: the next page does not begin.
    watcher = StatusLog{};
    int pages = 0;
    filer.OnPrint = [&](TBaseReport& r) {
        for (pages = 1; pages <= 3; ++pages) {
            watcher.cancelled = pages == 2;
            r.StartNewPage();
        }
    };
    filer.RunReport();
    EXPECT_TRUE(filer.Aborted());
    EXPECT_EQ(pages, 2);
    EXPECT_EQ(watcher.texts.size(), 2);
}

TEST(CanvasDrawing, TheCursorEndsAtTheRightEndOfTextInTheFontItWasPrintedIn)
{
    double regular = 0, afterBold = 0, bold = 0, next = 0;
    const QStringList log = RecordOperations([&](TBaseReport& r) {
        r.SetFont("Arial", 12);
        regular = r.TextWidth("Wide text");
        r.SetCursor(1.0, 2.0);
        r.PrintText("Wide text");
        r.SetBold(true); // the text already printed keeps its regular width
        afterBold = r.CursorX();
        bold = r.TextWidth("more");
        r.PrintText("more");
        next = r.CursorX();
    });
    EXPECT_NEAR(afterBold, 1.0 + regular, 1e-9);
    EXPECT_NEAR(next, afterBold + bold, 1e-9);
    EXPECT_NEAR(TextX(log, "more"), afterBold, 0.0005);
    EXPECT_TRUE(log.contains("font Arial 12 b"));
}
