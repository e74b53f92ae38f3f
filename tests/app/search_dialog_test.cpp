#include "app/searchb.h"
#include "app/sortorders.h"

#include "support/recording_help.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TEST(SearchDialog, ListsTheOrdersAndNamesTheChosenOneInTheLabel)
{
    TSearchBox dialog(OrderTexts(), 0);
    EXPECT_EQ(dialog.windowTitle(), "Search");
    auto* combo = dialog.findChild<QComboBox*>("OrderCombo");
    auto* label = dialog.findChild<QLabel*>("SearchLabel");
    ASSERT_TRUE(combo && label);
    EXPECT_EQ(combo->count(), 14);
    EXPECT_EQ(combo->itemText(10), "E-mail");
    EXPECT_EQ(label->text(), "Search Last Name starting with...");

    combo->setCurrentIndex(5);
    EXPECT_EQ(label->text(), "Search City starting with...");
    EXPECT_EQ(dialog.SelectedOrder(), 5);
    EXPECT_EQ(dialog.SelectedText(), "City");
}

TEST(SearchDialog, StartsOnTheCheckedOrderWithTheTextFieldFocused)
{
    TSearchBox dialog(OrderTexts(), 12);
    dialog.show();
    QApplication::processEvents();
    EXPECT_EQ(dialog.findChild<QLabel*>("SearchLabel")->text(), "Search Date starting with...");
    EXPECT_EQ(dialog.focusWidget(), dialog.findChild<QLineEdit*>("SearchForEdit"));
    EXPECT_TRUE(dialog.findChild<QPushButton*>("OkButton")->isDefault());
}

TEST(SearchDialog, HelpShowsItsTopic)
{
    RecordingHelp help;
    TSearchBox dialog(OrderTexts(), 0);
    dialog.findChild<QPushButton*>("HelpButton")->click();
    EXPECT_EQ(help.requests, QStringList{"topic 1026"});
}
