#include "report/pdffileoutput.h"
#include "report/printrun.h"
#include "report/tfileprinter.h"
#include "report/treportfiler.h"
#include "report_support.h"
#include "support/file_size_limit.h"
#include "support/scripted_messages.h"
#include "support/scripted_printers.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <QProcess>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// Where pdftotext puts a word's baseline: its box ends at the font's descent below it.
double Baseline(const PdfWord& w, double points)
{
    return w.yMax - 0.212 * points / 72;
}

// Two pages: a header, tab-stop rows with a shaded cell, a rule and a picture with text.
void TwoPages(TBaseReport& r)
{
    QPicture face;
    {
        QPainter p(&face);
        p.setFont(QFont("Arial", 12));
        p.drawText(QPointF(10, 40), "Picture");
        p.drawRect(0, 0, 192, 96);
    }
    face.setBoundingRect(QRect(0, 0, 192, 96));
    for (int page = 1; page <= 2; ++page) {
        if (page > 1)
            r.StartNewPage();
        r.SetFont("Times New Roman", 14);
        r.PrintLeftAt("Title", 1.0);
        r.PrintRightAt(QString("Page%1").arg(r.CurrentPage()), 8.0);
        r.SetFont("Arial", 9);
        r.ClearTabStops();
        r.AddTabStop(1.0, pjLeft, 2.0, 2, blNone, 0);
        r.AddTabStop(TabAfterPrevious, pjRight, 1.5, 2, blNone, 10);
        r.SetCursor(1.0, 2.0);
        r.PrintTextLine("\tSmith\t555-1234");
        r.MoveTo(1.0, 2.5);
        r.LineTo(7.5, 2.5);
        r.DrawPicture(r.DeviceRect(1.0, 3.0, 3.0, 4.0), face);
    }
}

} // namespace

TEST(PdfOutput, TextLandsWhereItWasAskedOnPagesOfTheChosenPaper)
{
    PdfRun run;
    double phoneWidth = 0;
    PrintToPdf(run, [&](TBaseReport& r) {
        TwoPages(r);
        phoneWidth = r.TextWidth("555-1234");
    });
    ASSERT_EQ(run.pdf.pages.size(), 2);
    EXPECT_NEAR(run.pdf.pages[0].width(), 8.5, 0.01);
    EXPECT_NEAR(run.pdf.pages[0].height(), 11, 0.01);
    for (int page = 1; page <= 2; ++page) {
        const PdfWord* smith = run.pdf.Find("Smith", page);
        ASSERT_TRUE(smith);
        EXPECT_NEAR(smith->xMin, 1.02, 0.01);
        EXPECT_NEAR(Baseline(*smith, 9), 2.0, 0.01);
        const PdfWord* phone = run.pdf.Find("555-1234", page);
        ASSERT_TRUE(phone);
        EXPECT_NEAR(phone->xMax, 4.48, 0.01);
        EXPECT_NEAR(phone->xMax - phone->xMin, phoneWidth, 0.01);
        const PdfWord* number = run.pdf.Find(QString("Page%1").arg(page), page);
        ASSERT_TRUE(number);
        EXPECT_NEAR(number->xMax, 8.0, 0.01);
        // The picture's text is still text, stretched with the picture: its 10 px of 192
        // across a 2-inch rectangle.
        const PdfWord* picture = run.pdf.Find("Picture", page);
        ASSERT_TRUE(picture);
        EXPECT_NEAR(picture->xMin, 1.0 + 2.0 * 10 / 192, 0.02);
        EXPECT_NEAR(picture->yMax, 3.0 + 40.0 / 96 + 0.2, 0.25);
    }
}

TEST(PdfOutput, ARecordedStreamReplaysOntoThePrinterExactlyAsDrawnDirectly)
{
    PdfRun direct;
    PrintToPdf(direct, TwoPages);

    QByteArray stream;
    TReportFiler filer;
    filer.Printer().SetPrinter(PdfFilePrinterName);
    filer.SetStreamMode(smUser);
    filer.SetStream(&stream);
    filer.OnPrint = TwoPages;
    filer.RunReport();

    QTemporaryDir dir;
    const QString path = dir.filePath("replayed.pdf");
    TFilePrinter printer;
    printer.Printer().SetPrinter(PdfFilePrinterName);
    printer.Printer().SetPdfFileName(path);
    printer.SetStream(&stream);
    ASSERT_TRUE(printer.Execute());
    const PdfReadBack replayed = ReadPdf(path);

    ASSERT_EQ(replayed.pages, direct.pdf.pages);
    ASSERT_EQ(replayed.words.size(), direct.pdf.words.size());
    for (qsizetype i = 0; i < replayed.words.size(); ++i) {
        const PdfWord& a = replayed.words[i];
        const PdfWord& b = direct.pdf.words[i];
        EXPECT_EQ(a.text, b.text);
        EXPECT_EQ(a.page, b.page);
        EXPECT_NEAR(a.xMin, b.xMin, 0.001);
        EXPECT_NEAR(a.yMax, b.yMax, 0.001);
    }
}

TEST(PdfOutput, AnAbortedOrCancelledJobLeavesNoFileAndSaysNothing)
{
    PdfRun aborted;
    PrintToPdf(aborted, [](TBaseReport& r) {
        r.PrintText("one");
        r.StartNewPage();
        r.AbortReport();
        r.PrintText("two");
    });
    EXPECT_TRUE(aborted.aborted);
    EXPECT_FALSE(QFile::exists(aborted.path));
    EXPECT_EQ(QDir(aborted.dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);

    ScriptedPrinterDialogs cancel; // the save dialog answers Cancel
    TReportPrinter r;
    r.Printer().SetPrinter(PdfFilePrinterName);
    r.SetTitle("Mailing List");
    EXPECT_FALSE(ReadyToPrint(r));
    ASSERT_EQ(cancel.proposed.size(), 1);
    EXPECT_TRUE(cancel.proposed[0].endsWith("/Mailing List.pdf"));
}

TEST(PdfOutput, AFailedWriteOrAFolderThatCannotExistFailsTheJobWithItsReason)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("out.pdf");
    {
        QFile earlier(path);
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier");
    }
    TReportPrinter r;
    r.Printer().SetPrinter(PdfFilePrinterName);
    r.Printer().SetPdfFileName(path);
    r.OnPrint = [](TBaseReport& report) {
        for (int page = 1; page <= 200; ++page) {
            if (page > 1)
                report.StartNewPage();
            for (int line = 0; line < 40; ++line)
                report.PrintTextLine(QString("Line %1 of page %2").arg(line).arg(page));
        }
    };
    {
        FileSizeLimit full(20000);
        r.RunReport();
    }
    EXPECT_TRUE(r.Aborted());
    EXPECT_EQ(r.Failure(), "Unable to write to " + path + ": File too large");
    QFile kept(path);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "earlier");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"out.pdf"});

    r.Printer().SetPdfFileName(path + "/inside.pdf");
    r.RunReport();
    EXPECT_TRUE(r.Aborted());
    EXPECT_EQ(r.Failure(), "Unable to write to " + path + "/inside.pdf: Not a directory");
}

TEST(PdfOutput, APdfChosenInThePrintDialogIsNotAskedForAgainAndHasTheUsersPermissions)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("chosen.pdf");
    ScriptedPrinterDialogs dialogs;
    dialogs.onPrintDialog = [&](PrinterSetup& setup, int&, int&) {
        setup.SetPrinter(PdfFilePrinterName);
        setup.SetPdfFileName(path);
        return true;
    };
    TReportPrinter r;
    r.Printer().SetPrinter("Office");
    ASSERT_TRUE(ShowPrintDialog(r));
    ASSERT_TRUE(ReadyToPrint(r));
    r.OnPrint = [](TBaseReport& report) { report.PrintText("Chosen"); };
    const mode_t saved = ::umask(027);
    r.RunReport();
    ::umask(saved);
    EXPECT_TRUE(dialogs.proposed.isEmpty());
    EXPECT_TRUE(ReadPdf(path).Find("Chosen"));
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(PdfOutput, CopiesAndThePrintDialogsRangeReachTheReport)
{
    ScriptedPrinterDialogs dialogs;
    dialogs.onPrintDialog = [](PrinterSetup& setup, int& first, int& last) {
        setup.SetCopies(3);
        first = 2;
        last = 4;
        return true;
    };
    TReportPrinter r;
    EXPECT_TRUE(ShowPrintDialog(r));
    EXPECT_EQ(r.Copies(), 3);
    EXPECT_EQ(r.FirstPage(), 2);
    EXPECT_EQ(r.LastPage(), 4);
    EXPECT_FALSE(ShowPrinterSetup(r)); // the dialog answers Cancel
    EXPECT_EQ(r.PrinterDeviceName(), PdfFilePrinterName);
    EXPECT_EQ(r.PrinterDriverName(), "PDF");
    r.SetTitle(QString(40, 'x'));
    EXPECT_EQ(r.Printer().JobName().size(), 31);
}

TEST(PdfOutput, ACustomPaperSizeAndLandscapeReachThePdfAsAsked)
{
    PdfRun custom;
    PrintToPdf(
        custom, [](TBaseReport& r) { r.PrintLeftAt("corner", 0.25); },
        [](TBaseReport& r) {
            r.SetPaperSize(0, 4.0, 6.0);
            r.SetOrientation(poLandScape);
        });
    ASSERT_EQ(custom.pdf.pages.size(), 1);
    EXPECT_NEAR(custom.pdf.pages[0].width(), 6.0, 0.01);
    EXPECT_NEAR(custom.pdf.pages[0].height(), 4.0, 0.01);
    const PdfWord* corner = custom.pdf.Find("corner");
    ASSERT_TRUE(corner);
    EXPECT_NEAR(corner->xMin, 0.25, 0.01);
}

namespace {

// Text of the Windows code page in the ways reports draw it, each piece's measured width
// kept in widths, and a shaded cell with a rule.
const QStringList Specimens{"Müller-Lüdenscheidt", "Œuvre", "€12", "naïve—café", "(a\\b)"};

void DrawSpecimens(TBaseReport& r, QList<double>& widths)
{
    r.SetFont("Times New Roman", 14);
    r.SetBold(true);
    r.PrintRightAt("AVATAR", 5.0); // kerned pairs: the right end only fits with kerning applied
    r.SetFont("Arial", 9);
    double y = 2.0;
    for (const QString& word : Specimens) {
        r.SetCursor(1.0, y += 0.5);
        r.PrintText(word);
        widths << r.TextWidth(word);
    }
    r.SetTextBKMode(bkOpaque);
    r.PrintInRect(r.DeviceRect(1.0, 5.5, 1.25, 6.0), 1.0, 5.6, "Within"); // cut off
    r.AddTabStop(1.0, pjLeft, 3.0, 2, blBottom, 10);
    r.SetCursor(1.0, 6.5);
    r.PrintText("\tShaded");
}

// Whether page 1, as pdftoppm draws it at 100 pixels an inch, has ink in the rectangle.
bool InkIn(const QString& path, const QRectF& inches)
{
    QProcess::execute("pdftoppm", {"-r", "100", "-gray", "-f", "1", "-l", "1", "-singlefile", path, path});
    const QImage page(path + ".pgm");
    const QRect area(qRound(inches.x() * 100), qRound(inches.y() * 100), qRound(inches.width() * 100),
                     qRound(inches.height() * 100));
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(page.pixel(x, y)) < 128)
                return true;
    return false;
}

void ExpectSpecimens(const QString& path, const PdfReadBack& pdf, const QList<double>& widths)
{
    const PdfWord* avatar = pdf.Find("AVATAR", 1);
    ASSERT_TRUE(avatar);
    EXPECT_NEAR(avatar->xMax, 5.0, 0.002);
    for (qsizetype i = 0; i < Specimens.size(); ++i) {
        const PdfWord* word = pdf.Find(Specimens[i], 1);
        ASSERT_TRUE(word) << Specimens[i].toStdString();
        EXPECT_NEAR(word->xMin, 1.0, 0.002);
        EXPECT_NEAR(word->xMax - word->xMin, widths[i], 0.002) << Specimens[i].toStdString();
        EXPECT_NEAR(Baseline(*word, 9), 2.5 + 0.5 * i, 0.005);
    }
    const PdfWord* within = pdf.Find("Within", 1);
    ASSERT_TRUE(within);
    EXPECT_NEAR(within->xMin, 1.0, 0.002);
    EXPECT_GT(within->xMax, 1.3); // the reader still finds the whole word, but sees only its start
    EXPECT_TRUE(InkIn(path, QRectF(1.02, 5.6, 0.2, 0.12)));
    EXPECT_FALSE(InkIn(path, QRectF(1.27, 5.6, 0.2, 0.12)));
    const PdfWord* shaded = pdf.Find("Shaded", 1);
    ASSERT_TRUE(shaded);
    EXPECT_NEAR(shaded->xMin, 1.02, 0.002);
}

} // namespace

TEST(PdfOutput, PlainTextReportsAreWrittenInTheReadersStandardFontsWithTheTextWhereItWasMeasured)
{
    PdfRun run;
    QList<double> widths;
    PrintToPdf(run, [&](TBaseReport& r) {
        DrawSpecimens(r, widths);
        r.StartNewPage();
        r.PrintLeftAt("Second", 1.0);
    });
    ASSERT_EQ(run.pdf.pages.size(), 2);
    EXPECT_NEAR(run.pdf.pages[1].width(), 8.5, 0.01);
    ExpectSpecimens(run.path, run.pdf, widths);
    EXPECT_TRUE(run.pdf.Find("Second", 2));
    QStringList fonts = PdfFonts(run.path);
    fonts.sort();
    EXPECT_EQ(fonts, QStringList({"Helvetica no", "Times-Bold no"}));

    // Halved across, the page's text and cells shrink with it.
    PdfRun half;
    PrintToPdf(
        half, [](TBaseReport& r) { r.PrintLeftAt("Halved", 4.0); }, [](TBaseReport& r) { r.SetScaleX(50); });
    const PdfWord* halved = half.pdf.Find("Halved");
    ASSERT_TRUE(halved);
    EXPECT_NEAR(halved->xMin, 2.0, 0.002);
}

TEST(PdfOutput, TextTheStandardFontsCannotShowHandsTheWholeRunToQtsEngine)
{
    // A character outside the code page, an underline, a font with no standard equivalent,
    // and Helvetica after Arial: the same standard font, but each measured on its own.
    struct Other {
        const char* font;
        bool underline;
        QString text;
    };
    for (const Other& other : {Other{"Arial", false, "Ωμέγα"}, Other{"Arial", true, "Underlined"},
                               Other{"DejaVu Sans", false, "Other"}, Other{"Helvetica", false, "Helvetica"}}) {
        PdfRun run;
        QList<double> widths;
        PrintToPdf(run, [&](TBaseReport& r) {
            DrawSpecimens(r, widths);
            r.StartNewPage();
            r.SetFont(other.font, 9);
            r.SetUnderline(other.underline);
            r.PrintLeftAt(other.text, 1.0);
            r.StartNewPage();
            r.PrintLeftAt("Third", 1.0);
        });
        ASSERT_EQ(run.pdf.pages.size(), 3);
        ExpectSpecimens(run.path, run.pdf, widths); // drawn before the switch
        ASSERT_EQ(run.pdf.Words(2).size(), 1);
        EXPECT_EQ(run.pdf.Words(2)[0].text, other.text);
        EXPECT_TRUE(run.pdf.Find("Third", 3));
        const QStringList fonts = PdfFonts(run.path);
        EXPECT_GE(fonts.size(), 2);
        EXPECT_EQ(fonts.filter(" yes").size(), fonts.size()) << fonts.join(", ").toStdString();
    }
}

TEST(PdfOutput, ARunLongerThanTheRecordingKeptInMemorySwitchesOverWithEveryPage)
{
    QTemporaryDir dir;
    QPdfWriter painted(dir.filePath("painted.pdf"));
    PainterOutput painter([&] { painted.newPage(); });
    PdfFileOutput output([&]() -> ReportOutput* { return painter.Begin(&painted) ? &painter : nullptr; }, 1000);
    QFile standard(dir.filePath("standard.pdf"));
    ASSERT_TRUE(standard.open(QIODevice::WriteOnly));
    output.Open(&standard, "Test", "Test", QSizeF(8.5, 11));
    for (int page = 1; page <= 30; ++page) {
        output.BeginPage(ReportPage{QSizeF(8.5, 11)});
        output.SetFont(ReportFont{});
        output.Text(QPointF(1, 1), QString("Page%1").arg(page));
    }
    EXPECT_FALSE(output.OnPainter());
    output.Text(QPointF(1, 2), "Ωμέγα");
    EXPECT_TRUE(output.OnPainter());
    EXPECT_TRUE(output.Close(false));
    painter.End();
    const PdfReadBack pdf = ReadPdf(dir.filePath("painted.pdf"));
    ASSERT_EQ(pdf.pages.size(), 30);
    for (int page = 1; page <= 30; ++page)
        EXPECT_TRUE(pdf.Find(QString("Page%1").arg(page), page)) << page;
    EXPECT_TRUE(pdf.Find("Ωμέγα", 30));
}

TEST(PdfOutput, TextAfterACutOffCellKeepsItsOwnSize)
{
    // The cut-off cell sets the larger size inside its clip; the page's state goes back to
    // the smaller one after it, so the next text must set its size again.
    QTemporaryDir dir;
    const QString path = dir.filePath("sizes.pdf");
    PdfFileOutput output([]() -> ReportOutput* { return nullptr; });
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    output.Open(&file, "Test", "Test", QSizeF(8.5, 11));
    output.BeginPage(ReportPage{QSizeF(8.5, 11)});
    ReportFont small;
    small.points = 10;
    output.SetFont(small);
    output.Text(QPointF(1, 1), "Small");
    ReportFont large = small;
    large.points = 20;
    output.SetFont(large);
    output.ClippedText(QRectF(1, 2, 0.3, 0.5), QPointF(1, 2), "Clipped");
    output.Text(QPointF(1, 4), "Large");
    EXPECT_FALSE(output.OnPainter());
    ASSERT_TRUE(output.Close(false));
    file.close();
    const PdfReadBack pdf = ReadPdf(path);
    const PdfWord* smallWord = pdf.Find("Small");
    const PdfWord* largeWord = pdf.Find("Large");
    ASSERT_TRUE(smallWord && largeWord);
    EXPECT_NEAR((largeWord->yMax - largeWord->yMin) / (smallWord->yMax - smallWord->yMin), 2.0, 0.05);
}
