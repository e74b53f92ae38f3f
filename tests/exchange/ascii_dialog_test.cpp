// The text import as a user meets it: a contacts export with a header line, accents and
// quoted commas, matched in advance; a file too short to import; reassigning a column.
#include "exchange_test_support.h"

#include "exchange/tasciiimport.h"
#include "exchange/tasciimatch.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>

namespace {

class AsciiDialog : public ImportTest {
protected:
    void SetUp() override
    {
        ImportTest::SetUp();
        path_ = NewAddressFile();
        ASSERT_TRUE(dialog_.OpenDestination(path_));
    }
    QString path_;
    TAsciiImport dialog_;
};

TEST_F(AsciiDialog, AContactsExportImportsWithItsColumnsMatchedInAdvance)
{
    const QString csv =
        WriteFile("contacts.csv", "\xEF\xBB\xBF"
                                  "First Name,Last Name,Company,Business Street,E-mail Address,Mobile Phone,Notes\r\n"
                                  "Zo\xC3\xAB,Br\xC3\xBBl\xC3\xA9,\"Acme, Inc.\",\"12 Rue d'\xC3\x89t\xC3\xA9\","
                                  "zoe@example.org,+33 6 12,\"likes \"\"tea\"\"\"\r\n"
                                  "Ren\xC3\xA9,\xC5\x81ukasz,,,,,\r\n");
    ChooseFile(dialog_, csv);
    EXPECT_EQ(dialog_.FileName->text(), csv);
    ASSERT_TRUE(dialog_.MatchButton->isEnabled());
    EXPECT_FALSE(dialog_.ImportButton->isEnabled());
    EXPECT_FALSE(dialog_.FirstLineNames->isHidden());
    EXPECT_TRUE(dialog_.FirstLineNames->isChecked());

    dialog_.ShowMatch = [&](TAsciiMatch& match) {
        EXPECT_EQ(match.Rows().Assigned(RowOf(match, "First Name")), "First Name");
        EXPECT_EQ(match.Rows().Assigned(RowOf(match, "Organization")), "Company");
        EXPECT_EQ(match.Rows().Assigned(RowOf(match, "Address 1")), "Business Street");
        EXPECT_EQ(match.Rows().Assigned(RowOf(match, "Email")), "E-mail Address");
        EXPECT_EQ(match.Rows().Assigned(RowOf(match, "Phone 2")), "Mobile Phone");
        EXPECT_EQ(match.Rows().Assigned(RowOf(match, "Comments")), "Notes");
        // The sample shows the records with accents intact, the header as headings.
        EXPECT_EQ(match.SG->rowCount(), 2);
        EXPECT_EQ(match.SG->horizontalHeaderItem(2)->text(), "Company");
        EXPECT_EQ(match.SG->item(0, 1)->text(), "Brûlé");
        EXPECT_EQ(match.SG->item(0, 2)->text(), "Acme, Inc.");
        return QDialog::Accepted;
    };
    dialog_.MatchButton->click();
    ASSERT_TRUE(dialog_.ImportButton->isEnabled());
    dialog_.ImportButton->click();
    EXPECT_EQ(messages_.Texts(),
              QStringList({"Import complete. Imported 2 records.\r\n\r\n1 record holds characters this address file "
                           "cannot store, each stored as \"?\" (line 3)."}));
    dialog_.Destination.Close();
    EXPECT_EQ(CheckWithXbtool(path_), "ok: 26 tags, 2 records");
    const QJsonArray rows = ReadWithPython(path_);
    ASSERT_EQ(rows.size(), 2);
    const QJsonObject zoe = rows[0].toObject();
    EXPECT_EQ(zoe["FNAME"].toString(), "Zoë");
    EXPECT_EQ(zoe["LNAME"].toString(), "Brûlé");
    EXPECT_EQ(zoe["ORG"].toString(), "Acme, Inc.");
    EXPECT_EQ(zoe["STREET"].toString(), "12 Rue d'Été");
    EXPECT_EQ(zoe["EMAIL"].toString(), "zoe@example.org");
    EXPECT_EQ(zoe["PHONE2"].toString(), "+33 6 12");
    EXPECT_EQ(zoe["COMMENTS"].toString(), "likes \"tea\"") << "read as standard CSV: a doubled quote is one";
    EXPECT_EQ(rows[1].toObject()["LNAME"].toString(), "?ukasz");
}

TEST_F(AsciiDialog, ASingleLineCannotBeImportedAndAColumnMovesBetweenFields)
{
    ChooseFile(dialog_, WriteFile("one.csv", "Smith,Boston\n"));
    EXPECT_EQ(messages_.Texts(), QStringList({"Unable to import from this file"}));
    EXPECT_FALSE(dialog_.MatchButton->isEnabled());

    ChooseFile(dialog_, WriteFile("two.csv", "Smith,Boston,MA\nJones,Salem,OR\n"));
    EXPECT_FALSE(dialog_.FirstLineNames->isChecked());
    dialog_.ShowMatch = [&](TAsciiMatch& match) {
        EXPECT_EQ(match.ImportGrid->horizontalHeaderItem(1)->text(), "Import from Field (in two.csv)");
        match.ChooseFromMenu = [](const QStringList& entries, const QString&) {
            EXPECT_EQ(entries, QStringList({"Field 1", "Field 2", "Field 3"}));
            return QStringLiteral("Field 2");
        };
        match.ImportGrid->setCurrentCell(RowOf(match, "City"), 1);
        match.SelectFieldButtonClick();
        match.ImportGrid->setCurrentCell(RowOf(match, "State"), 1);
        match.SelectFieldButtonClick();
        EXPECT_EQ(match.ImportGrid->item(RowOf(match, "City"), 1)->text(), "");
        EXPECT_EQ(match.ImportGrid->item(RowOf(match, "State"), 1)->text(), "Field 2");
        return QDialog::Accepted;
    };
    dialog_.MatchButton->click();
    ASSERT_EQ(dialog_.Scan().columns.size(), 3u);
    EXPECT_EQ(dialog_.Scan().columns[1].matched, "State");
    EXPECT_TRUE(dialog_.ImportButton->isEnabled());
    // Cancelling the matching changes nothing.
    dialog_.ShowMatch = [](TAsciiMatch& match) {
        match.ClearAllButtonClick();
        return QDialog::Rejected;
    };
    dialog_.MatchButton->click();
    EXPECT_EQ(dialog_.Scan().columns[1].matched, "State");
}

TEST_F(AsciiDialog, MatchFieldsOpensAtTheFirstColumnsWithEveryHeadingWhole)
{
    ChooseFile(dialog_, WriteFile("webmail.csv", "First Name,Middle Name,Last Name,Business Street,Business City,"
                                                 "Business Postal Code,E-mail Address,Mobile Phone,Notes\r\n"
                                                 "Al,B,Li,1 Oak St,Rome,00100,al@example.org,1,x\r\n"));
    dialog_.ShowMatch = [&](TAsciiMatch& match) {
        match.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&match));
        for (QTableWidget* grid : {match.ImportGrid, match.SG}) {
            EXPECT_EQ(grid->horizontalScrollBar()->value(), 0) << grid->objectName().toStdString();
            for (int c = 0; c < grid->columnCount(); ++c)
                EXPECT_GE(grid->columnWidth(c), grid->horizontalHeader()->sectionSizeHint(c))
                    << grid->objectName().toStdString() << " column " << c;
        }
        EXPECT_GE(match.ImportGrid->columnWidth(0),
                  static_cast<const QAbstractItemView*>(match.ImportGrid)->sizeHintForColumn(0));
        return QDialog::Rejected;
    };
    dialog_.MatchButton->click();
}

} // namespace
