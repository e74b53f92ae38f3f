#include "labels/calibration.h"
#include "labels/labelcatalog.h"
#include "labels/newlblsetup.h"
#include "labels/tlabelprinter.h"
#include "labels/tzintlabelfile.h"
#include "platform/printers.h"
#include "report/reportstatuswindow.h"
#include "report/tfileprinter.h"
#include "report/tpreviewform.h"
#include "session/addresssession.h"
#include "support/fixture_copy.h"
#include "support/modal.h"
#include "support/pdf_readback.h"
#include "support/print_system.h"
#include "support/temp_program_dir.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr double kHalfMillimetre = 0.5 / 25.4;

// A sheet of 5160 labels of the small address file, printed from the "Print Labels"
// window's run to a PDF file, to a queue of the private print system, or previewed.
class LabelQueue : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(cups.AddPdfQueue("Letter", "Letter") && cups.AddPdfQueue("A4", "A4")) << cups.Error().toStdString();
        ASSERT_TRUE(QFile::copy(QStringLiteral(ADDRINA_BIN_DIR "/adr.tpl"), CatalogPath()));
        session.LastOpenedFile = CopyFixtureTable("small", dir.path(), QStringLiteral("book"));
        ASSERT_TRUE(session.ReopenFile());
        ASSERT_TRUE(setup.LoadTemplate(CatalogPath(), QStringLiteral("5160"), false));
        setup.AdjustFontSizeToFit = true;
        job.setup = &setup;
        job.onePageOnly = true;
        job.selection = AllPositions();
    }
    // Runs the job on the printer and clicks the status window's Ok once it has ended.
    QString Run(const QString& printer)
    {
        QString status;
        WhenShown<TReportStatusWindow>(
            [&status](TReportStatusWindow* window) {
                status = window->Label1->text();
                window->CancelButton->click();
            },
            [](TReportStatusWindow* window) { return window->Finished(); });
        DoPrint(session, job, printer, nullptr);
        return status;
    }
    PdfReadBack Direct()
    {
        FixedPdfFile out(dir.filePath("direct.pdf"));
        Run(PdfFilePrinterName);
        return ReadPdf(dir.filePath("direct.pdf"));
    }
    PdfReadBack Queued(const QString& queue, int jobs)
    {
        EXPECT_EQ(Run(queue), "\nLabel Print Completed!");
        const QStringList pdfs = cups.WaitForPdfs(queue, jobs);
        EXPECT_EQ(pdfs.size(), jobs) << cups.Log().toStdString();
        return pdfs.size() == jobs ? ReadPdf(pdfs.last()) : PdfReadBack();
    }
    // The preview of the job on the printer, replayed to a PDF file to see where it lies.
    PdfReadBack Preview(const QString& printer)
    {
        job.printToPrinter = false;
        WhenShown<TPreviewForm>([this](TPreviewForm* preview) {
            TFilePrinter replay;
            replay.Printer().SetPrinter(PdfFilePrinterName);
            replay.Printer().SetPdfFileName(dir.filePath("preview.pdf"));
            replay.SetStream(preview->FilePreview1.Stream());
            replay.Execute();
            preview->accept();
        });
        DoPrint(session, job, printer, nullptr);
        job.printToPrinter = true;
        return ReadPdf(dir.filePath("preview.pdf"));
    }
    // The single page has every word of the reference's, moved by (dx, dy) inches.
    static void ExpectMoved(const PdfReadBack& out, const PdfReadBack& reference, double dx, double dy, double within)
    {
        ASSERT_EQ(out.pages.size(), 1);
        ASSERT_EQ(out.Words(1).size(), reference.Words(1).size());
        EXPECT_LT(LargestMiss(out, reference, 1, dx, dy), within);
    }

    TestPrintSystem cups;
    TempProgramDirectory programDir;
    QTemporaryDir dir;
    AddressSession session;
    TZintLabelFile setup;
    LabelPrintJob job;
};

} // namespace

TEST_F(LabelQueue, ASheetOnAQueueComesOutOnItsOwnPaperWhereThePdfPutsItAndCalibrationMovesOnlyThePaper)
{
    const PdfReadBack direct = Direct();
    ASSERT_EQ(direct.pages.size(), 1);
    // The A4 queue takes the sheet's letter paper, as any queue does for a label sheet.
    for (const QString& queue : {QStringLiteral("Letter"), QStringLiteral("A4")}) {
        const PdfReadBack queued = Queued(queue, 1);
        ASSERT_EQ(queued.pages.size(), 1) << queue.toStdString();
        EXPECT_NEAR(queued.pages[0].width(), 8.5, 0.01) << queue.toStdString();
        EXPECT_NEAR(queued.pages[0].height(), 11, 0.01) << queue.toStdString();
        ExpectMoved(queued, direct, 0, 0, kHalfMillimetre);
    }

    WritePrinterCalibration("Letter", {1, -2, 100, 100});
    const PdfReadBack calibrated = Queued("Letter", 2);
    const PdfReadBack uncalibrated = ReadPdf(cups.WaitForPdfs("Letter", 2).value(0));
    ExpectMoved(calibrated, uncalibrated, 1 / 25.4, -2 / 25.4, 0.1 / 25.4);
    ExpectMoved(Preview("Letter"), direct, 0, 0, 0.1 / 25.4);
}
