#include "support/fixture_copy.h"
#include "support/pdf_readback.h"

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct ToolRun {
    int exitCode = -1;
    QString errors;
};

ToolRun RunPrintTool(const QStringList& args)
{
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "en_US.UTF-8"); // letter paper
    tool.setProcessEnvironment(env);
    tool.start(QString(ADDRINA_BIN_DIR) + "/addrina-print", args);
    if (!tool.waitForFinished(120000))
        return {};
    return {tool.exitCode(), QString::fromUtf8(tool.readAllStandardError())};
}

QByteArray Digest(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Md5) : "";
}

} // namespace

TEST(PrintTool, ReportsAnAddressFileToPdfWithoutTouchingIt)
{
    QTemporaryDir dir;
    const QString book = CopyFixtureTable("small", dir.path(), "book");
    const QByteArray before = Digest(book);
    const QString out = dir.filePath("r1.pdf");
    const ToolRun run = RunPrintTool({"report", "1", book, "--title", "Members", "-o", out});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_EQ(Digest(book), before);

    const PdfReadBack pdf = ReadPdf(out);
    ASSERT_GE(pdf.pages.size(), 2);
    for (int page = 1; page <= pdf.pages.size(); ++page) {
        ASSERT_TRUE(pdf.Find("Members", page)) << page;
        const PdfWord* heading = pdf.Find("Phone", page);
        ASSERT_TRUE(heading);
        EXPECT_NEAR(heading->xMin, 1.0 + 1.75 + 2.15 + 2 + 0.02, 0.01);
    }

    const QString filtered = dir.filePath("r4.pdf");
    ASSERT_EQ(RunPrintTool({"report", "4", book, "--codes", "--filter", "UPPER(CITY)=\"SPRINGFIELD\"", "-o", filtered})
                  .exitCode,
              0);
    const PdfReadBack springfield = ReadPdf(filtered);
    ASSERT_FALSE(springfield.words.isEmpty());
    EXPECT_TRUE(springfield.Find("Codes:"));
    for (const PdfWord& w : springfield.words)
        EXPECT_NE(w.text, "Denver,");
}

TEST(PrintTool, WrongArgumentsAndMissingFiles)
{
    QTemporaryDir dir;
    const QString book = CopyFixtureTable("small", dir.path(), "book");
    const QString out = dir.filePath("x.pdf");
    EXPECT_EQ(RunPrintTool({"report", "5", book, "-o", out}).exitCode, 2);
    EXPECT_EQ(RunPrintTool({"report", "1", book}).exitCode, 2); // no -o
    EXPECT_EQ(RunPrintTool({"report", "1", book, "--colour", "-o", out}).exitCode, 2);
    EXPECT_EQ(RunPrintTool({"report", "1", book, "--filter", "UPPER(", "-o", out}).exitCode, 2);
    EXPECT_EQ(RunPrintTool({"envelopes", "1", book, "-o", out}).exitCode, 2);
    const ToolRun missing = RunPrintTool({"report", "1", dir.filePath("none.dbf"), "-o", out});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.errors.contains("none.dbf"));
    EXPECT_FALSE(QFile::exists(out));
}
