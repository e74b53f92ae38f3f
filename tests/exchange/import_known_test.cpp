// "Skip contacts already in the file": a CSV that repeats 30 contacts of the 3,000-record
// fixture in other spellings, among 20 new ones, imports only the new ones and says which
// lines it left out.
#include "exchange_test_support.h"

#include "exchange/tasciiimport.h"
#include "support/fixture_copy.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QPushButton>

TEST_F(ImportTest, ContactsAlreadyInTheFileAreSkippedAndCounted)
{
    const QString path = CopyFixtureTable(QStringLiteral("bulk3k"), QFileInfo(dir_.File(QStringLiteral("x"))).path(),
                                          QStringLiteral("BOOK"));
    QByteArray csv = "First Name,Last Name,Business Street,E-mail Address,Business Phone\r\n";
    QStringList expectedLines;
    int known = 0;
    int line = 1;
    for (const QJsonValue& value : ReadWithPython(path)) {
        const QJsonObject r = value.toObject();
        if (known == 30)
            break;
        if (r["_deleted"].toBool() || r["ISDEL"].toBool() || r["PHONE"].toString().size() != 14)
            continue;
        // "(617) 038-7818" as "+1 617 038 7818"; the street's words in full; names in capitals.
        const QString phone = r["PHONE"].toString();
        const QString dialled = "+1 " + phone.mid(1, 3) + " " + phone.mid(6, 3) + " " + phone.mid(10);
        const QString street = r["STREET"].toString().replace(" St", " Street").replace(" Ave", " Avenue");
        csv += (r["FNAME"].toString().toUpper() + "," + r["LNAME"].toString().toUpper() + "," + street + "," +
                r["EMAIL"].toString().toUpper() + "," + dialled + "\r\n")
                   .toUtf8();
        expectedLines.append(QString::number(++line));
        ++known;
        // A new contact after each known one, for the first twenty.
        if (known <= 20) {
            csv += QStringLiteral("Newcomer%1,Person%1,%1 Unknown Way,new%1@example.net,(555) 010-%2\r\n")
                       .arg(known)
                       .arg(known, 4, 10, QLatin1Char('0'))
                       .toUtf8();
            ++line;
        }
    }
    ASSERT_EQ(known, 30);

    TAsciiImport dialog;
    ASSERT_TRUE(dialog.OpenDestination(path));
    ChooseFile(dialog, WriteFile(QStringLiteral("contacts.csv"), csv));
    dialog.ShowMatch = [](TAsciiMatch&) { return QDialog::Accepted; };
    dialog.MatchButton->click();
    EXPECT_FALSE(dialog.SkipKnownBox->isChecked());
    EXPECT_FALSE(dialog.SkipLevelBox->isEnabled());
    dialog.SkipKnownBox->setChecked(true);
    EXPECT_EQ(dialog.SkipLevelBox->currentText(), QStringLiteral("likely"));
    dialog.ImportButton->click();
    EXPECT_EQ(messages_.Texts(),
              QStringList({"Import complete. 20 imported, 30 already in the file were skipped: lines " +
                           expectedLines.first(10).join(", ") + "…"}));
    dialog.Destination.Close();
    EXPECT_EQ(CheckWithXbtool(path), "ok: 26 tags, 3020 records");
}
