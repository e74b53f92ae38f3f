#include "labels/facegeometry.h"
#include "labels/gzintpanel.h"
#include "labels/lostlines.h"
#include "labels/tzintlabelfile.h"
#include "select/book.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

std::vector<int> Tops(const std::vector<PlacedLine>& placed)
{
    std::vector<int> tops;
    for (const PlacedLine& p : placed)
        tops.push_back(p.top);
    return tops;
}

// Pixels of a picture played onto a white image of its own size that are not white.
QRect InkedArea(const QPicture& picture)
{
    QImage image(picture.boundingRect().size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter(&image).drawPicture(0, 0, picture);
    QRect inked;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                inked |= QRect(x, y, 1, 1);
    return inked;
}

} // namespace

TEST(FaceGeometry, AlignmentsPlaceEachLine)
{
    const FaceRect r{10, 0, 110, 50};
    EXPECT_EQ(LineLeft(taLeftJustify, r, 40), 10);
    EXPECT_EQ(LineLeft(taRightJustify, r, 40), 69);
    EXPECT_EQ(LineLeft(taCenter, r, 41), 10 + 50 - 20 + 1);
}

TEST(FaceGeometry, ALineOverhangingByLessThan40PercentStaysTheNextGoes)
{
    // Lines 10 high in a rectangle whose bottom is 33: the fourth ends at 40, 7 below the
    // bottom, more than trunc(0.4 x 10) = 4; with the bottom at 36 it overhangs by 4 and stays.
    EXPECT_EQ(Tops(PlaceFaceLines({5, 5, 5, 5, 5}, 10, 0, {0, 0, 50, 33})), std::vector<int>({0, 10, 20}));
    EXPECT_EQ(Tops(PlaceFaceLines({5, 5, 5, 5, 5}, 10, 0, {0, 0, 50, 36})), std::vector<int>({0, 10, 20, 30}));
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
    const FaceRect r{0, 0, 99, 99};                               // 100 x 100
    EXPECT_EQ(FittedFontSize(10, 16, 4, 200, r), 5);              // the widest line is twice the width
    EXPECT_EQ(FittedFontSize(10, 16, 4, 80, r), 10);              // fits: unchanged, not enlarged
    EXPECT_EQ(FittedFontSize(10, 25, 8, 80, r), 5);               // 200 high in 100
    EXPECT_EQ(FittedFontSize(10, 25, 8, 400, r), 2);              // the smaller of the two
    EXPECT_EQ(FittedFontSize(10, 16, 4, 200, {0, 0, -5, 99}), 1); // no room at all
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
        setup.ApplyToPanel(panel);
        EXPECT_EQ(panel.Shape(), lsRectangle) << shape;
    }
    setup.ShapeCode = QStringLiteral("RR");
    setup.ApplyToPanel(panel);
    EXPECT_EQ(panel.Shape(), lsRoundRect);
    EXPECT_EQ(panel.width(), qRound(panel.PixelsPerInch() * 2.625));
    EXPECT_EQ(panel.FontColor(), QColor(0x80, 0, 0xFF));

    TZintLabelFile back;
    back.TakeFromPanel(panel);
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
        setup.ApplyToPanel(panel);
        panel.SetDataTable(&book.table);
    }
    Book book;
    TZintLabelFile setup;
    TZintLabelPanel panel;
};

TEST_F(RecordFace, ThePictureHoldsTheRecordsLinesInsideTheTextMargins)
{
    panel.SetLinesDirty();
    const QPicture picture = panel.RenderToPicture();
    EXPECT_EQ(panel.LabelLines(), QStringList({"Anna Lindqvist ", "Storgatan 1", "Malmö  211 22", "Sweden"}));
    EXPECT_EQ(picture.boundingRect(), QRect(0, 0, panel.width(), panel.height()));
    const QRect inked = InkedArea(picture);
    const int margin = qRound(0.2 * panel.PixelsPerInch());
    EXPECT_FALSE(inked.isEmpty());
    EXPECT_GE(inked.left(), margin);
    EXPECT_GE(inked.top(), margin);
    EXPECT_LT(inked.right(), panel.width() - margin);
}

TEST_F(RecordFace, AdjustToFitShrinksALongLineIntoTheLabel)
{
    book.table.Edit();
    book.table.FieldByName("STREET").SetAsString(QString(60, QLatin1Char('W')));
    book.table.Post();
    panel.BuildLines();
    const int right = panel.width() - qRound(0.2 * panel.PixelsPerInch());
    EXPECT_GE(InkedArea(panel.RenderToPicture()).right(), right - 1); // clipped at the margin
    panel.SetAdjustFontSizeToFit(true);
    const QRect fitted = InkedArea(panel.RenderToPicture());
    EXPECT_LT(fitted.right(), right);
    EXPECT_LT(fitted.height(), panel.height() / 2);
}

TEST_F(RecordFace, EachDrawingReportsTheLinesItHadAndDrew)
{
    panel.SetMarginTop(0.45);
    panel.SetLinesDirty();
    const FaceLines onScreen = panel.MeasureLines();
    panel.RenderToPicture();
    EXPECT_EQ(panel.LastDrawing().had, 4);
    EXPECT_LT(panel.LastDrawing().drawn, 4);
    EXPECT_EQ(onScreen.drawn, panel.LastDrawing().drawn);
    panel.SetAdjustFontSizeToFit(true);
    panel.RenderToPicture();
    EXPECT_FALSE(panel.LastDrawing().Lost());
}
