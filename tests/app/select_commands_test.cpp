#include "app/bkmain.h"

#include "platform/settings.h"
#include "platform/systembeep.h"
#include "select/filterdialogs.h"
#include "support/fixture_copy.h"
#include "support/modal.h"
#include "support/scripted_messages.h"
#include "support/temp_program_dir.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// The independent engine's fixture shows this many records with no filter.
constexpr long kVisible = 203;

class SelectCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        CopyFixtureTable(QStringLiteral("small"), dir.Path(), QStringLiteral("book"));
        SetBeepHandler([this] { ++beeps; });
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(50);
        ASSERT_TRUE(window.OpenBookDBF(dir.File(QStringLiteral("book.dbf"))));
        window.ApplyFilter();
        window.SetButtons();
    }
    void TearDown() override
    {
        SetBeepHandler({});
        window.close();
    }

    template <class T>
    T* Child(const char* name)
    {
        T* child = window.findChild<T*>(QLatin1StringView(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    QString Status() { return Child<QLabel>("FilterStatus")->text(); }
    // A toolbar shows its buttons through their actions (a button may sit in the overflow).
    bool OnToolBar(const char* name)
    {
        QWidget* button = Child<QToolButton>(name);
        for (QAction* action : window.ToolBar->actions())
            if (window.ToolBar->widgetForAction(action) == button)
                return action->isVisible();
        return false;
    }

    // Opens the query form, types into its fields and presses one of its buttons.
    void SetFilterThroughTheForm(std::vector<std::pair<const char*, const char*>> typed, const char* button)
    {
        WhenModalOpens([typed, button](QWidget* form) {
            for (const auto& [name, text] : typed)
                form->findChild<QLineEdit*>(QLatin1StringView(name))->setText(QString::fromUtf8(text));
            form->findChild<QPushButton*>(QLatin1StringView(button))->click();
        });
        Child<QToolButton>("FilterButton")->click();
        EXPECT_TRUE(ModalWasHandled());
    }

    QString StoredTagOfCurrent() { return window.Session().TableBook.FieldByName(QStringLiteral("TAG")).AsString(); }

    TempProgramDirectory dir;
    ScriptedMessages messages;
    TAddressMain window;
    int beeps = 0;
};

TEST_F(SelectCommands, AFilterFromTheFormShowsInTheStatusPanelAndTheCommands)
{
    EXPECT_EQ(Status(), QStringLiteral("203 records (no filter)"));
    EXPECT_FALSE(window.mnuSaveFilter->isEnabled());
    SetFilterThroughTheForm({{"qLName", "smith"}}, "OkButton");
    EXPECT_EQ(window.Session().Select.FilterExpression(), R"(UPPER(LNAME)="SMITH")");
    EXPECT_EQ(Status(), QStringLiteral("11 filter matches"));
    EXPECT_TRUE(window.mnuSaveFilter->isEnabled());
    EXPECT_TRUE(window.mnuTagAllFilterMatches->isEnabled());
    EXPECT_TRUE(OnToolBar("ClearfilterButton"));

    window.mnuClearFilter->trigger();
    EXPECT_FALSE(window.Session().Select.FilterSet());
    EXPECT_EQ(Status(), QStringLiteral("203 records (no filter)"));
    EXPECT_FALSE(OnToolBar("ClearfilterButton"));
    EXPECT_FALSE(window.mnuSaveFilter->isEnabled());
}

TEST_F(SelectCommands, CancelPutsBackTheFilterThatTestReplaced)
{
    SetFilterThroughTheForm({{"qLName", "smith"}}, "OkButton");
    WhenModalOpens([](QWidget* form) {
        form->findChild<QLineEdit*>(QStringLiteral("qLName"))->setText(QStringLiteral("jones"));
        form->findChild<QPushButton*>(QStringLiteral("qSetFilterButton"))->click();
        form->findChild<QPushButton*>(QStringLiteral("CancelButton"))->click();
    });
    window.mnuSetFilter->trigger();
    EXPECT_TRUE(ModalWasHandled());
    EXPECT_EQ(window.Session().Select.values[QueryField::LName], QStringLiteral("smith"));
    EXPECT_EQ(window.Session().Apollo1.DBFilter(), R"(UPPER(LNAME)="SMITH".and. !ISDEL)");
}

TEST_F(SelectCommands, AFilterThatMatchesNothingLeavesTheFormEmptyNextTime)
{
    SetFilterThroughTheForm({{"qLName", "zzzz"}}, "OkButton");
    EXPECT_FALSE(window.Session().Select.FilterSet());
    EXPECT_EQ(Status(), QStringLiteral("203 records (no filter)"));
    QString seen = QStringLiteral("not read");
    WhenModalOpens([&seen](QWidget* form) {
        seen = form->findChild<QLineEdit*>(QStringLiteral("qLName"))->text();
        form->findChild<QPushButton*>(QStringLiteral("CancelButton"))->click();
    });
    window.mnuSetFilter->trigger();
    EXPECT_EQ(seen, QString());
}

TEST_F(SelectCommands, TheFilterCommandBeepsDuringAnEdit)
{
    window.Session().TableBook.Edit();
    WhenModalOpens([](QWidget* modal) { modal->close(); }, 300);
    window.FilterButtonClick();
    // Lets the watcher run out, so it cannot take the next test's dialog.
    QTest::qWait(400);
    EXPECT_FALSE(ModalWasHandled());
    EXPECT_EQ(beeps, 1);
    window.Session().TableBook.Cancel();
}

TEST_F(SelectCommands, PressingTaggedTwiceLeavesTheRecordUntagged)
{
    auto* tagged = Child<QCheckBox>("Tagged");
    QTest::mouseClick(tagged, Qt::LeftButton);
    EXPECT_EQ(StoredTagOfCurrent(), window.Session().GlobalTagId);
    EXPECT_TRUE(tagged->isChecked());
    QTest::mouseClick(tagged, Qt::RightButton);
    EXPECT_EQ(StoredTagOfCurrent(), window.Session().GlobalTagId);
    QTest::mouseClick(tagged, Qt::LeftButton);
    EXPECT_EQ(StoredTagOfCurrent(), QString());
    EXPECT_FALSE(tagged->isChecked());
    // Space works like a press of the left button.
    QTest::keyClick(tagged, Qt::Key_Space);
    EXPECT_EQ(StoredTagOfCurrent(), window.Session().GlobalTagId);
}

TEST_F(SelectCommands, UntaggingTheOnlyUntaggedMatchDropsTheFilter)
{
    // Tag all but one record, then filter for the untagged ones.
    window.Session().Select.values[QueryField::LName] = QStringLiteral("müller");
    window.Session().Select.values.reverse = true;
    ASSERT_EQ(window.ApplyFilter(), kVisible - 1);
    window.SetButtons();
    messages.AnswerYes();
    WhenModalOpens([](QWidget* dialog) {
        // The run may be what called us, from its own event processing: waiting here
        // would hold it up, so press Ok from a timer once the run shows it.
        auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("CloseButton"));
        auto* poll = new QTimer(dialog);
        QObject::connect(poll, &QTimer::timeout, ok, [ok] {
            if (ok->isVisible())
                ok->click();
        });
        poll->start(10);
    });
    window.mnuTagAllFilterMatches->trigger();
    ASSERT_TRUE(ModalWasHandled());
    EXPECT_EQ(messages.Boxes()[0].text, QStringLiteral("Tag all records matching filter?"));
    EXPECT_EQ(messages.Boxes()[0].caption, QStringLiteral("TAG ALL"));
    EXPECT_FALSE(window.Session().TableBook.ControlsDisabled());

    window.Session().Select.ClearQueryVars();
    window.Session().Select.values.tagged = true;
    window.Session().Select.values.reverse = true;
    ASSERT_EQ(window.ApplyFilter(), 1);
    window.Session().TableBook.First();
    EXPECT_EQ(window.Session().TableBook.FieldByName(QStringLiteral("LNAME")).AsString(), QStringLiteral("Müller"));
    QTest::mouseClick(Child<QCheckBox>("Tagged"), Qt::LeftButton);
    EXPECT_FALSE(window.Session().Select.FilterSet());
    EXPECT_EQ(window.Session().Apollo1.QueryRecCount(), kVisible);
}

TEST_F(SelectCommands, ClearingTagsChangesTheIdAndNoRecord)
{
    QTest::mouseClick(Child<QCheckBox>("Tagged"), Qt::LeftButton);
    window.Session().Select.values.tagged = true;
    ASSERT_EQ(window.ApplyFilter(), 1);
    const QString oldId = window.Session().GlobalTagId;
    window.Session().TableBook.Close();
    QFile dbf(dir.File(QStringLiteral("book.dbf")));
    ASSERT_TRUE(dbf.open(QIODevice::ReadOnly));
    const QByteArray before = dbf.readAll();
    dbf.close();
    ASSERT_TRUE(window.OpenBookDBF(dir.File(QStringLiteral("book.dbf"))));
    window.ApplyFilter();

    // Ids are made from the clock to the second: the next id comes a second later.
    const QDateTime later = QDateTime::currentDateTime().addSecs(1);
    window.Session().Clock = [later] { return later; };
    messages.AnswerNo();
    window.mnuClearTags->trigger();
    EXPECT_EQ(window.Session().GlobalTagId, oldId);
    ASSERT_EQ(messages.Texts(), QStringList({QStringLiteral("Clear all tags?")}));
    EXPECT_EQ(DefaultAnswer(messages.Boxes()[0].flags), IdNo);
    messages.AnswerYes();
    window.mnuClearTags->trigger();
    EXPECT_NE(window.Session().GlobalTagId, oldId);
    EXPECT_EQ(ReadSettingString(QStringLiteral("Misc"), QStringLiteral("GlobalTagId")), window.Session().GlobalTagId);
    EXPECT_FALSE(window.Session().Select.FilterSet());
    EXPECT_FALSE(Child<QCheckBox>("Tagged")->isChecked());
    window.Session().TableBook.Close();
    ASSERT_TRUE(dbf.open(QIODevice::ReadOnly));
    EXPECT_EQ(dbf.readAll(), before);
}

TEST_F(SelectCommands, UntaggingRecordsOfATaggedFilterTakesThemOutOfViewThenDropsTheFilter)
{
    auto* tagged = Child<QCheckBox>("Tagged");
    auto* last = Child<QLineEdit>("Last");
    window.Session().TableBook.First();
    QTest::mouseClick(tagged, Qt::LeftButton);
    const long first = window.Session().Apollo1.RecNo();
    window.RecordNextClick();
    QTest::mouseClick(tagged, Qt::LeftButton);
    const long second = window.Session().Apollo1.RecNo();
    const QString secondName = last->text();
    window.Session().Select.values.tagged = true;
    ASSERT_EQ(window.ApplyFilter(), 2);
    window.Session().TableBook.First();
    window.SetButtons();
    ASSERT_EQ(window.Session().Apollo1.RecNo(), first);

    QTest::mouseClick(tagged, Qt::LeftButton);
    EXPECT_TRUE(window.Session().Select.FilterSet());
    EXPECT_EQ(Status(), QStringLiteral("1 filter matches"));
    EXPECT_EQ(window.Session().Apollo1.RecNo(), second);
    EXPECT_EQ(last->text(), secondName);
    EXPECT_TRUE(tagged->isChecked());

    QTest::mouseClick(tagged, Qt::LeftButton);
    EXPECT_FALSE(window.Session().Select.FilterSet());
    EXPECT_EQ(Status(), QStringLiteral("203 records (no filter)"));
    EXPECT_FALSE(OnToolBar("ClearfilterButton"));
    EXPECT_FALSE(window.mnuSaveFilter->isEnabled());
    EXPECT_FALSE(window.mnuTagAllFilterMatches->isEnabled());
    EXPECT_FALSE(window.mnuClearFilter->isEnabled());
    EXPECT_EQ(last->text(), window.Session().TableBook.FieldByName(QStringLiteral("LNAME")).AsString());
}

TEST_F(SelectCommands, ATooComplexFilterIsRefusedOnceAndTheFormShowsThePartsLabels)
{
    QStringList labels;
    const QString longText = QString(90, QLatin1Char('x'));
    WhenModalOpens([&](QWidget* form) {
        for (const char* name : {"qLName", "qFName", "qOrg", "qZip", "qState", "qcomments"})
            labels << form->findChild<QLabel*>(QLatin1StringView(name) + QStringLiteral("Label"))->text();
        for (const char* name : {"qLName", "qFName", "qTitle", "qOrg"})
            form->findChild<QLineEdit*>(QLatin1StringView(name))->setText(longText);
        form->findChild<QPushButton*>(QStringLiteral("OkButton"))->click();
    });
    window.mnuSetFilter->trigger();
    ASSERT_TRUE(ModalWasHandled());
    // "Zip or Postal" has no room beside the zip box on the card: the card's own "Zip" stands there.
    EXPECT_EQ(labels, QStringList({"Last", "First", "Org", "Zip", "State or Prov", "Comment"}));
    EXPECT_EQ(messages.Texts(), QStringList({QStringLiteral("Sorry - filter is too complex.Please simplify it.")}));
    EXPECT_FALSE(window.Session().Select.FilterSet());
    EXPECT_EQ(window.Session().Select.values[QueryField::LName], QString());
}

TEST_F(SelectCommands, TheStatusBarNamesTheOrderBesideTheCount)
{
    auto* order = Child<QLabel>("OrderStatus");
    EXPECT_EQ(order->text(), QStringLiteral("Sorted by Last Name"));
    EXPECT_TRUE(order->isVisibleTo(&window));
    window.findChild<QAction*>(QStringLiteral("mnuOrderCity"))->trigger();
    EXPECT_EQ(order->text(), QStringLiteral("Sorted by City"));
    window.Session().TableBook.Close();
    window.SetButtons();
    EXPECT_FALSE(order->isVisibleTo(&window));
}

TEST_F(SelectCommands, TheFilterSaveDialogProposesFilterFilesAndTheExitButtonHasItsHint)
{
    QString proposed = QStringLiteral("not read");
    WhenModalOpens([&](QWidget* modal) {
        if (auto* name = modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            proposed = name->text();
        static_cast<QDialog*>(modal)->reject();
    });
    EXPECT_EQ(ChooseFilterSavePath(&window), QString());
    EXPECT_TRUE(ModalWasHandled());
    EXPECT_EQ(proposed, QStringLiteral("*.FLT"));
    EXPECT_EQ(Child<QToolButton>("Exitbutton")->toolTip(), QStringLiteral("Exit"));
}

TEST_F(SelectCommands, SavedFiltersRestore)
{
    const QString path = dir.File(QStringLiteral("smiths.FLT"));
    SetFilterSaveChooser([path](QWidget*, const QString&) { return path; });
    SetFilterOpenChooser([path](QWidget*, const QString&) { return path; });
    SetFilterThroughTheForm({{"qLName", "smith"}}, "OkButton");
    window.mnuSaveFilter->trigger();
    window.mnuClearFilter->trigger();
    window.mnuRestoreFilter->trigger();
    SetFilterSaveChooser({});
    SetFilterOpenChooser({});
    EXPECT_EQ(window.Session().Select.values[QueryField::LName], QStringLiteral("smith"));
    EXPECT_EQ(Status(), QStringLiteral("11 filter matches"));
    EXPECT_TRUE(messages.Boxes().isEmpty());
}

} // namespace
