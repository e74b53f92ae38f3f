// Barcodes on labels, read back the way a reader would: the label sheet printed to PDF by
// addrina-print, rendered at 300 dpi and decoded by zbarimg.
#include "barcode/barcodesymbol.h"
#include "barcode/imb_bars.h"
#include "barcode/intelligentmail.h"
#include "exchange/exportfields.h"
#include "exchange/vcardwriter.h"
#include "labels/labelface.h"
#include "select/book.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Ran {
    int status = -1;
    QString out;
    QString errors;
};

// home is where addrina-print finds ADR.ini; an empty folder by default.
Ran RunTool(const QString& program, const QStringList& arguments, const QString& home = {})
{
    static const QTemporaryDir noSettings;
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.isEmpty() ? noSettings.path() : home);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    process.waitForFinished(120000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()).remove(QLatin1Char('\r')),
            QString::fromUtf8(process.readAllStandardError())};
}

class BarcodeLabels : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(book.opened); }

    // Prints the first sheet's labels with the barcode and gives what zbarimg reads on it.
    QString Decoded(const QString& barcode, const QString& templateName = QStringLiteral("5163"))
    {
        const QString pdf = book.dir.filePath("out.pdf");
        const Ran printed = RunTool(QStringLiteral(ADDRINA_BIN_DIR "/addrina-print"),
                                    {"labels", book.path, "--template", templateName, "--barcode", barcode, "-o", pdf});
        EXPECT_EQ(printed.status, 0) << printed.errors.toStdString();
        RunTool(QStringLiteral("pdftoppm"),
                {"-r", "300", "-f", "1", "-l", "1", "-singlefile", "-png", pdf, book.dir.filePath("page")});
        return RunTool(QStringLiteral("zbarimg"), {"--raw", "-q", book.dir.filePath("page.png")}).out;
    }

    Book book;
};

} // namespace

TEST_F(BarcodeLabels, EachQrCodeReadsBackAsItsRecordsVCard)
{
    const ExportFieldSet fields(book.table);
    QStringList cards;
    book.table.First();
    for (int i = 0; i < 10 && !book.table.Eof(); ++i, book.table.Next()) {
        ExportValues values;
        fields.Read(values);
        QByteArray card;
        AppendVCard(values, card);
        cards << QString::fromUtf8(card).remove(QLatin1Char('\r'));
    }
    book.table.Close();
    const QString decoded = Decoded(QStringLiteral("qr"));
    ASSERT_EQ(cards.size(), 10);
    for (const QString& card : cards)
        EXPECT_TRUE(decoded.contains(card)) << card.toStdString() << "\n---\n" << decoded.toStdString();
}

TEST_F(BarcodeLabels, Code128ReadsBackAsTheFieldsValue)
{
    const QStringList zips = book.Column("ZIP").mid(0, 10);
    book.table.Close();
    const QStringList decoded = Decoded(QStringLiteral("code128:ZIP")).split('\n', Qt::SkipEmptyParts);
    QStringList expected;
    for (const QString& zip : zips)
        if (!zip.trimmed().isEmpty())
            expected << zip.trimmed();
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(QSet<QString>(decoded.begin(), decoded.end()), QSet<QString>(expected.begin(), expected.end()));
}

TEST_F(BarcodeLabels, MailBarsThatCannotFitTheLabelAreLeftOffWithANote)
{
    QTemporaryDir home;
    QDir().mkpath(home.filePath("Addrina"));
    QFile ini(home.filePath("Addrina/ADR.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Intelligent Mail]\nBarcodeID=00\nServiceType=300\nMailerID=123456\nSerial=1000\n");
    ini.close();
    book.table.Close();
    const Ran run = RunTool(
        QStringLiteral(ADDRINA_BIN_DIR "/addrina-print"),
        {"labels", book.path, "--template", "5160", "--barcode", "imb", "-o", book.dir.filePath("o.pdf")}, home.path());
    EXPECT_EQ(run.status, 0);
    const QString& said = run.errors;
    EXPECT_TRUE(said.contains("were printed without their barcode")) << said.toStdString();
    EXPECT_TRUE(said.contains("Intelligent Mail barcode does not fit the label")) << said.toStdString();
    const Ran usage = RunTool(QStringLiteral(ADDRINA_BIN_DIR "/addrina-print"),
                              {"labels", book.path, "--template", "5160", "--barcode", "ean13", "-o", "x.pdf"});
    EXPECT_EQ(usage.status, 2);
    EXPECT_TRUE(usage.errors.contains("unknown barcode")) << usage.errors.toStdString();
}

TEST_F(BarcodeLabels, TheFaceDrawsTheMailBarsOfItsRecordBesideTheAddress)
{
    LabelFace face;
    face.style.size = QSizeF(4, 2);
    face.style.barcode = {BarcodeKind::IntelligentMail, {}, BarcodeCorner::BottomLeft};
    face.style.mail = {"01", "234", "567094", "987654300"};
    face.SetDataTable(&book.table);
    book.table.First();
    while (!book.table.Eof() && book.table.FieldByName("ZIP").AsString().trimmed().size() != 5)
        book.table.Next();
    ASSERT_FALSE(book.table.Eof());
    face.BuildLines();
    const FaceLayout layout = face.Layout();
    EXPECT_TRUE(layout.barcodeRefusal.isEmpty()) << layout.barcodeRefusal.toStdString();
    const QByteArray data =
        IntelligentMailData(face.style.mail, book.table.FieldByName("ZIP").AsString(), book.table.CurrentRecNo());
    EXPECT_EQ(ImbLetters(layout.bars), ImbLetters(EncodeBarcode(BarcodeKind::IntelligentMail, data).bars));
    ASSERT_FALSE(layout.lines.empty());
    EXPECT_LT(layout.lines.back().clip.bottom(), layout.bars.front().top());
    EXPECT_EQ(layout.count.drawn, layout.count.had);

    // A record without a ZIP code to route by has no barcode, and says why.
    book.table.Edit();
    book.table.FieldByName("ZIP").SetAsString(QStringLiteral("12"));
    book.table.Post();
    face.BuildLines();
    EXPECT_TRUE(face.Layout().bars.empty());
    EXPECT_TRUE(face.Layout().barcodeRefusal.contains("\"12\"")) << face.Layout().barcodeRefusal.toStdString();
}
