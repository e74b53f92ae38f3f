// The vCard import as a user meets it: a phone's card through the File menu's command,
// with what has no place counted in the closing message; a broken file importing nothing.
#include "exchange_test_support.h"

#include "exchange/tvcardimport.h"
#include "session/addresssession.h"

#include <QLabel>
#include <QPushButton>

namespace {

class VCardImport : public ImportTest {
protected:
    void SetUp() override
    {
        ImportTest::SetUp();
        path_ = NewAddressFile();
    }
    QString path_;
};

TEST_F(VCardImport, APhonesCardThroughTheMenuWithItsPhotoSkippedAndCounted)
{
    const QString card =
        WriteFile("phone.vcf", "BEGIN:VCARD\r\n"
                               "VERSION:2.1\r\n"
                               "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=C5=81uk=C3=A1=C5=A1;Jan;;;\r\n"
                               "TEL;CELL;PREF:+420 601 123 456\r\n"
                               "TEL;WORK;FAX:+420 2 1234\r\n"
                               "EMAIL;INTERNET:jan@example.cz\r\n"
                               "PHOTO;ENCODING=BASE64;TYPE=JPEG:/9j/4AAQSkZJRgABAQAAAQABAAD\r\n"
                               " /2wBDAAgGBgcGBQgHBwcJCQgKDBQNDAsLDBkSEw8UHRofHh0aHBwg\r\n"
                               "\r\n"
                               "END:VCARD\r\n");
    AddressSession session;
    ASSERT_TRUE(OpenInSession(session, path_, "CITY"));
    ImportMenu menu(session);
    ImportCommands& commands = menu.commands;
    ASSERT_EQ(commands.mnuImport->actions().size(), 4);
    EXPECT_EQ(commands.mnuImport->actions().last(), commands.mnuImportVCard);
    EXPECT_EQ(commands.mnuImportVCard->text(), "Import from v&Card File");
    commands.ShowDialog = [&](QDialog& dialog) {
        EXPECT_FALSE(session.FileOpen());
        ChooseFile(static_cast<TVCardImport&>(dialog), card);
    };
    messages_.AnswerYes().Answer(IdOk);
    commands.mnuImportVCard->trigger();

    EXPECT_EQ(messages_.Texts(),
              QStringList({"1 contact in phone.vcf. Import them?",
                           "Import complete. Imported 1 records.\r\n\r\nSkipped, having no place in the address "
                           "file: PHOTO (1).\r\n\r\n1 record holds characters this address file cannot store, "
                           "each stored as \"?\" (line 1)."}));
    EXPECT_EQ(messages_.Unanswered(), 0);
    ASSERT_TRUE(session.FileOpen());
    EXPECT_EQ(session.Apollo1.IndexOrd(), session.Apollo1.TagArea("CITY"));
    session.TableBook.Close();

    EXPECT_EQ(CheckWithXbtool(path_), "ok: 26 tags, 1 records");
    const QJsonArray rows = ReadWithPython(path_);
    ASSERT_EQ(rows.size(), 1);
    const QJsonObject jan = rows[0].toObject();
    EXPECT_EQ(jan["LNAME"].toString(), "?ukáš");
    EXPECT_EQ(jan["FNAME"].toString(), "Jan");
    EXPECT_EQ(jan["PHONE"].toString(), "+420 601 123 456");
    EXPECT_EQ(jan["FAX"].toString(), "+420 2 1234");
    EXPECT_EQ(jan["EMAIL"].toString(), "jan@example.cz");
}

TEST_F(VCardImport, ABrokenFileImportsNothingAndDecliningThePreviewNeither)
{
    TVCardImport dialog;
    ASSERT_TRUE(dialog.OpenDestination(path_));
    // The first card is whole; the second never ends: the file is refused as a whole.
    ChooseFile(dialog, WriteFile("broken.vcf", "BEGIN:VCARD\nVERSION:3.0\nFN:Ann Lee\nEND:VCARD\n"
                                               "BEGIN:VCARD\nVERSION:3.0\nFN:Bo Kim\n"));
    EXPECT_EQ(messages_.Texts(), QStringList({"Unable to import from broken.vcf:\r\n\r\n"
                                              "Line 5: the vCard that begins here has no END:VCARD."}));
    EXPECT_EQ(dialog.FileName->text(), "(none)");
    EXPECT_FALSE(dialog.ImportButton->isEnabled());

    messages_.Clear();
    messages_.AnswerNo();
    const QString two = WriteFile("two.vcf", "BEGIN:VCARD\nVERSION:3.0\nFN:Ann Lee\nEND:VCARD\n"
                                             "BEGIN:VCARD\nVERSION:3.0\nFN:Bo Kim\nEND:VCARD\n");
    ChooseFile(dialog, two);
    EXPECT_EQ(messages_.Texts(), QStringList({"2 contacts in two.vcf. Import them?"}));
    EXPECT_EQ(dialog.FileName->text(), two);
    EXPECT_TRUE(dialog.ImportButton->isEnabled());
    dialog.Destination.Close();
    EXPECT_EQ(CheckWithXbtool(path_), "ok: 26 tags, 0 records");
}

} // namespace
