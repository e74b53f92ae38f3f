#include "report/reportstatuswindow.h"
#include "report/treportfiler.h"
#include "support/scripted_messages.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

ReportStatusTexts Texts()
{
    ReportStatusTexts t;
    t.cancelQuestion = "Cancel Report Printing?";
    t.printCanceled = "\rReport Print Canceled!";
    t.previewCanceled = "\rReport Preview Canceled!";
    t.printCompleted = "\rReport Print Completed!";
    t.previewCompleted = "\rReport Preview Ready!";
    return t;
}

// Shows the window, which runs the report, and waits for the run to end.
void RunShown(TReportStatusWindow& window)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.Finished(); }, 10000));
}

} // namespace

TEST(StatusWindow, APreviewRunsOnShowingAndEndsOnOk)
{
    QByteArray stream;
    TReportFiler filer;
    filer.SetStream(&stream);
    filer.SetStreamMode(smUser);
    QString during;
    TReportStatusWindow window(filer, true, Texts());
    filer.OnBeforePrint = [](TBaseReport& r) { r.SetStatusFormat("Printing Page %p\r%0\r%1"); };
    filer.OnPrint = [&](TBaseReport& r) {
        r.StartNewPage();
        during = window.Label1->text();
    };
    EXPECT_EQ(window.windowTitle(), "Preview Status");
    EXPECT_EQ(window.CancelButton->text(), "Stop");
    RunShown(window);
    EXPECT_EQ(during, "Printing Page 2\n\n");
    EXPECT_EQ(window.Label1->text(), "\nReport Preview Ready!");
    EXPECT_EQ(window.CancelButton->text(), "Ok");
    EXPECT_TRUE(window.isVisible()); // waits for Ok
    window.CancelButton->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);
}

TEST(StatusWindow, CancelWhilePrintingAsksThenAbortsTheRun)
{
    ScriptedMessages messages;
    messages.AnswerNo().AnswerYes();
    QByteArray stream;
    TReportFiler printer; // stands in for the printer: the window only drives the report
    printer.SetStream(&stream);
    printer.SetStreamMode(smUser);
    TReportStatusWindow window(printer, false, Texts());
    int pages = 0;
    printer.OnPrint = [&](TBaseReport& r) {
        for (pages = 1; pages < 10; ++pages) {
            if (pages == 2 || pages == 3)
                window.CancelButton->click(); // as if pressed while the page was made
            r.StartNewPage();
        }
    };
    EXPECT_EQ(window.CancelButton->text(), "Cancel");
    RunShown(window);
    EXPECT_EQ(pages, 3); // No went on, Yes ended the run at the next page
    EXPECT_TRUE(window.Aborted());
    EXPECT_EQ(messages.Texts(), QStringList({"Cancel Report Printing?", "Cancel Report Printing?"}));
    EXPECT_EQ(window.Label1->text(), "\nReport Print Canceled!");
}

TEST(StatusWindow, StopInAPreviewKeepsThePagesSoFarAndCanCloseByItself)
{
    // Escape stops as the button does.
    for (const bool escape : {false, true}) {
        QByteArray stream;
        TReportFiler filer;
        filer.SetStream(&stream);
        filer.SetStreamMode(smUser);
        ReportStatusTexts texts = Texts();
        texts.closeAfterPressDuringRun = true;
        TReportStatusWindow window(filer, true, texts);
        filer.OnPrint = [&](TBaseReport& r) {
            for (int page = 1; !window.StopRequested() && page < 50; ++page) {
                if (page == 2 && escape)
                    QTest::keyClick(&window, Qt::Key_Escape);
                else if (page == 2)
                    window.CancelButton->click();
                else
                    r.StartNewPage();
            }
        };
        RunShown(window);
        EXPECT_FALSE(window.Aborted());
        EXPECT_EQ(filer.CurrentPage(), 2);
        EXPECT_EQ(window.Label1->text(), "\nPreview Stopped at page 2!");
        EXPECT_FALSE(window.isVisible());
    }
}

TEST(StatusWindow, AFailingRoutineEndsTheWindowAndReachesTheCaller)
{
    QByteArray stream;
    TReportFiler filer;
    filer.SetStream(&stream);
    filer.SetStreamMode(smUser);
    TReportStatusWindow window(filer, true, Texts());
    filer.OnPrint = [](TBaseReport&) { throw std::runtime_error("table gone"); };
    RunShown(window);
    EXPECT_FALSE(window.isVisible());
    EXPECT_THROW(window.RethrowFailure(), std::runtime_error);
}

TEST(StatusWindow, EscapeAndTheCloseBoxAskLikeCancelAndNothingElseTakesInput)
{
    ScriptedMessages messages;
    messages.AnswerNo().AnswerYes();
    QByteArray stream;
    TReportFiler printer;
    printer.SetStream(&stream);
    printer.SetStreamMode(smUser);
    QWidget underneath;
    underneath.show();
    TReportStatusWindow window(printer, false, Texts(), &underneath);
    bool visibleAfterEscape = false;
    QWidget* modalDuringRun = nullptr;
    int pages = 0;
    printer.OnPrint = [&](TBaseReport& r) {
        for (pages = 1; pages < 10; ++pages) {
            if (pages == 2) {
                QTest::keyClick(&window, Qt::Key_Escape);
                visibleAfterEscape = window.isVisible();
                modalDuringRun = QApplication::activeModalWidget();
            }
            if (pages == 3)
                window.close();
            r.StartNewPage();
        }
    };
    RunShown(window);
    EXPECT_TRUE(visibleAfterEscape);
    EXPECT_EQ(modalDuringRun, &window);
    EXPECT_EQ(pages, 3);
    EXPECT_EQ(messages.Texts(), QStringList({"Cancel Report Printing?", "Cancel Report Printing?"}));
    EXPECT_EQ(window.Label1->text(), "\nReport Print Canceled!");
    EXPECT_TRUE(window.isVisible()); // the ending stays until Ok, which Escape now is
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}
