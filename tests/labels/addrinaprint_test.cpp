#include "labels/faceoutput.h"
#include "labels/labelface.h"
#include "labels/labellines.h"
#include "labels/printlbl.h"
#include "labels/same_words.h"
#include "labels/tzintlabelfile.h"
#include "select/book.h"
#include "support/fixture_copy.h"
#include "support/pdf_readback.h"

#include <QDir>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct PrintRun {
    int exitCode = -1;
    QString errors;
};

// dataHome is where the tool finds the program's settings file; by default an empty
// folder, so the user's own calibration never moves a test's labels. fontDpi is the
// screen's resolution the tool runs under.
PrintRun Print(const QStringList& arguments, const QString& dataHome = {}, int fontDpi = 96)
{
    static const QTemporaryDir noSettings;
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome.isEmpty() ? noSettings.path() : dataHome);
    environment.insert(QStringLiteral("QT_FONT_DPI"), QString::number(fontDpi));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(ADDRINA_BIN_DIR "/addrina-print"), arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
}

struct Word {
    QString text;
    double x = 0;
    double y = 0;
};

// The words of one page as pdftotext places them, in points from the top left corner.
std::vector<Word> Words(const QString& pdf, int page)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {"-bbox", "-f", QString::number(page), "-l", QString::number(page), pdf, "-"});
    pdftotext.waitForFinished(30000);
    static const QRegularExpression word(R"re(xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)</word>)re");
    std::vector<Word> words;
    for (const auto& m : word.globalMatch(QString::fromUtf8(pdftotext.readAllStandardOutput())))
        words.push_back({m.captured(3), m.captured(1).toDouble(), m.captured(2).toDouble()});
    return words;
}

// The first word of each record's first label line, in natural order.
QStringList FirstWords(Book& book)
{
    QStringList first;
    for (book.table.First(); !book.table.Eof(); book.table.Next())
        first << ComposeLabelLines(TableFieldReader(book.table), {}).value(0).section(' ', 0, 0);
    return first;
}

class AddrinaPrint : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(book.opened); }
    QString Out() const { return book.dir.filePath("out.pdf"); }
    Book book;
};

constexpr double kPoints = 72;
// 5160: cells 2.75 x 1 in from (0.1875, 0.5); the 2.625 in wide face is stretched over the
// cell, so its 0.2 in text margin lands at 0.2 x 2.75 / 2.625 in.
double TextLeft(int col)
{
    return (0.1875 + col * 2.75 + 0.2 * 2.75 / 2.625) * kPoints;
}
double TextTop(int row)
{
    return (0.5 + row * 1.0 + 0.2) * kPoints;
}

} // namespace

TEST_F(AddrinaPrint, EachRecordStartsInsideItsCellAtTheTextMargin)
{
    const QStringList expected = FirstWords(book);
    const QByteArray before = book.FileBytes(".dbf");
    book.table.Close();
    ASSERT_EQ(Print({"labels", book.path, "--template", "5160", "-o", Out()}).exitCode, 0);
    const std::vector<Word> words = Words(Out(), 1);
    // Records 1, 2, 3 across the first row, record 4 below record 1.
    const std::pair<int, int> cells[] = {{0, 0}, {0, 1}, {0, 2}, {1, 0}};
    for (int i = 0; i < 4; ++i) {
        const auto [row, col] = cells[i];
        const auto found = std::find_if(words.begin(), words.end(), [&](const Word& w) {
            return w.text == expected[i] && std::abs(w.x - TextLeft(col)) < 2 && w.y >= TextTop(row) - 3 &&
                   w.y < TextTop(row) + 6;
        });
        EXPECT_NE(found, words.end()) << "record " << i + 1 << " " << expected[i].toStdString();
    }
    EXPECT_EQ(book.FileBytes(".dbf"), before);
}

TEST_F(AddrinaPrint, TheScreensResolutionDoesNotMoveAWord)
{
    book.table.Close();
    const QString sharp = book.dir.filePath("144.pdf");
    for (const int alignment : {taLeftJustify, taCenter}) {
        TZintLabelFile setup;
        ASSERT_TRUE(setup.LoadTemplate(QStringLiteral(ADDRINA_BIN_DIR "/adr.tpl"), QStringLiteral("5160"), false));
        setup.Alignment = alignment;
        setup.FontSize = 11;
        const QString lbl = book.dir.filePath("face.lbl");
        setup.SaveToFile(lbl);
        ASSERT_EQ(Print({"labels", book.path, "--setup", lbl, "--fit", "-o", Out()}, {}, 96).exitCode, 0);
        ASSERT_EQ(Print({"labels", book.path, "--setup", lbl, "--fit", "-o", sharp}, {}, 144).exitCode, 0);
        const PdfReadBack a = ReadPdf(Out()), b = ReadPdf(sharp);
        ASSERT_GT(a.words.size(), 10);
        ExpectSameWords(a, b);
    }
}

// The labels of the book on 5160 drawn by the print loop onto Qt's PDF engine, through the
// face's painter output, each stretched over its cell as the report canvas stretches it.
void PrintThroughQt(Book& book, const QString& pdf)
{
    TZintLabelFile setup;
    ASSERT_TRUE(setup.LoadTemplate(QStringLiteral(ADDRINA_BIN_DIR "/adr.tpl"), QStringLiteral("5160"), false));
    setup.AdjustFontSizeToFit = true;
    LabelFace face;
    face.style = setup.Face();
    face.SetDataTable(&book.table);
    QPdfWriter writer(pdf);
    writer.setPageSize(QPageSize(QPageSize::Letter));
    writer.setPageMargins({});
    writer.setResolution(1200);
    QPainter painter(&writer);
    const double dots = 1200 / kPoints;
    LabelCanvas canvas;
    canvas.StartNewPage = [&writer] { writer.newPage(); };
    canvas.DrawFace = [&](const QRectF& cell, const FaceLayout& layout) {
        QTransform toCell = QTransform::fromTranslate(cell.x() * 1200, cell.y() * 1200);
        toCell.scale(dots * setup.HorzPitch / setup.LabelWidth, dots * setup.VertPitch / setup.LabelHeight);
        PainterFaceOutput output(painter, toCell);
        DrawFace(layout, output);
    };
    book.table.First();
    PrintLabels(face, book.table, setup, LabelRunOptions{}, canvas);
}

TEST_F(AddrinaPrint, TheOwnPdfWriterPutsEveryWordWhereQtsEngineDoes)
{
    const QString qt = book.dir.filePath("qt.pdf");
    PrintThroughQt(book, qt);
    book.table.Close();
    ASSERT_EQ(Print({"labels", book.path, "--template", "5160", "-o", Out()}).exitCode, 0);
    const PdfReadBack own = ReadPdf(Out()), engine = ReadPdf(qt);
    ASSERT_GT(own.words.size(), 10);
    ExpectSameWords(own, engine, false); // Helvetica against the embedded font
}

TEST_F(AddrinaPrint, ANameTheStandardFontsCannotShowStillReachesThePdf)
{
    // The soft hyphen is in the address file's code page, but the standard fonts have no
    // glyph that shows it as a painter does (not at all, unless the word breaks there).
    book.Add({{"FNAME", "Åsa"}, {"LNAME", "Müller\u00ADLüdenscheidt"}});
    const QString first = FirstWords(book).value(0);
    book.table.Close();
    ASSERT_EQ(Print({"labels", book.path, "--template", "5160", "-o", Out()}).exitCode, 0);
    const PdfReadBack pdf = ReadPdf(Out());
    EXPECT_TRUE(pdf.Find("Åsa"));
    EXPECT_TRUE(pdf.Find("MüllerLüdenscheidt"));
    EXPECT_TRUE(pdf.Find(first));
}

TEST_F(AddrinaPrint, SkipCopiesAndFilterChooseThePositions)
{
    book.Add({{"LNAME", "Quixote"}, {"STATE", "ZZ"}});
    book.Add({{"LNAME", "Panza"}, {"STATE", "ZZ"}});
    book.table.Close();
    ASSERT_EQ(Print({"labels", book.path, "--template", "5160", "--filter", "STATE = 'ZZ'", "--copies", "2", "--skip",
                     "4", "--order", "LNAME", "-o", Out()})
                  .exitCode,
              0);
    QStringList order;
    for (const Word& w : Words(Out(), 1))
        if (w.text != "ZZ") // the city line
            order << QStringLiteral("%1@%2%3")
                         .arg(w.text)
                         .arg(std::lround(w.y / kPoints - 0.7))
                         .arg(std::lround((w.x - TextLeft(0)) / (2.75 * kPoints)));
    order.sort();
    // Positions 5 to 8 of the sheet (row, column): after four skipped, Panza before Quixote.
    EXPECT_EQ(order, QStringList({"Panza@11", "Panza@12", "Quixote@20", "Quixote@21"}));
}

TEST_F(AddrinaPrint, RefusesWhatItCannotDoWithAMessage)
{
    book.table.Close();
    const std::pair<QStringList, int> cases[] = {
        {{"labels", book.path, "-o", Out()}, 2},
        {{"labels", book.path, "--template", "5160"}, 2},
        {{"labels", book.path, "--template", "5160", "--copies", "0", "-o", Out()}, 2},
        {{"labels", book.path, "--template", "5160", "--filter", "STATE = ", "-o", Out()}, 2},
        {{"labels", book.path, "--template", "nope", "-o", Out()}, 1},
        {{"labels", book.path + "x", "--template", "5160", "-o", Out()}, 1},
        {{"labels", book.path, "--template", "5160", "--filter", "STATE = 'none'", "-o", Out()}, 1},
    };
    for (const auto& [arguments, status] : cases) {
        const PrintRun run = Print(arguments);
        EXPECT_EQ(run.exitCode, status) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.errors.startsWith("addrina-print: ")) << run.errors.toStdString();
    }
    EXPECT_FALSE(QFile::exists(Out()));
}

TEST_F(AddrinaPrint, TheCalibrationOfPdfFileMovesEveryLabel)
{
    const QString expected = FirstWords(book).value(0);
    book.table.Close();
    QTemporaryDir home;
    QDir().mkpath(home.filePath("Addrina"));
    QFile ini(home.filePath("Addrina/ADR.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Calibration PDF file]\nOffsetX=5.08\nOffsetY=-2.54\nScaleX=100\nScaleY=100\n");
    ini.close();
    ASSERT_EQ(Print({"labels", book.path, "--template", "5160", "-o", Out()}, home.path()).exitCode, 0);
    const std::vector<Word> words = Words(Out(), 1);
    ASSERT_FALSE(words.empty());
    EXPECT_EQ(words[0].text, expected);
    EXPECT_NEAR(words[0].x, TextLeft(0) + 0.2 * kPoints, 1.5); // 5.08 mm to the right
    EXPECT_NEAR(words[0].y, TextTop(0) - 0.1 * kPoints, 4);    // 2.54 mm up

    ASSERT_EQ(
        Print({"labels", book.path, "--template", "5160", "--calibration-sheet", "-o", Out()}, home.path()).exitCode,
        0);
    EXPECT_TRUE(Words(Out(), 1).empty()); // outlines and crosses only, no addresses
}

TEST(AddrinaPrintBulk, SaysHowManyLabelsLostLinesAndFitKeepsEveryCityLine)
{
    QTemporaryDir dir;
    const QString book = CopyFixtureTable(QStringLiteral("bulk3k"), dir.path(), QStringLiteral("bulk"));
    TZintLabelFile setup; // a saved setup with the default face: fit off
    ASSERT_TRUE(setup.LoadTemplate(QStringLiteral(ADDRINA_BIN_DIR "/adr.tpl"), QStringLiteral("5160"), false));
    const QString lbl = dir.filePath(QStringLiteral("Default.lbl"));
    setup.SaveToFile(lbl);
    const QString out = dir.filePath(QStringLiteral("out.pdf"));

    // Record 1100: name, title, two street lines and, below them, its city line.
    const auto cityOf1100 = [&out] {
        const PdfReadBack pdf = ReadPdf(out);
        const PdfWord* street = pdf.Find(QStringLiteral("8775.00"));
        return street && pdf.HasBelow(*street, QStringLiteral("Portland"), 0.4);
    };
    const QString note = QStringLiteral("addrina-print: 972 of 2,888 labels lost address lines that did not fit on "
                                        "the label (records ");
    for (const QStringList& faceChoice : {QStringList{"--setup", lbl}, QStringList{"--template", "5160", "--no-fit"}}) {
        const PrintRun run = Print(QStringList{"labels", book} + faceChoice + QStringList{"-o", out});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_TRUE(run.errors.startsWith(note)) << run.errors.toStdString();
        EXPECT_TRUE(run.errors.contains("--fit")) << run.errors.toStdString();
        EXPECT_TRUE(QFile::exists(out));
        EXPECT_FALSE(cityOf1100());
    }
    for (const QStringList& faceChoice : {QStringList{"--setup", lbl, "--fit"}, QStringList{"--template", "5160"}}) {
        const PrintRun run = Print(QStringList{"labels", book} + faceChoice + QStringList{"-o", out});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.errors, "");
        EXPECT_TRUE(cityOf1100());
    }
    EXPECT_EQ(Print({"labels", book, "--template", "5160", "--fit", "--no-fit", "-o", out}).exitCode, 2);
}

// The tool stands on the window-free libraries alone: the widget library is not even loaded.
TEST(AddrinaPrintLinks, TheToolNeedsNoWidgetLibrary)
{
    QProcess ldd;
    ldd.start(QStringLiteral("ldd"), {QStringLiteral(ADDRINA_BIN_DIR "/addrina-print")});
    ASSERT_TRUE(ldd.waitForFinished(30000));
    const QString libraries = QString::fromLocal8Bit(ldd.readAllStandardOutput());
    EXPECT_TRUE(libraries.contains(QStringLiteral("libQt6Gui"))) << libraries.toStdString();
    EXPECT_FALSE(libraries.contains(QStringLiteral("libQt6Widgets"))) << libraries.toStdString();
    EXPECT_FALSE(libraries.contains(QStringLiteral("libQt6PrintSupport"))) << libraries.toStdString();
}
