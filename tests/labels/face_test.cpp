#include "labels/facegeometry.h"
#include "labels/faceoutput.h"
#include "labels/gzintpanel.h"
#include "labels/lostlines.h"
#include "labels/same_words.h"
#include "labels/tzintlabelfile.h"
#include "select/book.h"
#include "support/pdf_readback.h"

#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

std::vector<double> Tops(const std::vector<PlacedLine>& placed)
{
    std::vector<double> tops;
    for (const PlacedLine& p : placed)
        tops.push_back(p.top);
    return tops;
}

// Pixels of the face drawn onto a white image of the label's size at 96 pixels per inch
// that are not white.
QRect InkedArea(LabelFace& face)
{
    QImage image(qRound(face.style.size.width() * 96), qRound(face.style.size.height() * 96), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PainterFaceOutput output(painter, QTransform::fromScale(96.0 / 72, 96.0 / 72));
    DrawFace(face.Layout(), output);
    painter.end();
    QRect inked;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                inked |= QRect(x, y, 1, 1);
    return inked;
}

// The face drawn through Qt's PDF engine on a device of the given resolution, read back.
PdfReadBack FaceOnPdf(LabelFace& face, int dpi, const QString& path)
{
    {
        QPdfWriter pdf(path);
        pdf.setResolution(dpi);
        pdf.setPageSize(QPageSize(face.style.size, QPageSize::Inch));
        pdf.setPageMargins({});
        QPainter painter(&pdf);
        PainterFaceOutput output(painter, QTransform::fromScale(dpi / 72.0, dpi / 72.0));
        DrawFace(face.Layout(), output);
    }
    return ReadPdf(path);
}

} // namespace

TEST(FaceGeometry, AlignmentsPlaceEachLine)
{
    const FaceRect r{10, 0, 110, 50};
    EXPECT_EQ(LineLeft(taLeftJustify, r, 40), 10);
    EXPECT_EQ(LineLeft(taRightJustify, r, 40), 70);
    EXPECT_EQ(LineLeft(taCenter, r, 41), 39.5);
}

TEST(FaceGeometry, ALineOverhangingByLessThan40PercentStaysTheNextGoes)
{
    // Lines 10 points high in a rectangle whose bottom is 33: the fourth ends at 40, 7 below
    // the bottom, more than 0.4 x 10; with the bottom at 36 it overhangs by 4 and stays.
    EXPECT_EQ(Tops(PlaceFaceLines({5, 5, 5, 5, 5}, 10, 0, {0, 0, 50, 33})), std::vector<double>({0, 10, 20}));
    EXPECT_EQ(Tops(PlaceFaceLines({5, 5, 5, 5, 5}, 10, 0, {0, 0, 50, 36})), std::vector<double>({0, 10, 20, 30}));
    EXPECT_EQ(Tops(PlaceFaceLines({5, 5, 5, 5, 5}, 1.1, 0, {0, 0, 50, 3.4})), std::vector<double>({0, 1.1, 2.2}));
}

TEST(FaceGeometry, LabelsThatLostLinesAreCountedAndNamed)
{
    EXPECT_EQ(FittingLineCount(5, 10, {0, 0, 50, 33}), 3);
    EXPECT_EQ(FittingLineCount(2, 10, {0, 0, 50, 33}), 2);
    LabelTally tally;
    tally.Add(1, {4, 4});
    EXPECT_EQ(tally.LostLinesNote(), "");
    for (long recNo : {2, 2, 3, 5, 8, 9, 12})
        tally.Add(recNo, {6, 4});
    tally.Add(13, {3, 3});
    EXPECT_EQ(tally.Labels(), 9);
    EXPECT_EQ(tally.ShortLabels(), 7);
    EXPECT_EQ(tally.LostLinesNote(),
              "7 of 9 labels lost address lines that did not fit on the label (records 2, 3, 5, 8, 9, ...).\r\r"
              "To print every line, turn on \"Adjust to Fit\" in the Label Design Screen, or choose a smaller "
              "font, smaller margins or a taller label.");
}

TEST(FaceGeometry, FitShrinksInOnePassAndNeverEnlarges)
{
    const FaceRect r{0, 0, 100, 100};
    EXPECT_EQ(FittedFontSize(10, 16, 4, 200, r), 5);              // the widest line is twice the width
    EXPECT_EQ(FittedFontSize(10, 16, 4, 80, r), 10);              // fits: unchanged, not enlarged
    EXPECT_EQ(FittedFontSize(10, 25, 8, 80, r), 5);               // 200 high in 100
    EXPECT_EQ(FittedFontSize(10, 25, 8, 400, r), 2);              // the smaller of the two
    EXPECT_EQ(FittedFontSize(10, 16, 4, 200, {0, 0, -5, 99}), 1); // no room at all
}

TEST(FaceGeometry, LinesMeasureAsTheCanvasMeasuresThemWhole)
{
    for (const char* name : {"Arial", "Times New Roman"}) {
        ReportFont font;
        font.name = QLatin1StringView(name);
        font.points = 11;
        FaceMeasure face(font);
        const FontMeasure whole(font);
        for (const QString text : {"AVA Tower, Wyoming", "Åsa Östergård 12", "ffi fl To Yo", "Ωμέγα Road", ""})
            EXPECT_NEAR(face.Width(text), whole.Width(text) * 72, 0.01) << name << " " << text.toStdString();
    }
}

TEST(LabelFace, ApplyAndTakeMoveTheFacePart)
{
    TZintLabelFile setup;
    setup.LabelWidth = 2.625;
    setup.LabelHeight = 1;
    setup.FontName = QStringLiteral("Times New Roman");
    setup.FontSize = 12;
    setup.FontItalic = true;
    setup.FontColor = 0x00FF0080;
    setup.UsePhone = true;
    setup.ZipOptions = zoBeforeCountry;
    setup.Alignment = taCenter;
    setup.TextMarginLeft = 0.3;
    TZintLabelPanel panel;
    for (const char* shape : {"EL", "SR", ""}) {
        setup.ShapeCode = QLatin1StringView(shape);
        panel.SetStyle(setup.Face());
        EXPECT_EQ(panel.Shape(), lsRectangle) << shape;
    }
    setup.ShapeCode = QStringLiteral("RR");
    panel.SetStyle(setup.Face());
    EXPECT_EQ(panel.Shape(), lsRoundRect);
    EXPECT_EQ(panel.width(), qRound(panel.PixelsPerInch() * 2.625));
    EXPECT_EQ(panel.FontColor(), QColor(0x80, 0, 0xFF));

    TZintLabelFile back;
    back.TakeFace(panel.Style());
    EXPECT_EQ(std::make_tuple(back.FontName, back.FontSize, back.FontItalic, back.FontColor, back.UsePhone,
                              back.ZipOptions, back.Alignment, back.TextMarginLeft),
              std::make_tuple(setup.FontName, 12, true, 0x00FF0080, true, 3, 2, 0.3));
}

TEST(LabelFace, PaintShowsTheShapeWithTheBackgroundAround)
{
    TZintLabelPanel panel;
    panel.resize(200, 100);
    panel.SetShape(lsRoundRect);
    EXPECT_EQ(panel.grab().toImage().pixel(0, 0), qRgb(0xC0, 0xC0, 0xC0));
    panel.SetShape(lsRectangle);
    EXPECT_EQ(panel.grab().toImage().pixel(0, 0), qRgb(255, 255, 255));
    panel.SetDrawOutline(true);
    EXPECT_EQ(panel.grab().toImage().pixel(0, 0), qRgb(0, 0, 0));
}

class RecordFace : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(book.opened);
        book.Add({{"FNAME", "Anna"},
                  {"LNAME", "Lindqvist"},
                  {"STREET", "Storgatan 1"},
                  {"CITY", "Malmö"},
                  {"ZIP", "211 22"},
                  {"COUNTRY", "Sweden"}});
        setup.LoadTemplate(QStringLiteral(ADDRINA_BIN_DIR "/adr.tpl"), QString(), true);
        face.style = setup.Face();
        face.SetDataTable(&book.table);
        face.BuildLines();
    }
    Book book;
    TZintLabelFile setup;
    LabelFace face;
};

TEST_F(RecordFace, TheFaceHoldsTheRecordsLinesInsideTheTextMargins)
{
    EXPECT_EQ(face.Lines(), QStringList({"Anna Lindqvist ", "Storgatan 1", "Malmö  211 22", "Sweden"}));
    const QRect inked = InkedArea(face);
    const int margin = qRound(0.2 * 96);
    EXPECT_FALSE(inked.isEmpty());
    EXPECT_GE(inked.left(), margin - 1);
    EXPECT_GE(inked.top(), margin);
    EXPECT_LT(inked.right(), qRound(face.style.size.width() * 96) - margin);
}

TEST_F(RecordFace, AdjustToFitShrinksALongLineIntoTheLabel)
{
    book.table.Edit();
    book.table.FieldByName("STREET").SetAsString(QString(60, QLatin1Char('W')));
    book.table.Post();
    face.BuildLines();
    const int right = qRound((face.style.size.width() - 0.2) * 96);
    EXPECT_GE(InkedArea(face).right(), right - 1); // clipped at the margin
    face.style.adjustFontSizeToFit = true;
    const QRect fitted = InkedArea(face);
    EXPECT_LT(fitted.right(), right);
    EXPECT_LT(fitted.height(), qRound(face.style.size.height() * 96) / 2);
}

TEST_F(RecordFace, TheLayoutSaysWhichLinesItHadAndDrewAsTheDesignScreenDoes)
{
    face.style.marginTop = 0.45;
    TZintLabelPanel panel;
    panel.SetStyle(face.style);
    panel.SetDataTable(&book.table);
    EXPECT_EQ(face.Layout().count.had, 4);
    EXPECT_LT(face.Layout().count.drawn, 4);
    EXPECT_EQ(panel.MeasureLines().drawn, face.Layout().count.drawn);
    face.style.adjustFontSizeToFit = true;
    EXPECT_FALSE(face.Layout().count.Lost());
}

TEST_F(RecordFace, TheFaceComesOutTheSameOnDevicesOfAnyResolution)
{
    face.style.alignment = taCenter;
    face.style.font.setPointSize(13);
    face.style.adjustFontSizeToFit = true;
    QTemporaryDir dir;
    const PdfReadBack coarse = FaceOnPdf(face, 72, dir.filePath("72.pdf"));
    const PdfReadBack fine = FaceOnPdf(face, 1200, dir.filePath("1200.pdf"));
    ASSERT_EQ(coarse.words.size(), 8);
    ExpectSameWords(coarse, fine);
    // Where the layout put the lines, centred in points.
    const FaceLayout layout = face.Layout();
    const PdfWord* street = fine.Find("Storgatan");
    ASSERT_TRUE(street);
    EXPECT_NEAR(street->xMin * 72, layout.lines[1].topLeft.x(), 0.1);
}
