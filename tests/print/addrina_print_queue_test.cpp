#include "support/fixture_copy.h"
#include "support/pdf_readback.h"
#include "support/print_system.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Result {
    int exit = -1;
    QString out, err;
};

// addrina-print with its settings file in the folder `home`.
Result AddrinaPrint(const QTemporaryDir& home, const QStringList& args)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.path());
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(ADDRINA_BIN_DIR "/addrina-print"), args);
    process.waitForFinished(120000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

TEST(AddrinaPrintQueue, LabelsAndReportsGoToAQueueWithItsCalibrationAndPaperAndARefusalIsExitOne)
{
    TestPrintSystem cups;
    ASSERT_TRUE(cups.AddPdfQueue("A4", "A4") && cups.AddPdfQueue("Letter", "Letter") && cups.SetDefault("A4") &&
                cups.AddPdfQueue("Refuses", "A4") && cups.RejectJobs("Refuses", "Out of paper"))
        << cups.Error().toStdString();
    // A calibration kept for the letter queue: 1 mm to the right, 2 mm up.
    QTemporaryDir home, dir;
    const QString addresses = CopyFixtureTable("small", dir.path(), "book");
    QDir().mkpath(home.filePath("Addrina"));
    QFile ini(home.filePath("Addrina/ADR.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Calibration Letter]\nOffsetX=1\nOffsetY=-2\nScaleX=100\nScaleY=100\n");
    ini.close();

    const Result listed = AddrinaPrint(home, {"printers"});
    EXPECT_EQ(listed.exit, 0) << listed.err.toStdString();
    EXPECT_EQ(listed.out, "A4\tdefault\nLetter\nRefuses\n");

    const QStringList labels = {"labels", addresses, "--template", "5160"};
    const Result written = AddrinaPrint(home, labels + QStringList{"-o", dir.filePath("direct.pdf")});
    ASSERT_EQ(written.exit, 0) << written.err.toStdString();
    ASSERT_EQ(AddrinaPrint(home, labels + QStringList{"--printer", "Letter"}).exit, 0);
    const QStringList pdfs = cups.WaitForPdfs("Letter", 1);
    ASSERT_EQ(pdfs.size(), 1) << cups.Log().toStdString();
    const PdfReadBack direct = ReadPdf(dir.filePath("direct.pdf"));
    const PdfReadBack queued = ReadPdf(pdfs[0]);
    ASSERT_EQ(queued.pages.size(), direct.pages.size());
    ASSERT_FALSE(direct.words.isEmpty());
    EXPECT_NEAR(queued.pages[0].width(), 8.5, 0.01);
    EXPECT_LT(LargestMiss(queued, direct, 1, 1 / 25.4, -2 / 25.4), 0.1 / 25.4);

    // The report takes the default queue's paper.
    const Result report = AddrinaPrint(home, {"report", "1", addresses, "--printer"});
    EXPECT_EQ(report.exit, 0) << report.err.toStdString();
    const QStringList a4 = cups.WaitForPdfs("A4", 1);
    ASSERT_EQ(a4.size(), 1);
    EXPECT_NEAR(ReadPdf(a4[0]).pages.value(0).height(), 297 / 25.4, 0.01);

    const Result refused = AddrinaPrint(home, labels + QStringList{"--printer", "Refuses"});
    EXPECT_EQ(refused.exit, 1);
    EXPECT_TRUE(refused.err.contains("Destination \"Refuses\" is not accepting jobs.")) << refused.err.toStdString();
    const Result unknown = AddrinaPrint(home, labels + QStringList{"--printer", "Nowhere"});
    EXPECT_EQ(unknown.exit, 1);
    EXPECT_TRUE(unknown.err.contains("no printer \"Nowhere\"")) << unknown.err.toStdString();
    EXPECT_EQ(AddrinaPrint(home, labels + QStringList{"--printer", "Letter", "-o", dir.filePath("x.pdf")}).exit, 2);
}
