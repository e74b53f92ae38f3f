#include "support/fixture_copy.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <stdexcept>

TEST(FixtureCopy, CopiesBothFilesWritableOverAnyOldOneAndStopsOnAMissingFixture)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile old(dir.filePath("book.cdx"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("stale");
    old.close();

    const QString path = CopyFixtureTable("small", dir.path(), "book");
    EXPECT_EQ(path, dir.filePath("book.dbf"));
    for (const char* ext : {".dbf", ".cdx"}) {
        const QFileInfo copy(dir.filePath(QStringLiteral("book") + ext));
        EXPECT_EQ(copy.size(), QFileInfo(FixtureTableBase("small") + ext).size()) << ext;
        EXPECT_TRUE(copy.isWritable()) << ext;
    }
    EXPECT_EQ(CopyFixtureTable("small", dir.path()), dir.filePath("small.dbf"));
    EXPECT_THROW(CopyFixtureTable("no-such-fixture", dir.path()), std::runtime_error);
}
