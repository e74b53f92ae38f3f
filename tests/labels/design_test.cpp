#include "labels/gzintpanel.h"
#include "labels/labelcatalog.h"
#include "labels/newlbldesgn.h"
#include "labels/setupfiles.h"
#include "select/book.h"
#include "support/modal.h"
#include "support/scripted_messages.h"
#include "support/temp_program_dir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

const QString kCatalog = QStringLiteral(ADDRINA_BIN_DIR "/adr.tpl");

class Design : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(book.opened);
        setup.LoadTemplate(kCatalog, QString(), true);
        setup.Description = QStringLiteral("Label #1");
        setup.TextMarginTop = 0.25;
    }
    TempProgramDirectory dir;
    Book book;
    TZintLabelFile setup;
};

} // namespace

TEST(SetupFiles, NamesAndMargins)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    EXPECT_EQ(NewSetupDescription(folder), "Label #1");
    for (const char* name : {"Label #1.lbl", "Label #2.lbl", "b.lbl", "a.txt"}) {
        QFile file(folder + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(NewSetupDescription(folder), "Label #3");
    EXPECT_EQ(SetupFiles(folder), QStringList({"b.lbl", "Label #1.lbl", "Label #2.lbl"}));
    EXPECT_EQ(SetupFilePath(folder, "  Office  "), folder + "Office.lbl");
    EXPECT_EQ(MarginChoiceIndex(0.25), 2);
    EXPECT_EQ(MarginChoiceIndex(0.09), 0);
    EXPECT_EQ(MarginChoiceIndex(0.3), 3);
    EXPECT_EQ(MarginChoiceIndex(2), 5);
    EXPECT_EQ(MarginChoices()[MarginChoiceIndex(0.25)], "0.2 inch");
}

TEST_F(Design, ANewSetupIsAnnouncedAndCanBeSavedAtOnce)
{
    ScriptedMessages messages;
    messages.Answer(IdOk);
    TNewLabelDesignScreen screen(setup, true, &book.table, &book.apollo, kCatalog);
    screen.show();
    EXPECT_TRUE(messages.Texts().value(0).startsWith("A new label has been created using the Avery 5160\rformat."));
    EXPECT_TRUE(screen.SaveButton->isVisible());
    EXPECT_EQ(screen.TemplateType->text(), "5160");
    EXPECT_EQ(screen.TopMarg->currentText(), "0.2 inch");
    EXPECT_EQ(screen.LabelPanel->width(), qRound(2.625 * screen.LabelPanel->PixelsPerInch()));
}

TEST_F(Design, ChangesShowSaveAndSaveTakesTheFace)
{
    TNewLabelDesignScreen screen(setup, false, &book.table, &book.apollo, kCatalog);
    screen.show();
    EXPECT_FALSE(screen.SaveButton->isVisible());
    screen.LeftMarg->setCurrentIndex(4);
    EXPECT_TRUE(screen.SaveButton->isVisible());
    screen.Aligncombo->setCurrentIndex(2);
    screen.AdjustFont->setChecked(true);
    TNewLabelDesignScreen::ChooseFont() = [](const QFont&, QWidget*) {
        return std::optional<QFont>(QFont(QStringLiteral("Times New Roman"), 12));
    };
    screen.Fontbutton->click();
    screen.LabelSetupDescription->setText("Christmas");
    screen.SaveButton->click();
    ASSERT_EQ(screen.result(), QDialog::Accepted);
    const TZintLabelFile& saved = screen.Setup();
    EXPECT_EQ(saved.Description, "Christmas");
    EXPECT_EQ(saved.TextMarginLeft, 0.4);
    EXPECT_EQ(saved.TextMarginTop, 0.25); // untouched lists keep the exact margin
    EXPECT_EQ(saved.Alignment, 2);
    EXPECT_TRUE(saved.AdjustFontSizeToFit);
    EXPECT_EQ(saved.FontName + QString::number(saved.FontSize), "Times New Roman12");
}

TEST_F(Design, LayoutChangeKeepsTheFaceAndRecordsMoveTheFace)
{
    book.Add({{"LNAME", "Zylstra"}});
    TNewLabelDesignScreen screen(setup, false, &book.table, &book.apollo, kCatalog);
    screen.show();
    screen.Aligncombo->setCurrentIndex(1);
    WhenModalOpens([](QWidget* choice) {
        WhenModalOpens([](QWidget* picker) {
            auto* tree = picker->findChild<QTreeWidget*>("TV1");
            tree->setCurrentItem(tree->findItems("L7163", Qt::MatchExactly | Qt::MatchRecursive).first());
            picker->findChild<QPushButton*>("OkButton")->click();
        });
        choice->findChild<QPushButton*>("OkButton")->click();
    });
    screen.ChangeLayoutButton->click();
    EXPECT_EQ(screen.TemplateType->text(), "L7163");
    EXPECT_EQ(screen.LabelPanel->Alignment(), taRightJustify);
    EXPECT_EQ(screen.LabelPanel->width(), qRound(3.9 * screen.LabelPanel->PixelsPerInch()));

    screen.RecordLast->click();
    EXPECT_EQ(screen.LabelPanel->LabelLines().value(0), "Zylstra ");
    screen.RecordFirst->click();
    EXPECT_NE(screen.LabelPanel->LabelLines().value(0), "Zylstra ");
}

TEST_F(Design, ANoteSaysWhileTheAddressShownLosesLines)
{
    book.Add({{"PREFIX", "Ms."},
              {"LNAME", "Adams"},
              {"TITLE", "Director"},
              {"ORG", "Acme"},
              {"STREET", "8775 Washington Ct"},
              {"STREET2", "Apt 832"},
              {"CITY", "Portland"},
              {"STATE", "OR"},
              {"ZIP", "97223"}});
    book.table.Last();
    setup.TextMarginTop = 0.2;
    TNewLabelDesignScreen screen(setup, false, &book.table, &book.apollo, kCatalog);
    screen.show();
    EXPECT_TRUE(screen.LostLinesNote->isVisible());
    EXPECT_EQ(screen.LostLinesNote->text(), "This address needs 6 lines; the label holds 4");
    screen.AdjustFont->setChecked(true);
    EXPECT_FALSE(screen.LostLinesNote->isVisible());
    screen.AdjustFont->setChecked(false);
    screen.TopMarg->setCurrentIndex(0);
    screen.BottomMarg->setCurrentIndex(0);
    EXPECT_EQ(screen.LostLinesNote->text(), "This address needs 6 lines; the label holds 6");
    EXPECT_FALSE(screen.LostLinesNote->isVisible());
}

TEST_F(Design, TheTextColourIsChosenAndSaved)
{
    TNewLabelDesignScreen screen(setup, false, &book.table, &book.apollo, kCatalog);
    screen.show();
    QColor offered;
    TNewLabelDesignScreen::ChooseColor() = [&offered](const QColor& current, QWidget*) {
        offered = current;
        return std::optional<QColor>(QColor(0x12, 0x34, 0x56));
    };
    screen.ColorButton->click();
    EXPECT_EQ(offered, QColor(Qt::black));
    EXPECT_TRUE(screen.SaveButton->isVisible());
    screen.SaveButton->click();
    EXPECT_EQ(screen.Setup().FontColor, 0x563412); // 0x00BBGGRR
}

TEST_F(Design, RecordKeysMoveRecordsWhateverHasTheFocus)
{
    book.Add({{"LNAME", "Zylstra"}});
    TNewLabelDesignScreen screen(setup, false, &book.table, &book.apollo, kCatalog);
    screen.show();
    screen.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
    const auto firstLine = [&] { return screen.LabelPanel->LabelLines().value(0); };
    for (QWidget* focus : std::initializer_list<QWidget*>{screen.LeftMarg, screen.Aligncombo, screen.ScrollBox}) {
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_End);
        EXPECT_EQ(firstLine(), "Zylstra ");
        QTest::keyClick(focus, Qt::Key_Home);
        const QString first = firstLine();
        EXPECT_NE(first, "Zylstra ");
        QTest::keyClick(focus, Qt::Key_PageDown);
        EXPECT_NE(firstLine(), first);
        QTest::keyClick(focus, Qt::Key_PageUp);
        EXPECT_EQ(firstLine(), first);
    }
    EXPECT_EQ(screen.LeftMarg->currentIndex(), 2);
    EXPECT_EQ(screen.Aligncombo->currentIndex(), 0);
    EXPECT_FALSE(screen.SaveButton->isVisible());
}

TEST_F(Design, OpensLargeEnoughForTheWholeFaceAndKeepsItsPlace)
{
    QRect placed;
    {
        TNewLabelDesignScreen screen(setup, false, &book.table, &book.apollo, kCatalog);
        screen.show();
        const QSize view = screen.ScrollBox->viewport()->size();
        EXPECT_GE(view.width(), screen.LabelPanel->width());
        EXPECT_GE(view.height(), screen.LabelPanel->height());
        screen.setGeometry(screen.geometry().adjusted(20, 10, 60, 40));
        placed = screen.geometry();
        screen.reject();
    }
    TNewLabelDesignScreen again(setup, false, &book.table, &book.apollo, kCatalog);
    again.show();
    EXPECT_EQ(again.size(), placed.size());
}

TEST_F(Design, TheBarcodeIsChosenShownRefusedWhenItCannotFitAndSaved)
{
    TNewLabelDesignScreen screen(setup, false, &book.table, &book.apollo, kCatalog);
    screen.show();
    EXPECT_FALSE(screen.BarcodeFieldCombo->isEnabled());
    EXPECT_FALSE(screen.MailSettings->isVisible());
    // The mail bars are wider than an address label: the note says so.
    screen.BarcodeKindCombo->setCurrentIndex(static_cast<int>(BarcodeKind::IntelligentMail));
    EXPECT_TRUE(screen.MailSettings->isVisible());
    EXPECT_TRUE(screen.SaveButton->isVisible());
    for (const auto& [edit, text] : {std::pair{screen.BarcodeIdEdit, "00"}, std::pair{screen.ServiceTypeEdit, "300"},
                                     std::pair{screen.MailerIdEdit, "123456"}, std::pair{screen.SerialEdit, "7"}}) {
        edit->setText(text);
        emit edit->textEdited(text);
    }
    EXPECT_TRUE(screen.BarcodeNote->isVisible());
    EXPECT_TRUE(screen.BarcodeNote->text().contains("does not fit")) << screen.BarcodeNote->text().toStdString();
    screen.SaveButton->click();
    EXPECT_EQ(ReadIntelligentMailSettings(), (IntelligentMailSettings{"00", "300", "123456", "7"}));

    TNewLabelDesignScreen again(screen.Setup(), false, &book.table, &book.apollo, kCatalog);
    again.show();
    EXPECT_EQ(again.BarcodeKindCombo->currentIndex(), static_cast<int>(BarcodeKind::IntelligentMail));
    again.BarcodeKindCombo->setCurrentIndex(static_cast<int>(BarcodeKind::Code128));
    EXPECT_TRUE(again.BarcodeFieldCombo->isEnabled());
    again.BarcodeFieldCombo->setCurrentText("ZIP");
    again.BarcodeCornerCombo->setCurrentIndex(static_cast<int>(BarcodeCorner::TopRight));
    EXPECT_FALSE(again.BarcodeNote->isVisible()) << again.BarcodeNote->text().toStdString();
    again.SaveButton->click();
    EXPECT_EQ(again.Setup().Barcode, (BarcodeChoice{BarcodeKind::Code128, "ZIP", BarcodeCorner::TopRight}));
}
