#include "platform/printersetupdialog.h"
#include "report/recordastext.h"
#include "report/reportcommands.h"
#include "report/reportstatuswindow.h"
#include "report/tcopytoclipboard.h"
#include "report/tpreviewform.h"
#include "report/tprintcurrentrecord.h"
#include "report/treportsetup.h"
#include "session/addresssession.h"
#include "session/mainmenus.h"
#include "support/file_size_limit.h"
#include "support/fixture_copy.h"
#include "support/modal.h"
#include "support/pdf_readback.h"
#include "support/scripted_messages.h"
#include "support/scripted_printers.h"
#include "support/temp_program_dir.h"
#include "support/window_menus.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <vector>

namespace {

class ReportCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        session.LastOpenedFile = CopyFixtureTable("small", dir.path(), "book");
        ASSERT_TRUE(session.ReopenFile());
        menus = MenusFor(window);
        commands = new TReportCommands(session, menus, &window);
    }

    QString CurrentRecordText()
    {
        return RecordAsText([this](const QString& n) { return session.TableBook.FieldByName(n).AsString(); }, {});
    }

    TempProgramDirectory programDir;
    QTemporaryDir dir;
    AddressSession session;
    QMainWindow window;
    MainMenus menus{};
    TReportCommands* commands = nullptr;
};

} // namespace

TEST_F(ReportCommandsTest, CommandsSitInTheirMenusWithTheirShortcuts)
{
    EXPECT_EQ(menus.Print1->actions().size(), 2);
    EXPECT_EQ(commands->ReportsMenu->text(), "Print &Reports");
    EXPECT_EQ(commands->ReportsMenu->shortcut(), QKeySequence("Ctrl+R"));
    EXPECT_EQ(commands->CurrentRecordMenu->shortcut(), QKeySequence("Ctrl+P"));
    EXPECT_TRUE(menus.Record1->actions().contains(commands->ToClipboard1));
}

TEST_F(ReportCommandsTest, CopyToClipboardPutsTheRecordTextThereAndCancelLeavesItAlone)
{
    ScriptedMessages messages;
    QGuiApplication::clipboard()->setText("before");
    WhenShown<TCopyToClipBoard>([](TCopyToClipBoard* d) { d->CancelButton->click(); });
    commands->ToClipboard1Click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "before");
    EXPECT_TRUE(messages.Boxes().isEmpty());

    WhenShown<TCopyToClipBoard>([](TCopyToClipBoard* d) {
        EXPECT_EQ(d->windowTitle(), "Copy Record To Clipboard");
        d->OkButton->click();
    });
    commands->ToClipboard1Click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), CurrentRecordText());
    EXPECT_EQ(messages.Texts(), QStringList{"Record copied to the clipboard"});
}

TEST_F(ReportCommandsTest, APreviewedReportOpensThePreviewOnItsPages)
{
    ScriptedMessages messages;
    int previewPages = 0;
    QString previewCaption;
    std::vector<bool> extraFields;
    QObject::connect(&session, &AddressSession::ExtraFieldsWanted,
                     [&extraFields](bool visible) { extraFields.push_back(visible); });
    WhenShown<TReportSetup>([&](TReportSetup* setup) {
        EXPECT_EQ(extraFields, std::vector<bool>{true}); // name and city shown while it is open
        EXPECT_FALSE(setup->rbQFilter->isEnabled());     // no filter set
        EXPECT_TRUE(setup->rbQAll->isChecked());
        setup->ReportList->setCurrentRow(2);
        EXPECT_EQ(setup->TitleField->text(), "Report 3");
        WhenShown<TReportStatusWindow>(
            [&](TReportStatusWindow* status) {
                EXPECT_EQ(status->windowTitle(), "Preview Status");
                EXPECT_EQ(status->Label1->text(), "\nReport Preview Ready!");
                WhenShown<TPreviewForm>([&](TPreviewForm* preview) {
                    previewPages = preview->FilePreview1.PageCount();
                    previewCaption = preview->windowTitle();
                    preview->accept();
                });
                status->CancelButton->click();
            },
            [](TReportStatusWindow* status) { return status->Finished(); });
        setup->Previewbutton->click();
        setup->ReturnButton->click();
    });
    const long before = session.Apollo1.RecNo();
    commands->ReportsMenuClick();
    EXPECT_GE(previewPages, 1);
    EXPECT_TRUE(previewCaption.startsWith(QString("Preview Page 1 of %1 ( ").arg(previewPages)));
    EXPECT_EQ(session.Apollo1.RecNo(), before); // the main window's place comes back
    EXPECT_EQ(extraFields, (std::vector<bool>{true, false}));
    EXPECT_TRUE(messages.Boxes().isEmpty());
}

TEST_F(ReportCommandsTest, PrintingTheCurrentRecordWritesItsFieldsToThePdf)
{
    ScriptedMessages messages;
    const QString pdf = dir.filePath("record.pdf");
    ScriptedPrinterDialogs dialogs(pdf);
    session.PrinterName = PdfFilePrinterName;
    const QString last = session.TableBook.FieldByName("LNAME").AsString();
    ASSERT_FALSE(last.isEmpty());
    WhenShown<TPrintCurrentRecord>([&](TPrintCurrentRecord* d) {
        EXPECT_EQ(d->windowTitle(), "Print Current Record");
        d->All->setChecked(false);
        EXPECT_FALSE(d->Items[0]->isChecked());
        d->findChild<QCheckBox*>("cLast")->setChecked(true);
        WhenShown<TReportStatusWindow>(
            [&](TReportStatusWindow* status) {
                EXPECT_EQ(status->windowTitle(), "Print Status");
                EXPECT_EQ(status->Label1->text(), "\nReport Print Completed!");
                status->CancelButton->click();
            },
            [](TReportStatusWindow* status) { return status->Finished(); });
        d->PrintNow->click();
        d->CancelButton->click();
    });
    commands->CurrentRecordMenuClick();
    const PdfReadBack read = ReadPdf(pdf);
    ASSERT_EQ(read.pages.size(), 1);
    const PdfWord* value = read.Find(last.section(' ', 0, 0));
    ASSERT_TRUE(value);
    EXPECT_NEAR(value->xMin, 2.27, 0.01);
    EXPECT_FALSE(read.Find("First")); // unchecked items are left out
    EXPECT_EQ(dialogs.proposed.size(), 1);
}

TEST_F(ReportCommandsTest, APrintThatCannotBeWrittenEndsWithOneFailureNamingTheFile)
{
    ScriptedMessages messages;
    const QString pdf = dir.filePath("record.pdf");
    ScriptedPrinterDialogs dialogs(pdf);
    session.PrinterName = PdfFilePrinterName;
    QString ending;
    WhenShown<TPrintCurrentRecord>([&](TPrintCurrentRecord* d) {
        WhenShown<TReportStatusWindow>(
            [&](TReportStatusWindow* status) {
                ending = status->Label1->text();
                status->CancelButton->click();
            },
            [](TReportStatusWindow* status) { return status->Finished(); });
        {
            FileSizeLimit full(500);
            d->PrintNow->click();
        }
        d->CancelButton->click();
    });
    commands->CurrentRecordMenuClick();
    EXPECT_EQ(ending, "\nReport Print Failed!\nUnable to write to " + pdf + ": File too large");
    EXPECT_TRUE(messages.Boxes().isEmpty()) << messages.Texts().join('|').toStdString();
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(ReportCommandsTest, PrinterSetupChoosesThePrinterItsPaperAndOrientation)
{
    FakePrinterList printers({"Office", "Hall", PdfFilePrinterName}, "Office");
    session.PrinterName = "Office";
    QStringList listed;
    WhenShown<TPrinterSetupDialog>([&](TPrinterSetupDialog* setup) {
        for (int i = 0; i < setup->PrinterCombo->count(); ++i)
            listed << setup->PrinterCombo->itemText(i);
        EXPECT_EQ(setup->PrinterCombo->currentText(), "Office");
        setup->PrinterCombo->setCurrentText("Hall");
        setup->PaperCombo->setCurrentIndex(setup->PaperCombo->findText("A5"));
        setup->LandscapeButton->setChecked(true);
        setup->OkButton->click();
    });
    TPrintCurrentRecord record(session, nullptr);
    record.PrinterSetup->click();
    EXPECT_EQ(listed, QStringList({"Office", "Hall", PdfFilePrinterName}));
    EXPECT_EQ(session.PrinterName, "Hall");
    const PrinterSetup& chosen = record.ReportPrinter1.Printer();
    EXPECT_EQ(chosen.Printer(), "Hall");
    EXPECT_EQ(chosen.Orientation(), PaperOrientation::Landscape);
    EXPECT_NEAR(chosen.PaperSizeInches().width(), 210 / 25.4, 0.01);
    EXPECT_NEAR(chosen.PaperSizeInches().height(), 148 / 25.4, 0.01);

    // Cancel changes nothing.
    WhenShown<TPrinterSetupDialog>([](TPrinterSetupDialog* setup) {
        setup->PrinterCombo->setCurrentText(PdfFilePrinterName);
        setup->CancelButton->click();
    });
    TReportSetup reports(session, nullptr);
    reports.PrinterSetup->click();
    EXPECT_EQ(session.PrinterName, "Hall");
    EXPECT_EQ(reports.ReportPrinter1.Printer().Printer(), "Hall");
}

TEST_F(ReportCommandsTest, APrinterChosenInEitherPrinterSetupIsTheSessionsFromThenOn)
{
    FakePrinterList printers({"Office", "Hall", PdfFilePrinterName}, "Office");
    ScriptedPrinterDialogs dialogs;
    QString offered;
    dialogs.onSetupDialog = [&](PrinterSetup& setup) {
        offered = setup.Printer();
        setup.SetPrinter("Hall");
        return true;
    };
    session.PrinterName = "Office";
    {
        TReportSetup reports(session, nullptr);
        reports.PrinterSetup->click();
    }
    EXPECT_EQ(offered, "Office");
    EXPECT_EQ(session.PrinterName, "Hall");

    // Cancelled, the session keeps what it had.
    dialogs.onSetupDialog = [&](PrinterSetup& setup) {
        offered = setup.Printer();
        setup.SetPrinter("Office");
        return false;
    };
    {
        TPrintCurrentRecord record(session, nullptr);
        record.PrinterSetup->click();
    }
    EXPECT_EQ(offered, "Hall");
    EXPECT_EQ(session.PrinterName, "Hall");

    dialogs.onSetupDialog = [](PrinterSetup& setup) {
        setup.SetPrinter(PdfFilePrinterName);
        return true;
    };
    {
        TPrintCurrentRecord record(session, nullptr);
        record.PrinterSetup->click();
    }
    EXPECT_EQ(session.PrinterName, PdfFilePrinterName);
}
