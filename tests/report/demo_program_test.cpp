#include "support/pdf_readback.h"

#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

// The developer's demo program prints its two-page report to "PDF file", and a PDF
// reader finds the text where the canvas put it.
TEST(DemoProgram, PrintsTheTwoPageSampleToAReadablePdf)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("demo.pdf");
    QProcess demo;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "en_US.UTF-8"); // letter paper
    env.insert("QT_QPA_PLATFORM", "offscreen");
    demo.setProcessEnvironment(env);
    demo.start(QString(ADDRINA_BIN_DIR) + "/report-demo", {"-o", path});
    ASSERT_TRUE(demo.waitForFinished(60000));
    ASSERT_EQ(demo.exitCode(), 0) << demo.readAllStandardError().toStdString();

    const PdfReadBack pdf = ReadPdf(path);
    ASSERT_EQ(pdf.pages.size(), 2);
    EXPECT_NEAR(pdf.pages[1].width(), 8.5, 0.01);
    EXPECT_NEAR(pdf.pages[1].height(), 11, 0.01);
    for (int page = 1; page <= 2; ++page) {
        const PdfWord* title = pdf.Find("Canvas", page);
        ASSERT_TRUE(title);
        EXPECT_NEAR(title->xMin, 1.0, 0.01);
        // The page number on the title's line, its right end on the section's right edge.
        const QVector<PdfWord> words = pdf.Words(page);
        const auto number = std::find_if(words.begin(), words.end(), [&](const PdfWord& w) {
            return w.text == QString::number(page) && std::abs(w.yMax - title->yMax) < 0.05;
        });
        ASSERT_NE(number, words.end());
        EXPECT_NEAR(number->xMax, 8.0, 0.01);
        const PdfWord* heading = pdf.Find("Amount", page);
        ASSERT_TRUE(heading);
        EXPECT_NEAR(heading->xMax, 1.0 + 2.5 + 2.0 + 1.5 - 0.05, 0.01);
    }
    // Rows run on from the first page onto the second, the first at the first stop.
    const PdfWord* first = pdf.Find("Contact", 1);
    ASSERT_TRUE(first);
    EXPECT_NEAR(first->xMin, 1.02, 0.01);
    EXPECT_TRUE(pdf.Find("560.00", 2));
    EXPECT_FALSE(pdf.Find("560.00", 1));
    EXPECT_TRUE(pdf.Find("Demo", 2)); // the picture's text stays text
}
