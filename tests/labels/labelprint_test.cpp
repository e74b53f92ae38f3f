#include "labels/calibration.h"
#include "labels/calibrationdialog.h"
#include "labels/labelcatalog.h"
#include "labels/labelcommands.h"
#include "labels/labellines.h"
#include "labels/labelrun.h"
#include "labels/newlblsetup.h"
#include "labels/prelpr.h"
#include "labels/tlabelprinter.h"
#include "platform/printers.h"
#include "report/reportstatuswindow.h"
#include "report/tcanvasreport.h"
#include "report/tfileprinter.h"
#include "report/tpreviewform.h"
#include "session/addresssession.h"
#include "session/mainmenus.h"
#include "support/file_size_limit.h"
#include "support/fixture_copy.h"
#include "support/modal.h"
#include "support/pdf_readback.h"
#include "support/scripted_messages.h"
#include "support/temp_program_dir.h"
#include "support/whatsthis_check.h"
#include "support/window_menus.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// 5160: cells 2.75 x 1 in from (0.1875, 0.5); the 2.625 in wide face is stretched over the
// cell, so its 0.2 in text margin lands at 0.2 x 2.75 / 2.625 in.
double TextLeft(int col)
{
    return 0.1875 + col * 2.75 + 0.2 * 2.75 / 2.625;
}
double TextTop(int row)
{
    return 0.5 + row * 1.0 + 0.2;
}

// Whether the word lies at a cell's text margin, moved by (dx, dy) inches.
bool InCell(const PdfReadBack& pdf, const QString& word, int row, int col, double dx = 0, double dy = 0)
{
    for (const PdfWord& w : pdf.Words(1))
        if (w.text == word && std::abs(w.xMin - TextLeft(col) - dx) < 0.03 && w.yMin > TextTop(row) + dy - 0.05 &&
            w.yMin < TextTop(row) + dy + 0.1)
            return true;
    return false;
}

class LabelPrint : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFile::copy(QStringLiteral(ADDRINA_BIN_DIR "/adr.tpl"), CatalogPath()));
        Open("small");
        ASSERT_TRUE(setup.LoadTemplate(CatalogPath(), QStringLiteral("5160"), false));
        setup.AdjustFontSizeToFit = true; // as a new setup starts: no label loses a line
        job.setup = &setup;
        job.selection = AllPositions();
    }
    void Open(const QString& fixture)
    {
        session.LastOpenedFile = CopyFixtureTable(fixture, dir.path(), QStringLiteral("book"));
        ASSERT_TRUE(session.ReopenFile());
    }
    // The first word of each chosen record's first label line, in the table's order.
    QStringList FirstWords()
    {
        QStringList words;
        for (session.TableBook.First(); !session.TableBook.Eof(); session.TableBook.Next())
            words << ComposeLabelLines(TableFieldReader(session.TableBook), {}).value(0).section(' ', 0, 0);
        return words;
    }
    // Prints the job and clicks the status window's Ok once the run has ended.
    void PrintAndOk()
    {
        WhenShown<TReportStatusWindow>(
            [this](TReportStatusWindow* status) {
                statusText = status->Label1->text();
                statusCaption = status->windowTitle();
                status->CancelButton->click();
            },
            [](TReportStatusWindow* status) { return status->Finished(); });
        DoPrint(session, job, PdfFilePrinterName, nullptr);
    }
    // Prints the job to "PDF file" and reads the PDF back.
    PdfReadBack Print()
    {
        FixedPdfFile out(Pdf());
        PrintAndOk();
        return ReadPdf(Pdf());
    }
    // Previews the job; the recorded pages are replayed to a PDF to see where they lie.
    PdfReadBack Preview()
    {
        job.printToPrinter = false;
        job.onePageOnly = true;
        WhenShown<TPreviewForm>([this](TPreviewForm* preview) {
            previewCaption = preview->windowTitle();
            previewPages = preview->FilePreview1.PageCount();
            if (whilePreviewShows)
                whilePreviewShows();
            TFilePrinter replay;
            replay.Printer().SetPrinter(PdfFilePrinterName);
            replay.Printer().SetPdfFileName(Pdf());
            replay.SetStream(preview->FilePreview1.Stream());
            replay.Execute();
            preview->accept();
        });
        DoPrint(session, job, PdfFilePrinterName, nullptr);
        return ReadPdf(Pdf());
    }
    QString Pdf() const { return dir.filePath(QStringLiteral("labels.pdf")); }

    TempProgramDirectory programDir;
    QTemporaryDir dir;
    AddressSession session;
    TZintLabelFile setup;
    LabelPrintJob job;
    QString statusText, statusCaption, previewCaption;
    int previewPages = 0;
    std::function<void()> whilePreviewShows;
};

} // namespace

TEST_F(LabelPrint, EachRecordLiesInItsCellAndCalibrationMovesItOnPaperOnly)
{
    const QStringList words = FirstWords();
    session.TableBook.First();
    const long recNo = session.Apollo1.RecNo();
    job.selection[0] = job.selection[1] = false;
    job.onePageOnly = true;
    const PdfReadBack plain = Print();
    EXPECT_EQ(statusCaption, "Print Status");
    EXPECT_EQ(statusText, "\nLabel Print Completed!");
    // The sample page: one sheet of the 28 positions left, from row 0 column 2 on.
    ASSERT_EQ(plain.pages.size(), 1);
    EXPECT_NEAR(plain.pages[0].width(), 8.5, 0.01);
    EXPECT_NEAR(plain.pages[0].height(), 11, 0.01);
    const std::pair<int, int> cells[] = {{0, 2}, {1, 0}, {1, 1}, {1, 2}, {2, 0}};
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(InCell(plain, words[i], cells[i].first, cells[i].second)) << words[i].toStdString();
    EXPECT_TRUE(InCell(plain, words[27], 9, 2));
    EXPECT_FALSE(plain.Find(words[28]));

    WritePrinterCalibration(PdfFilePrinterName, {2.54, -5.08, 100, 100});
    const PdfReadBack moved = Print();
    EXPECT_TRUE(InCell(moved, words[0], 0, 2, 0.1, -0.2));
    EXPECT_TRUE(InCell(moved, words[4], 2, 0, 0.1, -0.2));

    // The preview shows the sheet as designed, one sheet of it, and the place is kept.
    const PdfReadBack preview = Preview();
    // The preview names its page and zoom once it shows one (over "Preview Labels").
    EXPECT_TRUE(previewCaption.startsWith("Preview Page 1 of 1 (")) << previewCaption.toStdString();
    EXPECT_EQ(previewPages, 1);
    EXPECT_TRUE(InCell(preview, words[0], 0, 2));
    EXPECT_TRUE(InCell(preview, words[27], 9, 2));
    EXPECT_EQ(session.Apollo1.RecNo(), recNo);
}

TEST_F(LabelPrint, OnlyTheCurrentRecordGetsItsCopies)
{
    const QStringList words = FirstWords();
    session.TableBook.First();
    for (int i = 0; i < 4; ++i)
        session.TableBook.Next();
    const long recNo = session.Apollo1.RecNo();
    const QString filter = session.Apollo1.DBFilter();
    job.records.choice = RunChoice::OnlyCurrent;
    job.records.startFromCurrent = true;
    job.copies = 3;
    const PdfReadBack pdf = Print();
    ASSERT_EQ(pdf.pages.size(), 1);
    for (int col = 0; col < 3; ++col)
        EXPECT_TRUE(InCell(pdf, words[4], 0, col));
    for (const PdfWord& w : pdf.Words(1))
        EXPECT_LT(w.yMin, TextTop(1) - 0.1) << w.text.toStdString();
    EXPECT_EQ(session.Apollo1.RecNo(), recNo);
    EXPECT_EQ(session.Apollo1.DBFilter(), filter);
}

TEST_F(LabelPrint, ACurrentRecordOutsideTheFilterStartsAtTheFirstMatch)
{
    session.Apollo1.Query(QStringLiteral("RECNO()>20 .and. !ISDEL"));
    const QStringList words = FirstWords();
    session.Apollo1.Go(5);
    job.records.startFromCurrent = true;
    job.onePageOnly = true;
    ScriptedMessages messages;
    const PdfReadBack pdf = Print();
    EXPECT_EQ(messages.Texts(), QStringList{"Current record is out of range. Starting with first record"});
    EXPECT_TRUE(InCell(pdf, words[0], 0, 0));
    EXPECT_TRUE(InCell(pdf, words[1], 0, 1));
    EXPECT_EQ(session.Apollo1.RecNo(), 5);
    EXPECT_EQ(session.Apollo1.DBFilter(), "RECNO()>20 .and. !ISDEL");
}

TEST_F(LabelPrint, StartingFromTheLastChosenRecordPrintsItAlone)
{
    session.Apollo1.Query(QStringLiteral("RECNO()>20 .and. !ISDEL"));
    const QStringList words = FirstWords();
    session.TableBook.Last();
    const long last = session.Apollo1.RecNo();
    job.records.startFromCurrent = true;
    ScriptedMessages messages;
    const PdfReadBack pdf = Print();
    EXPECT_TRUE(messages.Texts().isEmpty()) << messages.Texts().join('|').toStdString();
    EXPECT_TRUE(InCell(pdf, words.last(), 0, 0));
    ASSERT_EQ(pdf.pages.size(), 1);
    for (const PdfWord& w : pdf.Words(1)) // one label, in the first cell
        EXPECT_TRUE(w.yMin < TextTop(1) - 0.1 && w.xMin < TextLeft(1) - 0.1) << w.text.toStdString();
    EXPECT_EQ(session.Apollo1.RecNo(), last);
}

TEST_F(LabelPrint, AFullDiskOrAFolderThatCannotExistEndsInFailureAndKeepsTheEarlierFile)
{
    Print();
    const QByteArray earlier = [this] {
        QFile file(Pdf());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    ASSERT_FALSE(earlier.isEmpty());
    {
        FileSizeLimit full(earlier.size() / 2);
        Print();
    }
    EXPECT_EQ(statusText, "\nLabel Print Failed!\nUnable to write to " + Pdf() + ": File too large");
    QFile kept(Pdf());
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), earlier);
    EXPECT_EQ(QDir(dir.path()).entryList({"*.pdf"}, QDir::Files | QDir::Hidden), QStringList{"labels.pdf"});

    const QString underAFile = Pdf() + "/labels.pdf";
    FixedPdfFile out(underAFile);
    PrintAndOk();
    EXPECT_EQ(statusText, "\nLabel Print Failed!\nUnable to write to " + underAFile + ": Not a directory");
}

TEST_F(LabelPrint, TheSaveDialogOpensInTheDocumentsFolderAndThenWhereTheLastPdfWent)
{
    QTemporaryDir home;
    const QByteArray savedHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    ASSERT_TRUE(QDir(home.path()).mkpath("Documents"));
    ASSERT_TRUE(QDir(home.path()).mkpath("Mailings"));
    QStringList opened;
    const auto saveIn = [&](const QString& folder) {
        WhenModalOpens([&, folder](QWidget* modal) {
            auto* save = qobject_cast<QFileDialog*>(modal);
            ASSERT_TRUE(save);
            opened << save->directory().absolutePath();
            auto* name = save->findChild<QLineEdit*>("fileNameEdit");
            ASSERT_TRUE(name);
            name->setText(QDir(home.path()).filePath(folder + "/labels.pdf"));
            QMetaObject::invokeMethod(save, "accept");
        });
        PrintAndOk();
        EXPECT_EQ(statusText, "\nLabel Print Completed!");
    };
    job.onePageOnly = true;
    saveIn("Mailings");
    saveIn("Documents");
    qputenv("HOME", savedHome);
    EXPECT_EQ(opened, QStringList({QDir(home.path()).filePath("Documents"), QDir(home.path()).filePath("Mailings")}));
    EXPECT_TRUE(QFile::exists(QDir(home.path()).filePath("Mailings/labels.pdf")));
    EXPECT_TRUE(programDir.SettingsText().contains("PdfFolder=" + QDir(home.path()).filePath("Documents")));
}

TEST_F(LabelPrint, CancelAsksAndLeavesNoFile)
{
    Open("bulk3k");
    ScriptedMessages messages;
    messages.AnswerYes();
    FixedPdfFile out(Pdf());
    WhenShown<TReportStatusWindow>(
        [this](TReportStatusWindow* status) {
            status->CancelButton->click();
            WhenShown<TReportStatusWindow>(
                [this](TReportStatusWindow* finished) {
                    statusText = finished->Label1->text();
                    finished->CancelButton->click();
                },
                [](TReportStatusWindow* w) { return w->Finished(); });
        },
        [](TReportStatusWindow* status) { return status->Label1->text().startsWith("Printing Page"); });
    DoPrint(session, job, PdfFilePrinterName, nullptr);
    EXPECT_EQ(messages.Texts(), QStringList{"Cancel Label Printing?"});
    EXPECT_EQ(statusText, "\nLabel Print Canceled!");
    EXPECT_FALSE(QFile::exists(Pdf()));
}

TEST(LabelPaper, CustomSheetsAreAskedForUprightAndTheQuestionNamesTheSize)
{
    LabelTemplate sheet;
    sheet.PaperCode = QStringLiteral("USERL");
    sheet.SheetWidth = 11;
    sheet.SheetHeight = 8.5;
    TReportPrinter report;
    report.Printer().SetPrinter(PdfFilePrinterName);
    EXPECT_EQ(SetLabelPaper(report, sheet), "");
    EXPECT_EQ(report.Orientation(), poLandScape);
    EXPECT_NEAR(report.Printer().PortraitPaperInches().width(), 8.5, 0.01);
    EXPECT_NEAR(report.Printer().PortraitPaperInches().height(), 11, 0.01);
    EXPECT_EQ(PaperQuestion(8.5, 11),
              "Unable to confirm that the paper size was set to\r\n\r\n8.50\" by 11.00\"\r\n\r\n"
              "(you may have the wrong printer selected)\r\n\r\nWould you like to try printing anyways?");
}

TEST_F(LabelPrint, TheMenuCommandNeedsAMatchAndShowsTheCalculatedFieldsMeanwhile)
{
    QMainWindow window;
    session.SetWindow(&window);
    std::vector<bool> shown;
    QObject::connect(&session, &AddressSession::ExtraFieldsWanted,
                     [&shown](bool visible) { shown.push_back(visible); });
    const MainMenus menus = MenusFor(window);
    auto* commands = new TLabelCommands(session, menus, &window);
    EXPECT_EQ(commands->LabelsMenu->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
    EXPECT_EQ(menus.Print1->actions().value(0)->text(), "Print &Labels");

    session.TableBook.First();
    session.TableBook.Next();
    const long recNo = session.Apollo1.RecNo();
    bool filterEnabled = true, allChecked = false;
    WhenModalOpens([&](QWidget* modal) {
        auto* screen = qobject_cast<TNewLabelSetupScreen*>(modal);
        ASSERT_TRUE(screen);
        filterEnabled = screen->rbQFilter->isEnabled();
        allChecked = screen->rbQAll->isChecked();
        EXPECT_EQ(shown, std::vector<bool>{true});
        screen->ReturnButton->click();
    });
    commands->LabelsMenu->trigger();
    EXPECT_TRUE(ModalWasHandled());
    EXPECT_FALSE(filterEnabled);
    EXPECT_TRUE(allChecked);
    EXPECT_EQ(shown, (std::vector<bool>{true, false}));
    EXPECT_EQ(session.Apollo1.RecNo(), recNo);

    // Records, but none passes the filter: nothing opens.
    session.Apollo1.Query(QStringLiteral("LNAME=\"NOBODY AT ALL\" .and. !ISDEL"));
    commands->LabelsMenuClick();
    EXPECT_EQ(shown.size(), 2u);
}

TEST_F(LabelPrint, CalibrationIsCheckedKeptPerPrinterAndPrintsItsSheet)
{
    ScriptedMessages messages;
    TPrinterCalibrationDialog dialog(PdfFilePrinterName, setup);
    dialog.HorzOffset->setText("12");
    dialog.OkButtonClick();
    dialog.HorzOffset->setText("two");
    dialog.OkButtonClick();
    dialog.VertScale->setText("94.5");
    dialog.PrintSheetButton->click();
    EXPECT_EQ(messages.Texts(),
              (QStringList{"Offsets must lie between -10 and 10 mm", "Please enter a number in every field",
                           "Please enter a number in every field"}));
    EXPECT_EQ(ReadPrinterCalibration(PdfFilePrinterName), PrinterCalibration{});
    EXPECT_FALSE(QFile::exists(Pdf()));

    dialog.HorzOffset->setText("-2,5");
    dialog.VertScale->setText("104");
    {
        FixedPdfFile out(Pdf());
        dialog.PrintSheetButton->click();
    }
    EXPECT_EQ(ReadPdf(Pdf()).pages.size(), 1);
    dialog.OkButtonClick();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(ReadPrinterCalibration(PdfFilePrinterName), (PrinterCalibration{-2.5, 0, 100, 104}));
    EXPECT_EQ(ReadPrinterCalibration("Office"), PrinterCalibration{});
    EXPECT_EQ(messages.Texts().size(), 3);

    // The Print Labels window opens it for the printer chosen there.
    TNewLabelSetupScreen screen(&session.TableBook, &session.Apollo1, {"Office", PdfFilePrinterName}, 1, nullptr,
                                nullptr);
    QString caption;
    WhenModalOpens([&caption](QWidget* modal) {
        caption = modal->windowTitle();
        static_cast<QDialog*>(modal)->reject();
    });
    screen.CalibrateButton->click();
    EXPECT_EQ(caption, "Printer Calibration - PDF file");
}

TEST_F(LabelPrint, ThePrintingWindowsExplainEveryControl)
{
    TNewLabelSetupScreen screen(&session.TableBook, &session.Apollo1, {PdfFilePrinterName}, 0, nullptr, nullptr);
    TSelectSpecificLabels positions(setup, AllPositions(), 1, {PdfFilePrinterName}, 0, nullptr);
    TPrinterCalibrationDialog calibration(PdfFilePrinterName, setup);
    for (const QWidget* w : std::initializer_list<const QWidget*>{&screen, &positions, &calibration})
        EXPECT_EQ(ControlsWithoutWhatsThis(w), "") << w->objectName().toStdString();
}

TEST_F(LabelPrint, ARunSaysHowManyLabelsLostLinesAndAFittedFaceKeepsEveryCityLine)
{
    Open("bulk3k");
    setup.AdjustFontSizeToFit = false;
    ScriptedMessages messages;
    const PdfReadBack cut = Print();
    EXPECT_EQ(statusText, "\nLabel Print Completed!");
    ASSERT_EQ(messages.Texts().size(), 1);
    EXPECT_TRUE(messages.Texts()[0].startsWith(
        "972 of 2,888 labels lost address lines that did not fit on the label (records "))
        << messages.Texts()[0].toStdString();
    EXPECT_TRUE(messages.Texts()[0].endsWith("or choose a smaller font, smaller margins or a taller label."));
    // Record 1100: name, title, two street lines and, below them, its city line.
    const auto cityBelowStreet = [](const PdfReadBack& pdf) {
        const PdfWord* street = pdf.Find(QStringLiteral("8775.00"));
        return street && pdf.HasBelow(*street, QStringLiteral("Portland"), 0.4);
    };
    EXPECT_FALSE(cityBelowStreet(cut));

    messages.Clear();
    job.onePageOnly = true;
    // The note comes before the pages it is about.
    qsizetype notesBeforePreview = -1;
    whilePreviewShows = [&] { notesBeforePreview = messages.Texts().size(); };
    Preview();
    EXPECT_EQ(notesBeforePreview, 1);
    ASSERT_EQ(messages.Texts().size(), 1);
    EXPECT_TRUE(messages.Texts()[0].contains(" of 30 labels lost address lines")) << messages.Texts()[0].toStdString();

    setup.AdjustFontSizeToFit = true;
    job.printToPrinter = true;
    job.onePageOnly = false;
    messages.Clear();
    const PdfReadBack fitted = Print();
    EXPECT_EQ(messages.Texts(), QStringList());
    EXPECT_TRUE(cityBelowStreet(fitted));
}
