// vCards: the copy's own cards read back by our reader and by Debian's python3-vobject,
// cards as a phone (2.1) and webmail (3.0, 4.0) write them, and files that are no vCards.
#include "exchange_test_support.h"
#include "export_test_support.h"

#include "addressfile/createaddressfile.h"
#include "exchange/exportcopy.h"
#include "exchange/tvcardimport.h"
#include "exchange/vcardmapping.h"
#include "exchange/vcardreader.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringDecoder>
#include <gtest/gtest.h>

namespace {

const ExportBook::Values FullRecord = {
    {"PREFIX", "Dr."},
    {"FNAME", QStringLiteral("Zoë")},
    {"MIDDLE", "Q"},
    {"LNAME", QStringLiteral("Núñez; de la Peña")},
    {"TITLE", "Head, Research"},
    {"ORG", QStringLiteral("Ærø Shipping; Ltd.")},
    {"STREET", "12 Quay Rd"},
    {"STREET2", "Unit 4, Back\\Door"},
    {"CITY", QStringLiteral("Marstal")},
    {"STATE", QStringLiteral("Syddanmark")},
    {"ZIP", "5960"},
    {"COUNTRY", "Denmark"},
    {"PHONE", "+45 1234 5678"},
    {"PHONE2", "+45 8765 4321"},
    {"FAX", "+45 1111 2222"},
    {"EMAIL", "zoe@example.dk"},
    {"WEBPAGE", "https://example.dk/a,b;c"},
    {"DATE", "20240229"},
    {"COMMENTS", QStringLiteral("Met at the fair: “great contact”, likes sailing; call after 5 — ask for Zoë’s team")},
    {"CODES", "A,B"},
};

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

VCardRecord ReadOne(QByteArrayView text)
{
    const VCardFile file = ReadVCards(text);
    EXPECT_EQ(file.error, QString());
    EXPECT_EQ(file.cards.size(), 1u);
    return file.cards.empty() ? VCardRecord() : MapVCard(file.cards.front());
}

QString Field(const VCardRecord& record, ExportField field)
{
    return record.values[static_cast<std::size_t>(field)];
}

class VCardCopy : public ::testing::Test {
protected:
    void SetUp() override
    {
        book.Add(FullRecord);
        book.table.First();
        ExportFieldSet(book.table).Read(expected);
        ExportWalk walk(book.table, book.apollo);
        ASSERT_FALSE(CopyToTextFile(walk, book.table, CopyOutKind::VCard, target).failed);
        bytes = ReadAll(target);
    }

    ExportBook book;
    QString target = book.File("cards.vcf");
    ExportValues expected;
    QByteArray bytes;
};

TEST_F(VCardCopy, LinesAreFoldedAtSeventyFiveOctetsBetweenCharactersAndEveryFieldComesBack)
{
    int folded = 0;
    for (const QByteArray& line : bytes.split('\n')) {
        EXPECT_LE(line.size(), 76) << line.toStdString(); // 75 octets and the CR
        QStringDecoder utf8(QStringDecoder::Utf8);
        (void)QString(utf8(line));
        EXPECT_FALSE(utf8.hasError()) << "a character was split: " << line.toStdString();
        folded += line.startsWith(' ');
    }
    EXPECT_GE(folded, 1);
    EXPECT_TRUE(bytes.startsWith("BEGIN:VCARD\r\nVERSION:3.0\r\nN:N\xC3\xBA\xC3\xB1"
                                 "ez\\; de la Pe\xC3\xB1"
                                 "a;Zo\xC3\xAB;Q;Dr.;\r\n"));
    EXPECT_TRUE(bytes.contains("\r\nTEL;TYPE=WORK,FAX:+45 1111 2222\r\n"));

    const VCardRecord back = ReadOne(bytes);
    for (int i = 0; i < ExportFieldCount; ++i)
        EXPECT_EQ(back.values[static_cast<std::size_t>(i)], expected[static_cast<std::size_t>(i)])
            << ExportFieldNames()[i];
    EXPECT_TRUE(back.skipped.isEmpty());
}

TEST_F(VCardCopy, ImportedIntoAnEmptyAddressFileEveryFieldComesBack)
{
    ScriptedMessages messages;
    messages.AnswerYes().Answer(IdOk);
    const QString path = book.File("EMPTY.DBF");
    {
        ImportTrio maker;
        ASSERT_TRUE(CreateAddressFile(path, maker.table, maker.apollo));
    }
    TVCardImport dialog;
    ASSERT_TRUE(dialog.OpenDestination(path));
    ChooseFile(dialog, target);
    EXPECT_EQ(messages.Texts(),
              QStringList({"1 contact in cards.vcf. Import them?", "Import complete. Imported 1 records."}));
    dialog.Destination.Close();

    EXPECT_EQ(CheckWithXbtool(path), "ok: 26 tags, 1 records");
    const QJsonArray rows = ReadWithPython(path);
    ASSERT_EQ(rows.size(), 1);
    const QJsonObject row = rows[0].toObject();
    // Every field as the exported record held it (the comments cut to their field's width).
    for (int i = 0; i < ExportFieldCount; ++i) {
        const char* name = ExportFieldNames()[static_cast<std::size_t>(i)];
        EXPECT_EQ(row[name].toString(), expected[static_cast<std::size_t>(i)]) << name;
    }
    EXPECT_EQ(row["FNAME"].toString(), QStringLiteral("Zoë"));
}

TEST_F(VCardCopy, AnIndependentReaderFindsEveryFieldWhereItBelongs)
{
    if (!PythonHas("vobject"))
        GTEST_SKIP() << "python3-vobject is not installed";
    const QString script = QStringLiteral(
        "import json, sys, vobject\n"
        "c = vobject.readOne(open(sys.argv[1], encoding='utf-8').read())\n"
        "a = c.adr.value\n"
        "tels = {','.join(t.params.get('TYPE', [])): t.value for t in c.contents['tel']}\n"
        "print(json.dumps({'family': c.n.value.family, 'given': c.n.value.given, 'additional': c.n.value.additional,\n"
        "  'prefix': c.n.value.prefix, 'fn': c.fn.value, 'org': c.org.value, 'title': c.title.value,\n"
        "  'street': a.street, 'extended': a.extended, 'city': a.city, 'region': a.region, 'code': a.code,\n"
        "  'country': a.country, 'tels': tels, 'email': c.email.value, 'url': c.url.value, 'note': c.note.value,\n"
        "  'categories': c.categories.value, 'date': c.contents['x-addrina-date'][0].value}))\n");
    bool ok = false;
    const QString out = RunPython(script, {target}, &ok);
    ASSERT_TRUE(ok) << out.toStdString();
    const QJsonObject card = QJsonDocument::fromJson(out.toUtf8()).object();
    EXPECT_EQ(card["family"].toString(), expected[ExLast]);
    EXPECT_EQ(card["given"].toString(), expected[ExFirst]);
    EXPECT_EQ(card["additional"].toString(), "Q");
    EXPECT_EQ(card["prefix"].toString(), "Dr.");
    EXPECT_EQ(card["fn"].toString(), QStringLiteral("Dr. Zoë Q. Núñez; de la Peña"));
    EXPECT_EQ(card["org"].toVariant().toStringList(), QStringList({QStringLiteral("Ærø Shipping; Ltd.")}));
    EXPECT_EQ(card["title"].toString(), "Head, Research");
    EXPECT_EQ(card["street"].toString(), "12 Quay Rd");
    EXPECT_EQ(card["extended"].toString(), "Unit 4, Back\\Door");
    EXPECT_EQ(card["city"].toString(), "Marstal");
    EXPECT_EQ(card["region"].toString(), "Syddanmark");
    EXPECT_EQ(card["code"].toString(), "5960");
    EXPECT_EQ(card["country"].toString(), "Denmark");
    const QJsonObject tels = card["tels"].toObject();
    EXPECT_EQ(tels["WORK,VOICE"].toString(), "+45 1234 5678");
    EXPECT_EQ(tels["VOICE"].toString(), "+45 8765 4321");
    EXPECT_EQ(tels["WORK,FAX"].toString(), "+45 1111 2222");
    EXPECT_EQ(card["email"].toString(), "zoe@example.dk");
    EXPECT_EQ(card["url"].toString(), "https://example.dk/a,b;c");
    EXPECT_EQ(card["note"].toString(), expected[ExComments]);
    EXPECT_EQ(card["categories"].toVariant().toStringList(), QStringList({"A,B"}));
    EXPECT_EQ(card["date"].toString(), "2024-02-29");
}

TEST(VCardRead, APhonesVersionTwoOneCardWithQuotedPrintableFoldingAndAPhoto)
{
    // As phones write 2.1: parameters without names, quoted-printable with soft line
    // breaks, a character set, and a photo whose base64 lines run on to a blank line.
    const VCardRecord r =
        ReadOne("BEGIN:VCARD\r\n"
                "VERSION:2.1\r\n"
                "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:M=C3=BCller;J=C3=BCrgen;;;\r\n"
                "FN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:J=C3=BCrgen M=C3=BCller\r\n"
                "TEL;CELL;PREF:+49 170 1234567\r\n"
                "TEL;HOME;VOICE:+49 30 123456\r\n"
                "TEL;WORK:+49 30 999999\r\n"
                "TEL;WORK;FAX:+49 30 654321\r\n"
                "EMAIL;INTERNET:juergen@example.de\r\n"
                "ADR;HOME;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:;;Hauptstra=DFe 5=0D=0AHinterhaus;Ber=\r\n"
                "lin;;10115;Deutschland\r\n"
                "NOTE;ENCODING=QUOTED-PRINTABLE:First line=0D=0Asecond =\r\n"
                "line\r\n"
                "PHOTO;ENCODING=BASE64;TYPE=JPEG:/9j/4AAQSkZJRgABAQAAAQABAAD\r\n"
                " /2wBDAAgGBgcGBQgHBwcJCQgKDBQNDAsLDBkSEw8UHRofHh0aHBwg\r\n"
                "\r\n"
                "BDAY:1980-05-17\r\n"
                "END:VCARD\r\n");
    EXPECT_EQ(Field(r, ExLast), QStringLiteral("Müller"));
    EXPECT_EQ(Field(r, ExFirst), QStringLiteral("Jürgen"));
    EXPECT_EQ(Field(r, ExPhone), "+49 170 1234567");
    EXPECT_EQ(Field(r, ExPhone2), "+49 30 123456");
    EXPECT_EQ(Field(r, ExFax), "+49 30 654321");
    EXPECT_EQ(Field(r, ExEmail), "juergen@example.de");
    EXPECT_EQ(Field(r, ExStreet), QStringLiteral("Hauptstraße 5"));
    EXPECT_EQ(Field(r, ExStreet2), "Hinterhaus");
    EXPECT_EQ(Field(r, ExCity), "Berlin");
    EXPECT_EQ(Field(r, ExZip), "10115");
    EXPECT_EQ(Field(r, ExCountry), "Deutschland");
    EXPECT_EQ(Field(r, ExComments), "First line\r\nsecond line");
    EXPECT_EQ(r.skipped, (QMap<QString, int>{{"TEL", 1}, {"PHOTO", 1}, {"BDAY", 1}}));
    EXPECT_EQ(DescribeSkipped(r.skipped), "BDAY (1), PHOTO (1), TEL (1)");
}

TEST(VCardRead, WebmailCardsInVersionsThreeAndFourWithGroupsQuotedTypesAndTelAddresses)
{
    const VCardFile file =
        ReadVCards("BEGIN:VCARD\nVERSION:3.0\nFN:Ana Maria Lopez\nN:Lopez;Ana;Maria,Luisa;;\n"
                   "item1.EMAIL;TYPE=INTERNET:ana@example.com\nitem1.X-ABLabel:work\n"
                   "EMAIL;TYPE=INTERNET;TYPE=HOME:ana.home@example.com\n"
                   "TEL;TYPE=CELL:+1 555 0100\nADR;TYPE=WORK:;;1 Infinite Loop\\nBuilding 2;Cupertino;CA;95014;USA\n"
                   "ORG:Example Corp;Sales\nURL:http\\://example.com/ana\nCATEGORIES:Friends,Work\n"
                   "NOTE:Line one\\nLine two\\, with comma\nEND:VCARD\n"
                   "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Kim Lee\r\n"
                   "TEL;VALUE=uri;TYPE=\"work,voice\";PREF=1:tel:+1-555-555-5555\r\n"
                   "TEL;TYPE=\"fax\":tel:+1-555-555-0000\r\nEMAIL:kim@example.org\r\nEND:VCARD\r\n");
    ASSERT_EQ(file.error, QString());
    ASSERT_EQ(file.cards.size(), 2u);

    const VCardRecord ana = MapVCard(file.cards[0]);
    EXPECT_EQ(Field(ana, ExLast), "Lopez");
    EXPECT_EQ(Field(ana, ExFirst), "Ana");
    EXPECT_EQ(Field(ana, ExMiddle), "M");
    EXPECT_EQ(Field(ana, ExEmail), "ana@example.com");
    EXPECT_EQ(Field(ana, ExStreet), "1 Infinite Loop");
    EXPECT_EQ(Field(ana, ExStreet2), "Building 2");
    EXPECT_EQ(Field(ana, ExState), "CA");
    EXPECT_EQ(Field(ana, ExOrg), "Example Corp, Sales");
    EXPECT_EQ(Field(ana, ExWebPage), "http://example.com/ana");
    EXPECT_EQ(Field(ana, ExCodes), "Friends,Work");
    EXPECT_EQ(Field(ana, ExComments), "Line one\nLine two, with comma");
    EXPECT_EQ(ana.skipped, (QMap<QString, int>{{"EMAIL", 1}, {"X-ABLABEL", 1}}));

    // No N: the formatted name gives first and last name.
    const VCardRecord kim = MapVCard(file.cards[1]);
    EXPECT_EQ(Field(kim, ExFirst), "Kim");
    EXPECT_EQ(Field(kim, ExLast), "Lee");
    EXPECT_EQ(Field(kim, ExPhone), "+1-555-555-5555");
    EXPECT_EQ(Field(kim, ExFax), "+1-555-555-0000");
    EXPECT_TRUE(kim.skipped.isEmpty());
}

TEST(VCardRead, FilesThatAreNoVCardsAreRefusedWithTheLineAndNothingIsGiven)
{
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"", "The file holds no vCard."},
        {"Name,Email\r\nAnn,ann@x.org\r\n", "Line 1: \"Name,Email\" is not a vCard line (it has no colon)."},
        {"BEGIN:VCARD\nVERSION:3.0\nFN:A\nEND:VCARD\nBEGIN:VCARD\nFN:B\n",
         "Line 5: the vCard that begins here has no END:VCARD."},
        {"BEGIN:VCARD\nFN:A\nBEGIN:VCARD\nEND:VCARD\n",
         "Line 3: a vCard begins inside the vCard that begins on line 1."},
        {"FN:A\n", "Line 1: FN outside a vCard (a card begins with BEGIN:VCARD)."},
        {"BEGIN:VCARD\nEND:VCARD\nEND:VCARD\n", "Line 3: END:VCARD without BEGIN:VCARD."},
        {"BEGIN:VCARD\nVERSION:5.0\nEND:VCARD\n",
         "Line 2: vCard version 5.0 cannot be read (versions 2.1, 3.0 and 4.0 can)."},
        {"BEGIN:VCALENDAR\nEND:VCALENDAR\n", "Line 1: BEGIN:VCALENDAR is not the beginning of a vCard."},
        {"BEGIN:VCARD\nFN:A\n\xFF\xFE:x\nEND:VCARD\n", "Line 3: \"\xC3\xBF\xC3\xBE\" is not a property name."},
        {"BEGIN:VCARD\nNOTE;ENCODING=QUOTED-PRINTABLE:a=\nb=\n\nEnd:vcard\nBEGIN:VCARD\nx\"y;z\";N:\n",
         "Line 7: \"x\"y;z\"\" is not a property name."},
    };
    for (const auto& c : cases) {
        const VCardFile file = ReadVCards(c.text);
        EXPECT_EQ(file.error, QString::fromUtf8(c.error)) << c.text;
        EXPECT_TRUE(file.cards.empty()) << c.text;
        // The preview's lighter count refuses the file with the same words.
        EXPECT_EQ(CountVCards(c.text).error, file.error) << c.text;
    }
    EXPECT_EQ(CountVCards("BEGIN:VCARD\r\nN:A\r\n  B\r\nEND:VCARD\r\nbegin:vcard\nend:VCARD").cards, 2);
}

} // namespace
