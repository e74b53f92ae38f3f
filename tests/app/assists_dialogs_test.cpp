#include "app/datesel.h"
#include "app/getflzip.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {
void ShowActive(QWidget& w)
{
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
}

// Types text as a keyboard of any language would: each character as a key with that text.
void TypeText(QWidget* target, const QString& text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &press);
    }
}

QLineEdit* Edit(QWidget& w, const char* name)
{
    return w.findChild<QLineEdit*>(name);
}
} // namespace

TEST(NewRecordDialog, ShowsOnlyWhatIsAskedAndZipTakesTheLastNamesPlace)
{
    TGetFirstLastZip both(true, true, {40, 25, 10});
    ShowActive(both);
    EXPECT_EQ(both.windowTitle(), "New Record");
    EXPECT_EQ(Edit(both, "LastName")->maxLength(), 40);
    EXPECT_EQ(Edit(both, "FirstName")->maxLength(), 25);
    EXPECT_EQ(Edit(both, "ZipCode")->maxLength(), 10);
    EXPECT_TRUE(Edit(both, "LastName")->hasFocus());

    TGetFirstLastZip zipOnly(false, true, {});
    ShowActive(zipOnly);
    EXPECT_FALSE(Edit(zipOnly, "LastName")->isVisible());
    EXPECT_FALSE(Edit(zipOnly, "FirstName")->isVisible());
    EXPECT_TRUE(Edit(zipOnly, "ZipCode")->isVisible());
    EXPECT_EQ(Edit(zipOnly, "ZipCode")->y(), Edit(both, "LastName")->y());
    EXPECT_TRUE(Edit(zipOnly, "ZipCode")->hasFocus());

    TGetFirstLastZip namesOnly(true, false, {});
    ShowActive(namesOnly);
    EXPECT_FALSE(Edit(namesOnly, "ZipCode")->isVisible());
}

TEST(NewRecordDialog, EnterWalksThroughTheEditsAndAcceptsFromTheZip)
{
    TGetFirstLastZip dlg(true, true, {});
    ShowActive(dlg);
    QTest::keyClicks(Edit(dlg, "LastName"), "Smith");
    QTest::keyClick(Edit(dlg, "LastName"), Qt::Key_Return);
    ASSERT_TRUE(Edit(dlg, "FirstName")->hasFocus());
    QTest::keyClicks(Edit(dlg, "FirstName"), "John");
    QTest::keyClick(Edit(dlg, "FirstName"), Qt::Key_Return);
    ASSERT_TRUE(Edit(dlg, "ZipCode")->hasFocus());
    EXPECT_TRUE(dlg.isVisible());
    QTest::keyClicks(Edit(dlg, "ZipCode"), "12180");
    QTest::keyClick(Edit(dlg, "ZipCode"), Qt::Key_Enter);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.LastNameText(), "Smith");
    EXPECT_EQ(dlg.FirstNameText(), "John");
    EXPECT_EQ(dlg.ZipText(), "12180");
}

TEST(NewRecordDialog, PageDownAcceptsFromAnywhereAndEscapeCancels)
{
    TGetFirstLastZip ok(true, true, {});
    ShowActive(ok);
    QTest::keyClick(Edit(ok, "LastName"), Qt::Key_PageDown);
    EXPECT_EQ(ok.result(), QDialog::Accepted);

    TGetFirstLastZip cancel(true, true, {});
    ShowActive(cancel);
    QTest::keyClick(Edit(cancel, "LastName"), Qt::Key_Escape);
    EXPECT_FALSE(cancel.isVisible());
    EXPECT_EQ(cancel.result(), QDialog::Rejected);
}

TEST(NewRecordDialog, LeavingTheFirstNameForwardAcceptsWhenNoZipFollows)
{
    TGetFirstLastZip tab(true, false, {});
    ShowActive(tab);
    Edit(tab, "FirstName")->setFocus();
    QTest::keyClick(Edit(tab, "FirstName"), Qt::Key_Tab);
    EXPECT_FALSE(tab.isVisible());
    EXPECT_EQ(tab.result(), QDialog::Accepted);

    TGetFirstLastZip enter(true, false, {});
    ShowActive(enter);
    Edit(enter, "FirstName")->setFocus();
    QTest::keyClick(Edit(enter, "FirstName"), Qt::Key_Return);
    EXPECT_EQ(enter.result(), QDialog::Accepted);

    // Going back to correct the last name, or reaching for Cancel, must not add the record.
    TGetFirstLastZip back(true, false, {});
    ShowActive(back);
    Edit(back, "FirstName")->setFocus();
    QTest::keyClick(Edit(back, "FirstName"), Qt::Key_Backtab);
    EXPECT_TRUE(back.isVisible());
    EXPECT_TRUE(Edit(back, "LastName")->hasFocus());
    Edit(back, "FirstName")->setFocus();
    QTest::mouseClick(back.findChild<QPushButton*>("CancelButton"), Qt::LeftButton);
    EXPECT_EQ(back.result(), QDialog::Rejected);
}

TEST(NewRecordDialog, RefusesCharactersTheFileCannotStoreAndSaysWhyKeepingTheRest)
{
    TGetFirstLastZip dlg(true, true, {});
    auto* first = dlg.findChild<QLineEdit*>("FirstName");
    auto* note = dlg.findChild<QStatusBar*>("Note");
    ASSERT_NE(note, nullptr);
    first->setFocus();
    TypeText(first, QString::fromUtf8("José"));
    EXPECT_TRUE(note->currentMessage().isEmpty());
    TypeText(first, QString::fromUtf8("王"));
    EXPECT_EQ(first->text(), QString::fromUtf8("José"));
    EXPECT_EQ(note->currentMessage(), "First Name can hold only Western European characters");
    // Typing over a selection loses nothing when the character is refused.
    first->setSelection(1, 2);
    first->insert(QString::fromUtf8("😀"));
    EXPECT_EQ(first->text(), QString::fromUtf8("José"));
    EXPECT_EQ(dlg.FirstNameText(), QString::fromUtf8("José"));
}

TEST(DateSelector, StartsOnTheGivenDateOrTodayWithSundayFirst)
{
    TDateSelector dated(QDate(1997, 4, 28));
    EXPECT_EQ(dated.windowTitle(), "Select a Date");
    EXPECT_EQ(dated.SelectedDate(), QDate(1997, 4, 28));
    EXPECT_EQ(dated.findChild<QCalendarWidget*>()->firstDayOfWeek(), Qt::Sunday);
    EXPECT_EQ(dated.findChild<QLabel*>("DateLabel")->text(), "Monday, April 28, 1997");

    TDateSelector undated{QDate()};
    EXPECT_EQ(undated.SelectedDate(), QDate::currentDate());
}

TEST(DateSelector, MoveButtonsAndTheLabelFollowingThem)
{
    TDateSelector dlg(QDate(2024, 2, 29));
    auto click = [&dlg](const char* name) { dlg.findChild<QPushButton*>(name)->click(); };
    click("YearForwardButton");
    EXPECT_EQ(dlg.SelectedDate(), QDate(2025, 2, 28));
    click("MonthBackButton");
    EXPECT_EQ(dlg.SelectedDate(), QDate(2025, 1, 28));
    click("MonthForwardButton");
    click("MonthForwardButton");
    EXPECT_EQ(dlg.SelectedDate(), QDate(2025, 3, 28));
    click("YearBackButton");
    EXPECT_EQ(dlg.SelectedDate(), QDate(2024, 3, 28));
    EXPECT_EQ(dlg.SelectedRecordDate(), "20240328");
    EXPECT_EQ(dlg.findChild<QLabel*>("DateLabel")->text(), "Thursday, March 28, 2024");
    click("TodayButton");
    EXPECT_EQ(dlg.SelectedDate(), QDate::currentDate());
}

TEST(DateSelector, ResultCodes)
{
    const std::pair<const char*, int> cases[] = {{"OkButton", TDateSelector::Ok},
                                                 {"CancelButton", TDateSelector::Cancelled},
                                                 {"NoDateButton", TDateSelector::NoDate}};
    for (const auto& [button, code] : cases) {
        TDateSelector dlg(QDate(2000, 1, 1));
        dlg.show();
        dlg.findChild<QPushButton*>(button)->click();
        EXPECT_EQ(dlg.result(), code) << button;
    }
    TDateSelector escaped(QDate(2000, 1, 1));
    ShowActive(escaped);
    QTest::keyClick(&escaped, Qt::Key_Escape);
    EXPECT_EQ(escaped.result(), TDateSelector::Cancelled);
}
