#include "report/singlerecord.h"
#include "report_support.h"

#include <gtest/gtest.h>

namespace {

const RecordField Smith = [](const QString& name) {
    return name == "LNAME" ? QString("Smith") : name == "CITY" ? QString("Springfield") : QString();
};

} // namespace

TEST(SingleRecord, LabelsAtTheMarginValuesAtTheSecondStopEmptyFieldsStillLabelled)
{
    std::array<bool, 20> all;
    all.fill(true);
    PdfRun run;
    PrintToPdf(
        run, [&](TBaseReport& r) { PrintSingleRecord(r, Smith, all); },
        [](TBaseReport& r) { r.Printer().SetPaperSize(1, 0, 0); });
    ASSERT_EQ(run.pdf.pages.size(), 1);
    const PdfWord* last = run.pdf.Find("Last");
    const PdfWord* smith = run.pdf.Find("Smith");
    const PdfWord* webLabel = run.pdf.Find("Web");
    ASSERT_TRUE(last && smith && webLabel);
    EXPECT_NEAR(last->xMin, 1.02, 0.01);
    EXPECT_NEAR(smith->xMin, 1.0 + 1.25 + 0.02, 0.01);
    EXPECT_NEAR(smith->yMax, last->yMax, 0.01);
    EXPECT_GT(webLabel->yMin, smith->yMin); // empty, still labelled, further down
    const PdfWord* page = run.pdf.Find("Page");
    ASSERT_TRUE(page);
    EXPECT_LT(page->yMax, 1.0);
}

TEST(SingleRecord, NothingChosenGivesTheHeaderAndRulesOnly)
{
    std::array<bool, 20> none{};
    const QStringList log = RecordOperations([&](TBaseReport& r) { PrintSingleRecord(r, Smith, none); });
    EXPECT_EQ(log.filter(QRegularExpression("^line")).size(), 2);
    const QStringList texts = log.filter(QRegularExpression("^text"));
    ASSERT_EQ(texts.size(), 2);
    EXPECT_TRUE(texts[0].endsWith("Page 1"));
    EXPECT_TRUE(log.contains("line 1.000,1.000 7.500,1.000"));
    EXPECT_TRUE(log.contains("line 1.000,10.000 7.500,10.000"));
}
