#include "app/fieldslist.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

const QStringList Fields{"Tagged", "LNAME", "FNAME", "MIDDLE", "PREFIX", "CITY"};

} // namespace

TEST(FieldsList, MissingFileReadsAsNothing)
{
    QTemporaryDir dir;
    EXPECT_FALSE(ReadFieldsList(FieldsListPath(dir.path())).has_value());
}

TEST(FieldsList, WritesOneNamePerLineWithCrLfAndReadsItBack)
{
    QTemporaryDir dir;
    const QString path = FieldsListPath(dir.path());
    EXPECT_TRUE(path.endsWith("/FIELDS.LST"));
    ASSERT_TRUE(WriteFieldsList(path, {"LNAME", "FNAME", "DisplayDate"}));
    EXPECT_EQ(ReadBytes(path), QByteArray("LNAME\r\nFNAME\r\nDisplayDate\r\n"));
    EXPECT_EQ(ReadFieldsList(path), QStringList({"LNAME", "FNAME", "DisplayDate"}));

    // Rewriting replaces the whole file, not only its first lines.
    ASSERT_TRUE(WriteFieldsList(path, {"CITY"}));
    EXPECT_EQ(ReadBytes(path), QByteArray("CITY\r\n"));
}

TEST(FieldsList, ReadsBareLineFeedsBlanksAndAMissingLastNewline)
{
    QTemporaryDir dir;
    const QString path = FieldsListPath(dir.path());
    WriteBytes(path, "LNAME\n\r\n  FNAME  \r\nCITY");
    EXPECT_EQ(ReadFieldsList(path), QStringList({"LNAME", "FNAME", "CITY"}));
}

TEST(FieldsList, WriteFailsInAMissingDirectory)
{
    QTemporaryDir dir;
    EXPECT_FALSE(WriteFieldsList(dir.filePath("gone/FIELDS.LST"), {"LNAME"}));
}

TEST(ArrangeFields, ListedFieldsComeFirstInListOrder)
{
    EXPECT_EQ(ArrangeFields(Fields, {"Tagged", "FNAME", "LNAME"}),
              QStringList({"Tagged", "FNAME", "LNAME", "MIDDLE", "PREFIX", "CITY"}));
    EXPECT_EQ(ArrangeFields(Fields, {"city", "middle"}),
              QStringList({"CITY", "MIDDLE", "Tagged", "LNAME", "FNAME", "PREFIX"}));
    EXPECT_EQ(ArrangeFields(Fields, {}), Fields);
}

TEST(ArrangeFields, UnknownNamesAndRepeatsDoNotShiftTheOthers)
{
    // An unknown name in the middle still lets every known name take its place.
    EXPECT_EQ(ArrangeFields(Fields, {"BOGUS", "CITY", "Tagged", "NOSUCH", "LNAME"}),
              QStringList({"CITY", "Tagged", "LNAME", "FNAME", "MIDDLE", "PREFIX"}));
    EXPECT_EQ(ArrangeFields(Fields, {"FNAME", "LNAME", "FNAME", "Tagged"}),
              QStringList({"FNAME", "LNAME", "Tagged", "MIDDLE", "PREFIX", "CITY"}));
}
