#include "addressfile/addressschema.h"
#include "app/bkmain.h"
#include "platform/settings.h"
#include "support/fixture_copy.h"
#include "support/modal.h"
#include "support/scripted_messages.h"
#include "support/temp_program_dir.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <gtest/gtest.h>
#include <ostream>

// Readable failure output for texts.
static void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

QStringList RecentItems(TAddressMain& window)
{
    QStringList paths;
    const QList<QAction*> items = window.File1->actions();
    for (qsizetype i = items.indexOf(window.StartOfMRU) + 1; i < items.size(); ++i)
        paths << items[i]->data().toString();
    return paths;
}

QAction* RecentItem(TAddressMain& window, const QString& path)
{
    for (QAction* item : window.File1->actions())
        if (item->data().toString() == path)
            return item;
    return nullptr;
}

} // namespace

class MainWindowFiles : public ::testing::Test {
protected:
    void StartWindow()
    {
        window_ = std::make_unique<TAddressMain>();
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
        QTest::qWait(50);
    }
    QString DataFile(const QString& name) const { return dir_.Path() + "DATA/" + name; }
    // Copies a shared fixture into the data folder; gives the DBF's path.
    QString CopyFixture(const QString& name) const
    {
        QDir().mkpath(dir_.Path() + "DATA");
        return CopyFixtureTable(name, dir_.Path() + "DATA");
    }

    TempProgramDirectory dir_;
    ScriptedMessages boxes_;
    std::unique_ptr<TAddressMain> window_;
};

TEST_F(MainWindowFiles, FirstStartMakesAndOpensTheDefaultFileThenNewProposesTheNextName)
{
    StartWindow();
    TAddressMain& w = *window_;
    const QString first = DataFile("add0001.DBF");
    ASSERT_TRUE(w.Session().TableBook.Active());
    EXPECT_EQ(w.Session().TableBook.FilePath(), first);
    EXPECT_EQ(w.windowTitle(), "Addrina - add0001.DBF");
    EXPECT_TRUE(w.IndexValid);
    EXPECT_EQ(w.Session().TableBook.IndexName(), "LNAME");
    EXPECT_EQ(w.Session().Apollo1.DBFilter(), "!ISDEL");
    EXPECT_EQ(w.GetDatabasePath(), dir_.Path() + "DATA/");
    EXPECT_EQ(RecentItems(w), QStringList({first}));

    // add0001.DBF takes ADD0001 too, since names differ only in letter case.
    QString proposed;
    WhenModalOpens([&](QWidget* dialog) {
        proposed = dialog->findChild<QLineEdit*>("DBFFileName")->text();
        dialog->findChild<QPushButton*>("OKButton")->click();
    });
    w.NewFileMenuClick();
    EXPECT_TRUE(ModalWasHandled());
    EXPECT_EQ(proposed, "ADD0002");
    const QString second = DataFile("ADD0002.DBF");
    EXPECT_EQ(w.Session().TableBook.FilePath(), second);
    EXPECT_EQ(RecentItems(w), QStringList({second, first}));
    EXPECT_EQ(std::count_if(w.Session().TableBook.Fields().begin(), w.Session().TableBook.Fields().end(),
                            [](const TField* field) { return !field->Calculated(); }),
              22);
    EXPECT_TRUE(boxes_.Boxes().isEmpty()) << qPrintable(boxes_.Texts().join('|'));

    const QString small = CopyFixture("small");
    QString startedIn;
    w.OpenDialogBook = [&](const QString& folder) {
        startedIn = folder;
        return small;
    };
    w.OpenFileMenuClick();
    EXPECT_EQ(startedIn, dir_.Path() + "DATA/");
    EXPECT_EQ(w.Session().TableBook.FilePath(), small);
    EXPECT_EQ(RecentItems(w), QStringList({small, second, first}));
    EXPECT_EQ(w.windowTitle(), "Addrina - small.dbf");

    // Started again, the most recent file opens.
    window_.reset();
    StartWindow();
    EXPECT_EQ(window_->Session().TableBook.FilePath(), small);
    EXPECT_FALSE(window_->Session().TableBook.Eof());
}

TEST_F(MainWindowFiles, TheRecentListKeepsFourExactPathsNewestFirst)
{
    StartWindow();
    TAddressMain& w = *window_;
    const QStringList paths = {"/a/ONE.DBF", "/a/two.DBF", "/a/three.DBF", "/a/four.DBF", "/a/five.DBF"};
    for (const QString& path : paths)
        w.UpdateMRUList(path);
    EXPECT_EQ(RecentItems(w), QStringList({"/a/five.DBF", "/a/four.DBF", "/a/three.DBF", "/a/two.DBF"}));
    w.UpdateMRUList("/a/four.DBF");
    EXPECT_EQ(RecentItems(w), QStringList({"/a/four.DBF", "/a/five.DBF", "/a/three.DBF", "/a/two.DBF"}));
    w.UpdateMRUList("/a/FOUR.DBF");
    EXPECT_EQ(RecentItems(w), QStringList({"/a/FOUR.DBF", "/a/four.DBF", "/a/five.DBF", "/a/three.DBF"}));
    EXPECT_EQ(ReadSettingString("MRU", "Item1"), "/a/FOUR.DBF");
    EXPECT_EQ(ReadSettingString("MRU", "Item4"), "/a/three.DBF");
    EXPECT_EQ(w.GetMRUFile(), "/a/FOUR.DBF");
}

TEST_F(MainWindowFiles, ADeletedRecentFileShowsBothMessagesThenThePreviousFileReopens)
{
    StartWindow();
    TAddressMain& w = *window_;
    const QString small = CopyFixture("small");
    ASSERT_TRUE(w.OpenBookDBF(small));
    const QString gone = DataFile("gone.DBF");
    w.UpdateMRUList(gone);
    boxes_.Clear();

    w.MRUITemClick(RecentItem(w, gone));
    const QStringList texts = boxes_.Texts();
    ASSERT_EQ(texts.size(), 2);
    EXPECT_EQ(texts[0], "File " + gone + " not found");
    EXPECT_EQ(texts[1], "Unable to open " + gone +
                            "\r\n\r\n * May not be an Addrina file.\r\n"
                            " * May be in use by another program or user");
    EXPECT_TRUE(w.Session().TableBook.Active());
    EXPECT_EQ(w.Session().LastOpenedFile, small);
    EXPECT_EQ(w.windowTitle(), "Addrina - small.dbf");
}

TEST_F(MainWindowFiles, AnOldFileWithoutTheWebPageTagIsRebuiltOnYes)
{
    StartWindow();
    TAddressMain& w = *window_;
    const QString old = CopyFixture("nowebpage");
    boxes_.AnswerNo();
    EXPECT_TRUE(w.OpenBookDBF(old));
    EXPECT_FALSE(w.Session().TableBook.Active());
    EXPECT_EQ(w.Session().LastOpenedFile, old);
    EXPECT_EQ(RecentItems(w).value(0), old);
    ASSERT_EQ(boxes_.Boxes().size(), 1);
    EXPECT_EQ(boxes_.Boxes()[0].caption, "Warning");
    EXPECT_EQ(boxes_.Boxes()[0].text, "The index file for " + old + "\r\nis missing or invalid. Rebuild now?");

    boxes_.AnswerYes();
    WhenModalOpens([](QWidget* dialog) { dialog->findChild<QPushButton*>("Doit")->click(); });
    EXPECT_TRUE(w.OpenBookDBF(old));
    EXPECT_TRUE(ModalWasHandled());
    ASSERT_TRUE(w.Session().TableBook.Active());
    EXPECT_TRUE(w.IndexValid);
    EXPECT_EQ(w.Session().Apollo1.RecCount(), 207);
    EXPECT_EQ(w.Session().TableBook.IndexName(), "LNAME");

    // The engine's own checker finds the rebuilt file sound.
    w.Session().TableBook.Close();
    const QString xbtool = QStringLiteral(ADDRINA_BIN_DIR "/xbtool");
    ASSERT_TRUE(QFile::exists(xbtool));
    QProcess check;
    check.start(xbtool, {"check", old});
    ASSERT_TRUE(check.waitForFinished(30000));
    EXPECT_EQ(check.exitCode(), 0) << check.readAllStandardError().toStdString();
    EXPECT_TRUE(check.readAllStandardOutput().startsWith("ok: 26 tags, 207 records"));
}

TEST_F(MainWindowFiles, FileMenuRefusalsAndTheRebuildCommand)
{
    StartWindow();
    TAddressMain& w = *window_;
    boxes_.Clear();
    w.OpenDialogBook = [](const QString&) { return QStringLiteral("/tmp/notes.txt"); };
    w.OpenFileMenuClick();
    EXPECT_EQ(boxes_.Texts(), QStringList({"Must be a DBF file"}));

    // A taken name in another letter case is refused; nothing is created.
    boxes_.Clear();
    WhenModalOpens([](QWidget* dialog) {
        dialog->findChild<QLineEdit*>("DBFFileName")->setText("Add0001");
        dialog->findChild<QPushButton*>("OKButton")->click();
    });
    w.NewFileMenuClick();
    EXPECT_EQ(boxes_.Texts(), QStringList({"That file already exists.Please select another name"}));
    EXPECT_FALSE(QFile::exists(DataFile("Add0001.DBF")));

    boxes_.Clear();
    w.SetOrderTo("City");
    WhenModalOpens([](QWidget* dialog) { dialog->findChild<QPushButton*>("Doit")->click(); });
    w.RebuildIndexesMenuClick();
    EXPECT_TRUE(ModalWasHandled());
    EXPECT_EQ(w.Session().TableBook.IndexName(), "CITY");
    EXPECT_EQ(w.Session().Apollo1.DBFilter(), "!ISDEL");

    w.Session().TableBook.Close();
    w.RebuildIndexesMenuClick();
    EXPECT_EQ(boxes_.Texts(), QStringList({"You need to have a database file open first"}));
}

TEST_F(MainWindowFiles, EveryWayOfOpeningLeavesTheCommandsReadyForTheFileOpened)
{
    // The recent file is gone, so the window starts without a file.
    dir_.WriteSettingsText("[MRU]\nItem1=" + DataFile("gone.DBF") + "\n");
    StartWindow();
    TAddressMain& w = *window_;
    ASSERT_FALSE(w.Session().TableBook.Active());
    ASSERT_FALSE(w.EditButton->isEnabled());

    const QString small = CopyFixture("small");
    w.OpenDialogBook = [&](const QString&) { return small; };
    w.OpenFileMenuClick();
    ASSERT_TRUE(w.Session().TableBook.Active());
    for (QAction* item : {w.mnuEdit, w.mnuDelete, w.mnuSearch, w.mnuBrowse, w.Record1->menuAction(),
                          w.mnuOrder->menuAction(), w.mnuSetFilter})
        EXPECT_TRUE(item->isEnabled()) << qPrintable(item->objectName());
    for (QToolButton* button : {w.EditButton, w.DeleteButton, w.SearchButton, w.BrowseButton, w.FilterButton})
        EXPECT_TRUE(button->isEnabled()) << qPrintable(button->objectName());

    // A new file is empty: only Add makes sense on it.
    WhenModalOpens([](QWidget* dialog) { dialog->findChild<QPushButton*>("OKButton")->click(); });
    w.NewFileMenuClick();
    ASSERT_TRUE(ModalWasHandled());
    ASSERT_TRUE(w.Session().TableBook.Active());
    EXPECT_TRUE(w.AddButton->isEnabled());
    for (QToolButton* button : {w.EditButton, w.DeleteButton, w.SearchButton, w.BrowseButton})
        EXPECT_FALSE(button->isEnabled()) << qPrintable(button->objectName());
    EXPECT_FALSE(w.mnuEdit->isEnabled());

    w.MRUITemClick(RecentItem(w, small));
    EXPECT_EQ(w.Session().TableBook.FilePath(), small);
    EXPECT_TRUE(w.EditButton->isEnabled());
    EXPECT_TRUE(w.mnuSearch->isEnabled());
    // Only the start-up's two messages about the missing file.
    EXPECT_EQ(boxes_.Texts().size(), 2) << qPrintable(boxes_.Texts().join('|'));
}

TEST_F(MainWindowFiles, AFileThatIsNoAddressFileLeavesThePreviousOneOpen)
{
    StartWindow();
    TAddressMain& w = *window_;
    const QString small = CopyFixture("small");
    ASSERT_TRUE(w.OpenBookDBF(small));
    w.SetButtons();
    const QString bogus = DataFile("bogus.DBF");
    {
        QFile file(bogus);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("This is a letter, not a table.\n");
    }
    boxes_.Clear();
    w.OpenDialogBook = [&](const QString&) { return bogus; };
    w.OpenFileMenuClick();
    ASSERT_EQ(boxes_.Texts().size(), 1);
    EXPECT_TRUE(boxes_.Texts()[0].startsWith("Unable to open " + bogus));
    ASSERT_TRUE(w.Session().TableBook.Active());
    EXPECT_EQ(w.Session().TableBook.FilePath(), small);
    EXPECT_EQ(w.Session().LastOpenedFile, small);
    EXPECT_EQ(w.windowTitle(), "Addrina - small.dbf");
    EXPECT_TRUE(w.EditButton->isEnabled());
    EXPECT_TRUE(w.RecordPanel->isVisibleTo(&w));
    EXPECT_FALSE(RecentItems(w).contains(bogus));

    // With nothing open before, the window is plainly without a file.
    w.Session().TableBook.Close();
    w.OnOpenBookFile(false);
    w.SetButtons();
    w.OpenFileMenuClick();
    EXPECT_FALSE(w.Session().TableBook.Active());
    EXPECT_EQ(w.windowTitle(), "Addrina");
    EXPECT_TRUE(w.NoData->isVisibleTo(&w));
    EXPECT_FALSE(w.EditButton->isEnabled());
    EXPECT_FALSE(w.AddButton->isEnabled());
}

TEST_F(MainWindowFiles, KeysAnotherProgramUpperCasedOtherwiseAreOfferedTheRebuild)
{
    StartWindow();
    TAddressMain& w = *window_;
    EXPECT_TRUE(w.statusBar()->currentMessage().isEmpty());
    // The fixture's index came from another engine, whose capitals of ü differ from ours.
    const QString other = CopyFixture("small");
    ASSERT_TRUE(w.OpenBookDBF(other));
    EXPECT_GT(w.Session().Apollo1.ForeignCaseKeys(), 0);
    EXPECT_TRUE(w.statusBar()->currentMessage().contains("File, Rebuild Indexes writes them anew"))
        << qPrintable(w.statusBar()->currentMessage());

    WhenModalOpens([](QWidget* dialog) { dialog->findChild<QPushButton*>("Doit")->click(); });
    w.RebuildIndexesMenuClick();
    ASSERT_TRUE(ModalWasHandled());
    EXPECT_EQ(w.Session().Apollo1.ForeignCaseKeys(), 0);
    // Opened again after another file, it has nothing left to say.
    ASSERT_TRUE(w.OpenBookDBF(DataFile("add0001.DBF")));
    EXPECT_TRUE(w.statusBar()->currentMessage().isEmpty());
    ASSERT_TRUE(w.OpenBookDBF(other));
    EXPECT_TRUE(w.statusBar()->currentMessage().isEmpty()) << qPrintable(w.statusBar()->currentMessage());
}
