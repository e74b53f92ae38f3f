// A report runs below the windows: it asks nobody anything, lets no events through, and a
// failure comes back to whoever ran it.
#include "report/reportprogress.h"
#include "report/tcanvasreport.h"
#include "report/tfileprinter.h"
#include "report/treportfiler.h"
#include "support/pdf_readback.h"
#include "support/scripted_messages.h"
#include "support/scripted_printers.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A watcher that only listens, as a program without windows has.
struct PageCounter : ReportProgress {
    int pages = 0;
    void Status(const QString&) override { ++pages; }
};

void TwoPages(TBaseReport& r)
{
    r.PrintText("First");
    r.StartNewPage();
    r.PrintText("Second");
}

} // namespace

TEST(RunOutcome, APdfRunAsksNothingAndItsFailuresComeBackToTheCaller)
{
    QTemporaryDir dir;
    ScriptedMessages messages;                                 // any message box would be seen here
    ScriptedPrinterDialogs dialogs(dir.filePath("asked.pdf")); // and any save dialog here
    const QString path = dir.filePath("run.pdf");
    PageCounter counter;
    TReportPrinter r;
    r.Printer().SetPrinter(PdfFilePrinterName);
    r.Printer().SetPdfFileName(path);
    r.SetProgress(&counter);
    r.OnPrint = TwoPages;
    r.RunReport();
    EXPECT_FALSE(r.Aborted());
    EXPECT_EQ(counter.pages, 2);
    const PdfReadBack pdf = ReadPdf(path);
    EXPECT_EQ(pdf.pages.size(), 2);
    EXPECT_TRUE(pdf.Find("Second"));

    r.Printer().SetPdfFileName(path + "/inside.pdf");
    r.RunReport();
    EXPECT_TRUE(r.Aborted());
    EXPECT_EQ(r.Failure(), "Unable to write to " + path + "/inside.pdf: Not a directory");

    r.Printer().SetPdfFileName({});
    r.RunReport();
    EXPECT_TRUE(r.Aborted());
    EXPECT_EQ(r.Failure(), "No file was chosen to save the PDF in.");

    {
        FakePrinterList none({}, {});
        r.RunReport();
    }
    EXPECT_TRUE(r.Aborted());
    EXPECT_EQ(r.Failure(), "No printers are defined, aborting print job.");

    QByteArray stream("XXXX\1\0", 6);
    TFilePrinter replay;
    replay.Printer().SetPrinter(PdfFilePrinterName);
    replay.Printer().SetPdfFileName(dir.filePath("replay.pdf"));
    replay.SetStream(&stream);
    EXPECT_FALSE(replay.Execute());
    EXPECT_EQ(replay.Failure(), "Unexpected code found in report file.");

    EXPECT_TRUE(dialogs.proposed.isEmpty());
    EXPECT_TRUE(messages.Boxes().isEmpty()) << messages.Texts().join('|').toStdString();
}
