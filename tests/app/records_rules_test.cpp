#include "app/aggressivesave.h"
#include "app/buttonrules.h"
#include "report/printeravailability.h"

#include <gtest/gtest.h>

TEST(ButtonRules, NoFileLeavesOnlyFileMenuAndExit)
{
    const ButtonRules r = ComputeButtonRules({});
    EXPECT_FALSE(r.fileItems);
    EXPECT_FALSE(r.addEnabled);
    EXPECT_TRUE(r.addVisible);
    EXPECT_FALSE(r.editDeleteEnabled);
    EXPECT_FALSE(r.recordCommands);
    EXPECT_FALSE(r.navigationVisible);
    EXPECT_FALSE(r.filterEnabled);
    EXPECT_TRUE(r.fileMenu);
    EXPECT_TRUE(r.exitVisible);
    EXPECT_FALSE(r.saveCancel);
}

TEST(ButtonRules, EmptyFileAllowsAddButNothingThatNeedsARecord)
{
    const ButtonRules r = ComputeButtonRules({.open = true});
    EXPECT_TRUE(r.fileItems);
    EXPECT_TRUE(r.addEnabled);
    EXPECT_FALSE(r.editDeleteEnabled);
    EXPECT_TRUE(r.editDeleteVisible);
    EXPECT_FALSE(r.recordCommands);
    EXPECT_FALSE(r.navigationVisible);
    EXPECT_FALSE(r.filterEnabled);
}

TEST(ButtonRules, BrowsingARecordOffersEverythingButSaveAndCancel)
{
    const ButtonRules r = ComputeButtonRules({.open = true, .hasRecord = true});
    EXPECT_TRUE(r.addEnabled);
    EXPECT_TRUE(r.editDeleteEnabled);
    EXPECT_TRUE(r.recordCommands);
    EXPECT_TRUE(r.navigationVisible);
    EXPECT_TRUE(r.filterEnabled);
    EXPECT_FALSE(r.clearFilterVisible);
    EXPECT_FALSE(r.filterItems);
    EXPECT_FALSE(r.saveCancel);
}

TEST(ButtonRules, EditingLocksTheUserIntoSaveOrCancel)
{
    const ButtonRules r = ComputeButtonRules({.open = true, .editing = true, .hasRecord = true, .filterSet = true});
    EXPECT_TRUE(r.saveCancel);
    EXPECT_FALSE(r.fileMenu);
    EXPECT_FALSE(r.exitVisible);
    EXPECT_FALSE(r.addEnabled);
    EXPECT_FALSE(r.addVisible);
    EXPECT_FALSE(r.editDeleteVisible);
    EXPECT_FALSE(r.navigationVisible);
    EXPECT_FALSE(r.recordCommands);
    EXPECT_TRUE(r.fileItems); // the hidden edit menu's shortcuts stay live
    // A set filter keeps its button enabled but cannot be cleared mid-edit.
    EXPECT_TRUE(r.filterEnabled);
    EXPECT_TRUE(r.clearFilterVisible);
    EXPECT_FALSE(r.clearFilterEnabled);
}

TEST(ButtonRules, FilterWithoutMatchesCanStillBeChangedAndCleared)
{
    const ButtonRules r = ComputeButtonRules({.open = true, .filterSet = true});
    EXPECT_TRUE(r.filterEnabled);
    EXPECT_TRUE(r.clearFilterEnabled);
    EXPECT_TRUE(r.filterItems);
    EXPECT_FALSE(r.recordCommands);
}

TEST(AggressiveSaveCounter, LevelsZeroOneAndTwo)
{
    AggressiveSaveCounter none;
    for (int i = 0; i < 12; ++i)
        EXPECT_FALSE(none.CountSave(0));

    AggressiveSaveCounter normal;
    std::vector<int> due;
    for (int i = 1; i <= 12; ++i)
        if (normal.CountSave(1))
            due.push_back(i);
    EXPECT_EQ(due, (std::vector<int>{5, 10}));
    EXPECT_EQ(normal.Count(), 2);

    AggressiveSaveCounter high;
    EXPECT_TRUE(high.CountSave(2));
    EXPECT_TRUE(high.CountSave(7));
    EXPECT_EQ(high.Count(), 0);
}

TEST(PrinterCheck, NoPrinterThenNoDefaultThenNothingToSay)
{
    EXPECT_EQ(PrinterCheckMessage({}, {}),
              "There are no installed printers.\r\nUnable to perform printer related operations");
    EXPECT_EQ(PrinterCheckMessage({"Office"}, {}),
              "There is no default printer selected.\r\nUnable to perform printer related operations");
    EXPECT_EQ(PrinterCheckMessage({"Office", "PDF file"}, "PDF file"), "");
}
