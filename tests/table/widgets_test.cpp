#include "table_test_support.h"

#include "platform/systembeep.h"
#include "table/dbcheckbox.h"
#include "table/dbedit.h"
#include "table/dbgridmodel.h"
#include "table/opentablefile.h"

#include <QApplication>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>

TEST_F(TableTest, BoundEditShowsTheValueAndWritesOnlyWhileEditing)
{
    Trio t;
    ASSERT_TRUE(OpenTableFile(MakePeople("p.dbf", {{"Ames", "Al"}, {"Bell", "Bo"}}), t.table));
    TDBEdit edit;
    edit.Link().SetDataSource(&t.source);
    edit.Link().SetDataField("lname");
    EXPECT_EQ(edit.text(), "Ames");
    EXPECT_EQ(edit.maxLength(), 10);
    EXPECT_TRUE(edit.isReadOnly());
    QTest::keyClicks(&edit, "x");
    EXPECT_EQ(t.table.FieldByName("LNAME").AsString(), "Ames");

    t.table.Next();
    EXPECT_EQ(edit.text(), "Bell");
    t.table.Edit();
    EXPECT_FALSE(edit.isReadOnly());
    edit.end(false);
    QTest::keyClicks(&edit, "e");
    EXPECT_EQ(t.table.FieldByName("LNAME").AsString(), "Belle");
    EXPECT_TRUE(t.table.Modified());
    // A character the file cannot hold does not get in, and is refused with a beep.
    int beeps = 0;
    SetBeepHandler([&beeps] { ++beeps; });
    QKeyEvent zhe(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf16(u"\u0416"));
    QApplication::sendEvent(&edit, &zhe);
    SetBeepHandler({});
    EXPECT_EQ(edit.text(), "Belle");
    EXPECT_EQ(beeps, 1);
    t.table.Post();
    EXPECT_TRUE(edit.isReadOnly());

    t.table.Close();
    EXPECT_EQ(edit.text(), "");
}

TEST_F(TableTest, BoundCheckBoxFollowsTheLogicalField)
{
    Trio t;
    ASSERT_TRUE(OpenTableFile(MakePeople("p.dbf", {{"Ames", ""}}), t.table));
    TDBCheckBox box;
    box.Link().SetDataSource(&t.source);
    box.Link().SetDataField("ISDEL");
    EXPECT_FALSE(box.isChecked());
    box.click();
    EXPECT_FALSE(box.isChecked());
    EXPECT_FALSE(t.table.FieldByName("ISDEL").AsBoolean());
    t.table.Edit();
    box.click();
    EXPECT_TRUE(t.table.FieldByName("ISDEL").AsBoolean());
    t.table.Post();
    EXPECT_TRUE(box.isChecked());
}

TEST_F(TableTest, GridRowsAreTheFilteredRecordsInOrder)
{
    Trio t;
    t.table.AddField("LNAME", 10, "Last", 12);
    t.table.AddField("FNAME", 8, "First").SetVisible(false);
    t.table.AddField("ISDEL", 1, "Deleted");
    ASSERT_TRUE(OpenTableFile(MakePeople("p.dbf", {{"Cole", ""}, {"Ames", ""}, {"Bell", ""}, {"Dunn", ""}}), t.table));
    t.apollo.IndexTag("", "LNAME", "", false, 0, "UPPER(LNAME)");
    TDBGridModel model;
    model.SetDataSource(&t.source);
    ASSERT_EQ(model.columnCount(), 2);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), "Last");
    EXPECT_EQ(model.FieldOfColumn(1)->FieldName(), "ISDEL");

    const auto column = [&] {
        QStringList names;
        for (int r = 0; r < model.rowCount(); ++r)
            names << model.data(model.index(r, 0)).toString();
        return names;
    };
    EXPECT_EQ(column(), QStringList({"Ames", "Bell", "Cole", "Dunn"}));

    t.apollo.Query("UPPER(LNAME) >= \"B\"");
    EXPECT_EQ(column(), QStringList({"Bell", "Cole", "Dunn"}));

    QSignalSpy moved(&model, &TDBGridModel::currentRowChanged);
    model.SetCurrentRow(2);
    EXPECT_EQ(t.table.FieldByName("LNAME").AsString(), "Dunn");
    ASSERT_FALSE(moved.isEmpty());
    EXPECT_EQ(moved.last().at(0).toInt(), 2);

    // Edits show in the current row before they are posted; posting reorders.
    t.table.Edit();
    t.table.FieldByName("LNAME").SetAsString("Baker");
    EXPECT_EQ(model.data(model.index(2, 0)).toString(), "Baker");
    t.table.Post();
    EXPECT_EQ(column(), QStringList({"Baker", "Bell", "Cole"}));
    EXPECT_EQ(model.CurrentRow(), 0);
}

TEST_F(TableTest, GridFindsRowsAsNeededAndKeepsThemWhenAPostLeavesTheOrder)
{
    std::vector<std::pair<QString, QString>> names;
    for (int i = 0; i < 600; ++i)
        names.emplace_back(QString("N%1").arg(i, 4, 10, QChar('0')), "");
    Trio t;
    ASSERT_TRUE(OpenTableFile(MakePeople("many.dbf", names), t.table));
    t.apollo.IndexTag("", "LNAME", "", false, 0, "UPPER(LNAME)");
    TDBGridModel model;
    model.SetDataSource(&t.source);
    EXPECT_LT(model.rowCount(), 600);
    EXPECT_TRUE(model.canFetchMore({}));

    t.table.Last();
    EXPECT_EQ(model.CurrentRow(), 599);
    EXPECT_EQ(model.data(model.index(599, 0)).toString(), "N0599");
    model.fetchMore({});
    EXPECT_FALSE(model.canFetchMore({}));
    EXPECT_EQ(model.rowCount(), 600);

    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.SetCurrentRow(3);
    t.table.Edit();
    t.table.FieldByName("FNAME").SetAsString("Kay");
    t.table.Post();
    EXPECT_EQ(resets.count(), 0);
    EXPECT_FALSE(changed.isEmpty());
    EXPECT_EQ(model.RecNoOfRow(3), 4);
    EXPECT_EQ(model.rowCount(), 600);

    // Moving a column keeps the rows found so far.
    t.table.FieldByName("ISDEL").SetIndex(0);
    EXPECT_EQ(model.FieldOfColumn(0)->FieldName(), "ISDEL");
    EXPECT_EQ(model.rowCount(), 600);
    resets.clear();

    // Leaving the filter starts the rows afresh.
    t.apollo.Query("FNAME <> \"Kay\"");
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(model.RecNoOfRow(3), 5);
}
