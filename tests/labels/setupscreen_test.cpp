#include "labels/gzintpanel.h"
#include "labels/labelcatalog.h"
#include "labels/newlblsetup.h"
#include "labels/setupfiles.h"
#include "platform/programdirectory.h"
#include "select/book.h"
#include "support/modal.h"
#include "support/scripted_messages.h"
#include "support/temp_program_dir.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

class SetupScreen : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(book.opened);
        ASSERT_TRUE(QFile::copy(QStringLiteral(ADDRINA_BIN_DIR "/adr.tpl"), CatalogPath()));
    }
    void Show()
    {
        screen = std::make_unique<TNewLabelSetupScreen>(&book.table, &book.apollo, QStringList{"PDF file"}, 0, nullptr,
                                                        [this](const LabelPrintJob& job) { jobs.push_back(job); });
        screen->show();
    }
    // Saves a setup from the catalogue's first sheet under the description.
    void SaveSetup(const QString& description)
    {
        TZintLabelFile setup;
        setup.LoadTemplate(CatalogPath(), QString(), true);
        setup.SaveToFile(SetupFilePath(LabelsDirectory(), description));
    }
    TempProgramDirectory dir;
    Book book;
    std::unique_ptr<TNewLabelSetupScreen> screen;
    std::vector<LabelPrintJob> jobs;
};

} // namespace

TEST_F(SetupScreen, NewProposesTheNextFreeNameAndSavesWithoutBlanks)
{
    QDir().mkpath(LabelsDirectory());
    SaveSetup("Label #1");
    SaveSetup("Label #2");
    Show();
    ScriptedMessages messages;
    messages.Answer(IdOk);
    WhenModalOpens([](QWidget* design) {
        auto* description = design->findChild<QLineEdit*>("LabelSetupDescription");
        EXPECT_EQ(description->text(), "Label #3");
        EXPECT_TRUE(design->findChild<QCheckBox*>("AdjustFont")->isChecked()); // a new setup fits its lines
        description->setText(" Church  ");
        design->findChild<QPushButton*>("SaveButton")->click();
    });
    screen->NewButton->click();
    EXPECT_TRUE(QFile::exists(LabelsDirectory() + "Church.lbl"));
    EXPECT_EQ(screen->FileListBox1->currentItem()->text(), "Church.lbl");
    EXPECT_TRUE(screen->LabelDesc->text().startsWith("Template........5160\n"));
    TZintLabelFile saved;
    ASSERT_TRUE(saved.LoadFromFile(LabelsDirectory() + "Church.lbl"));
    EXPECT_TRUE(saved.AdjustFontSizeToFit);
}

TEST_F(SetupScreen, NewStartsFromTheA4SheetWhereA4IsUsual)
{
    const QLocale pinned;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Show();
    ScriptedMessages messages;
    messages.Answer(IdOk);
    WhenModalOpens([](QWidget* design) { design->findChild<QPushButton*>("SaveButton")->click(); });
    screen->NewButton->click();
    QLocale::setDefault(pinned);
    EXPECT_TRUE(screen->LabelDesc->text().startsWith("Template........L7160\n"));
}

TEST_F(SetupScreen, ABlankDescriptionIsRefusedAndTheDesignStaysOpen)
{
    QDir().mkpath(LabelsDirectory());
    SaveSetup("Home");
    Show();
    ScriptedMessages messages;
    messages.Answer(IdOk);
    bool stayedOpen = false;
    bool fitKept = true;
    WhenModalOpens([&](QWidget* design) {
        fitKept = design->findChild<QCheckBox*>("AdjustFont")->isChecked(); // as the file stores it
        design->findChild<QLineEdit*>("LabelSetupDescription")->setText("   ");
        design->findChild<QPushButton*>("SaveButton")->click();
        stayedOpen = design->isVisible();
        design->findChild<QPushButton*>("CancelButton")->click();
    });
    screen->ModifyButton->click();
    EXPECT_FALSE(fitKept);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(messages.Texts(), QStringList({"Please type a description for this label setup.\r"
                                             "It names the setup in the list of label setups."}));
    EXPECT_EQ(QDir(LabelsDirectory()).entryList(QDir::Files | QDir::Hidden), QStringList({"Home.lbl"}));
}

TEST_F(SetupScreen, AnUnwritableDescriptionIsReportedAndNothingSaved)
{
    QDir().mkpath(LabelsDirectory());
    SaveSetup("Home");
    Show();
    ScriptedMessages messages;
    messages.Answer(IdOk);
    WhenModalOpens([](QWidget* design) {
        design->findChild<QLineEdit*>("LabelSetupDescription")->setText("Home ☎");
        design->findChild<QPushButton*>("SaveButton")->click();
    });
    screen->ModifyButton->click();
    EXPECT_EQ(messages.Texts(),
              QStringList({"The description \"Home ☎\" holds the character \"☎\", which a label file cannot store."}));
    EXPECT_EQ(SetupFiles(LabelsDirectory()), QStringList({"Home.lbl"}));
}

TEST_F(SetupScreen, DeletingTheOnlySetupDisablesWhatNeedsOne)
{
    QDir().mkpath(LabelsDirectory());
    SaveSetup("Only");
    Show();
    EXPECT_TRUE(screen->PrintNow->isEnabled());
    ScriptedMessages messages;
    messages.AnswerYes();
    screen->DeleteButton->click();
    ASSERT_EQ(messages.Boxes().size(), 1);
    EXPECT_EQ(messages.Boxes()[0].text, "Delete \"" + LabelsDirectory() + "Only.lbl\"?");
    EXPECT_EQ(messages.Boxes()[0].caption, "DELETE");
    EXPECT_EQ(screen->FileListBox1->count(), 0);
    for (QPushButton* b : {screen->ModifyButton, screen->PrintNow, screen->Previewbutton, screen->PrintSamplePageButton,
                           screen->DeleteButton})
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    EXPECT_FALSE(screen->WhatToPrint->isVisibleTo(screen.get()));
}

TEST_F(SetupScreen, PrintAsksForPositionsThenHandsOverTheJob)
{
    QDir().mkpath(LabelsDirectory());
    SaveSetup("Office");
    Show();
    screen->SetFilterAvailable(false);
    EXPECT_TRUE(screen->rbQAll->isChecked());
    EXPECT_FALSE(screen->rbQFilter->isEnabled());
    WhenModalOpens([](QWidget* positions) { positions->findChild<QPushButton*>("OkButton")->click(); });
    screen->Previewbutton->click();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].records.choice, RunChoice::All);
    EXPECT_FALSE(jobs[0].printToPrinter);
    EXPECT_TRUE(jobs[0].onePageOnly);
    EXPECT_EQ(jobs[0].setup->Description, "Office");
    WhenModalOpens([](QWidget* positions) { positions->findChild<QPushButton*>("CancelButton")->click(); });
    screen->PrintNow->click();
    EXPECT_EQ(jobs.size(), 1u);
}
