// Importing other DBF tables: the automatic assignment by name, the matching dialog, code
// pages, the refusals, and a stop.
#include "exchange_test_support.h"

#include "exchange/dbfmatching.h"
#include "exchange/importcommands.h"
#include "exchange/importtargets.h"
#include "exchange/tdbfimport.h"
#include "exchange/tdbfmatch.h"
#include "session/addresssession.h"
#include "table/opentablefile.h"
#include "table/tfield.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>

namespace {

class DbfImport : public ImportTest {
protected:
    void SetUp() override
    {
        ImportTest::SetUp();
        path_ = NewAddressFile();
        ASSERT_TRUE(dialog_.OpenDestination(path_));
    }
    // Runs the matching dialog through script, then confirms or cancels it.
    void Match(const std::function<void(TDBFMatch&)>& script, bool confirm = true)
    {
        dialog_.ShowMatch = [&](TDBFMatch& match) {
            script(match);
            return confirm ? QDialog::Accepted : QDialog::Rejected;
        };
        dialog_.MatchButtonClick();
    }
    QString path_;
    TDBFImport dialog_;
};

TEST_F(DbfImport, FieldsAssignThemselvesByNameAndMemosAreNeverOffered)
{
    const QString source = dir_.File("SOURCE.DBF");
    CreateWithPython(source, "LASTNAME C(20); ZIP C(10); NOTES M; LNAME C(12); LAST_NAME C(10); PHONENUM N(10,0)",
                     R"([["Lastname", "02134", "a note", "Smith", "x", 5551234]])");
    ChooseFile(dialog_, source);
    ASSERT_TRUE(dialog_.MatchButton->isEnabled());
    EXPECT_FALSE(dialog_.ImportButton->isEnabled());
    Match([&](TDBFMatch& match) {
        EXPECT_EQ(match.Rows().Assigned(RowOf(match, "Zip/Postal Code")), "ZIP");
        EXPECT_EQ(match.Rows().Assigned(RowOf(match, "Last Name")), "LNAME");
        EXPECT_EQ(match.Rows().RowOf("LASTNAME"), -1);
        EXPECT_EQ(match.Rows().RowOf("LAST_NAME"), -1);
        EXPECT_EQ(match.ImportGrid->horizontalHeaderItem(1)->text(), "Import from Field (in SOURCE.DBF)");
        EXPECT_EQ(match.ImportGrid->rowCount(), 19);
        // The pop-up offers every field but the memo, with the current one checked.
        QStringList offered;
        QString checked;
        match.ChooseFromMenu = [&](const QStringList& entries, const QString& mark) {
            offered = entries;
            checked = mark;
            return QStringLiteral("PHONENUM");
        };
        match.ImportGrid->setCurrentCell(RowOf(match, "Phone 1"), 1);
        match.SelectFieldButtonClick();
        EXPECT_EQ(offered, QStringList({"LASTNAME", "ZIP", "LNAME", "LAST_NAME", "PHONENUM"}));
        EXPECT_EQ(checked, "");
        EXPECT_EQ(match.ImportGrid->item(RowOf(match, "Phone 1"), 1)->text(), "PHONENUM");
    });
    ASSERT_TRUE(dialog_.ImportButton->isEnabled());
    dialog_.ImportButton->click();
    EXPECT_EQ(messages_.Texts(), QStringList({"Import complete. Imported 1 records."}));
    dialog_.Destination.Close();
    EXPECT_EQ(CheckWithXbtool(path_), "ok: 26 tags, 1 records");
    const QJsonObject row = ReadWithPython(path_)[0].toObject();
    EXPECT_EQ(row["LNAME"].toString(), "Smith");
    EXPECT_EQ(row["ZIP"].toString(), "02134");
    EXPECT_EQ(row["PHONE"].toString(), "5551234");
    EXPECT_EQ(row["COMMENTS"].toString(), "");
}

TEST_F(DbfImport, ADateFieldFindsOnlyTheHiddenDateAndIsDroppedOnConfirmation)
{
    const QString source = dir_.File("DATED.DBF");
    CreateWithPython(source, "DATE D; CITY C(20)", R"([["d:2024-03-05", "Paris"]])");
    ChooseFile(dialog_, source);
    Match([](TDBFMatch&) {}, false);
    // Before confirming, DATE went to the hidden DATE field automatically...
    const auto& fields = dialog_.Destination.Fields();
    ASSERT_NE(dialog_.Assignment().front(), kUnassigned);
    EXPECT_EQ(fields[static_cast<std::size_t>(dialog_.Assignment().front())]->FieldName(), "DATE");
    // ...but cancelling keeps Import disabled, and confirming drops it, having no row.
    EXPECT_FALSE(dialog_.ImportButton->isEnabled());
    Match([](TDBFMatch& match) { EXPECT_EQ(match.Rows().RowOf("DATE"), -1); });
    EXPECT_EQ(dialog_.Assignment().front(), kUnassigned);
    EXPECT_TRUE(dialog_.ImportButton->isEnabled());
}

TEST_F(DbfImport, AnAssignmentTheAddressFileHasNoFieldForFillsNothing)
{
    const TTable& book = dialog_.Destination;
    const int count = static_cast<int>(book.Fields().size());
    EXPECT_EQ(AssignedField(book, 1), book.Fields()[1]);
    for (const int target : {kUnassigned, -1, count})
        EXPECT_EQ(AssignedField(book, target), nullptr) << target;
    // Read from the address file itself: only the first field, into the second, is copied.
    const std::vector<TablePair> pairs = AssignedPairs(book, book, {1, kUnassigned, -1, count});
    ASSERT_EQ(pairs.size(), 1u);
    EXPECT_EQ(pairs.front().from, book.Fields()[0]);
    EXPECT_EQ(pairs.front().to, book.Fields()[1]);
}

TEST_F(DbfImport, OlderCodePagesAreConvertedAndAStopStillRebuilds)
{
    const QString source = dir_.File("DOS.DBF");
    QString rows = "[";
    for (int i = 0; i < 100; ++i)
        rows += QString("[\"M%1ller %2\"],").arg(QChar(0xFC)).arg(i);
    rows.chop(1);
    CreateWithPython(source, "LNAME C(20)", rows + "]", "cp437");
    ChooseFile(dialog_, source);
    Match([](TDBFMatch&) {});
    // Cancel is pressed when the gauge shows 12 of the 100 records.
    QObject::connect(dialog_.Gauge1, &QProgressBar::valueChanged, [this](int value) {
        if (value == 12 && dialog_.Importing() && !dialog_.Reindexing())
            dialog_.Cancelbutton->click();
    });
    dialog_.ImportButton->click();
    EXPECT_EQ(messages_.Texts(), QStringList({"Import cancelled after importing 12 records."}));
    dialog_.Destination.Close();
    EXPECT_EQ(CheckWithXbtool(path_), "ok: 26 tags, 12 records");
    const QJsonArray read = ReadWithPython(path_);
    ASSERT_EQ(read.size(), 12);
    EXPECT_EQ(read[11].toObject()["LNAME"].toString(), "Müller 11");
}

TEST_F(DbfImport, FoxProTablesGiveTheirValuesAsText)
{
    for (const char* type : {"vfp", "fp"}) {
        const QString source = dir_.File(QString("FOX%1.DBF").arg(type).toUpper());
        CreateWithPython(source, "LNAME C(20); MEMBER L; JOINED D; NOTES M; AMOUNT N(8,2)",
                         R"([["Grün", true, "d:2024-03-05", "a memo", 12.5]])", "cp1252", type);
        ChooseFile(dialog_, source);
        Match([](TDBFMatch& match) {
            QStringList offered;
            const QStringList picks = {"MEMBER", "JOINED", "AMOUNT"};
            int next = 0;
            match.ChooseFromMenu = [&](const QStringList& entries, const QString&) {
                offered = entries;
                return picks[next++];
            };
            for (const char* label : {"Codes", "Comments", "Phone 2"}) {
                match.ImportGrid->setCurrentCell(RowOf(match, label), 1);
                match.SelectFieldButtonClick();
            }
            EXPECT_EQ(offered, QStringList({"LNAME", "MEMBER", "JOINED", "AMOUNT"}));
        });
        dialog_.ImportButton->click();
        ASSERT_TRUE(dialog_.OpenDestination(path_));
    }
    EXPECT_EQ(messages_.Texts(),
              QStringList({"Import complete. Imported 1 records.", "Import complete. Imported 1 records."}));
    dialog_.Destination.Close();
    EXPECT_EQ(CheckWithXbtool(path_), "ok: 26 tags, 2 records");
    for (const auto& read : ReadWithPython(path_)) {
        const QJsonObject row = read.toObject();
        EXPECT_EQ(row["LNAME"].toString(), "Grün");
        EXPECT_EQ(row["CODES"].toString(), "True");
        EXPECT_EQ(row["COMMENTS"].toString(), "20240305");
        EXPECT_EQ(row["PHONE2"].toString(), "12.50");
    }
}

TEST_F(DbfImport, TablesThatCannotServeAreRefused)
{
    const QString notDbf = WriteFile("NOTDBF.DBF", "this is not a table");
    ChooseFile(dialog_, notDbf);
    const QString empty = dir_.File("EMPTY.DBF");
    CreateWithPython(empty, "LNAME C(20)", "[]");
    ChooseFile(dialog_, empty);
    // The engine's reason follows the file's name.
    EXPECT_EQ(messages_.Texts(), QStringList({"Unable to open the file " + notDbf + "\r\n\r\n" + notDbf +
                                                  ": file too short for a DBF header",
                                              "There are no records in " + empty}));
    EXPECT_EQ(dialog_.FileName->text(), "(none)");
    EXPECT_FALSE(dialog_.MatchButton->isEnabled());
    EXPECT_FALSE(dialog_.ImportButton->isEnabled());
}

TEST_F(DbfImport, TheMenuCommandClosesAndReopensTheAddressFileInItsOrder)
{
    dialog_.Destination.Close();
    AddressSession session;
    ASSERT_TRUE(OpenInSession(session, path_, "CITY"));
    ImportMenu menu(session);
    ImportCommands& commands = menu.commands;
    EXPECT_EQ(menu.file.actions().first()->text(), "&Import");
    EXPECT_EQ(commands.mnuImport->actions().size(), 4);
    QString shown;
    commands.ShowDialog = [&](QDialog& dialog) {
        shown = dialog.windowTitle();
        // The address file is the dialog's alone meanwhile.
        EXPECT_FALSE(session.FileOpen());
        EXPECT_TRUE(static_cast<TDBFImport&>(dialog).Destination.Active());
    };
    commands.mnuImportDBF->trigger();
    EXPECT_EQ(shown, "DBF File Import");
    ASSERT_TRUE(session.FileOpen());
    EXPECT_EQ(session.Apollo1.IndexOrd(), session.Apollo1.TagArea("CITY"));
    session.TableBook.Close();
    shown.clear();
    EXPECT_FALSE(commands.mnuImportASCII->isEnabled());
    commands.mnuImportASCIIClick();
    EXPECT_EQ(messages_.Texts(), QStringList({"You need to have a database file open first"}));
    EXPECT_TRUE(shown.isEmpty());
}

} // namespace
