#include "addressfile_test_support.h"

#include "addressfile/fieldlengths.h"
#include "addressfile/tspecifyfieldlengths.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TEST_F(AddressFileTest, WidthsFromSettingsOutside5To80FallBackToTheirDefaults)
{
    programDir_.WriteSettingsText("[NewFileFieldLengths]\r\nFieldFAX=3\r\nFieldZIP=7\r\nFieldCITY=81\r\n"
                                  "FieldLNAME=40\r\nFieldORG=abc\r\n");
    LoadFieldLengths();
    const NewFileWidths& widths = CurrentNewFileWidths();
    EXPECT_EQ(widths.Width("FAX"), 40);
    EXPECT_EQ(widths.Width("ZIP"), 7); // the dialog would refuse 7, the settings take it
    EXPECT_EQ(widths.Width("CITY"), 30);
    EXPECT_EQ(widths.Width("LNAME"), 40);
    EXPECT_EQ(widths.Width("ORG"), 30);
    EXPECT_EQ(widths.Width("MIDDLE"), 0); // fixed, not a setting

    CurrentNewFileWidths().SetWidth("PHONE", 99);
    ASSERT_TRUE(SaveFieldLengths());
    const QString text = programDir_.SettingsText();
    EXPECT_TRUE(text.contains("FieldPHONE=30")) << qPrintable(text);
    EXPECT_TRUE(text.contains("FieldFAX=40"));
    EXPECT_EQ(text.count("="), 18);
}

TEST_F(AddressFileTest, TheWidthsDialogTakesOnly10To80)
{
    EXPECT_EQ(ParseDialogWidth(" 10"), 10);
    EXPECT_EQ(ParseDialogWidth("80"), 80);
    EXPECT_FALSE(ParseDialogWidth("9").has_value());
    EXPECT_FALSE(ParseDialogWidth("81").has_value());
    EXPECT_FALSE(ParseDialogWidth("2x").has_value());

    CurrentNewFileWidths() = NewFileWidths();
    TSpecifyFieldLengths dialog;
    auto* zip = dialog.findChild<QLineEdit*>("zip");
    auto* city = dialog.findChild<QLineEdit*>("city");
    ASSERT_TRUE(zip && city);
    EXPECT_EQ(zip->text(), "10");
    auto* note = dialog.findChild<QLabel*>("WidthNote");
    ASSERT_TRUE(note);
    EXPECT_FALSE(note->isVisibleTo(&dialog));
    zip->setText("7");
    emit zip->editingFinished();
    EXPECT_EQ(zip->text(), "10");
    // The refusal is said, not just undone.
    EXPECT_TRUE(note->isVisibleTo(&dialog));
    EXPECT_TRUE(note->text().contains("cannot be 7 characters wide")) << qPrintable(note->text());
    EXPECT_TRUE(note->text().contains("from 10 to 80")) << qPrintable(note->text());
    EXPECT_TRUE(note->text().endsWith("It stays 10.")) << qPrintable(note->text());
    city->setText("45");
    dialog.findChild<QPushButton*>("OkButton")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(CurrentNewFileWidths().Width("CITY"), 45);
    EXPECT_EQ(CurrentNewFileWidths().Width("ZIP"), 10);
}

TEST_F(AddressFileTest, DefaultsButtonSetsItsOwnColumnAndCancelUndoesIt)
{
    CurrentNewFileWidths() = NewFileWidths();
    CurrentNewFileWidths().SetWidth("LNAME", 50);
    TSpecifyFieldLengths dialog;
    EXPECT_EQ(dialog.findChild<QLineEdit*>("fax")->text(), "40");
    dialog.findChild<QPushButton*>("DefaultsButton")->click();
    EXPECT_EQ(dialog.findChild<QLineEdit*>("fax")->text(), "30");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("email")->text(), "40");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("lname")->text(), "30");
    EXPECT_EQ(dialog.windowTitle(), "Specify Field Lengths");
    EXPECT_FALSE(dialog.UseTheseSettings->isChecked());
    dialog.findChild<QPushButton*>("CancelButton")->click();
    EXPECT_EQ(CurrentNewFileWidths().Width("LNAME"), 50);
    EXPECT_EQ(CurrentNewFileWidths().Width("FAX"), 40);
}
