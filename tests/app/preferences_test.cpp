#include "app/bkpref.h"
#include "app/preferencekeys.h"
#include "platform/programdirectory.h"
#include "platform/settings.h"
#include "support/recording_help.h"
#include "support/scripted_messages.h"
#include "support/temp_program_dir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

void click(TPreferences& dialog, const char* button)
{
    auto* b = dialog.findChild<QPushButton*>(button);
    ASSERT_NE(b, nullptr) << button;
    b->click();
}

QCheckBox* check(TPreferences& dialog, const char* name)
{
    return dialog.findChild<QCheckBox*>(name);
}

// The keys of a section in the order they stand in the settings text.
QStringList keysOf(const QString& text, const QString& section)
{
    const QString body = text.section("[" + section + "]", 1).section("\n[", 0, 0);
    QStringList keys;
    for (const QString& line : body.split('\n', Qt::SkipEmptyParts))
        keys.append(line.section('=', 0, 0));
    return keys;
}

} // namespace

class PreferencesDialog : public ::testing::Test {
protected:
    TempProgramDirectory dir;
};

TEST_F(PreferencesDialog, WithNoSettingsFileEverythingIsClearAndCancelWritesNothing)
{
    TPreferences dialog;
    EXPECT_EQ(dialog.windowTitle(), "Preferences");
    const auto boxes = dialog.findChildren<QCheckBox*>();
    EXPECT_EQ(boxes.size(), 3 + 7 + 18);
    for (const QCheckBox* box : boxes)
        EXPECT_FALSE(box->isChecked()) << box->objectName().toStdString();
    EXPECT_EQ(dialog.AggressiveSave->currentText(), "Normal - Every 5 Saves");
    EXPECT_EQ(dialog.DefCountry->maxLength(), 30);
    click(dialog, "CancelButton");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dir.SettingsText(), "");
}

TEST_F(PreferencesDialog, OkWritesEveryKeyInItsOrder)
{
    TPreferences dialog;
    check(dialog, "PlugDate")->setChecked(true);
    check(dialog, "CarrySA2")->setChecked(true);
    check(dialog, "skipState")->setChecked(true);
    dialog.DefCountry->setText("Canada");
    dialog.AggressiveSave->setCurrentIndex(2);
    click(dialog, "OkButton");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    const QString text = dir.SettingsText();
    QStringList expected = {"PlugDate", "PlugCityState", "AutoDupCheck", "DefaultCountry"};
    for (const auto* flags : {&CarryFlags(), &SkipFlags()})
        for (const PreferenceFlag& f : *flags)
            expected.append(f.key);
    EXPECT_EQ(keysOf(text, "Adding"), expected);
    EXPECT_EQ(expected.size(), 4 + 7 + 19);
    EXPECT_EQ(expected.last(), "Skipcomments2");
    EXPECT_EQ(keysOf(text, "Editing"), QStringList{"AggressiveSave"});
    EXPECT_LT(text.indexOf("[Adding]"), text.indexOf("[Editing]"));

    const AddingPreferences read = ReadAddingPreferences();
    EXPECT_TRUE(read.PlugDate);
    EXPECT_TRUE(read.CarrySA2);
    EXPECT_TRUE(read.SkipState);
    EXPECT_FALSE(read.SkipZip);
    EXPECT_EQ(read.DefaultCountry, "Canada");
    EXPECT_EQ(ReadAggressiveSave(), 2);
}

TEST_F(PreferencesDialog, AKeyWithoutAControlGoesBackUnchanged)
{
    dir.WriteSettingsText("[Adding]\nSkipcomments2=1\nSkipFax=1\n[Editing]\nAggressiveSave=0\n");
    TPreferences dialog;
    EXPECT_TRUE(check(dialog, "SkipFax")->isChecked());
    EXPECT_EQ(dialog.AggressiveSave->currentText(), "None");
    check(dialog, "SkipFax")->setChecked(false);
    click(dialog, "OkButton");
    EXPECT_TRUE(ReadSettingBool("Adding", "Skipcomments2", false));
    EXPECT_FALSE(ReadSettingBool("Adding", "SkipFax", true));
    EXPECT_EQ(ReadAggressiveSave(), 0);
}

TEST_F(PreferencesDialog, ALevelOutsideTheListIsKeptAsItWas)
{
    dir.WriteSettingsText("[Editing]\nAggressiveSave=7\n");
    TPreferences dialog;
    EXPECT_EQ(dialog.AggressiveSave->currentIndex(), -1);
    click(dialog, "OkButton");
    EXPECT_EQ(ReadAggressiveSave(), 7);
}

TEST_F(PreferencesDialog, AFailedWriteIsReportedAndTheDialogStillCloses)
{
    TPreferences dialog;
    SetProgramDirectory(dir.File("missing/folder"));
    ScriptedMessages boxes;
    click(dialog, "OkButton");
    EXPECT_EQ(boxes.Texts(), QStringList{"Unable to write to " + dir.File("missing/folder/ADR.ini")});
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(PreferencesDialog, HelpShowsItsTopic)
{
    RecordingHelp help;
    TPreferences dialog;
    click(dialog, "HelpButton");
    EXPECT_EQ(help.requests, QStringList{"topic 1038"});
}
