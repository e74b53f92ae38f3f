// The "Copy Records Out" dialog and the "&Export " command: choosing the target, the
// checks on its name, Cancel while copying, and the main window's record and order put
// back however the dialog ends.
#include "export_test_support.h"

#include "exchange/exportcommand.h"
#include "exchange/tcopyout.h"
#include "session/mainmenus.h"
#include "support/modal.h"
#include "support/recording_help.h"
#include "support/scripted_messages.h"
#include "support/temp_program_dir.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The user's home folder, with its Documents folder, for the object's life.
class TemporaryHome {
public:
    TemporaryHome() : home_(qgetenv("HOME")), config_(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("HOME", QFile::encodeName(dir_.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir_.filePath(".config")));
        QDir(dir_.path()).mkdir("Documents");
    }
    ~TemporaryHome()
    {
        qputenv("HOME", home_);
        if (config_.isEmpty())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", config_);
    }
    QString Documents() const { return dir_.filePath("Documents"); }

private:
    QTemporaryDir dir_;
    QByteArray home_;
    QByteArray config_;
};

class CopyOutTest : public ::testing::Test {
protected:
    // The dialog, with its save dialog answering the given names in turn.
    void Choose(TCopyOut& dialog, QStringList names)
    {
        dialog.SaveDialog = [this, names](const QString& folder, const QString& fileName, const QString& filter,
                                          const QString& extension) mutable {
            asked << fileName + u'|' + filter + u'|' + extension;
            folders << folder;
            return names.isEmpty() ? QString() : names.takeFirst();
        };
    }

    TempProgramDirectory programDir;
    TemporaryHome home;
    ExportBook book;
    ScriptedMessages boxes;
    QStringList asked;
    QStringList folders;
};

TEST_F(CopyOutTest, ADbfTargetNeedsTheDbfExtensionWhileTheTextTargetTakesAnyName)
{
    book.AddNumbered(3);
    TCopyOut dialog(book.session);
    EXPECT_EQ(dialog.windowTitle(), "Copy Records Out");
    EXPECT_TRUE(dialog.ToDBF->isChecked());
    EXPECT_TRUE(dialog.SaveAsButton->isDefault());
    EXPECT_TRUE(dialog.Label1->text().endsWith("by opening and viewing the exported file."));
    const QString copy = book.File("COPY.TXT");
    Choose(dialog, {copy, copy});

    dialog.SaveAsButton->click();
    EXPECT_EQ(boxes.Texts(), QStringList({"Must have a .DBF extension"}));
    EXPECT_EQ(dialog.FileName->text(), "(none)");
    EXPECT_FALSE(QFile::exists(copy));
    EXPECT_EQ(dialog.result(), QDialog::Rejected);

    dialog.ToAscii->setChecked(true);
    dialog.SaveAsButton->click();
    EXPECT_EQ(boxes.Texts().last(), "Copied 3 records to " + copy);
    EXPECT_EQ(ReadAll(copy).count("\r\n"), 3);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(asked, QStringList({"BOOK.dbf|DBF files (*.DBF *.dbf)|DBF", "BOOK.txt|Text files (*.TXT *.txt)|TXT"}));
}

TEST_F(CopyOutTest, SaveAsStartsInTheDocumentsFolderThenInTheFolderLastUsedForTheKind)
{
    book.AddNumbered(1);
    const QString elsewhere = book.File("exports");
    ASSERT_TRUE(QDir().mkpath(elsewhere));
    {
        TCopyOut dialog(book.session);
        dialog.ToCsv->setChecked(true);
        Choose(dialog, {elsewhere + "/list.csv"});
        dialog.SaveAsButton->click();
    }
    EXPECT_EQ(boxes.Texts(), QStringList({"Copied 1 record to " + elsewhere + "/list.csv"}));
    TCopyOut again(book.session);
    Choose(again, {});
    again.ToCsv->setChecked(true);
    again.SaveAsButton->click();
    again.ToVCard->setChecked(true);
    again.SaveAsButton->click();
    EXPECT_EQ(folders, QStringList({home.Documents(), elsewhere, home.Documents()}));
    EXPECT_EQ(asked.last(), "BOOK.vcf|vCard files (*.VCF *.vcf)|VCF");
}

TEST_F(CopyOutTest, TheOpenFileAndItsIndexAreRefusedAndAnExistingFileOnlyOverwrittenOnYes)
{
    book.AddNumbered(2);
    const QString existing = book.File("old.csv");
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("keep me");
    file.close();
    TCopyOut dialog(book.session);
    dialog.ToCsv->setChecked(true);
    Choose(dialog, {book.path.toLower(), book.File("book.cdx"), existing, existing});
    boxes.Answer(IdOk).Answer(IdOk).AnswerNo().AnswerYes().Answer(IdOk);

    for (int i = 0; i < 3; ++i)
        dialog.SaveAsButton->click();
    EXPECT_EQ(ReadAll(existing), "keep me");
    EXPECT_EQ(dialog.FileName->text(), "(none)");
    dialog.SaveAsButton->click();

    ASSERT_EQ(boxes.Boxes().size(), 5);
    EXPECT_EQ(boxes.Texts().last(), "Copied 2 records to " + existing);
    EXPECT_EQ(boxes.Texts().mid(0, 2), QStringList({"Cannot copy a file to itself!", "Cannot copy a file to itself!"}));
    EXPECT_EQ(boxes.Boxes()[2].text, existing + " already exists.\r\nDo you want to overwrite it?");
    EXPECT_EQ(boxes.Boxes()[2].caption, "Warning!");
    EXPECT_EQ(DefaultAnswer(boxes.Boxes()[2].flags), IdNo);
    EXPECT_TRUE(ReadAll(existing).startsWith("Prefix,First Name,Middle,Last Name,"));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(CopyOutTest, CancelWhileCopyingAsksWithNoAsDefaultAndYesStopsAfterTheCurrentRecord)
{
    book.AddNumbered(60);
    TCopyOut dialog(book.session);
    dialog.ToAscii->setChecked(true);
    Choose(dialog, {book.File("part.txt")});
    bool helpShownWhileCopying = true;
    QObject::connect(dialog.Gauge1, &QProgressBar::valueChanged, &dialog, [&](int percent) {
        helpShownWhileCopying = dialog.Helpbutton->isVisible() || dialog.ChoicePanel->isVisible();
        if (percent == 10 || percent == 20)
            dialog.Cancelbutton->click();
    });
    boxes.AnswerNo().AnswerYes();
    RecordingHelp help;
    dialog.Helpbutton->click();
    dialog.show();

    dialog.SaveAsButton->click();

    EXPECT_EQ(help.requests, QStringList({"topic 1047"}));
    ASSERT_EQ(boxes.Boxes().size(), 2);
    EXPECT_EQ(boxes.Boxes()[0].text, "Cancel copy?");
    EXPECT_EQ(boxes.Boxes()[0].caption, "Cancel");
    EXPECT_EQ(DefaultAnswer(boxes.Boxes()[0].flags), IdNo);
    EXPECT_FALSE(helpShownWhileCopying);
    EXPECT_EQ(dialog.Outcome().copied, 12); // 20 % is reached at the 12th of 60
    EXPECT_FALSE(dialog.Outcome().failed);
    EXPECT_EQ(ReadAll(book.File("part.txt")).count("\r\n"), 12);
    EXPECT_FALSE(dialog.isVisible());
}

class ExportCommandTest : public CopyOutTest {
protected:
    ExportCommandTest()
    {
        book.session.SetWindow(&window);
        MainMenus menus{};
        menus.Window = &window;
        menus.File1 = &menu;
        command = new ExportCommand(book.session, menus, &window);
    }

    // Runs the command, letting the dialog do what the action does.
    void Run(const std::function<void(TCopyOut&)>& action)
    {
        WhenModalOpens([&](QWidget* modal) { action(*qobject_cast<TCopyOut*>(modal)); });
        command->CopyRecordsOutMnuClick();
    }

    QWidget window;
    QMenu menu;
    ExportCommand* command;
};

TEST_F(ExportCommandTest, NothingUnderTheFilterIsNothingToCopy)
{
    book.AddNumbered(5);
    book.Filter(QStringLiteral("UPPER(LNAME)=\"NOBODY\""));

    command->CopyRecordsOutMnuClick();

    EXPECT_EQ(boxes.Texts(), QStringList({"No active records for current filter. Nothing to copy"}));
    EXPECT_FALSE(ModalWasHandled());
    EXPECT_EQ(command->CopyRecordsOutMnu->text(), "&Export ");
    EXPECT_EQ(command->CopyRecordsOutMnu->objectName(), "CopyRecordsOutMnu");
}

TEST_F(ExportCommandTest, BothEndingsGiveTheWindowItsRecordAndOrderBack)
{
    book.AddNumbered(100);
    book.Filter(QStringLiteral("UPPER(CITY)=\"BOSTON\""));
    book.OrderBy(QStringLiteral("FNAME"));
    book.apollo.Go(77);

    Run([&](TCopyOut& dialog) {
        EXPECT_TRUE(book.table.ControlsDisabled());
        EXPECT_FALSE(window.updatesEnabled());
        book.OrderBy(QStringLiteral("CITY"));
        dialog.Cancelbutton->click();
    });
    EXPECT_TRUE(ModalWasHandled());
    EXPECT_EQ(book.table.CurrentRecNo(), 77);
    EXPECT_EQ(book.table.IndexName(), "FNAME");
    EXPECT_FALSE(book.table.ControlsDisabled());
    EXPECT_TRUE(window.updatesEnabled());

    const QString target = book.File("boston.vcf");
    Run([&](TCopyOut& dialog) {
        dialog.ToVCard->setChecked(true);
        Choose(dialog, {target});
        dialog.SaveAsButton->click();
    });
    EXPECT_EQ(ReadAll(target).count("BEGIN:VCARD"), 50);
    EXPECT_EQ(book.table.CurrentRecNo(), 77);
    EXPECT_EQ(book.table.IndexName(), "FNAME");
    EXPECT_EQ(boxes.Texts(), QStringList({"Copied 50 records to " + target}));
}

} // namespace
