#include "report/previewzoom.h"
#include "report/tpreviewform.h"
#include "support/recording_help.h"
#include "support/temp_program_dir.h"

#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

QByteArray Pages(int count)
{
    QByteArray stream;
    TReportFiler filer;
    filer.Printer().SetPaperSize(1, 0, 0);
    filer.SetStreamMode(smUser);
    filer.SetStream(&stream);
    filer.OnPrint = [count](TBaseReport& r) {
        r.SetFont("Arial", 24);
        for (int page = 1; page <= count; ++page) {
            if (page > 1)
                r.StartNewPage();
            r.PrintText(QString("Page %1").arg(page));
        }
    };
    filer.RunReport();
    return stream;
}

// A dark pixel in the page image's top band: text was drawn there.
bool HasInk(const QImage& image)
{
    for (int y = 0; y < image.height() / 8; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                return true;
    return false;
}

} // namespace

TEST(PreviewZoom, FactorsStayBetweenTenAndTwoHundredAndFitTheClient)
{
    EXPECT_EQ(ClampZoom(5), 10);
    EXPECT_EQ(ClampZoom(250), 200);
    EXPECT_EQ(ClampZoom(85), 85);
    const QSizeF letter(8.5, 11);
    // At 96 dpi the page is 816 px wide, the margin 20.4 px on each side.
    EXPECT_NEAR(PreviewMargin(letter, 96, 2.5), 20.4, 1e-9);
    EXPECT_NEAR(ZoomForPageWidth(letter, 96, 2.5, QSize(857, 2000), 17), 100 * (857 - 40.8) / 816,
                1e-9); // fits in height
    EXPECT_NEAR(ZoomForPageWidth(letter, 96, 2.5, QSize(857, 600), 17), 100 * (857 - 17 - 40.8) / 816, 1e-9);
    EXPECT_NEAR(ZoomForWholePage(letter, 96, 2.5, QSize(2000, 1100)), 100 * (1100 - 4 - 40.8) / 1056, 1e-9);
    EXPECT_EQ(ZoomForWholePage(letter, 96, 2.5, QSize(50, 50)), 10);
    EXPECT_EQ(PreviewCaption(1, 1, 3, 85.4), "Preview Page 1 of 3 ( 85% )");
}

TEST(PreviewForm, AOnePagePreviewHidesThePageButtons)
{
    TempProgramDirectory dir;
    QByteArray stream = Pages(1);
    TPreviewForm form;
    form.FilePreview1.SetStream(&stream);
    form.SetZoomMode(100);
    form.show();
    EXPECT_EQ(form.windowTitle(), "Preview Page 1 of 1 ( 100% )");
    for (const char* name : {"sbFirstPage", "sbPrevPage", "sbNextPage", "sbLastPAge"})
        EXPECT_FALSE(form.findChild<QToolButton*>(name)->isVisible()) << name;
    EXPECT_TRUE(HasInk(form.PageImage()));
    EXPECT_EQ(form.PageImage().width(), 816);
    form.findChild<QPushButton*>("ReturnButton")->click();
    EXPECT_TRUE(dir.SettingsText().contains("TPreviewForm_Placement")); // placement saved on close
}

TEST(PreviewForm, PagesThroughZoomsAndScrolls)
{
    TempProgramDirectory dir;
    RecordingHelp help;
    QByteArray stream = Pages(3);
    TPreviewForm form;
    form.FilePreview1.SetStream(&stream);
    form.SetZoomMode(TPreviewForm::ZoomPageWidth);
    form.show();
    const double pageWidthZoom = form.FilePreview1.ZoomFactor();
    EXPECT_GT(pageWidthZoom, 10);
    EXPECT_TRUE(form.findChild<QToolButton*>("sbNextPage")->isVisible());
    const auto click = [&](const char* name) { form.findChild<QToolButton*>(name)->click(); };

    click("sbPrevPage"); // nothing before the first page
    EXPECT_EQ(form.FilePreview1.Page(), 1);
    click("sbNextPage");
    click("sbNextPage");
    click("sbNextPage"); // nothing after the last
    EXPECT_EQ(form.FilePreview1.Page(), 3);
    EXPECT_TRUE(form.windowTitle().startsWith("Preview Page 3 of 3 ( "));
    click("sbFirstPage");
    EXPECT_EQ(form.FilePreview1.Page(), 1);
    click("sbLastPAge");
    EXPECT_EQ(form.FilePreview1.Page(), 3);

    click("zbZoom100");
    click("sbZoomIn");
    EXPECT_EQ(form.windowTitle(), "Preview Page 3 of 3 ( 110% )");
    EXPECT_EQ(form.PageImage().width(), qRound(8.5 * form.FilePreview1.ScreenDpi() * 1.1));
    form.SetZoom(15);
    click("sbZoomOut");
    click("sbZoomOut");
    EXPECT_EQ(form.FilePreview1.ZoomFactor(), 10);
    form.PageMousePress(Qt::LeftButton);
    EXPECT_EQ(form.FilePreview1.ZoomFactor(), 20);
    form.PageMousePress(Qt::RightButton);
    EXPECT_EQ(form.FilePreview1.ZoomFactor(), 10);
    click("sbZoomPageWidth");
    EXPECT_DOUBLE_EQ(form.FilePreview1.ZoomFactor(), pageWidthZoom);
    click("sbZoomPage");
    EXPECT_LT(form.FilePreview1.ZoomFactor(), pageWidthZoom);

    form.SetZoom(200);
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QScrollBar* bar = form.ScrollBox1->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    QTest::keyClick(form.windowHandle(), Qt::Key_Down);
    EXPECT_EQ(bar->value(), bar->singleStep());
    QTest::keyClick(form.windowHandle(), Qt::Key_Up);
    QTest::keyClick(form.windowHandle(), Qt::Key_Up);
    EXPECT_EQ(bar->value(), 0);

    form.findChild<QPushButton*>("Helpbutton")->click();
    EXPECT_EQ(help.requests, QStringList{"topic 1074"});
    form.reject();
}
