#include "records_window_support.h"

#include "table/dbedit.h"

#include <QAction>
#include <QLineEdit>
#include <QTest>

namespace {
// Types into whatever has the window's focus, then presses Enter, as a user filling a
// form does.
void TypeAndEnter(QWidget* window, const QString& text)
{
    QTest::keyClicks(window->focusWidget(), text);
    QTest::keyClick(window->focusWidget(), Qt::Key_Return);
}

// Answers the "New Record" dialog from the keyboard: Enter from edit to edit, Page Down.
void AnswerNewRecordByKeys(const QString& last, const QString& first, const QString& zip)
{
    WhenModalOpens([=](QWidget* dialog) {
        TypeAndEnter(dialog, last);
        TypeAndEnter(dialog, first);
        QTest::keyClicks(dialog->focusWidget(), zip);
        QTest::keyClick(dialog->focusWidget(), Qt::Key_PageDown);
    });
}
} // namespace

// Ten records added from the keyboard, half of them through the "New Record" dialog;
// then moving about, an edit thrown away, a deletion, and a restart.
TEST_F(RecordWindowTest, AKeyboardSessionSurvivesARestart)
{
    StartWith({Person("Adams", "Ann", "ZIP=12180;CITY=Troy;STATE=NY")});
    QAction* add = window->findChild<QAction*>("mnuAdd");
    for (int i = 0; i < 10; ++i) {
        const QString last = QString("Person%1").arg(i);
        const bool assisted = i >= 5;
        window->Preferences.AutoDupCheck = window->Preferences.PlugCityState = assisted;
        if (assisted)
            AnswerNewRecordByKeys(last, "Pat", "12180");
        add->trigger();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        ASSERT_EQ(window->Session().TableBook.State(), TDataSetState::Insert) << i;
        if (!assisted) {
            TypeAndEnter(window.get(), last);
            TypeAndEnter(window.get(), "Pat");
        }
        ASSERT_EQ(QApplication::focusWidget(), Edit("Middle")) << i;
        TypeAndEnter(window.get(), "q");
        Key(Qt::Key_Return, Qt::ControlModifier);
        ASSERT_EQ(window->Session().TableBook.State(), TDataSetState::Browse) << i;
    }

    Key(Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(Field("LNAME"), "Adams");
    Key(Qt::Key_PageDown);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(Field("LNAME"), "Person1");
    window->findChild<QAction*>("mnuEdit")->trigger();
    Type("City", "Rome");
    messages.AnswerYes();
    Key(Qt::Key_Escape);
    EXPECT_EQ(Field("CITY"), "");
    messages.AnswerYes();
    window->findChild<QAction*>("mnuDelete")->trigger();
    EXPECT_EQ(Field("LNAME"), "Person2");
    EXPECT_EQ(messages.Unanswered(), 0);

    window->close();
    window.reset();
    window = std::make_unique<TAddressMain>();
    window->show();
    ASSERT_TRUE(QTest::qWaitFor([this] { return window->Session().TableBook.Active(); }, 5000));
    const auto rows = Visible({"LNAME", "FNAME", "MIDDLE", "CITY", "STATE"});
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows[0].value("LNAME"), "Adams");
    EXPECT_EQ(rows[1].value("LNAME"), "Person0");
    EXPECT_EQ(rows[2].value("LNAME"), "Person2");
    for (size_t i = 1; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].value("FNAME"), "Pat");
        EXPECT_EQ(rows[i].value("MIDDLE"), "Q");
    }
    EXPECT_EQ(rows[9].value("LNAME"), "Person9");
    EXPECT_EQ(rows[9].value("CITY"), "Troy");
    EXPECT_EQ(rows[9].value("STATE"), "NY");
    EXPECT_EQ(rows[2].value("CITY"), "");
}
