#include "select/filterfile.h"

#include "printing.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString lines(std::initializer_list<const char*> texts)
{
    QString text;
    for (const char* t : texts)
        text += QString::fromUtf8(t) + QStringLiteral("\r\n");
    return text;
}

QString emptyLines(int n)
{
    return QStringLiteral("\r\n").repeated(n);
}

TEST(FilterFile, LastSmithWithReverseIs47Bytes)
{
    QueryValues values;
    values[QueryField::LName] = QStringLiteral("smith");
    values.reverse = true;
    const QString expected = "smith\r\n" + emptyLines(17) + "F\r\nT\r\n";
    EXPECT_EQ(formatFilterFile(values), expected);
    EXPECT_EQ(expected.toUtf8().size(), 47);
}

TEST(FilterFile, LinesFollowTheFileOrderNotTheExpressionOrder)
{
    QueryValues values;
    int n = 0;
    for (QueryField field : allQueryFields())
        values[field] = QString::number(++n);
    values.tagged = true;
    // Expression order numbers: ... 15 web page, 16 comments, 17 date, 18 codes.
    EXPECT_EQ(formatFilterFile(values), lines({"1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9", "10",
                                               "11", "12", "13", "14", "17", "18", "16", "15", "T", "F"}));
    EXPECT_EQ(parseFilterFile(formatFilterFile(values)), values);
}

TEST(FilterFile, PatternsRoundTripUntrimmedAndInUtf8)
{
    QueryValues values;
    values[QueryField::City] = QStringLiteral("  münchen ; köln ");
    values[QueryField::Codes] = QStringLiteral("$A^$B");
    values[QueryField::WebPage] = QStringLiteral("€");
    const QString text = formatFilterFile(values);
    EXPECT_TRUE(text.startsWith(emptyLines(7) + QStringLiteral("  münchen ; köln \r\n")));
    EXPECT_EQ(parseFilterFile(text), values);
}

TEST(FilterFile, ALineBreakInAPatternCannotShiftTheLines)
{
    QueryValues values;
    values[QueryField::LName] = QStringLiteral("a\r\nb");
    values.tagged = true;
    const QueryValues back = parseFilterFile(formatFilterFile(values));
    EXPECT_EQ(back[QueryField::LName], QStringLiteral("a  b"));
    EXPECT_TRUE(back.tagged);
    EXPECT_EQ(formatFilterFile(values).count("\r\n"), FilterFileLineCount);
}

TEST(FilterFile, ShortFilesArePaddedAndExtraLinesIgnored)
{
    EXPECT_EQ(parseFilterFile(QString()), QueryValues{});
    QueryValues one = parseFilterFile("jones");
    EXPECT_EQ(one[QueryField::LName], QStringLiteral("jones"));
    EXPECT_FALSE(one.tagged);
    EXPECT_FALSE(one.reverse);

    const QueryValues values = parseFilterFile(emptyLines(18) + "T\r\nT\r\nextra\r\nT\r\n");
    EXPECT_TRUE(values.tagged);
    EXPECT_TRUE(values.reverse);
}

TEST(FilterFile, OnlyACapitalTSetsAFlag)
{
    const QString base = emptyLines(18);
    for (const char* word : {"true", "t", "T ", " T", "1", "Y"}) {
        const QueryValues values = parseFilterFile(base + word + "\r\n" + word + "\r\n");
        EXPECT_FALSE(values.tagged) << word;
        EXPECT_FALSE(values.reverse) << word;
    }
}

TEST(FilterFile, AnyLineEndEndsALine)
{
    QueryValues expected;
    expected[QueryField::LName] = QStringLiteral("a");
    expected[QueryField::FName] = QStringLiteral("b");
    expected[QueryField::Title] = QStringLiteral("c");
    expected[QueryField::Street2] = QStringLiteral("d");
    // CR, LF, CR LF, then LF and CR which are two line ends (empty fourth and fifth lines).
    EXPECT_EQ(parseFilterFile("a\rb\nc\r\n\n\rd"), expected);
}

TEST(FilterFile, WriteAndReadFiles)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("a.FLT"));
    QueryValues values;
    values[QueryField::Zip] = QStringLiteral(">=90000");
    ASSERT_TRUE(writeFilterFile(path, values));
    // Overwriting replaces the whole file.
    values[QueryField::Zip] = QStringLiteral("1");
    ASSERT_TRUE(writeFilterFile(path, values));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), formatFilterFile(values).toUtf8());
    file.close();
    EXPECT_EQ(readFilterFile(path), values);

    // Older installations wrote Windows-1252.
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("M\xfcller\r\n\x80\r\n");
    file.close();
    const std::optional<QueryValues> older = readFilterFile(path);
    ASSERT_TRUE(older.has_value());
    EXPECT_EQ((*older)[QueryField::LName], QStringLiteral("Müller"));
    EXPECT_EQ((*older)[QueryField::FName], QStringLiteral("€"));

    EXPECT_FALSE(readFilterFile(dir.filePath(QStringLiteral("missing.FLT"))).has_value());
    EXPECT_FALSE(writeFilterFile(dir.filePath(QStringLiteral("no/such/dir/a.FLT")), values));
}

TEST(FilterFileNames, SavingNeedsTheFltExtension)
{
    EXPECT_EQ(filterSavePath(QStringLiteral("/d/mine")), QStringLiteral("/d/mine.FLT"));
    EXPECT_EQ(filterSavePath(QStringLiteral("/d/mine.flt")), QStringLiteral("/d/mine.flt"));
    EXPECT_EQ(filterSavePath(QStringLiteral("/d/mine.Flt")), QStringLiteral("/d/mine.Flt"));
    EXPECT_FALSE(filterSavePath(QStringLiteral("/d/filter.txt")).has_value());
    EXPECT_FALSE(filterSavePath(QStringLiteral("/d/filter.")).has_value());
    // A period in a folder name is no extension: the program directory itself usually
    // lies below a hidden folder.
    EXPECT_EQ(filterSavePath(QStringLiteral("/home/u/.local/share/mine")),
              QStringLiteral("/home/u/.local/share/mine.FLT"));
}

TEST(FilterFileNames, RestoringNeedsTheFltExtension)
{
    EXPECT_TRUE(isFilterFileName(QStringLiteral("/d/x.flt")));
    EXPECT_TRUE(isFilterFileName(QStringLiteral("/d/x.FLT")));
    EXPECT_FALSE(isFilterFileName(QStringLiteral("/d/x.txt")));
    EXPECT_FALSE(isFilterFileName(QStringLiteral("/d.flt/x")));
}

} // namespace
