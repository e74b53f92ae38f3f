// A copy of the 3,000-record fixture with 50 duplicates planted in other spellings: the
// dialog finds them at "likely", merges a group, tags one and sets one apart; the command
// line lists them and changes nothing; the merged file stays sound for the engine's
// checker and an independent DBF reader.
#include "duplicates/contactreader.h"
#include "duplicates/duplicatecommands.h"
#include "duplicates/duplicatesdialog.h"
#include "duplicates/notduplicates.h"
#include "planted.h"
#include "support/fixture_copy.h"
#include "support/scripted_messages.h"
#include "support/whatsthis_check.h"
#include "support/window_menus.h"

#include "session/addresssession.h"
#include "table/tfield.h"

#include <QComboBox>
#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QTableWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

namespace {

constexpr int kPlanted = 50;

QString RunProgram(const QString& program, const QStringList& arguments, int* status)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    *status = process.exitCode();
    return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
}

class BulkDuplicates : public ::testing::Test {
protected:
    void SetUp() override
    {
        path_ = CopyFixtureTable(QStringLiteral("bulk3k"), dir_.path(), QStringLiteral("book"));
        session_.LastOpenedFile = path_;
        ASSERT_TRUE(session_.ReopenFile());
        session_.GlobalTagId = QStringLiteral("DUPTEST");
        Plant();
    }

    QString Value(long recNo, const char* field)
    {
        TTable& table = session_.TableBook;
        return table.FieldByName(QString::fromLatin1(field)).AsStringIn(table.ReadRecord(recNo));
    }

    // Respelled copies of live records that have a street and a phone.
    void Plant()
    {
        TTable& table = session_.TableBook;
        std::vector<std::pair<long, std::map<QString, QString>>> copies;
        for (long recNo = 5; copies.size() < kPlanted && recNo <= 3000; recNo += 41) {
            const TRecordBuffer record = table.ReadRecord(recNo);
            std::map<QString, QString> values;
            for (TField* field : table.Fields())
                if (!field->Calculated())
                    values[field->FieldName()] = field->AsStringIn(record);
            if (values["ISDEL"] != QStringLiteral("False") || values["STREET"].isEmpty() || values["PHONE"].isEmpty())
                continue;
            Contact copy = Respelled(
                ContactOf(recNo, [&](std::size_t field) { return values[QString::fromLatin1(kContactFields[field])]; }),
                recNo);
            values["FNAME"] = copy.first, values["LNAME"] = copy.last, values["STREET"] = copy.street;
            values["ZIP"] = copy.zip, values["EMAIL"] = copy.email;
            values["PHONE"] = copy.phones.value(0), values["PHONE2"] = copy.phones.value(1);
            values["FAX"] = copy.phones.value(2);
            copies.emplace_back(recNo, values);
        }
        for (const auto& [original, values] : copies) {
            table.Append();
            for (const auto& [name, value] : values)
                if (name != QStringLiteral("ISDEL"))
                    table.FieldByName(name).SetAsString(value);
            table.Post();
            planted_.emplace_back(original, session_.Apollo1.RecCount());
        }
    }

    int FoundPlanted(const std::vector<DuplicateGroup>& groups)
    {
        int found = 0;
        for (const auto& [original, copy] : planted_)
            for (const DuplicateGroup& group : groups)
                found += std::count(group.positions.begin(), group.positions.end(), original) &&
                         std::count(group.positions.begin(), group.positions.end(), copy);
        return found;
    }

    int RowOf(const TFindDuplicates& dialog, long recNo)
    {
        for (std::size_t i = 0; i < dialog.Groups().size(); ++i) {
            const auto& positions = dialog.Groups()[i].positions;
            if (std::count(positions.begin(), positions.end(), recNo))
                return static_cast<int>(i);
        }
        return -1;
    }

    QTemporaryDir dir_;
    QString path_;
    AddressSession session_;
    std::vector<std::pair<long, long>> planted_;
};

} // namespace

TEST_F(BulkDuplicates, TheDialogFindsMergesTagsAndSetsApart)
{
    QWidget window;
    auto* commands = new TDuplicateCommands(session_, MenusFor(window), &window);
    EXPECT_EQ(commands->FindDuplicatesMenu->text(), QStringLiteral("Find &Duplicates..."));
    EXPECT_TRUE(commands->FindDuplicatesMenu->isEnabled());

    ScriptedMessages boxes;
    TFindDuplicates dialog(session_);
    EXPECT_EQ(dialog.LevelBox->currentText(), QStringLiteral("Likely"));
    EXPECT_EQ(ControlsWithoutWhatsThis(&dialog), "");
    const int found = FoundPlanted(dialog.Groups());
    std::printf("likely: %d of %d planted duplicates in %zu groups\n", found, kPlanted, dialog.Groups().size());
    EXPECT_GE(found, 48);
    EXPECT_EQ(dialog.GroupList->count(), static_cast<int>(dialog.Groups().size()));
    EXPECT_TRUE(dialog.GroupList->item(0)->text().contains(QStringLiteral("same")));

    // Merge a planted pair whose given names differ, keeping the original with the copy's name.
    auto chosen = std::find_if(planted_.begin(), planted_.end(), [&](const auto& pair) {
        const int row = RowOf(dialog, pair.first);
        return row >= 0 && dialog.Groups()[row].positions.size() == 2 &&
               Value(pair.first, "FNAME") != Value(pair.second, "FNAME");
    });
    ASSERT_NE(chosen, planted_.end());
    const auto [original, copy] = *chosen;
    const QString copyName = Value(copy, "FNAME");
    dialog.GroupList->setCurrentRow(RowOf(dialog, original));
    dialog.KeepBox->setCurrentIndex(0);
    auto* names = static_cast<QComboBox*>(dialog.FieldGrid->cellWidget(1, 0));
    ASSERT_EQ(dialog.FieldGrid->verticalHeaderItem(1)->text(), QStringLiteral("FNAME"));
    names->setCurrentIndex(1);
    dialog.MergeButtonClick();
    ASSERT_EQ(boxes.Texts().size(), 1);
    EXPECT_EQ(boxes.Texts()[0], QStringLiteral("Merged into record %1; deleted record %2.").arg(original).arg(copy));
    EXPECT_EQ(Value(original, "FNAME"), copyName);
    EXPECT_EQ(Value(copy, "ISDEL"), QStringLiteral("True"));
    // The deleted record is matched no more.
    EXPECT_EQ(RowOf(dialog, copy), -1);

    // Tag All marks each record of the group.
    const long tagOriginal = planted_[chosen == planted_.begin() ? 1 : 0].first;
    const int tagRow = RowOf(dialog, tagOriginal);
    ASSERT_GE(tagRow, 0);
    dialog.GroupList->setCurrentRow(tagRow);
    dialog.TagAllButtonClick();
    for (const long recNo : dialog.Groups()[tagRow].positions)
        EXPECT_EQ(Value(recNo, "TAG"), QStringLiteral("DUPTEST"));

    // Not duplicates: remembered beside the file, and not offered again.
    const std::size_t before = dialog.Groups().size();
    const std::size_t pairs = dialog.Groups()[tagRow].pairs.size();
    dialog.GroupList->setCurrentRow(tagRow);
    dialog.NotDuplicatesButtonClick();
    EXPECT_EQ(dialog.Groups().size(), before - 1);
    EXPECT_EQ(NotDuplicates(NotDuplicates::FileFor(path_)).Size(), qsizetype(pairs));
    EXPECT_EQ(boxes.Unanswered(), 2);

    // The engine's checker and an independent reader see one live record and one deleted.
    session_.TableBook.Close();
    int status = 0;
    const QString check = RunProgram(QStringLiteral(ADDRINA_BIN_DIR "/xbtool"), {"check", path_}, &status);
    EXPECT_EQ(status, 0) << check.toStdString();
    EXPECT_TRUE(check.startsWith(QStringLiteral("ok: 26 tags, 3050 records"))) << check.toStdString();
    const QString read = RunProgram(QStringLiteral("/usr/bin/python3"),
                                    {"-c",
                                     "import sys, dbfread\n"
                                     "t = dbfread.DBF(sys.argv[1], encoding='cp1252', load=True)\n"
                                     "r = [x for x in t.records if x['FNAME'] == sys.argv[2]]\n"
                                     "print(len(t.records) + len(t.deleted), sorted(bool(x['ISDEL']) for x in r))",
                                     path_, copyName},
                                    &status);
    EXPECT_EQ(status, 0) << read.toStdString();
    EXPECT_TRUE(read.startsWith(QStringLiteral("3050 [False, ")) && read.contains(QStringLiteral("True]")))
        << read.toStdString();
}

TEST_F(BulkDuplicates, PairsSetApartStayApartWhenAPackRenumbersThem)
{
    ScriptedMessages boxes;
    // Two planted pairs, known by their bytes, since the pack renumbers them.
    std::vector<std::string> records;
    for (const long recNo : {planted_[0].first, planted_[0].second, planted_[1].first, planted_[1].second})
        records.push_back(session_.TableBook.ReadRecord(recNo).bytes);
    {
        TFindDuplicates dialog(session_);
        dialog.GroupList->setCurrentRow(RowOf(dialog, planted_[0].first));
        dialog.NotDuplicatesButtonClick();
        ASSERT_EQ(RowOf(dialog, planted_[0].first), -1);
    }
    session_.TableBook.Close();
    int status = 0;
    const QString xbtool = QStringLiteral(ADDRINA_BIN_DIR "/xbtool");
    RunProgram(xbtool, {"delete", path_, "1"}, &status);
    ASSERT_EQ(status, 0);
    RunProgram(xbtool, {"pack", path_}, &status);
    ASSERT_EQ(status, 0);
    ASSERT_TRUE(session_.ReopenFile());
    std::vector<long> now(records.size());
    for (long recNo = 1; recNo <= session_.Apollo1.RecCount(); ++recNo) {
        const auto at = std::find(records.begin(), records.end(), session_.TableBook.ReadRecord(recNo).bytes);
        if (at != records.end())
            now[static_cast<std::size_t>(at - records.begin())] = recNo;
    }
    ASSERT_LT(now[0], planted_[0].first);

    TFindDuplicates dialog(session_);
    EXPECT_EQ(RowOf(dialog, now[0]), -1);
    EXPECT_EQ(RowOf(dialog, now[1]), -1);
    EXPECT_GE(RowOf(dialog, now[2]), 0);
    EXPECT_EQ(RowOf(dialog, now[2]), RowOf(dialog, now[3]));
}

TEST_F(BulkDuplicates, TheCommandLineListsTheGroupsAndChangesNothing)
{
    session_.TableBook.Close();
    QFile file(path_);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    file.close();
    const QString tool = QStringLiteral(ADDRINA_BIN_DIR "/addrina-dedupe");
    int status = -1;
    const QString out = RunProgram(tool, {path_, "--level", "likely"}, &status);
    EXPECT_EQ(status, 0);
    std::map<long, QString> groupOf;
    for (const QString& line : out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList cells = line.split(QLatin1Char('\t'));
        ASSERT_EQ(cells.size(), 4) << line.toStdString();
        EXPECT_GT(cells[2].toInt(), 0);
        EXPECT_TRUE(cells[3].contains(QStringLiteral(": same"))) << line.toStdString();
        groupOf[cells[1].toLong()] = cells[0];
    }
    const int together = std::count_if(planted_.begin(), planted_.end(), [&](const auto& pair) {
        return groupOf.count(pair.first) && groupOf[pair.first] == groupOf[pair.second];
    });
    EXPECT_GE(together, 48);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), bytes);

    EXPECT_LT(RunProgram(tool, {path_, "--level", "exact"}, &status).size(), out.size());
    EXPECT_EQ(status, 0);
    RunProgram(tool, {path_, "--level", "maybe"}, &status);
    EXPECT_EQ(status, 2);
    RunProgram(tool, {dir_.path() + "/none.dbf"}, &status);
    EXPECT_EQ(status, 1);
}
