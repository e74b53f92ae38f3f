// addrina-print on an address file it cannot read: one the program holds open is told
// apart from one that is not an address file at all.
#include "support/fixture_copy.h"
#include "table/opentablefile.h"
#include "table/ttable.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString PrintToolErrors(const QStringList& args, int& exitCode)
{
    QProcess tool;
    tool.start(QString(ADDRINA_BIN_DIR) + "/addrina-print", args);
    exitCode = tool.waitForFinished(120000) ? tool.exitCode() : -1;
    return QString::fromUtf8(tool.readAllStandardError());
}

} // namespace

TEST(PrintToolOpen, AFileHeldOpenIsInUseNotDamaged)
{
    QTemporaryDir dir;
    const QString book = CopyFixtureTable("small", dir.path(), "book");
    const QString out = dir.filePath("r1.pdf");
    int exitCode = 0;
    {
        // As the program holds its open address file.
        TTable held;
        held.SetExclusive(true);
        ASSERT_TRUE(OpenTableFile(book, held));
        const QString errors = PrintToolErrors({"report", "1", book, "-o", out}, exitCode);
        EXPECT_EQ(exitCode, 1);
        EXPECT_TRUE(errors.contains(book + " is in use by another program")) << errors.toStdString();
        EXPECT_TRUE(errors.contains("close it in Addrina")) << errors.toStdString();
        EXPECT_FALSE(errors.contains("as an address file")) << errors.toStdString();
        EXPECT_FALSE(QFile::exists(out));
    }
    // Once let go, the same file prints.
    PrintToolErrors({"report", "1", book, "-o", out}, exitCode);
    EXPECT_EQ(exitCode, 0);

    QFile junk(dir.filePath("junk.dbf"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a table at all, just some text");
    junk.close();
    const QString errors = PrintToolErrors({"report", "1", junk.fileName(), "-o", out}, exitCode);
    EXPECT_EQ(exitCode, 1);
    EXPECT_TRUE(errors.contains("cannot open " + junk.fileName() + " as an address file")) << errors.toStdString();
    EXPECT_FALSE(errors.contains("in use")) << errors.toStdString();
}
