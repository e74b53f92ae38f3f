// Standard CSV read back by Python's csv module, as a spreadsheet would read it, and by
// the text import.
#include "export_test_support.h"

#include "exchange/asciicolumns.h"
#include "exchange/exportcopy.h"
#include "exchange/exportfields.h"
#include "exchange/importtargets.h"
#include "exchange/importtext.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <gtest/gtest.h>

namespace {

TEST(CsvCopy, ASpreadsheetReaderGetsTheLabelsAndEveryValueWithCommasQuotesLineBreaksAndAccents)
{
    if (!PythonHas("csv"))
        GTEST_SKIP() << "python3 is not installed";
    ExportBook book;
    book.Add({{"PREFIX", "Mme"},
              {"FNAME", QStringLiteral("Hélène")},
              {"MIDDLE", "\""},
              {"LNAME", QStringLiteral("O'Brien, Ñúñez")},
              {"TITLE", "He said \"hi\""},
              {"ORG", QStringLiteral("Société Générale")},
              {"STREET", "1 Rue, Bât. A"},
              {"STREET2", "line one\r\nline two"},
              {"CITY", QStringLiteral("Zürich")},
              {"STATE", "ZH"},
              {"ZIP", "8001"},
              {"COUNTRY", "Schweiz"},
              {"PHONE", "+41 44 000"},
              {"PHONE2", ""},
              {"EMAIL", "h@example.ch"},
              {"WEBPAGE", "https://example.ch/?a=1,b=2"},
              {"FAX", "\"\""},
              {"DATE", "19970428"},
              {"COMMENTS", QStringLiteral("€ 5, \"cheap\";\nnext")},
              {"CODES", "A B"}});
    book.Add({{"LNAME", "Plain"}});
    const QString target = book.File("list.csv");
    ExportWalk walk(book.table, book.apollo);
    ASSERT_FALSE(CopyToTextFile(walk, book.table, CopyOutKind::Csv, target).failed);

    bool ok = false;
    const QString out = RunPython(QStringLiteral("import csv, json, sys\n"
                                                 "with open(sys.argv[1], newline='', encoding='utf-8') as f:\n"
                                                 "    print(json.dumps(list(csv.reader(f))))\n"),
                                  {target}, &ok);
    ASSERT_TRUE(ok) << out.toStdString();
    const QJsonArray rows = QJsonDocument::fromJson(out.toUtf8()).array();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].toVariant().toStringList(),
              QStringList({"Prefix",          "First Name", "Middle",    "Last Name", "Title",
                           "Organization",    "Address 1",  "Address 2", "City",      "State",
                           "Zip/Postal Code", "Country",    "Phone 1",   "Phone 2",   "Email",
                           "Web Page",        "Fax",        "Date",      "Comments",  "Codes"}));
    const QStringList expected({"Mme",
                                QStringLiteral("Hélène"),
                                "\"",
                                QStringLiteral("O'Brien, Ñúñez"),
                                "He said \"hi\"",
                                QStringLiteral("Société Générale"),
                                "1 Rue, Bât. A",
                                "line one\r\nline two",
                                QStringLiteral("Zürich"),
                                "ZH",
                                "8001",
                                "Schweiz",
                                "+41 44 000",
                                "",
                                "h@example.ch",
                                "https://example.ch/?a=1,b=2",
                                "\"\"",
                                "1997-04-28",
                                QStringLiteral("€ 5, \"cheap\";\nnext"),
                                "A B"});
    const QStringList values = rows[1].toVariant().toStringList();
    ASSERT_EQ(values.size(), expected.size());
    for (qsizetype i = 0; i < values.size(); ++i)
        EXPECT_EQ(values[i], expected[i]) << "column " << i;
    EXPECT_EQ(rows[2].toArray()[3].toString(), "Plain");
    EXPECT_EQ(rows[2].toArray().size(), ExportFieldCount);

    // The way back: the text import, its header line recognised, reads every value as
    // it was written, and counts lines from the start of each record.
    ImportText text;
    ASSERT_TRUE(text.Load(target));
    const std::vector<TField*> targets = ImportTargets(book.table);
    AsciiScan scan;
    ASSERT_TRUE(ScanAsciiText(text, targets, scan));
    ASSERT_TRUE(scan.useHeader);
    const std::vector<TField*> fields = ColumnFields(scan.columns, targets);
    AsciiImportSource source(text, fields, true);
    EXPECT_EQ(source.Expected(), 2);
    std::vector<ImportValue> imported;
    ASSERT_TRUE(source.Next(imported));
    EXPECT_EQ(source.Position(), 2);
    EXPECT_EQ(imported.size(), 19u) << "every field but the date";
    for (const ImportValue& value : imported) {
        const auto column = std::find(fields.begin(), fields.end(), value.field) - fields.begin();
        EXPECT_EQ(value.text, expected[column]) << "column " << column;
    }
    imported.clear();
    ASSERT_TRUE(source.Next(imported));
    EXPECT_EQ(source.Position(), 5) << "the first record took lines 2 to 4";
    EXPECT_FALSE(source.Next(imported));
}

} // namespace
