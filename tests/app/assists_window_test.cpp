#include "records_window_support.h"

#include "app/datesel.h"
#include "app/getflzip.h"
#include "app/recordcard.h"
#include "platform/busy.h"
#include "table/dbedit.h"
#include "table/opentablefile.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

namespace {
// Fills the "New Record" dialog and presses its Ok.
void AnswerNewRecord(const QString& last, const QString& first, const QString& zip)
{
    WhenModalOpens([=](QWidget* d) {
        auto set = [d](const char* name, const QString& text) {
            if (auto* e = d->findChild<QLineEdit*>(name); e && e->isVisibleTo(d))
                e->setText(text);
        };
        set("LastName", last);
        set("FirstName", first);
        set("ZipCode", zip);
        d->findChild<QAbstractButton*>("OkButton")->click();
    });
}
} // namespace

TEST_F(RecordWindowTest, ZipLookupMatchesByPrefixAndInCapitals)
{
    StartWith({Person("Clark", "Cy", "ZIP=12345-6789;CITY=Troy;STATE=NY"),
               Person("Dunn", "Di", "ZIP=K1A 0B1;CITY=Ottawa;STATE=ON")});
    window->Preferences.PlugCityState = true;
    const int lnameOrder = window->Session().Apollo1.IndexOrd();

    AnswerNewRecord({}, {}, "12345");
    Button("AddButton")->click();
    ASSERT_EQ(window->Session().TableBook.State(), TDataSetState::Insert);
    EXPECT_EQ(Field("ZIP"), "12345");
    EXPECT_EQ(Field("CITY"), "Troy");
    EXPECT_EQ(Field("STATE"), "NY");
    Button("CancelButton")->click();
    // The lookup put back the order and the record it started from.
    EXPECT_EQ(window->Session().Apollo1.IndexOrd(), lnameOrder);
    EXPECT_EQ(Field("LNAME"), "Clark");

    AnswerNewRecord({}, {}, "k1a 0b1");
    Button("AddButton")->click();
    EXPECT_EQ(Field("CITY"), "Ottawa");
    EXPECT_EQ(Field("STATE"), "ON");
    Button("CancelButton")->click();
}

TEST_F(RecordWindowTest, UnknownZipLeavesCityAndStateToTheCarryRules)
{
    StartWith({Person("Clark", "Cy", "ZIP=12180;CITY=Troy;STATE=NY")});
    window->Preferences.PlugCityState = true;
    window->Preferences.CarryCity = true;
    AnswerNewRecord({}, {}, "99999");
    Button("AddButton")->click();
    EXPECT_EQ(Field("ZIP"), "99999");
    EXPECT_EQ(Field("CITY"), "Troy");
    EXPECT_EQ(Field("STATE"), "");
    Button("CancelButton")->click();
}

TEST_F(RecordWindowTest, CancellingTheNewRecordDialogChangesNothing)
{
    StartWith({Person("Adams", "Ann"), Person("Baker", "Bob")});
    window->Preferences.AutoDupCheck = true;
    Button("RecordNext")->click();
    WhenModalOpens([](QWidget* d) { d->findChild<QAbstractButton*>("CancelButton")->click(); });
    Button("AddButton")->click();
    EXPECT_EQ(window->Session().TableBook.State(), TDataSetState::Browse);
    EXPECT_EQ(Field("LNAME"), "Baker");
    EXPECT_EQ(Visible({"LNAME"}).size(), 2u);
}

TEST_F(RecordWindowTest, DuplicateNamesAreExactButIgnoreCase)
{
    StartWith({Person("Smith", "Jon"), Person("Smith-Jones", "John"), Person("Adams", "Ann")});
    window->Preferences.AutoDupCheck = true;
    Button("RecordLast")->click();

    // Near misses are not duplicates.
    AnswerNewRecord("Smith", "John", {});
    Button("AddButton")->click();
    EXPECT_TRUE(messages.Boxes().isEmpty());
    ASSERT_EQ(window->Session().TableBook.State(), TDataSetState::Insert);
    EXPECT_EQ(Field("LNAME"), "Smith");
    EXPECT_EQ(Field("FNAME"), "John");
    Type("Street", "1 Main St");
    Button("SaveButton")->click();

    // Now JOHN SMITH is there: the same names in other letters are a duplicate. No stays on it.
    Button("RecordFirst")->click();
    messages.AnswerNo();
    AnswerNewRecord("SMITH", "john", {});
    Button("AddButton")->click();
    ASSERT_EQ(messages.Boxes().size(), 1);
    EXPECT_EQ(messages.Boxes()[0].caption, "Possible Duplicate");
    EXPECT_EQ(messages.Boxes()[0].text,
              "Possible duplicate: \r\n\r\nJohn Smith\r\n1 Main St\r\n, \r\n\r\nContinue adding?");
    EXPECT_TRUE(messages.Boxes()[0].flags & MbDefButton2);
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(window->Session().TableBook.State(), TDataSetState::Browse);
    EXPECT_EQ(Field("STREET"), "1 Main St");

    // Yes goes on adding from where the user was.
    Button("RecordFirst")->click();
    messages.AnswerYes();
    AnswerNewRecord("Smith", "John", {});
    Button("AddButton")->click();
    EXPECT_EQ(window->Session().TableBook.State(), TDataSetState::Insert);
    Button("CancelButton")->click();
    EXPECT_EQ(Field("LNAME"), "Adams");

    // Without both names nothing is searched.
    messages.Clear();
    AnswerNewRecord("Smith", "", {});
    Button("AddButton")->click();
    EXPECT_TRUE(messages.Boxes().isEmpty());
    EXPECT_EQ(window->Session().TableBook.State(), TDataSetState::Insert);
    Button("CancelButton")->click();
}

TEST_F(RecordWindowTest, CarriedFieldsAndTheDefaultCountry)
{
    StartWith({Person("Adams", "Ann", "COUNTRY=Canada;ORG=Acme;STREET=1 Main St;CITY=Troy;ZIP=12180"),
               Person("Baker", "Bob")});
    AddingPreferences& p = window->Preferences;
    p.DefaultCountry = "USA";
    Button("AddButton")->click();
    EXPECT_EQ(Field("COUNTRY"), "USA");
    EXPECT_EQ(Field("ORG"), "");
    Button("CancelButton")->click();

    p.CarryCountry = p.CarryOrg = p.CarrySA1 = p.CarryZip = p.CarryCity = true;
    Button("AddButton")->click();
    EXPECT_EQ(Field("COUNTRY"), "Canada");
    EXPECT_EQ(Field("ORG"), "Acme");
    EXPECT_EQ(Field("STREET"), "1 Main St");
    EXPECT_EQ(Field("CITY"), "Troy");
    EXPECT_EQ(Field("ZIP"), "12180");
    Button("CancelButton")->click();

    // The previous record had no country: the default steps in.
    Button("RecordNext")->click();
    Button("AddButton")->click();
    EXPECT_EQ(Field("COUNTRY"), "USA");
    Button("CancelButton")->click();
}

TEST_F(RecordWindowTest, FocusGoesToTheFirstEditThatNeedsTypingAndSkipsLastUntilSaved)
{
    StartWith({Person("Adams", "Ann")});
    AddingPreferences& p = window->Preferences;
    Button("AddButton")->click();
    EXPECT_EQ(window->focusWidget(), Edit("Last"));
    Button("CancelButton")->click();

    p.AutoDupCheck = true;
    p.SkipMiddleInitial = p.SkipPrefix = true;
    p.SkipZip = true;
    AnswerNewRecord("Baker", "Bob", {});
    Button("AddButton")->click();
    EXPECT_EQ(window->focusWidget(), Edit("Title"));
    // Offscreen, the window is not made active again when the dialog closes.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_EQ(Edit("Zip")->focusPolicy() & Qt::TabFocus, 0);
    EXPECT_NE(Edit("Street")->focusPolicy() & Qt::TabFocus, 0);
    // Tabbing from City passes over the skipped zip.
    Edit("City")->setFocus();
    Key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Edit("State"));
    Key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Edit("Country"));
    Button("SaveButton")->click();
    EXPECT_NE(Edit("Zip")->focusPolicy() & Qt::TabFocus, 0);

    // An existing record is never skipped through.
    Button("EditButton")->click();
    EXPECT_NE(Edit("Zip")->focusPolicy() & Qt::TabFocus, 0);
    Button("CancelButton")->click();
}

TEST_F(RecordWindowTest, CloneCopiesTheDateEvenWithTodaysDateOn)
{
    StartWith({Person("Adams", "Ann", "DATE=19970428;CODES=VIP")});
    window->Preferences.PlugDate = true;
    window->Session().TableBook.Edit();
    window->Session().TableBook.FieldByName("TAG").SetAsString(window->Session().GlobalTagId);
    window->Session().TableBook.Post();
    EXPECT_TRUE(window->Session().TableBook.FieldByName("Tagged").AsBoolean());

    messages.AnswerYes();
    window->findChild<QAction*>("mnuClone")->trigger();
    EXPECT_EQ(messages.Texts(),
              QStringList({"Clone this record?", "Clone completed. Current record is an exact copy"}));
    EXPECT_EQ(window->Session().Apollo1.RecNo(), 2);
    EXPECT_EQ(Field("DATE"), "19970428");
    EXPECT_EQ(Field("CODES"), "VIP");
    EXPECT_FALSE(window->Session().TableBook.FieldByName("Tagged").AsBoolean());
    EXPECT_EQ(Edit("Last")->text(), "Adams");
    EXPECT_TRUE(window->EventsActive);
    EXPECT_EQ(Visible({"LNAME"}).size(), 2u);
}

TEST_F(RecordWindowTest, AFailedCloneLeavesTheWindowWorking)
{
    StartWith({Person("Adams", "Ann")});
    window->Session().TableBook.Close();
    window->Session().TableBook.SetReadOnly(true);
    ASSERT_TRUE(OpenTableFile(path, window->Session().TableBook));
    window->SetButtons();

    messages.AnswerYes();
    window->findChild<QAction*>("mnuClone")->trigger();
    ASSERT_EQ(messages.Boxes().size(), 2);
    EXPECT_NE(messages.Boxes()[1].text, "Clone completed. Current record is an exact copy");
    EXPECT_EQ(window->Session().TableBook.State(), TDataSetState::Browse);
    EXPECT_FALSE(window->Session().TableBook.ControlsDisabled());
    EXPECT_TRUE(window->EventsActive);
    EXPECT_EQ(BusyDepth(), 0);
}

TEST_F(RecordWindowTest, DatePickerSetsOrClearsTheDateAndLeavesTheRecordInEdit)
{
    StartWith({Person("Adams", "Ann", "DATE=19970428")});
    WhenModalOpens([](QWidget* d) {
        auto* selector = qobject_cast<TDateSelector*>(d);
        ASSERT_NE(selector, nullptr);
        EXPECT_EQ(selector->SelectedDate(), QDate(1997, 4, 28));
        d->findChild<QAbstractButton*>("YearForwardButton")->click();
        d->findChild<QAbstractButton*>("OkButton")->click();
    });
    Button("DateLabel")->click();
    EXPECT_EQ(window->Session().TableBook.State(), TDataSetState::Edit);
    EXPECT_EQ(Field("DATE"), "19980428");
    EXPECT_EQ(Edit("Date")->text(), "4/28/1998");

    WhenModalOpens([](QWidget* d) { d->findChild<QAbstractButton*>("NoDateButton")->click(); });
    Button("DateLabel")->click();
    EXPECT_EQ(Field("DATE"), "");

    WhenModalOpens([](QWidget* d) { d->findChild<QAbstractButton*>("CancelButton")->click(); });
    Button("CancelButton")->click();
    Button("DateLabel")->click();
    EXPECT_EQ(window->Session().TableBook.State(), TDataSetState::Browse);
    EXPECT_EQ(Field("DATE"), "19970428");
}
