#include "addressfile/runrecords.h"
#include "envelopes/envelopecommands.h"
#include "envelopes/envelopeprint.h"
#include "envelopes/tenvelopesetup.h"
#include "exchange/exportfields.h"
#include "exchange/vcardwriter.h"
#include "labels/labellines.h"
#include "platform/printers.h"
#include "report/reportstatuswindow.h"
#include "report/tcanvasreport.h"
#include "report/tpreviewform.h"
#include "support/modal.h"
#include "support/pdf_readback.h"
#include "support/scripted_messages.h"
#include "support/session_book.h"
#include "support/temp_program_dir.h"
#include "support/whatsthis_check.h"
#include "support/window_menus.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QMainWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <gtest/gtest.h>

namespace {

// addrina-print with its settings in an empty folder; its exit code and standard error.
std::pair<int, QString> AddrinaPrint(const QStringList& arguments)
{
    static const QTemporaryDir noSettings;
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), noSettings.path());
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(ADDRINA_BIN_DIR "/addrina-print"), arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
}

EnvelopeSize Size(const QString& name)
{
    return FindEnvelopeSize(name).value();
}

class Envelopes : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(book.Open());
        // A record with a city line, the one every test prints.
        book.session.TableBook.First();
        recNo = book.session.Apollo1.RecNo();
        lines = ComposeLabelLines(TableFieldReader(book.session.TableBook), {});
        ASSERT_GE(lines.size(), 3);
        job.options.returnAddress = QStringLiteral("Quentin Sender\n12 Harbour Row\nPortsmouth PO1 2AB");
    }
    // The first word of an address line.
    QString Word(int line) const { return lines.value(line).section(' ', 0, 0); }

    // The current record's envelope printed to a PDF file and read back.
    PdfReadBack Print(const EnvelopeJob& envelope)
    {
        PositionRunRecords(book.session.Apollo1, book.session.TableBook, {RunChoice::OnlyCurrent}, recNo);
        TReportPrinter report;
        report.Printer().SetPrinter(PdfFilePrinterName);
        report.Printer().SetPdfFileName(pdf);
        SetEnvelopePaper(report, envelope);
        report.OnPrint = [&](TBaseReport& r) { tally = DrawEnvelopes(r, book.session.TableBook, envelope); };
        report.RunReport();
        return ReadPdf(pdf);
    }

    TempProgramDirectory programDir;
    SessionBook book;
    long recNo = 0;
    QStringList lines;
    EnvelopeJob job;
    EnvelopeTally tally;
    QString pdf = book.dir.filePath(QStringLiteral("envelopes.pdf"));
};

TEST_F(Envelopes, DlAndNo10OfOneRecordPutTheBlocksWhereAsked)
{
    job.options.printReturnAddress = true;
    for (const QString& name : {QStringLiteral("DL"), QStringLiteral("#10")}) {
        SCOPED_TRACE(name.toStdString());
        job.size = Size(name);
        const QRectF block = AddressBlock(job.size, {});
        // Right of and below the middle, clear of the bottom band.
        EXPECT_GT(block.left(), job.size.inches.width() / 3);
        EXPECT_GT(block.top(), job.size.inches.height() / 3);
        EXPECT_LE(block.bottom(), job.size.inches.height() - 0.6);
        for (const EnvelopeOffsets& offsets : {EnvelopeOffsets{}, EnvelopeOffsets{10, -5}}) {
            job.offsets = offsets;
            const PdfReadBack out = Print(job);
            ASSERT_EQ(out.pages.size(), 1);
            EXPECT_NEAR(out.pages[0].width(), job.size.inches.width(), 0.01);
            EXPECT_NEAR(out.pages[0].height(), job.size.inches.height(), 0.01);
            const PdfWord* first = out.Find(Word(0));
            ASSERT_TRUE(first);
            EXPECT_NEAR(first->xMin, block.left() + 10 * (offsets.rightMillimetres != 0) / 25.4, 0.03);
            EXPECT_NEAR(first->yMin, block.top() - 5 * (offsets.downMillimetres != 0) / 25.4, 0.06);
            EXPECT_TRUE(out.HasBelow(*first, Word(1), 0.5));
            const PdfWord* sender = out.Find(QStringLiteral("Quentin"));
            ASSERT_TRUE(sender);
            EXPECT_NEAR(sender->xMin, 0.3, 0.03);
            EXPECT_NEAR(sender->yMin, 0.3, 0.06);
            EXPECT_TRUE(out.HasBelow(*sender, QStringLiteral("Portsmouth"), 0.6));
            EXPECT_EQ(tally.LostLinesNote(), "");
        }
    }
}

TEST_F(Envelopes, AnAddressTooLongForTheBlockIsReportedNotCut)
{
    job.size = Size("A2");
    job.options.fontSize = 72;
    job.options.adjustFontSizeToFit = false;
    job.options.printReturnAddress = true;
    job.options.returnAddress = QStringList(12, QStringLiteral("Line")).join('\n');
    PdfReadBack out = Print(job);
    EXPECT_TRUE(out.Find(Word(0)));
    EXPECT_FALSE(out.Find(lines.last().section(' ', 0, 0)));
    EXPECT_EQ(tally.addresses.ShortRecords(), std::vector<long>{recNo});
    EXPECT_TRUE(tally.returnLost);
    EXPECT_EQ(tally.LostLinesNote(),
              QStringLiteral("1 of 1 envelopes lost address lines that did not fit in the address block (record %1)."
                             "\r\rTo print every line, turn on \"Adjust to Fit\", or choose a smaller font or a "
                             "larger envelope.\r\rThe return address lost lines that did not fit in its block in the "
                             "top left corner: shorten it or choose a smaller font.")
                  .arg(recNo));

    // Fitted, every line comes out.
    job.options.adjustFontSizeToFit = true;
    job.options.printReturnAddress = false;
    out = Print(job);
    EXPECT_EQ(tally.LostLinesNote(), "");
    for (const QString& line : lines)
        EXPECT_TRUE(out.Find(line.section(' ', 0, 0))) << line.toStdString();
}

TEST_F(Envelopes, TheFeedTurnsThePageAsThePrinterTakesIt)
{
    // Long edge first: upright or upside down; short edge first: a quarter turn towards
    // where the flap lies on the printed side.
    EXPECT_EQ(FeedQuarterTurns({}), 0);
    EXPECT_EQ(FeedQuarterTurns({true, false, true}), 2);
    EXPECT_EQ(FeedQuarterTurns({false, true, true}), 3);
    EXPECT_EQ(FeedQuarterTurns({false, false, true}), 1);
    EXPECT_EQ(FeedQuarterTurns({false, true, false}), 1);
    EXPECT_EQ(FeedQuarterTurns({false, false, false}), 3);

    job.size = Size("DL");
    const QRectF block = AddressBlock(job.size, {});
    // The printer's calibration moves the page's print.
    job.calibration = {5, -3, 100, 100};
    const PdfReadBack calibrated = Print(job);
    const PdfWord* moved = calibrated.Find(Word(0));
    ASSERT_TRUE(moved);
    EXPECT_NEAR(moved->xMin, block.left() + 5 / 25.4, 0.03);
    job.calibration = {};
    const double w = job.size.inches.width();
    const double h = job.size.inches.height();
    for (int turns : {1, 2, 3}) {
        SCOPED_TRACE(turns);
        job.quarterTurns = turns;
        const PdfReadBack out = Print(job);
        ASSERT_EQ(out.pages.size(), 1);
        EXPECT_NEAR(out.pages[0].width(), turns == 2 ? w : h, 0.01);
        const PdfWord* first = out.Find(Word(0));
        ASSERT_TRUE(first);
        // The block's top left corner, turned with the page.
        const QPointF corner = EnvelopeToPage(job.size, turns).map(block.topLeft());
        const QPointF near = turns == 1   ? QPointF(first->xMax, first->yMin)
                             : turns == 2 ? QPointF(first->xMax, first->yMax)
                                          : QPointF(first->xMin, first->yMax);
        EXPECT_NEAR(near.x(), corner.x(), 0.08);
        EXPECT_NEAR(near.y(), corner.y(), 0.08);
    }
}

TEST_F(Envelopes, SizesAndSettingsAreKeptPerSizeAndPrinter)
{
    EXPECT_EQ(EnvelopeSizes().size(), 11u);
    for (const char* name : {"#10", "10", "No. 10", "us #10"})
        EXPECT_EQ(FindEnvelopeSize(name)->key, "No10") << name;
    EXPECT_EQ(FindEnvelopeSize("6 3/4")->key, "No6_3_4");
    EXPECT_EQ(FindEnvelopeSize("dl")->key, "DL");
    EXPECT_FALSE(FindEnvelopeSize("C7"));
    EXPECT_NEAR(Size("C4").inches.width(), 324 / 25.4, 1e-9);
    EXPECT_NEAR(Size("Monarch").inches.height(), 3.875, 1e-9);

    WriteEnvelopeOffsets(Size("DL"), {3.5, -2});
    EXPECT_EQ(ReadEnvelopeOffsets(Size("DL")), (EnvelopeOffsets{3.5, -2}));
    EXPECT_EQ(ReadEnvelopeOffsets(Size("C5")), EnvelopeOffsets{});
    WriteEnvelopeOffsets(Size("C5"), {80, 1});
    EXPECT_EQ(ReadEnvelopeOffsets(Size("C5")), (EnvelopeOffsets{0, 1})); // out of range reads as none

    EnvelopeOptions options;
    options.sizeKey = "C6";
    options.fontName = "DejaVu Serif";
    options.printReturnAddress = true;
    options.returnAddress = "A. Sender\nc\\o Box 5\n";
    options.barcode = {BarcodeKind::Code128, "ZIP", BarcodeCorner::TopLeft};
    WriteEnvelopeOptions(options);
    EXPECT_EQ(ReadEnvelopeOptions(), options);
    EXPECT_EQ(ChosenEnvelopeSize(options).key, "C6");

    WriteEnvelopeFeed("Office", {false, false, true});
    EXPECT_EQ(ReadEnvelopeFeed("Office"), (EnvelopeFeed{false, false, true}));
    EXPECT_EQ(ReadEnvelopeFeed(PdfFilePrinterName), EnvelopeFeed{});
    EXPECT_TRUE(programDir.SettingsText().contains("[Envelope DL]"));
}

TEST_F(Envelopes, TheMenuCommandOpensTheWindowWhichPrintsAsThePrinterFeeds)
{
    QMainWindow window;
    book.session.SetWindow(&window);
    const MainMenus menus = MenusFor(window);
    auto* commands = new TEnvelopeCommands(book.session, menus, &window);
    EXPECT_EQ(menus.Print1->actions().value(0)->text(), "Print &Envelopes...");
    book.session.TableBook.Next();
    const long current = book.session.Apollo1.RecNo();

    FixedPdfFile out(pdf);
    ScriptedMessages messages;
    QString unnamed, previewCaption;
    QSizeF previewPaper;
    WhenModalOpens([&](QWidget* modal) {
        auto* screen = qobject_cast<TEnvelopeSetupScreen*>(modal);
        ASSERT_TRUE(screen);
        unnamed = QString::fromStdString(ControlsWithoutWhatsThis(screen));
        EXPECT_TRUE(screen->rbQAll->isChecked()); // no filter set
        screen->SizeCombo->setCurrentIndex(screen->SizeCombo->findData("DL"));
        screen->OffsetRight->setValue(4);
        screen->ReturnAddressCheck->setChecked(true);
        screen->ReturnAddressEdit->setPlainText("Quentin Sender\nPortsmouth");
        screen->rbOnlyThis->setChecked(true);
        screen->PrinterCombo->setCurrentText(PdfFilePrinterName);
        screen->FeedCombo->setCurrentIndex(0); // short edge first
        screen->EnvelopeBarcodeKindCombo->setCurrentIndex(static_cast<int>(BarcodeKind::DataMatrix));
        screen->EnvelopeBarcodeFieldCombo->setCurrentText("ZIP");
        screen->EnvelopeBarcodeCornerCombo->setCurrentIndex(static_cast<int>(BarcodeCorner::TopRight));
        EXPECT_EQ(screen->FlapCombo->itemText(0), "Flap on the left");
        WhenShown<TReportStatusWindow>([](TReportStatusWindow* status) { status->CancelButton->click(); },
                                       [](TReportStatusWindow* status) { return status->Finished(); });
        screen->PrintNow->click();
        WhenShown<TPreviewForm>([&](TPreviewForm* preview) {
            previewCaption = preview->windowTitle();
            previewPaper = preview->FilePreview1.PagePaper();
            preview->accept();
        });
        screen->Previewbutton->click();
        screen->ReturnButton->click();
    });
    commands->EnvelopesMenu->trigger();
    EXPECT_TRUE(ModalWasHandled());
    EXPECT_EQ(unnamed, "");
    EXPECT_EQ(book.session.Apollo1.RecNo(), current);

    // The one record, on a DL page turned for a short-edge feed; the choices are kept.
    const PdfReadBack printed = ReadPdf(pdf);
    ASSERT_EQ(printed.pages.size(), 1);
    EXPECT_NEAR(printed.pages[0].width(), 110 / 25.4, 0.01);
    EXPECT_NEAR(printed.pages[0].height(), 220 / 25.4, 0.01);
    EXPECT_TRUE(printed.Find("Quentin"));
    EXPECT_EQ(ReadEnvelopeOffsets(Size("DL")), (EnvelopeOffsets{4, 0}));
    EXPECT_EQ(ReadEnvelopeOptions().sizeKey, "DL");
    EXPECT_FALSE(ReadEnvelopeFeed(PdfFilePrinterName).landscape);
    EXPECT_EQ(ReadEnvelopeOptions().barcode, (BarcodeChoice{BarcodeKind::DataMatrix, "ZIP", BarcodeCorner::TopRight}));
    EXPECT_EQ(messages.Texts(), QStringList{});
    // The preview shows the envelope upright.
    EXPECT_TRUE(previewCaption.startsWith("Preview Page 1 of 1")) << previewCaption.toStdString();
    EXPECT_NEAR(previewPaper.width(), 220 / 25.4, 0.01);
}

TEST_F(Envelopes, AddrinaPrintWritesEnvelopesWithTheReturnAddress)
{
    const QString sender = book.dir.filePath("sender.txt");
    QFile file(sender);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Quentin Sender\nPortsmouth\n");
    file.close();
    // A copy: the session keeps its own file open.
    const QString table = CopyFixtureTable(QStringLiteral("small"), book.dir.path(), QStringLiteral("cli"));
    const auto [code, errors] = AddrinaPrint(
        {"envelopes", table, "--size", "#10", "--return-address-file", sender, "--filter", "RECNO() <= 2", "-o", pdf});
    ASSERT_EQ(code, 0) << errors.toStdString();
    const PdfReadBack out = ReadPdf(pdf);
    ASSERT_EQ(out.pages.size(), 2);
    EXPECT_NEAR(out.pages[1].width(), 9.5, 0.01);
    EXPECT_TRUE(out.Find("Quentin", 2));
    EXPECT_EQ(AddrinaPrint({"envelopes", table, "--size", "C7", "-o", pdf}).first, 2);
}

TEST_F(Envelopes, AddrinaPrintDrawsTheQrCodeBesideEveryAddressLine)
{
    const ExportFieldSet fields(book.session.TableBook);
    ExportValues values;
    fields.Read(values);
    QByteArray card;
    AppendVCard(values, card);
    const QString table = CopyFixtureTable(QStringLiteral("small"), book.dir.path(), QStringLiteral("cli"));
    const QString only = QStringLiteral("RECNO() = %1").arg(recNo);
    const auto [code, errors] = AddrinaPrint({"envelopes", table, "--size", "DL", "--barcode", "qr", "--barcode-corner",
                                              "top-right", "--filter", only, "-o", pdf});
    ASSERT_EQ(code, 0) << errors.toStdString();
    const PdfReadBack out = ReadPdf(pdf);
    for (int line = 0; line < lines.size(); ++line)
        EXPECT_TRUE(out.Find(Word(line))) << lines[line].toStdString();
    QProcess::execute("pdftoppm", {"-r", "300", "-singlefile", "-png", pdf, book.dir.filePath("page")});
    QProcess zbar;
    zbar.start("zbarimg", {"--raw", "-q", book.dir.filePath("page.png")});
    zbar.waitForFinished(60000);
    EXPECT_EQ(QString::fromUtf8(zbar.readAllStandardOutput()).remove('\r').trimmed(),
              QString::fromUtf8(card).remove('\r').trimmed());

    // A barcode the record cannot give is left off, counted and named.
    const auto [refused, note] =
        AddrinaPrint({"envelopes", table, "--size", "DL", "--barcode", "code128:NOFIELD", "--filter", only, "-o", pdf});
    EXPECT_EQ(refused, 0);
    EXPECT_TRUE(note.contains("1 of 1 envelopes were printed without their barcode") && note.contains("NOFIELD"))
        << note.toStdString();
    EXPECT_EQ(
        AddrinaPrint({"envelopes", table, "--size", "DL", "--barcode", "qr", "--barcode-corner", "middle", "-o", pdf})
            .first,
        2);
}

} // namespace
