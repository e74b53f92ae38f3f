#include "app/bkmain.h"
#include "app/bkpref.h"
#include "platform/helpcommands.h"
#include "platform/settings.h"
#include "support/modal.h"
#include "support/recording_help.h"
#include "support/scripted_messages.h"
#include "support/temp_program_dir.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

// Shows the window and lets its first activation run.
void showAndActivate(TAddressMain& window)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(50);
}

QStringList menuCaptions(TAddressMain& window)
{
    QStringList captions;
    for (QAction* action : window.menuBar()->actions())
        captions.append(action->text());
    return captions;
}

// The toolbar's buttons by objectName, left to right; a separator shows as "|".
QStringList toolBarNames(TAddressMain& window)
{
    QStringList names;
    for (QAction* action : window.ToolBar->actions())
        names.append(action->isSeparator() ? QStringLiteral("|")
                                           : window.ToolBar->widgetForAction(action)->objectName());
    return names;
}

} // namespace

class MainWindow : public ::testing::Test {
protected:
    TempProgramDirectory dir;
    ScriptedMessages boxes;
};

TEST_F(MainWindow, FirstShowingWithoutSettingsStoresPlacementAndTagId)
{
    {
        TAddressMain window;
        showAndActivate(window);
        // The caption names the start-up file once it is open; the panel that stands in
        // for the record while no file is open carries its text either way.
        EXPECT_TRUE(window.windowTitle().startsWith("Addrina"));
        EXPECT_EQ(window.NoData->text(), "Please Open or Create an Addrina Address file");
        EXPECT_NE(window.NoData->isVisible(), window.RecordPanel->isVisible());
        EXPECT_EQ(window.AggressiveSave, 1);
        EXPECT_FALSE(window.Preferences.PlugDate);
        EXPECT_FALSE(window.Session().GlobalTagId.isEmpty());
        EXPECT_EQ(ReadSettingString("Misc", "GlobalTagId"), window.Session().GlobalTagId);
        EXPECT_NE(ReadSettingInteger("TAddressMain_Placement", "Bottom", 0), 0);
        window.close();
    }
    EXPECT_TRUE(boxes.Boxes().isEmpty());
}

TEST_F(MainWindow, CreationSetsEngineProperty1009ToZero)
{
    TApollo engine;
    engine.SysProp(1009, 7);
    {
        TAddressMain window;
    }
    EXPECT_EQ(engine.SysProp(1009, 0), 0);
}

TEST_F(MainWindow, AStoredTagIdIsKeptAndClosingSavesThePlacement)
{
    dir.WriteSettingsText("[Misc]\nGlobalTagId=ABC1234\n[TAddressMain_Placement]\nLeft=10\nTop=20\nRight=610\n"
                          "Bottom=470\nMaximized=0\n");
    TAddressMain window;
    showAndActivate(window);
    EXPECT_EQ(window.Session().GlobalTagId, "ABC1234");
    EXPECT_EQ(window.geometry(), QRect(10, 20, 600, 450));
    window.setGeometry(30, 40, 600, 450);
    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(ReadSettingInteger("TAddressMain_Placement", "Left", 0), 30);
    EXPECT_EQ(ReadSettingInteger("TAddressMain_Placement", "Right", 0), 630);
}

TEST_F(MainWindow, MenusCarryTheirCaptionsAndEditIsHidden)
{
    TAddressMain window;
    EXPECT_EQ(menuCaptions(window), QStringList({"&File", "Ed&it", "&Record", "&Sort", "Fi&lter", "&Print", "&Help"}));
    EXPECT_FALSE(window.Edit1->menuAction()->isVisible());
    EXPECT_EQ(window.findChild<QAction*>("Prefences1")->text(), "Pre&ferences");
    EXPECT_EQ(window.findChild<QAction*>("Exit1")->text(), "E&xit ");
    EXPECT_NE(window.findChild<QMenu*>("mnuOrder"), nullptr);
}

TEST_F(MainWindow, ToolBarReadsRecordSortFilterAndEndsWithExit)
{
    TAddressMain window;
    EXPECT_EQ(toolBarNames(window),
              QStringList({"AddButton", "EditButton", "DeleteButton", "SaveButton", "CancelButton", "RecordFirst",
                           "RecordPrev", "RecordNext", "RecordLast", "|", "SearchButton", "BrowseButton",
                           "FilterButton", "ClearfilterButton", "|", "Exitbutton"}));
}

TEST_F(MainWindow, PreferencesTakeEffectWhenTheDialogCloses)
{
    TAddressMain window;
    showAndActivate(window);
    WhenModalOpens([](QWidget* modal) {
        ASSERT_NE(qobject_cast<TPreferences*>(modal), nullptr);
        modal->findChild<QCheckBox*>("PlugDate")->setChecked(true);
        modal->findChild<QPushButton*>("OkButton")->click();
    });
    window.Prefences1->trigger();
    EXPECT_TRUE(ModalWasHandled());
    EXPECT_TRUE(window.Preferences.PlugDate);

    // Cancel still reloads, so a value changed behind the window's back shows up too.
    WriteSettingInteger("Editing", "AggressiveSave", 2);
    WhenModalOpens([](QWidget* modal) { modal->findChild<QPushButton*>("CancelButton")->click(); });
    window.Prefences1->trigger();
    EXPECT_TRUE(ModalWasHandled());
    EXPECT_EQ(window.AggressiveSave, 2);
    window.close();
}

TEST_F(MainWindow, HelpCommandsReachTheHelpService)
{
    RecordingHelp help;
    TAddressMain window;
    auto* commands = window.findChild<THelpCommands*>();
    ASSERT_NE(commands, nullptr);
    commands->Contents1->trigger();
    commands->SearchforHelpOn1->trigger();
    commands->HowtoUseHelp1->trigger();
    EXPECT_EQ(help.requests, QStringList({"contents", "search", "howto"}));
    commands->About1->trigger();
    ASSERT_EQ(boxes.Boxes().size(), 1);
    EXPECT_TRUE(boxes.Boxes()[0].text.contains("1.2c"));
}
