#include "labels/addressformat.h"
#include "labels/bklsel.h"
#include "labels/labelcatalog.h"
#include "labels/labello.h"
#include "labels/prelpr.h"
#include "support/modal.h"
#include "support/scripted_messages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

const QString kCatalog = QStringLiteral(ADDRINA_BIN_DIR "/adr.tpl");

QPushButton* ButtonOf(QWidget* dialog, const char* name)
{
    return dialog->findChild<QPushButton*>(QLatin1StringView(name));
}

QTreeWidgetItem* Node(QTreeWidget* tree, const QString& text)
{
    const auto found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

} // namespace

TEST(AddressFormat, PlacementNeedsThePostalCodeButIsKeptWithoutIt)
{
    LabelLineOptions options;
    options.ZipOptions = zoAfterCountry;
    TZintAddressLayout dialog(options);
    EXPECT_TRUE(dialog.rAftercountry->isChecked() && dialog.rAftercountry->isEnabled());
    dialog.ZipCheck->click();
    dialog.PhoneCheck->click();
    EXPECT_FALSE(dialog.rAfterState->isEnabled() || dialog.rBeforecountry->isEnabled());
    const LabelLineOptions chosen = dialog.Options();
    EXPECT_FALSE(chosen.UseZip);
    EXPECT_TRUE(chosen.UsePhone);
    EXPECT_EQ(chosen.ZipOptions, zoAfterCountry);
}

TEST(SelectLabel, OpensOnTheSetupsSheetAndTakesOnlyASheet)
{
    TZintLabelFile setup;
    setup.Description = QStringLiteral("Mine");
    ASSERT_TRUE(setup.LoadTemplate(kCatalog, QStringLiteral("L7160"), false));
    TSelectLabel picker(setup, kCatalog);
    picker.show();
    ASSERT_TRUE(picker.TV1->currentItem());
    EXPECT_EQ(picker.TV1->currentItem()->text(0), "L7160");
    EXPECT_TRUE(picker.LabelDesc->text().startsWith("Template........L7160\n# Across........3\n"));

    picker.TV1->setCurrentItem(picker.TV1->topLevelItem(2)); // a category
    ButtonOf(&picker, "OkButton")->click();
    EXPECT_TRUE(picker.isVisible());
    picker.TV1->setCurrentItem(Node(picker.TV1, "5160"));
    ButtonOf(&picker, "OkButton")->click();
    EXPECT_EQ(picker.result(), QDialog::Accepted);
    EXPECT_EQ(picker.Setup().TemplateName, "5160");
    EXPECT_EQ(picker.Setup().Description, "Mine");

    setup.TemplateName = QStringLiteral("gone");
    TSelectLabel missing(setup, kCatalog);
    missing.show();
    EXPECT_TRUE(missing.TV1->selectedItems().isEmpty());
    EXPECT_FALSE(missing.TV1->currentItem() && missing.TV1->currentItem()->parent());
}

TEST(ChangeLabelLayout, TemplateOrManualOrNothing)
{
    TZintLabelFile setup;
    setup.LoadTemplate(kCatalog, QString(), true);
    setup.FontSize = 14;
    WhenModalOpens([](QWidget* choice) {
        WhenModalOpens([](QWidget* picker) {
            auto* tree = picker->findChild<QTreeWidget*>("TV1");
            tree->setCurrentItem(Node(tree, "5163"));
            ButtonOf(picker, "OkButton")->click();
        });
        ButtonOf(choice, "OkButton")->click();
    });
    EXPECT_TRUE(ChangeLabelLayout(setup, kCatalog, nullptr));
    EXPECT_EQ(setup.TemplateName, "5163");
    EXPECT_EQ(setup.FontSize, 14);

    WhenModalOpens([](QWidget* choice) {
        WhenModalOpens([](QWidget* edit) { ButtonOf(edit, "OkButton")->click(); });
        choice->findChild<QRadioButton*>("ManualRadio")->setChecked(true);
        ButtonOf(choice, "OkButton")->click();
    });
    EXPECT_TRUE(ChangeLabelLayout(setup, kCatalog, nullptr));
    EXPECT_EQ(setup.TemplateName, "");
    EXPECT_EQ(setup.MakerCode, "USER");

    const LabelLayout before = setup;
    WhenModalOpens([](QWidget* choice) { ButtonOf(choice, "CancelButton")->click(); });
    EXPECT_FALSE(ChangeLabelLayout(setup, kCatalog, nullptr));
    EXPECT_EQ(static_cast<const LabelLayout&>(setup), before);
}

TEST(SelectSpecificLabels, ClicksToggleAndAtLeastOnePositionIsNeeded)
{
    const LabelTemplate sheet = ReadCatalog(kCatalog).at(0);
    std::vector<int> printerChoices;
    TSelectSpecificLabels dialog(sheet, AllPositions(), 0, {"PDF file", "Office"}, 0,
                                 [&](int index) { printerChoices.push_back(index); });
    EXPECT_EQ(dialog.Copies(), 1);
    const QRect second = MiniatureLabel(sheet, 0, 1, dialog.PagePanel->logicalDpiX());
    QTest::mouseClick(dialog.PagePanel, Qt::LeftButton, {}, second.center());
    EXPECT_FALSE(dialog.Selection()[1]);
    EXPECT_TRUE(dialog.Selection()[0]);
    EXPECT_EQ(dialog.PagePanel->PositionAt(QPoint(2, 2)), std::nullopt);

    dialog.PrinterCombo->setCurrentIndex(1);
    EXPECT_EQ(printerChoices, std::vector<int>({1}));

    ScriptedMessages messages;
    ButtonOf(&dialog, "NoneButton")->click();
    ButtonOf(&dialog, "OkButton")->click();
    EXPECT_EQ(messages.Texts(), QStringList({"You must select at least one card to print"}));
    ButtonOf(&dialog, "AllButton")->click();
    dialog.NumberOfEach->setValue(3);
    ButtonOf(&dialog, "OkButton")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Copies(), 3);
    EXPECT_EQ(SelectedPositionCount(dialog.Selection(), sheet), 30);
}

TEST(SelectSpecificLabels, LargePaperEnlargesTheMiniature)
{
    LabelTemplate sheet = ReadCatalog(kCatalog).at(0);
    PositionSelection none{};
    const TSelectSpecificLabels letter(sheet, none, 1, {}, -1, nullptr);
    sheet.SheetWidth = 14;
    const TSelectSpecificLabels wide(sheet, none, 1, {}, -1, nullptr);
    const double ppi = letter.PagePanel->logicalDpiX();
    EXPECT_EQ(letter.PagePanel->width(), MiniatureLength(8.5, ppi) + 20);
    EXPECT_EQ(wide.PagePanel->width(), MiniatureLength(14, ppi) + 20);
}
