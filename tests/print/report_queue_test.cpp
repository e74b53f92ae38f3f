#include "platform/printers.h"
#include "platform/printersetupdialog.h"
#include "report/builtinreports.h"
#include "report/reportrecords.h"
#include "report/reportstatuswindow.h"
#include "report/singlerecord.h"
#include "report/tcanvasreport.h"
#include "report/tprintcurrentrecord.h"
#include "session/addresssession.h"
#include "support/fixture_copy.h"
#include "support/modal.h"
#include "support/pdf_readback.h"
#include "support/print_system.h"
#include "support/scripted_messages.h"
#include "support/temp_program_dir.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr double kHalfMillimetre = 0.5 / 25.4;

class ReportQueue : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(cups.AddPdfQueue("A4", "A4") && cups.AddPdfQueue("Letter", "Letter") &&
                    cups.AddPdfQueue("Refuses", "Letter") && cups.RejectJobs("Refuses", "Out of paper") &&
                    cups.AddPdfQueue("Gone", "Letter"))
            << cups.Error().toStdString();
        session.LastOpenedFile = CopyFixtureTable("small", dir.path(), QStringLiteral("book"));
        ASSERT_TRUE(session.ReopenFile());
    }
    // Report 1 of all records on the printer; the paper is the printer's own unless given.
    void PrintReport(TReportPrinter& printer)
    {
        ASSERT_TRUE(PositionReportRecords(session.Apollo1, session.TableBook, 1, RunChoice::All, false, 0));
        TableRecords records(session.TableBook);
        BuiltInReportOptions options;
        options.title = QStringLiteral("Members");
        printer.OnPrint = [&](TBaseReport& r) { PrintBuiltInReport(r, records, options); };
        printer.RunReport();
    }
    // Print Current Record on the printer chosen in its Printer Setup; the status window's text.
    QString PrintCurrentRecord(const QString& queue, const std::function<void()>& beforePrinting = {})
    {
        QString ending;
        TPrintCurrentRecord window(session, nullptr);
        WhenShown<TPrinterSetupDialog>([&](TPrinterSetupDialog* setup) {
            setup->PrinterCombo->setCurrentText(queue);
            setup->OkButton->click();
        });
        window.PrinterSetup->click();
        if (beforePrinting)
            beforePrinting();
        WhenShown<TReportStatusWindow>(
            [&](TReportStatusWindow* status) {
                ending = status->Label1->text();
                status->CancelButton->click();
            },
            [](TReportStatusWindow* status) { return status->Finished(); });
        window.PrintNow->click();
        return ending;
    }

    TestPrintSystem cups;
    TempProgramDirectory programDir;
    QTemporaryDir dir;
    AddressSession session;
};

} // namespace

TEST_F(ReportQueue, AReportComesOutOnTheQueuesPaperWithItsPagesAndHeaderWhereThePdfHasThem)
{
    for (const QString& queue : {QStringLiteral("A4"), QStringLiteral("Letter")}) {
        TReportPrinter queued;
        queued.Printer().SetPrinter(queue);
        PrintReport(queued);
        ASSERT_FALSE(queued.Aborted()) << queued.Failure().toStdString();
        const QStringList pdfs = cups.WaitForPdfs(queue, 1);
        ASSERT_EQ(pdfs.size(), 1) << cups.Log().toStdString();
        const PdfReadBack out = ReadPdf(pdfs[0]);

        TReportPrinter direct;
        direct.Printer().SetPrinter(PdfFilePrinterName);
        direct.Printer().SetPortraitPaperInches(queued.Printer().PortraitPaperInches());
        direct.Printer().SetPdfFileName(dir.filePath(queue + ".pdf"));
        PrintReport(direct);
        const PdfReadBack reference = ReadPdf(dir.filePath(queue + ".pdf"));

        const QSizeF paper = queue == "A4" ? QSizeF(210 / 25.4, 297 / 25.4) : QSizeF(8.5, 11);
        ASSERT_EQ(out.pages.size(), reference.pages.size()) << queue.toStdString();
        ASSERT_GT(out.pages.size(), 1);
        EXPECT_NEAR(out.pages[0].width(), paper.width(), 0.01) << queue.toStdString();
        EXPECT_NEAR(out.pages[0].height(), paper.height(), 0.01) << queue.toStdString();
        for (int page : {1, int(out.pages.size())}) {
            const PdfWord* title = out.Find("Members", page);
            const PdfWord* want = reference.Find("Members", page);
            ASSERT_TRUE(title && want) << queue.toStdString() << " page " << page;
            EXPECT_NEAR(title->xMin, want->xMin, kHalfMillimetre);
            EXPECT_NEAR(title->yMax, want->yMax, kHalfMillimetre);
        }
    }
}

TEST_F(ReportQueue, ThreeCopiesOfAOnePageRecordArriveAsOneJobOfThreeCopies)
{
    const QString last = session.TableBook.FieldByName("LNAME").AsString().section(' ', 0, 0);
    TReportPrinter printer;
    printer.Printer().SetPrinter("Letter");
    printer.Printer().SetCopies(3);
    std::array<bool, 20> all;
    all.fill(true);
    TTable& table = session.TableBook;
    printer.OnPrint = [&](TBaseReport& r) {
        PrintSingleRecord(
            r,
            [&table](const QString& name) {
                const TField* field = table.FindField(name);
                return field ? field->AsString() : QString();
            },
            all);
    };
    printer.RunReport();
    ASSERT_FALSE(printer.Aborted()) << printer.Failure().toStdString();
    const QStringList pdfs = cups.WaitForPdfs("Letter", 1);
    ASSERT_EQ(pdfs.size(), 1);
    // The PDF printer makes one page of the job and counts it three times.
    const PdfReadBack out = ReadPdf(pdfs[0]);
    ASSERT_EQ(out.pages.size(), 1);
    EXPECT_TRUE(out.Find(last));
    EXPECT_TRUE(cups.PageLog().contains(QRegularExpression("^Letter root 1 \\[.*\\] total 3 ")))
        << cups.PageLog().toStdString();
}

TEST_F(ReportQueue, PrintCurrentRecordGoesToTheQueueChosenInItsSetupAndARefusalIsSaidPlainly)
{
    ScriptedMessages messages;
    const QString last = session.TableBook.FieldByName("LNAME").AsString().section(' ', 0, 0);
    const long recNo = session.Apollo1.RecNo();

    EXPECT_EQ(PrintCurrentRecord("Refuses"),
              "\nReport Print Failed!\nUnable to print on Refuses: Destination \"Refuses\" is not accepting jobs.");
    const QString gone = PrintCurrentRecord("Gone", [this] { EXPECT_TRUE(cups.RemoveQueue("Gone")); });
    EXPECT_EQ(gone.toStdString(),
              "\nReport Print Failed!\nUnable to print on Gone: the printer is not installed any more.");
    EXPECT_TRUE(cups.WaitForPdfs("Refuses", 0).isEmpty());
    EXPECT_TRUE(messages.Boxes().isEmpty()) << messages.Texts().join('|').toStdString();

    // The program goes on: the same window prints on a queue that takes the job.
    EXPECT_EQ(PrintCurrentRecord("Letter"), "\nReport Print Completed!");
    EXPECT_EQ(session.PrinterName, "Letter");
    EXPECT_EQ(session.Apollo1.RecNo(), recNo);
    const QStringList pdfs = cups.WaitForPdfs("Letter", 1);
    ASSERT_EQ(pdfs.size(), 1);
    const PdfReadBack out = ReadPdf(pdfs[0]);
    ASSERT_EQ(out.pages.size(), 1);
    EXPECT_TRUE(out.Find(last));
}
