#include "labels/bklnew.h"
#include "labels/labelcatalog.h"
#include "support/recording_help.h"
#include "support/scripted_messages.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The first catalogue sheet (1 x 2.625 in, 3 x 10 on letter paper), shown as round.
LabelTemplate Sheet5160()
{
    LabelTemplate sheet = ReadCatalog(QStringLiteral(ADDRINA_BIN_DIR "/adr.tpl")).at(0);
    sheet.ShapeCode = QStringLiteral("EL");
    return sheet;
}

class LabelEdit : public ::testing::Test {
protected:
    void Type(QLineEdit* edit, const QString& text)
    {
        edit->setText(text);
        emit edit->editingFinished();
    }
    // Presses Ok; the message it showed, or "" when the dialog accepted.
    QString Ok()
    {
        messages.Clear();
        messages.Answer(IdOk);
        dialog.findChild<QPushButton*>("OkButton")->click();
        return messages.Boxes().isEmpty() ? QString() : messages.Boxes().first().text;
    }
    ScriptedMessages messages;
    TLabelEdit dialog{Sheet5160()};
};

} // namespace

TEST_F(LabelEdit, ShowsTheSheetInInchesAndSwitchesToMillimetres)
{
    EXPECT_EQ(dialog.elblwidth->text(), "2.625");
    EXPECT_EQ(dialog.elblHeight->text(), "1.0");
    EXPECT_EQ(dialog.eleftmarg->text(), "0.188");
    EXPECT_EQ(dialog.eLabelShape->currentIndex(), 2);
    EXPECT_EQ(dialog.epapersize->currentIndex(), -1);
    dialog.MMButton->setChecked(true);
    EXPECT_EQ(dialog.elblwidth->text(), "67");
    EXPECT_EQ(dialog.esheetdepth->text(), "279");
    dialog.Inchesbutton->setChecked(true);
    EXPECT_EQ(dialog.elblwidth->text(), "2.638"); // 67 mm
}

TEST_F(LabelEdit, MillimetreSizesConvertOnOk)
{
    dialog.MMButton->setChecked(true);
    Type(dialog.elblHeight, "7");
    EXPECT_EQ(Ok(), "Label Height must be at least .3 inches (or 7mm)"); // 0.276 inch
    Type(dialog.elblHeight, "8");
    Type(dialog.elblwidth, "13");
    Type(dialog.eHorizPitch, "70");
    EXPECT_EQ(Ok(), "");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Values().LabelHeight, 0.315);
    EXPECT_EQ(dialog.Values().LabelWidth, 0.512);
    EXPECT_EQ(dialog.Values().PaperCode, "LTR"); // no paper chosen: as it came in
    EXPECT_EQ(dialog.Values().ShapeCode, "EL");
}

TEST_F(LabelEdit, ChecksRunInOrderAndPitchOnlyMattersForTwoOrMore)
{
    Type(dialog.elblwidth, "0.4");
    Type(dialog.elblHeight, "0.2");
    Type(dialog.esheetwidth, "0");
    EXPECT_EQ(Ok(), "Label Height must be at least .3 inches (or 7mm)");
    Type(dialog.elblHeight, "1");
    EXPECT_EQ(Ok(), "Label Width must be at least .5 inch (or 13mm)");
    dialog.eHorizPitch->setText("2");
    dialog.elblwidth->setText("3"); // typed without leaving the edit: the pitch stays short
    dialog.enbracross->setValue(2);
    EXPECT_EQ(Ok(), "Horizontal Pitch must be at least = Label Width");
    dialog.enbracross->setValue(1);
    dialog.eVertPitch->setText("0.5");
    EXPECT_EQ(Ok(), "Vertical Pitch must be at least = Label Height");
    dialog.enbrdown->setValue(1);
    EXPECT_EQ(Ok(), "Page Width must be at least .3 inch");
    Type(dialog.esheetwidth, "8.5");
    Type(dialog.esheetdepth, ".2");
    EXPECT_EQ(Ok(), "Page Height must be at least .3 inches");
    Type(dialog.esheetdepth, "11");
    EXPECT_EQ(Ok(), "");
    EXPECT_EQ(dialog.Values().HorzPitch, 2); // one column: a short pitch passes
}

TEST_F(LabelEdit, RefusesMoreThan200PositionsAndLeavingASizeRaisesItsPitch)
{
    dialog.enbracross->setValue(10);
    dialog.enbrdown->setValue(21);
    Type(dialog.elblwidth, "3");
    EXPECT_EQ(dialog.eHorizPitch->text(), "3");
    Type(dialog.elblwidth, "0.7");
    EXPECT_EQ(dialog.eHorizPitch->text(), "3");
    Type(dialog.elblHeight, "0.5");
    Type(dialog.eVertPitch, "0.5");
    EXPECT_EQ(Ok(), "A sheet can hold at most 200 labels: # Across times # Down is 210");
    dialog.enbrdown->setValue(20);
    EXPECT_EQ(Ok(), "");
}

TEST_F(LabelEdit, PaperListFillsTheSheetInTheShownUnits)
{
    dialog.epapersize->setCurrentIndex(3);
    emit dialog.epapersize->activated(3);
    EXPECT_EQ(dialog.esheetwidth->text() + " " + dialog.esheetdepth->text(), "11.69 8.27");
    dialog.MMButton->setChecked(true);
    dialog.epapersize->setCurrentIndex(6);
    emit dialog.epapersize->activated(6);
    EXPECT_EQ(dialog.esheetwidth->text(), "297"); // "Other" leaves the size
    dialog.epapersize->setCurrentIndex(0);
    emit dialog.epapersize->activated(0);
    EXPECT_EQ(dialog.esheetwidth->text() + " " + dialog.esheetdepth->text(), "216 279");
    dialog.eLabelShape->setCurrentIndex(1);
    EXPECT_EQ(Ok(), "");
    EXPECT_EQ(dialog.Values().PaperCode, "LTR");
    EXPECT_EQ(dialog.Values().ShapeCode, "SR");

    LabelLayout setup;
    setup.TemplateName = setup.PrinterType = setup.ExtraCode = QStringLiteral("x");
    setup.HorzGap = 1;
    TakeUserDefinedLayout(setup, dialog.Values());
    EXPECT_EQ(setup.TemplateName + setup.PrinterType + setup.ExtraCode + setup.MakerCode, "USER");
    EXPECT_EQ(setup.HorzGap, 0);
    EXPECT_EQ(setup.SheetWidth, 8.504); // 216 mm
}

TEST_F(LabelEdit, CancelChangesNothingAndHelpOpensItsTopic)
{
    RecordingHelp help;
    dialog.findChild<QPushButton*>("HelpButton")->click();
    EXPECT_EQ(help.requests, QStringList({"topic 1050"}));
    Type(dialog.elblHeight, "0.1");
    dialog.findChild<QPushButton*>("CancelButton")->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.Values().LabelHeight, 1);
}

TEST(LabelEditInGerman, ShowsAndReadsLengthsWithADecimalCommaAndTakesAPointAlike)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    {
        ScriptedMessages messages;
        TLabelEdit dialog{Sheet5160()};
        EXPECT_EQ(dialog.elblwidth->text(), "2,625");
        const auto type = [](QLineEdit* edit, const QString& text) {
            edit->selectAll();
            QTest::keyClicks(edit, text);
            emit edit->editingFinished();
        };
        type(dialog.eVertPitch, "0,5");
        type(dialog.elblHeight, "1,5");
        EXPECT_EQ(dialog.eVertPitch->text(), "1,5"); // the pitch rule compares the numbers
        type(dialog.elblwidth, "2.8");
        EXPECT_EQ(dialog.eHorizPitch->text(), "2.8");
        type(dialog.etopmarg, ",5");
        dialog.findChild<QPushButton*>("OkButton")->click();
        EXPECT_EQ(messages.Texts(), QStringList());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.Values().LabelHeight, 1.5);
        EXPECT_EQ(dialog.Values().VertPitch, 1.5);
        EXPECT_EQ(dialog.Values().LabelWidth, 2.8);
        EXPECT_EQ(dialog.Values().HorzPitch, 2.8);
        EXPECT_EQ(dialog.Values().TopMargin, 0.5);
    }
    QLocale::setDefault(previous);
}
