#include "app/addbrz.h"
#include "app/fieldslist.h"
#include "platform/systembeep.h"
#include "support/fixture_copy.h"

#include "support/recording_help.h"
#include "support/temp_program_dir.h"
#include "table/opentablefile.h"
#include "table/tdatasource.h"
#include "table/ttable.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace {

const QString TagId = QStringLiteral("T1");

// The browse window over a copy of the independent engine's address file, with a few of
// the main window's fields and its calculated Tagged field.
class BrowseForm : public ::testing::Test {
protected:
    void SetUp() override
    {
        CopyFixtureTable("small", programDir.Path());
        TField& tagged = table.AddCalcField("Tagged", TFieldType::Boolean, 0, "Tagged");
        tagged.SetDisplayValues("Yes;No");
        table.AddField("LNAME", 30, "Last Name", 20);
        table.AddField("FNAME", 30, "First Name", 15);
        table.AddField("CITY", 30, "City", 15);
        table.AddField("TAG", 8, {}, 0, false);
        table.OnCalcFields = [](TTable& t) {
            t.FieldByName("Tagged").SetAsBoolean(t.FieldByName("TAG").AsString() == TagId);
        };
        table.SetExclusive(true);
        table.SetIndexName("LNAME");
        source.SetDataSet(&table);
        ASSERT_TRUE(OpenTableFile(programDir.File("small.dbf"), table));
        SetBeepHandler([this] { ++beeps; });
        form = std::make_unique<TAddressBrowseForm>(source, [this] { ++toggles; });
        grid = form->findChild<QTableView*>("DBGrid");
        ASSERT_TRUE(grid);
    }

    void TearDown() override { SetBeepHandler({}); }

    QStringList Titles() const
    {
        QStringList titles;
        for (int v = 0; v < grid->model()->columnCount(); ++v)
            titles << grid->model()->headerData(grid->horizontalHeader()->logicalIndex(v), Qt::Horizontal).toString();
        return titles;
    }

    QStringList FieldOrder() const { return FieldNames(table); }

    void Click(const char* button) { form->findChild<QPushButton*>(button)->click(); }

    TempProgramDirectory programDir;
    TTable table;
    TDataSource source;
    std::unique_ptr<TAddressBrowseForm> form;
    QTableView* grid = nullptr;
    int beeps = 0;
    int toggles = 0;
};

} // namespace

TEST_F(BrowseForm, ShowsTheVisibleFieldsWithTitlesAndCharacterWidths)
{
    EXPECT_EQ(form->windowTitle(), "Address Browse");
    EXPECT_EQ(Titles(), QStringList({"Tagged", "Last Name", "First Name", "City"}));
    EXPECT_EQ(grid->model()->data(grid->model()->index(0, 0)).toString(), "No");
    const int lastName = grid->columnWidth(1);
    const int city = grid->columnWidth(3);
    const int digit = grid->fontMetrics().horizontalAdvance('0');
    EXPECT_GE(lastName, 20 * digit);
    EXPECT_NEAR(lastName - city, 5 * digit, 1);
    EXPECT_TRUE(grid->horizontalHeader()->sectionsMovable());
    EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
}

TEST_F(BrowseForm, MovingAColumnMovesTheFieldAndTheGridKeepsIt)
{
    grid->setColumnWidth(2, 211);
    QHeaderView* header = grid->horizontalHeader();
    // Drag Last Name behind First Name.
    header->moveSection(1, 2);
    EXPECT_EQ(FieldOrder().mid(0, 4), QStringList({"Tagged", "FNAME", "LNAME", "CITY"}));
    EXPECT_EQ(Titles(), QStringList({"Tagged", "First Name", "Last Name", "City"}));
    // The width the user gave First Name travels with it.
    EXPECT_EQ(grid->columnWidth(header->logicalIndex(1)), 211);
    // Back to the front, past the Tagged column.
    header->moveSection(2, 0);
    EXPECT_EQ(Titles(), QStringList({"Last Name", "Tagged", "First Name", "City"}));
    EXPECT_EQ(FieldOrder().first(), "LNAME");
}

TEST_F(BrowseForm, ArrangingTheTableFromAListReordersTheGrid)
{
    ArrangeTableFields(table, {"city", "BOGUS", "Tagged"});
    EXPECT_EQ(FieldOrder(), QStringList({"CITY", "Tagged", "LNAME", "FNAME", "TAG"}));
    EXPECT_EQ(Titles(), QStringList({"City", "Tagged", "Last Name", "First Name"}));
}

TEST_F(BrowseForm, RecordButtonsMoveTheTableAndBeepPastTheEnds)
{
    Click("RecordFirst");
    EXPECT_EQ(grid->currentIndex().row(), 0);
    Click("RecordPrev");
    EXPECT_EQ(beeps, 1);
    Click("RecordNext");
    EXPECT_EQ(grid->currentIndex().row(), 1);
    EXPECT_EQ(beeps, 1);
    Click("RecordLast");
    const int last = grid->model()->rowCount() - 1;
    EXPECT_EQ(grid->currentIndex().row(), last);
    Click("RecordNext");
    EXPECT_EQ(beeps, 2);
    EXPECT_EQ(grid->currentIndex().row(), last);
    Click("RecordPrev");
    EXPECT_EQ(grid->currentIndex().row(), last - 1);
    EXPECT_EQ(beeps, 2);
}

TEST_F(BrowseForm, MovingInTheGridMovesTheTable)
{
    Click("RecordFirst");
    grid->setCurrentIndex(grid->model()->index(7, 1));
    EXPECT_EQ(table.FieldByName("LNAME").AsString(), grid->model()->data(grid->model()->index(7, 1)).toString());
    table.Next();
    EXPECT_EQ(grid->currentIndex().row(), 8);
}

TEST_F(BrowseForm, TagButtonAndDoubleClickToggleTheTag)
{
    Click("TagButton");
    EXPECT_EQ(toggles, 1);
    form->show();
    QApplication::processEvents();
    const QRect cell = grid->visualRect(grid->model()->index(2, 1));
    // A double click is a press and release followed by a second press that doubles it.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(toggles, 2);
    EXPECT_EQ(grid->currentIndex().row(), 2);
}

TEST_F(BrowseForm, PlacementIsSavedWhenItClosesAndHelpHasItsTopic)
{
    RecordingHelp help;
    form->show();
    QApplication::processEvents();
    Click("HelpButton");
    EXPECT_EQ(help.requests, QStringList{"topic 1034"});
    Click("Returnbutton");
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(programDir.SettingsText().contains("[TAddressBrowseForm_Placement]"));
}

TEST(BrowseSize, GrowsOnlyAboveNinetySixDpi)
{
    EXPECT_EQ(BrowseSizeForDpi({640, 400}, 96), QSize(640, 400));
    EXPECT_EQ(BrowseSizeForDpi({640, 400}, 72), QSize(640, 400));
    // 120 / 96 * 0.95 = 1.1875; 144 / 96 * 0.95 = 1.425, truncated.
    EXPECT_EQ(BrowseSizeForDpi({640, 401}, 120), QSize(760, 476));
    EXPECT_EQ(BrowseSizeForDpi({641, 400}, 144), QSize(913, 570));
}
