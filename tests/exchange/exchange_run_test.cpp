// The import and export runs called directly, with no window: each import names itself
// and gives the system's reason when the address file refuses a write, a failed index
// rebuild is reported, and an export says whether the disk was full, the folder refused
// the file or the file went away.
#include "exchange_test_support.h"
#include "export_test_support.h"

#include "exchange/asciicolumns.h"
#include "exchange/copyfailure.h"
#include "exchange/dbfmatching.h"
#include "exchange/exportrun.h"
#include "exchange/importrun.h"
#include "exchange/importtargets.h"
#include "exchange/importtext.h"
#include "exchange/runprogress.h"
#include "exchange/tablesource.h"
#include "exchange/vcardsource.h"
#include "session/addresssession.h"
#include "support/file_size_limit.h"
#include "table/opentablefile.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <unistd.h>

namespace {

// What a window would be told, and a hook on the gauge.
struct RecordedProgress : RunProgress {
    void Stage(const QString& status, bool stoppable) override
    {
        stages.append(stoppable ? status : status + QStringLiteral("(no stop)"));
        if (onStage)
            onStage(status);
    }
    void Gauge(int percent) override
    {
        if (onGauge)
            onGauge(percent);
    }
    QStringList stages;
    std::function<void(const QString&)> onStage;
    std::function<void(int)> onGauge;
};

class ImportRunTest : public ImportTest {
protected:
    // Imports 30 records of the kind into a new address file while no file may grow past
    // its size: from the start, or only once the index is being rebuilt.
    ImportOutcome Import(ImportKind kind, bool fullFromRebuild = false)
    {
        const QString path = NewAddressFile(QStringLiteral("A%1").arg(static_cast<int>(kind)));
        ImportTrio target;
        EXPECT_TRUE(OpenTableFile(path, target.table));
        QByteArray lines, cards;
        for (int i = 0; i < 30; ++i) {
            lines += "Name" + QByteArray::number(i) + "\n";
            cards += "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Name" + QByteArray::number(i) + ";;;;\r\nEND:VCARD\r\n";
        }
        ImportText text;
        EXPECT_TRUE(text.Load(WriteFile("in.csv", lines)));
        AsciiImportSource textSource(text, {ImportTargets(target.table)[0]}, false);
        VCardImportSource cardSource(cards, target.table, 30);
        const QString sourcePath = NewAddressFile(QStringLiteral("S%1").arg(static_cast<int>(kind)));
        ImportTrio other;
        EXPECT_TRUE(OpenTableFile(sourcePath, other.table));
        for (int i = 0; i < 30; ++i) {
            other.table.Append();
            other.table.FieldByName("LNAME").SetAsString(QStringLiteral("Name%1").arg(i));
            other.table.Post();
        }
        other.table.First();
        TableImportSource tableSource(other.table, 30, OlderFilePairs(other.table, target.table));
        ImportSource& source = kind == ImportKind::Text    ? static_cast<ImportSource&>(textSource)
                               : kind == ImportKind::VCard ? static_cast<ImportSource&>(cardSource)
                                                           : tableSource;
        std::optional<FileSizeLimit> full;
        if (!fullFromRebuild)
            full.emplace(QFileInfo(path).size());
        progress_.onStage = [&](const QString& status) {
            // An index of 26 tags needs far more than this.
            if (fullFromRebuild && status.startsWith("Rebuilding"))
                full.emplace(4096);
        };
        ImportOutcome outcome = RunImport(kind, sourcePath, source, target.table, target.apollo, progress_);
        full.reset();
        target.table.Close();
        path_ = path;
        return outcome;
    }
    RecordedProgress progress_;
    QString path_;
};

TEST_F(ImportRunTest, EachImportNamesItselfAndGivesTheSystemsReasonWhenTheAddressFileRefusesAWrite)
{
    const std::pair<ImportKind, QString> kinds[] = {{ImportKind::Text, "ASCII"},
                                                    {ImportKind::Dbf, "DBF"},
                                                    {ImportKind::OlderFile, "Addrina DBF"},
                                                    {ImportKind::VCard, "vCard"}};
    for (const auto& [kind, name] : kinds) {
        const ImportOutcome outcome = Import(kind);
        EXPECT_EQ(outcome.records.end, ImportEnd::WriteFailed) << name.toStdString();
        EXPECT_TRUE(outcome.records.cause.contains(SystemReason(EFBIG))) << outcome.records.cause.toStdString();
        const QString message = ImportOutcomeMessage(outcome, "line");
        EXPECT_TRUE(message.startsWith("The " + name + " import could not write to the address file after importing"))
            << message.toStdString();
        EXPECT_TRUE(message.contains(outcome.records.cause)) << message.toStdString();
        EXPECT_FALSE(message.contains("ASCII") && kind != ImportKind::Text) << message.toStdString();
    }
}

TEST_F(ImportRunTest, AFailedRebuildIsReportedAndTheRecordsStay)
{
    const ImportOutcome outcome = Import(ImportKind::Text, true);

    EXPECT_EQ(outcome.records.end, ImportEnd::Complete);
    EXPECT_EQ(outcome.records.read, 30);
    EXPECT_EQ(outcome.records.imported, 30);
    EXPECT_TRUE(outcome.rebuildFailure.contains(SystemReason(EFBIG))) << outcome.rebuildFailure.toStdString();
    EXPECT_EQ(ImportOutcomeMessage(outcome, "line"),
              "Import complete. Imported 30 records.\r\n\r\nThe indexes could not be rebuilt; the address file will "
              "offer to rebuild them when it is next opened.\r\n\r\n" +
                  outcome.rebuildFailure);
    EXPECT_EQ(progress_.stages, QStringList({"", "Importing records", "Rebuilding Indexes (no stop)", ""}));
    EXPECT_EQ(ReadWithPython(path_).size(), 30);
}

// The records of a small book copied out by the run, the hook given the gauge.
CopyOutcome Export(CopyOutKind kind, const QString& target, const std::function<void(int)>& onGauge = {})
{
    ExportBook book;
    book.AddNumbered(45);
    RecordedProgress progress;
    progress.onGauge = onGauge;
    TTable targetTable;
    return RunExport(kind, target, book.table, book.apollo, targetTable, progress);
}

// A folder this process may not write in: a read-only one, or for root, whom no mode
// stops, the kernel's /sys.
QString UnwritableFolder(const QString& parent)
{
    const QString folder = parent + QStringLiteral("/readonly");
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    return ::access(QFile::encodeName(folder).constData(), W_OK) == 0 ? QStringLiteral("/sys") : folder;
}

TEST(ExportRun, ARefusedOrVanishedTargetSaysWhichWithTheFileAndTheSystemsReason)
{
    QTemporaryDir dir;
    const QString readOnly = UnwritableFolder(dir.path());
    const QString gone = dir.filePath("gone");
    for (const CopyOutKind kind : {CopyOutKind::Dbf, CopyOutKind::Ascii}) {
        const QString refused = readOnly + "/LIST.DBF";
        CopyOutcome done = Export(kind, refused);
        EXPECT_TRUE(done.message.startsWith("Error copying to " + refused + " - writing there is not permitted."))
            << done.message.toStdString();
        EXPECT_TRUE(done.message.endsWith(SystemReason(EACCES))) << done.message.toStdString();

        const QString missing = gone + "/LIST.DBF";
        done = Export(kind, missing);
        EXPECT_TRUE(done.message.startsWith("Error copying to " + missing + " - the file or its folder is gone."))
            << done.message.toStdString();

        // The folder is removed halfway through the copy: the bytes written go with it.
        ASSERT_TRUE(QDir().mkpath(gone));
        done = Export(kind, missing, [&](int percent) {
            if (percent >= 50)
                QDir(gone).removeRecursively();
        });
        EXPECT_TRUE(done.failed);
        EXPECT_TRUE(done.message.startsWith("Error copying to " + missing + " - the file or its folder is gone."))
            << done.message.toStdString();
        EXPECT_TRUE(done.message.endsWith(SystemReason(ENOENT))) << done.message.toStdString();
    }
    QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

} // namespace

class ImportCommandTest : public ImportTest {};

TEST_F(ImportCommandTest, AnAddressFileThatCannotBeHadIsNamedByTheImportThatWantedIt)
{
    const QString path = NewAddressFile();
    ImportMenu* menu = nullptr;
    AddressSession session;
    for (QAction* ImportCommands::*item :
         {&ImportCommands::mnuImportDBF, &ImportCommands::mnuImportVCard, &ImportCommands::mnuImportASCII}) {
        ASSERT_TRUE(OpenInSession(session, path, "CITY"));
        delete menu;
        menu = new ImportMenu(session);
        menu->commands.ShowDialog = [](QDialog&) { ADD_FAILURE() << "the dialog was shown"; };
        // Spoilt behind the window's back: the next open finds no table in it.
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        const QByteArray whole = file.readAll();
        file.resize(8);
        (menu->commands.*item)->trigger();
        file.resize(0);
        file.seek(0);
        file.write(whole);
    }
    delete menu;
    QStringList texts;
    for (const QString& text : messages_.Texts())
        if (text.startsWith("Unable to do"))
            texts.append(text);
    ASSERT_EQ(texts.size(), 3) << messages_.Texts().join("|").toStdString();
    EXPECT_TRUE(texts[0].startsWith("Unable to do DBF import at this time: ")) << texts[0].toStdString();
    EXPECT_TRUE(texts[1].startsWith("Unable to do vCard import at this time: ")) << texts[1].toStdString();
    EXPECT_TRUE(texts[2].startsWith("Unable to do ASCII import at this time: ")) << texts[2].toStdString();
    // The engine's reason, not "Unknown error".
    for (const QString& text : texts)
        EXPECT_TRUE(text.endsWith(path + ": file too short for a DBF header")) << text.toStdString();
}
