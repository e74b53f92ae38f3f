// Importing another address file into the open one: the 22-field check, the same file,
// what is copied, and the main table left unfiltered.
#include "exchange_test_support.h"

#include "addressfile/fieldlengths.h"
#include "exchange/dbfmatching.h"
#include "exchange/importcommands.h"
#include "exchange/timportolder.h"
#include "session/addresssession.h"
#include "session/mainmenus.h"
#include "table/opentablefile.h"
#include "table/tfield.h"

#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

namespace {

class OlderImport : public ImportTest {
protected:
    void SetUp() override
    {
        ImportTest::SetUp();
        path_ = NewAddressFile();
        session_.LastOpenedFile = path_;
        session_.CurrentOrderName = "ZIP";
        ASSERT_TRUE(session_.ReopenFile());
        QObject::connect(&session_, &AddressSession::RefreshWanted, [this] { ++refreshes_; });
    }
    QString path_;
    AddressSession session_;
    int refreshes_ = 0;
};

TEST_F(OlderImport, OnlyAnotherFileWithAllTwentyTwoFieldsQualifies)
{
    TImportOlder dialog(session_.TableBook, session_.Apollo1);
    // All fields but TAG.
    const QString noTag = dir_.File("NOTAG.DBF");
    CreateWithPython(noTag,
                     "LNAME C(30); FNAME C(30); MIDDLE C(1); TITLE C(30); ORG C(30); STREET C(40); STREET2 C(40); "
                     "CITY C(30); STATE C(20); ZIP C(10); COUNTRY C(30); PHONE C(30); PHONE2 C(30); EMAIL C(30); "
                     "WEBPAGE C(30); FAX C(30); CODES C(30); PREFIX C(12); DATE C(15); COMMENTS C(30); ISDEL L",
                     R"([["Smith"]])");
    ChooseFile(dialog, noTag);
    // The open file itself, by its own path and through a link in other letter case.
    ChooseFile(dialog, path_);
    ASSERT_TRUE(QFile::link(path_, dir_.File("link.dbf")));
    ChooseFile(dialog, dir_.File("link.dbf"));
    EXPECT_EQ(messages_.Texts(), QStringList({noTag + " does not appear to be a Addrina DBF",
                                              "Cannot import a file to itself", "Cannot import a file to itself"}));
    EXPECT_FALSE(dialog.ImportButton->isEnabled());
    EXPECT_EQ(dialog.FileName->text(), "(none)");
}

TEST_F(OlderImport, RefusingTheOpenFileAfterAGoodChoiceLeavesNothingToImport)
{
    const QString older = NewAddressFile("OLDER");
    {
        ImportTrio source;
        ASSERT_TRUE(OpenTableFile(older, source.table));
        source.table.Append();
        source.table.FieldByName("LNAME").SetAsString("Smith");
        source.table.Post();
    }
    TImportOlder dialog(session_.TableBook, session_.Apollo1);
    ChooseFile(dialog, older);
    ASSERT_TRUE(dialog.ImportButton->isEnabled());
    ChooseFile(dialog, path_);
    EXPECT_EQ(dialog.FileName->text(), "(none)");
    EXPECT_FALSE(dialog.ImportButton->isEnabled());
    // Even pressed regardless, Import runs nothing: no failure, no rebuild, the dialog stays.
    dialog.ImportButtonClick();
    EXPECT_EQ(messages_.Texts(), QStringList({"Cannot import a file to itself"}));
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(session_.Apollo1.TagArea("NOTISDEL"), 26);
}

TEST_F(OlderImport, RecordsArriveUntaggedWithTheirDeletedFlagAndTheFilterStaysOff)
{
    // The source: an address file of wider fields, holding a tagged record, one whose
    // ISDEL is set, a long last name and a record bearing the delete mark.
    NewFileWidths& widths = CurrentNewFileWidths();
    const int lastNameWidth = widths.Width("LNAME");
    widths.SetWidth("LNAME", 40);
    const QString older = NewAddressFile("OLDER");
    widths.SetWidth("LNAME", lastNameWidth);
    {
        ImportTrio source;
        ASSERT_TRUE(OpenTableFile(older, source.table));
        auto add = [&](const QString& last, const QString& tag, bool isdel) {
            source.table.Append();
            source.table.FieldByName("LNAME").SetAsString(last);
            source.table.FieldByName("CITY").SetAsString("Köln");
            source.table.FieldByName("DATE").SetAsString("20240102");
            source.table.FieldByName("TAG").SetAsString(tag);
            source.table.FieldByName("ISDEL").SetAsBoolean(isdel);
            source.table.Post();
        };
        add("Tagged", "ABCD1234", false);
        add("Softly deleted", "", true);
        add(QString(40, 'L'), "", false);
        add("Marked", "", true);
        source.table.Delete();
        source.table.Close();
    }
    QMenu file;
    MainMenus menus{};
    menus.File1 = &file;
    menus.Prefences1 = file.addAction("Pre&ferences");
    ImportCommands commands(session_, menus);
    commands.ShowDialog = [&](QDialog& shown) {
        auto& dialog = static_cast<TImportOlder&>(shown);
        EXPECT_EQ(session_.Apollo1.Filter(), "");
        ChooseFile(dialog, older);
        ASSERT_TRUE(dialog.ImportButton->isEnabled());
        dialog.ImportButton->click();
    };
    session_.Select.values[QueryField::City] = "K";
    commands.mnuImportFromPostwick2xFile->trigger();
    EXPECT_EQ(messages_.Texts(), QStringList({"Import complete. Imported 3 records."}));
    // The main table shows every record but the softly deleted one, with no filter left in
    // the query values either, in the order it had, its index whole again.
    EXPECT_EQ(session_.Apollo1.Filter(), "!ISDEL");
    EXPECT_TRUE(session_.Select.values[QueryField::City].isEmpty());
    EXPECT_EQ(session_.MatchCount(), 2);
    ASSERT_TRUE(session_.FileOpen());
    EXPECT_EQ(session_.Apollo1.IndexOrd(), session_.Apollo1.TagArea("ZIP"));
    EXPECT_EQ(session_.Apollo1.TagArea("NOTISDEL"), 26);
    EXPECT_EQ(refreshes_, 1);
    session_.TableBook.Close();

    EXPECT_EQ(CheckWithXbtool(path_), "ok: 26 tags, 3 records");
    const QJsonArray rows = ReadWithPython(path_);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].toObject()["LNAME"].toString(), "Tagged");
    EXPECT_EQ(rows[0].toObject()["CITY"].toString(), "Köln");
    EXPECT_EQ(rows[0].toObject()["DATE"].toString(), "20240102");
    for (const auto& row : rows)
        EXPECT_EQ(row.toObject()["TAG"].toString(), "");
    EXPECT_TRUE(rows[1].toObject()["ISDEL"].toBool());
    EXPECT_FALSE(rows[0].toObject()["ISDEL"].toBool());
    EXPECT_EQ(rows[2].toObject()["LNAME"].toString(), QString(lastNameWidth, 'L'));
}

} // namespace
