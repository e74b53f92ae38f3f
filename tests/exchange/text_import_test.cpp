// Delimited text: splitting a line, decoding the file, scanning its columns and naming
// them from a header line.
#include "exchange_test_support.h"

#include "exchange/asciicolumns.h"
#include "exchange/importline.h"
#include "exchange/importtargets.h"
#include "exchange/importtext.h"
#include "exchange/matchrows.h"
#include "exchange/storabletext.h"
#include "table/tfield.h"

namespace {

TEST(ImportLine, QuotedCommasStayInTheirValue)
{
    EXPECT_EQ(SplitImportLine(u"Smith,\"Main St, Apt 4\",Springfield"),
              QStringList({"Smith", "Main St, Apt 4", "Springfield"}));
    // Blanks and case as they stand; doubled quotes inside a value stay doubled.
    EXPECT_EQ(SplitImportLine(u" a ,\"say \"\"hi\"\" ok\",B"), QStringList({" a ", "say \"\"hi\"\" ok", "B"}));
    // A closing quote after a doubled one ends the value at a comma or the line's end.
    EXPECT_EQ(SplitImportLine(u"\"x\"\"\",y"), QStringList({"x\"\"", "y"}));
    EXPECT_EQ(SplitImportLine(u"\"a,b\"\""), QStringList({"a,b\""}));
}

TEST(ImportLine, LoneQuotesEmptyLinesAndTrailingCommas)
{
    // Begins with a quote but does not end with one: the quote stays.
    EXPECT_EQ(SplitImportLine(u"\"Smith,x"), QStringList({"\"Smith,x"}));
    EXPECT_EQ(SplitImportLine(u"\"Smith\",x"), QStringList({"Smith", "x"}));
    EXPECT_EQ(SplitImportLine(u"a,\"\",b"), QStringList({"a", "", "b"}));
    EXPECT_EQ(SplitImportLine(u"\""), QStringList({"\""}));
    EXPECT_EQ(SplitImportLine(u""), QStringList({""}));
    EXPECT_EQ(SplitImportLine(u"a,b,"), QStringList({"a", "b", ""}));
    EXPECT_EQ(SplitImportLine(u",,"), QStringList({"", "", ""}));
}

TEST(ImportLine, StandardCsvRecordsSpanLinesAndHoldSingleQuotes)
{
    const QString text = QStringLiteral("a,\"b, \"\"c\"\"\",\"x\r\ny\"\r\n\"q\"z,\"open\n");
    QStringList values;
    const qsizetype second = SplitCsvRecord(text, 0, &values);
    EXPECT_EQ(values, QStringList({"a", "b, \"c\"", "x\r\ny"}));
    // Text after a closing quote joins the value; a quote never closed runs to the end.
    EXPECT_EQ(SplitCsvRecord(text, second, &values), text.size());
    EXPECT_EQ(values, QStringList({"qz", "open\n"}));
    EXPECT_EQ(SplitCsvRecord(u"\r\nx", 0, &values), 2);
    EXPECT_EQ(values, QStringList({""}));
    ImportText lines;
    lines.SetText(text, TextEncoding::Utf8);
    EXPECT_EQ(lines.CsvRecordCount(), 2);
}

TEST(ImportText, Utf8WithAndWithoutMarkAndWindows1252)
{
    TextEncoding encoding = TextEncoding::Windows1252;
    EXPECT_EQ(DecodeImportText("\xEF\xBB\xBFJos\xC3\xA9,M\xC3\xBCller", encoding), u"José,Müller");
    EXPECT_EQ(encoding, TextEncoding::Utf8);
    EXPECT_EQ(DecodeImportText("Jos\xC3\xA9", encoding), u"José");
    EXPECT_EQ(encoding, TextEncoding::Utf8);
    // Not valid UTF-8: an older file in Windows-1252 (the euro sign is 0x80 there).
    EXPECT_EQ(DecodeImportText("Jos\xE9 \x80", encoding), u"José €");
    EXPECT_EQ(encoding, TextEncoding::Windows1252);
    // A sequence cut at the end is not UTF-8 either.
    EXPECT_EQ(DecodeImportText("ab\xC3", encoding), u"abÃ");
    EXPECT_EQ(encoding, TextEncoding::Windows1252);
}

TEST(ImportText, LinesEndAtLineFeedsAndAnEmptyLastLineCounts)
{
    ImportText text;
    text.SetText(QStringLiteral("a\r\nb\n"), TextEncoding::Utf8);
    EXPECT_EQ(text.LineCount(), 2);
    text.SetText(QStringLiteral("a\nb\n\n"), TextEncoding::Utf8);
    EXPECT_EQ(text.LineCount(), 3);
    QStringList lines;
    QStringView line;
    while (text.NextLine(line))
        lines.append(line.toString());
    EXPECT_EQ(lines, QStringList({"a", "b", ""}));
    text.SetText(QString(), TextEncoding::Utf8);
    EXPECT_EQ(text.LineCount(), 0);
    EXPECT_FALSE(text.NextLine(line));
}

TEST(StorableText, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    bool replaced = true;
    EXPECT_EQ(StorableText(QStringLiteral("Zoë € “x”"), replaced), u"Zoë € “x”");
    EXPECT_FALSE(replaced);
    EXPECT_EQ(StorableText(QStringLiteral("Łódź 😀!"), replaced), u"?ód? ?!");
    EXPECT_TRUE(replaced);
}

TEST(MatchRows, AColumnFillsOneFieldAtMost)
{
    MatchRows rows({"City", "State", "Zip/Postal Code"});
    rows.Assign(0, "Field 2");
    rows.Assign(1, "Field 2");
    EXPECT_EQ(rows.Assigned(0), "");
    EXPECT_EQ(rows.Assigned(1), "Field 2");
    EXPECT_EQ(rows.RowOf("Field 2"), 1);
    rows.Assign(2, "Field 3");
    rows.Clear(1);
    EXPECT_EQ(rows.RowOf("Field 2"), -1);
    rows.ClearAll();
    EXPECT_EQ(rows.Assigned(2), "");
}

class ColumnScan : public ImportTest {
protected:
    void SetUp() override
    {
        ImportTest::SetUp();
        targets_ = ImportTargets(trio_.table);
    }
    bool Scan(const QString& text)
    {
        ImportText file;
        file.SetText(text, TextEncoding::Utf8);
        return ScanAsciiText(file, targets_, scan_);
    }
    QStringList Names() const
    {
        QStringList names;
        for (const AsciiColumn& column : scan_.columns)
            names.append(column.name + "=" + column.matched);
        return names;
    }
    ImportTrio trio_;
    std::vector<TField*> targets_;
    AsciiScan scan_;
};

TEST_F(ColumnScan, TargetsAreTheNineteenVisibleCharacterFields)
{
    ASSERT_EQ(targets_.size(), 19u);
    EXPECT_EQ(targets_.front()->DisplayLabel(), "Last Name");
    EXPECT_EQ(targets_.back()->DisplayLabel(), "Web Page");
    for (TField* field : targets_)
        EXPECT_TRUE(field->FieldName() != "DATE" && field->FieldName() != "TAG" && field->FieldName() != "ISDEL");
}

TEST_F(ColumnScan, TheFirstLineCountsTheColumns)
{
    ASSERT_TRUE(Scan("a,b,c\nlonger,x,y,z,w\n1,2\n"));
    EXPECT_EQ(Names(), QStringList({"Field 1=", "Field 2=", "Field 3="}));
    EXPECT_EQ(scan_.columns[0].longest, 6);
    EXPECT_EQ(scan_.lines.size(), 3u);
    EXPECT_FALSE(scan_.headerLikely);
    // A single line cannot be imported.
    EXPECT_FALSE(Scan("a,b,c\n"));
    EXPECT_TRUE(scan_.columns.empty());
    // Columns beyond 255 are ignored.
    ASSERT_TRUE(Scan(QString(300, ',') + "\nx\n"));
    EXPECT_EQ(scan_.columns.size(), 255u);
    // Only ten lines are scanned.
    ASSERT_TRUE(Scan(QString("x\n").repeated(20) + "a very long value\n"));
    EXPECT_EQ(scan_.columns[0].longest, 1);
}

TEST_F(ColumnScan, AHeaderLineNamesAndMatchesColumns)
{
    ASSERT_TRUE(Scan("First Name,Last Name,E-mail Address,Business Phone,Mobile Phone,Postal Code,Surname,Notes,"
                     "Hobby\nJosé,Smith,j@x.org,1,2,3,4,5,6\n"));
    EXPECT_TRUE(scan_.headerLikely);
    EXPECT_TRUE(scan_.useHeader);
    EXPECT_EQ(Names(), QStringList({"First Name=First Name", "Last Name=Last Name", "E-mail Address=Email",
                                    "Business Phone=Phone 1", "Mobile Phone=Phone 2", "Postal Code=Zip/Postal Code",
                                    "Surname=", "Notes=Comments", "Hobby="}));
    EXPECT_EQ(SampleLines(scan_).size(), 1u);
    // Unticked: numbered columns, nothing matched, the header line is a record.
    scan_.useHeader = false;
    NameColumns(scan_, targets_);
    EXPECT_EQ(Names().first(), "Field 1=");
    EXPECT_EQ(SampleLines(scan_).size(), 2u);
    // Field names, labels and synonyms, ignoring case and punctuation; repeated or blank
    // headings keep their numbers.
    ASSERT_TRUE(Scan("lname,ZIP/postal code,COMPANY,ORG,,lname\nx\n"));
    EXPECT_EQ(Names(), QStringList({"lname=Last Name", "ZIP/postal code=Zip/Postal Code", "COMPANY=Organization",
                                    "ORG=", "Field 5=", "Field 6="}));
    // An address in the first line means it is data.
    ASSERT_TRUE(Scan("Smith,john@example.org\nx\n"));
    EXPECT_FALSE(scan_.headerLikely);
}

} // namespace
