#include "select/addqry.h"

#include "select/selection.h"

#include "book.h"
#include "printing.h"
#include "support/recording_help.h"
#include "support/scripted_messages.h"
#include "support/temp_program_dir.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString kTag = QStringLiteral("VJY355E");

class QueryFormTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(book.opened); }

    template <class T>
    T* Child(const TAddressQueryForm& form, const char* name)
    {
        T* child = form.findChild<T*>(QLatin1StringView(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }

    QString MatchLine(const TAddressQueryForm& form) { return Child<QLabel>(form, "qMatchCount")->text(); }

    TempProgramDirectory programDir;
    ScriptedMessages messages;
    Book book;
    Selection selection;
};

TEST_F(QueryFormTest, HasAFieldPerQueryValueAndTheTwoFlags)
{
    TAddressQueryForm form(selection, kTag, book.table, book.apollo, nullptr);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Address Filter"));
    EXPECT_EQ(MatchLine(form), QString());
    QueryValues values;
    int n = 0;
    for (QueryField field : allQueryFields())
        values[field] = QStringLiteral(" pattern %1").arg(++n);
    values.tagged = true;
    form.SetValues(values);
    for (QueryField field : allQueryFields())
        EXPECT_EQ(Child<QLineEdit>(form, queryFieldInfo(field).controlName)->text(), values[field]);
    EXPECT_TRUE(Child<QCheckBox>(form, "qTagged")->isChecked());
    EXPECT_FALSE(Child<QCheckBox>(form, "qReverse")->isChecked());
    EXPECT_EQ(form.Values(), values);
}

TEST_F(QueryFormTest, TestAppliesTheTypedFilterAndShowsTheCount)
{
    TAddressQueryForm form(selection, kTag, book.table, book.apollo, nullptr);
    Child<QLineEdit>(form, "qLName")->setText(QStringLiteral("smith"));
    Child<QPushButton>(form, "qSetFilterButton")->click();
    EXPECT_EQ(MatchLine(form), QStringLiteral("11 matches"));
    EXPECT_EQ(selection.values[QueryField::LName], QStringLiteral("smith"));
    EXPECT_EQ(book.apollo.DBFilter(), R"(UPPER(LNAME)="SMITH".and. !ISDEL)");
    EXPECT_FALSE(book.table.Bof() && book.table.Eof());

    // Reverse alone is no filter; so is a filter without matches.
    form.SetValues(QueryValues{});
    Child<QCheckBox>(form, "qReverse")->setChecked(true);
    Child<QPushButton>(form, "qSetFilterButton")->click();
    EXPECT_EQ(MatchLine(form), QStringLiteral("No filter set"));
    Child<QLineEdit>(form, "qCodes")->setText(QStringLiteral("$NO SUCH CODE"));
    Child<QCheckBox>(form, "qReverse")->setChecked(false);
    Child<QPushButton>(form, "qSetFilterButton")->click();
    EXPECT_EQ(MatchLine(form), QStringLiteral("No filter set"));
    EXPECT_EQ(book.apollo.DBFilter(), "!ISDEL");
}

TEST_F(QueryFormTest, ClearEmptiesTheFieldsAndRemovesTheFilterAtOnce)
{
    TAddressQueryForm form(selection, kTag, book.table, book.apollo, nullptr);
    Child<QLineEdit>(form, "qState")->setText(QStringLiteral("CA"));
    Child<QCheckBox>(form, "qReverse")->setChecked(true);
    Child<QPushButton>(form, "qSetFilterButton")->click();
    ASSERT_TRUE(selection.FilterSet());
    Child<QPushButton>(form, "qClearButton")->click();
    EXPECT_EQ(form.Values(), QueryValues{});
    EXPECT_FALSE(selection.FilterSet());
    EXPECT_EQ(MatchLine(form), QStringLiteral("No filter set"));
    EXPECT_EQ(book.apollo.DBFilter(), "!ISDEL");
}

TEST_F(QueryFormTest, OkAppliesAndAcceptsCancelOnlyRejects)
{
    TAddressQueryForm form(selection, kTag, book.table, book.apollo, nullptr);
    Child<QLineEdit>(form, "qCity")->setText(QStringLiteral("boston"));
    QSignalSpy accepted(&form, &QDialog::accepted);
    QSignalSpy rejected(&form, &QDialog::rejected);
    Child<QPushButton>(form, "OkButton")->click();
    EXPECT_EQ(accepted.count(), 1);
    EXPECT_EQ(selection.FilterExpression(), R"(UPPER(CITY+STATE)="BOSTON")");

    Child<QLineEdit>(form, "qCity")->setText(QStringLiteral("albany"));
    Child<QPushButton>(form, "CancelButton")->click();
    EXPECT_EQ(rejected.count(), 1);
    EXPECT_EQ(selection.values[QueryField::City], QStringLiteral("boston"));
}

TEST_F(QueryFormTest, KeyboardAndHelp)
{
    RecordingHelp help;
    TAddressQueryForm form(selection, kTag, book.table, book.apollo, nullptr);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    for (const char* name : {"qSetFilterButton", "qClearButton", "OkButton", "CancelButton", "HelpButton"})
        EXPECT_FALSE(Child<QPushButton>(form, name)->focusPolicy() & Qt::TabFocus) << name;
    EXPECT_TRUE(Child<QPushButton>(form, "OkButton")->isDefault());

    // Tab runs through the fields in expression order, then the two check boxes.
    Child<QLineEdit>(form, "qLName")->setFocus();
    QStringList visited;
    for (int i = 0; i < 19; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited.mid(0, 3),
              (QStringList{QStringLiteral("qFName"), QStringLiteral("qTitle"), QStringLiteral("qOrg")}));
    EXPECT_EQ(visited.mid(16),
              (QStringList{QStringLiteral("qCodes"), QStringLiteral("qTagged"), QStringLiteral("qReverse")}));

    // The date hint shows only while the date field has the focus.
    auto* hint = Child<QLabel>(form, "DateHint");
    EXPECT_FALSE(hint->isVisible());
    Child<QLineEdit>(form, "qDate")->setFocus();
    EXPECT_TRUE(hint->isVisible());
    Child<QLineEdit>(form, "qCodes")->setFocus();
    EXPECT_FALSE(hint->isVisible());
    EXPECT_TRUE(Child<QLineEdit>(form, "qDate")
                    ->toolTip()
                    .startsWith(QStringLiteral("Note: enter dates in the form: YYYYMMDD")));

    Child<QPushButton>(form, "HelpButton")->click();
    EXPECT_EQ(help.requests, QStringList{QStringLiteral("topic 1033")});
}

TEST_F(QueryFormTest, FieldsTakeThePlacesOfTheMainWindowEdits)
{
    QWidget main;
    auto* toolbar = new QWidget(&main);
    toolbar->setGeometry(0, 0, 600, 40);
    auto* panel = new QWidget(&main);
    panel->setGeometry(0, 40, 600, 400);
    auto* last = new QLineEdit(panel);
    last->setGeometry(120, 30, 170, 21);
    auto* lastLabel = new QLabel(QStringLiteral("&Last name"), panel);
    lastLabel->setBuddy(last);
    lastLabel->setGeometry(20, 32, 90, 17);
    // State and zip share a row, as on the record card, each label just wide enough for the card's caption.
    RecordCardControls card{panel, {}, nullptr};
    card.edits[static_cast<std::size_t>(QueryField::LName)] = last;
    const auto captioned = [panel, &card](QueryField field, const QRect& place, const QString& caption) {
        auto* edit = new QLineEdit(panel);
        card.edits[static_cast<std::size_t>(field)] = edit;
        edit->setGeometry(place);
        auto* label = new QLabel(caption, panel);
        label->setBuddy(edit);
        label->adjustSize();
        label->move(place.x() - 8 - label->width(), place.y() + 2);
    };
    captioned(QueryField::State, QRect(120, 240, 100, 21), QStringLiteral("&State"));
    captioned(QueryField::Zip, QRect(260, 240, 90, 21), QStringLiteral("&Zip"));
    auto* date = new QLineEdit(panel); // captioned by a button, not a label
    date->setGeometry(400, 270, 100, 21);
    card.edits[static_cast<std::size_t>(QueryField::Date)] = date;
    auto* tagged = new QCheckBox(QStringLiteral("Tagged"), panel);
    tagged->setGeometry(400, 300, 70, 20);
    card.tagged = tagged;

    TAddressQueryForm form(selection, kTag, book.table, book.apollo, &main, card);
    EXPECT_EQ(Child<QLineEdit>(form, "qLName")->geometry(), QRect(120, 30, 170, 21));
    auto* label = Child<QLabel>(form, "qLNameLabel");
    EXPECT_EQ(label->geometry(), QRect(20, 32, 90, 17));
    // The caption is the form's own, which names what the pattern is compared with.
    EXPECT_EQ(label->text(), QStringLiteral("Last"));
    // A caption too long for the window's label grows into free room on its left, else gives
    // way to the window's own caption: it is never cut.
    for (const auto& [name, caption] : {std::pair{"qStateLabel", "State or Prov"}, std::pair{"qZipLabel", "Zip"}}) {
        auto* shown = Child<QLabel>(form, name);
        EXPECT_EQ(shown->text(), QLatin1StringView(caption));
        EXPECT_LE(shown->fontMetrics().horizontalAdvance(shown->text()), shown->width()) << name;
    }
    EXPECT_LT(Child<QLineEdit>(form, "qState")->geometry().right(), Child<QLabel>(form, "qZipLabel")->x());
    auto* dateLabel = Child<QLabel>(form, "qDateLabel");
    EXPECT_EQ(dateLabel->text(), QStringLiteral("Date"));
    EXPECT_EQ(dateLabel->geometry().right() < 400, true);
    EXPECT_EQ(dateLabel->geometry().top(), 270);
    // Fields the window does not have keep a place of their own on the form.
    EXPECT_TRUE(Child<QLineEdit>(form, "qCodes")->isVisibleTo(&form));
    EXPECT_EQ(Child<QCheckBox>(form, "qTagged")->geometry(), QRect(400, 300, 70, 20));
    EXPECT_EQ(Child<QCheckBox>(form, "qReverse")->pos(), QPoint(480, 300));
}

} // namespace
