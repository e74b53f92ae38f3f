#include "records_window_support.h"

#include "support/file_size_limit.h"

#include "app/recordcard.h"
#include "platform/busy.h"
#include "select/queryvalues.h"
#include "table/dbcheckbox.h"
#include "table/dbedit.h"
#include "table/opentablefile.h"

#include <QAbstractButton>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>

namespace {
const std::vector<RecordValues> Three{Person("Adams", "Ann"), Person("Baker", "Bob"), Person("Clark", "Cy")};
}

TEST_F(RecordWindowTest, EditingShowsSaveAndCancelAndHidesTheWayOut)
{
    StartWith(Three);
    EXPECT_EQ(window->windowTitle(), "Addrina - TEST.DBF");
    EXPECT_TRUE(Shown("AddButton"));
    EXPECT_FALSE(Shown("SaveButton"));
    EXPECT_EQ(Button("AddButton")->toolTip(), "Click to add a new record");

    Button("EditButton")->click();
    EXPECT_EQ(window->Session().TableBook.State(), TDataSetState::Edit);
    EXPECT_TRUE(Shown("SaveButton"));
    EXPECT_TRUE(Button("CancelButton")->isEnabled());
    EXPECT_FALSE(Shown("AddButton"));
    EXPECT_FALSE(Shown("RecordNext"));
    EXPECT_FALSE(Shown("Exitbutton"));
    EXPECT_FALSE(window->File1->menuAction()->isEnabled());
    EXPECT_FALSE(window->Record1->menuAction()->isEnabled());
    // The focus lands in the record, ready for typing.
    EXPECT_TRUE(window->RecordCard->IsRecordEdit(QApplication::focusWidget()));

    Type("Street", "1 Main St");
    Button("SaveButton")->click();
    EXPECT_EQ(window->Session().TableBook.State(), TDataSetState::Browse);
    EXPECT_EQ(Field("STREET"), "1 Main St");
    EXPECT_EQ(Field("LNAME"), "Adams");
}

TEST_F(RecordWindowTest, DoubleClickEditsAndMiddleInitialIsACapital)
{
    StartWith(Three);
    QTest::mouseDClick(Edit("Date"), Qt::LeftButton);
    EXPECT_EQ(window->Session().TableBook.State(), TDataSetState::Browse);
    QTest::mouseDClick(Edit("City"), Qt::LeftButton);
    ASSERT_EQ(window->Session().TableBook.State(), TDataSetState::Edit);
    Type("Middle", "q");
    EXPECT_EQ(Edit("Middle")->text(), "Q");
    EXPECT_EQ(Field("MIDDLE"), "Q");
    // Enter moves on instead of being typed.
    Key(Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), Edit("Prefix"));
}

TEST_F(RecordWindowTest, MovingBeepsAtEitherEndAndStays)
{
    StartWith(Three);
    Button("RecordPrev")->click();
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(Field("LNAME"), "Adams");
    Key(Qt::Key_PageDown);
    EXPECT_EQ(Field("LNAME"), "Baker");
    Key(Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(Field("LNAME"), "Clark");
    Button("RecordNext")->click();
    EXPECT_EQ(beeps, 2);
    EXPECT_EQ(Field("LNAME"), "Clark");
    Key(Qt::Key_PageUp);
    EXPECT_EQ(Field("LNAME"), "Baker");
    Key(Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(Field("LNAME"), "Adams");
}

TEST_F(RecordWindowTest, PageUpIsIgnoredAndPageDownAsksToSaveWhileEditing)
{
    StartWith(Three);
    Button("EditButton")->click();
    Type("City", "Troy");
    Key(Qt::Key_PageUp);
    EXPECT_EQ(window->Session().TableBook.State(), TDataSetState::Edit);
    EXPECT_TRUE(messages.Boxes().isEmpty());

    messages.AnswerNo();
    Key(Qt::Key_PageDown);
    ASSERT_EQ(messages.Boxes().size(), 1);
    EXPECT_EQ(messages.Boxes()[0].text, "Save changes?");
    EXPECT_EQ(messages.Boxes()[0].caption, "Save");
    EXPECT_EQ(window->Session().TableBook.State(), TDataSetState::Edit);

    messages.AnswerYes();
    Key(Qt::Key_PageDown);
    EXPECT_EQ(window->Session().TableBook.State(), TDataSetState::Browse);
    EXPECT_EQ(Field("CITY"), "Troy");
    EXPECT_EQ(Field("LNAME"), "Adams");
}

TEST_F(RecordWindowTest, EscapeAsksBeforeThrowingAnEditAway)
{
    StartWith(Three);
    Button("EditButton")->click();
    Type("City", "Troy");
    messages.AnswerNo().AnswerYes();
    Key(Qt::Key_Escape);
    EXPECT_EQ(window->Session().TableBook.State(), TDataSetState::Edit);
    Key(Qt::Key_Escape);
    EXPECT_EQ(messages.Boxes().last().text, "Cancel changes?");
    EXPECT_EQ(messages.Boxes().last().caption, "Cancel");
    EXPECT_EQ(window->Session().TableBook.State(), TDataSetState::Browse);
    EXPECT_EQ(Field("CITY"), "");
}

TEST_F(RecordWindowTest, CtrlEnterSavesAndAltEnterOffersAnother)
{
    StartWith(Three);
    Button("EditButton")->click();
    Type("City", "Troy");
    Key(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(window->Session().TableBook.State(), TDataSetState::Browse);
    EXPECT_EQ(Field("CITY"), "Troy");

    Button("EditButton")->click();
    Type("City", "Rome");
    messages.AnswerYes();
    Key(Qt::Key_Return, Qt::AltModifier);
    ASSERT_EQ(messages.Boxes().size(), 1);
    EXPECT_EQ(messages.Boxes()[0].text, "Add another record?");
    EXPECT_EQ(window->Session().TableBook.State(), TDataSetState::Insert);
    EXPECT_EQ(QApplication::focusWidget(), Edit("Last"));
    Button("CancelButton")->click();
    EXPECT_EQ(Visible({"CITY"}).front().value("CITY"), "Rome");
}

TEST_F(RecordWindowTest, DeleteSetsBothFlagsAndStepsBack)
{
    StartWith(Three);
    Button("RecordNext")->click();
    Button("RecordNext")->click();
    messages.AnswerNo();
    Button("DeleteButton")->click();
    EXPECT_EQ(Visible({"LNAME"}).size(), 3u);
    messages.AnswerYes();
    Button("DeleteButton")->click();
    EXPECT_EQ(messages.Boxes().last().text, "Delete this record?");
    EXPECT_EQ(messages.Boxes().last().caption, "DELETE");
    EXPECT_EQ(Field("LNAME"), "Baker");
    EXPECT_EQ(Visible({"LNAME"}).size(), 2u);
    EXPECT_TRUE(window->Session().ApolloEnv1.Deleted());
    // Still in the file, with the delete mark and ISDEL, until the indexes are rebuilt.
    EXPECT_EQ(window->Session().Apollo1.RecCount(), 3);
    window->Session().ApolloEnv1.SetDeleted(false);
    window->Session().Apollo1.Query("");
    window->Session().Apollo1.Go(3);
    EXPECT_TRUE(window->Session().TableBook.FieldByName("ISDEL").AsBoolean());
    window->Session().ApolloEnv1.SetDeleted(true);
}

TEST_F(RecordWindowTest, DeletingTheLastRecordLeavesAnEmptyBrowse)
{
    StartWith({Person("Adams", "Ann")});
    messages.AnswerYes();
    Button("DeleteButton")->click();
    EXPECT_TRUE(window->Session().TableBook.Active());
    EXPECT_FALSE(Button("EditButton")->isEnabled());
    EXPECT_FALSE(Button("DeleteButton")->isEnabled());
    EXPECT_TRUE(Button("AddButton")->isEnabled());
    EXPECT_FALSE(Shown("RecordNext"));
}

TEST_F(RecordWindowTest, ClosingDuringAnEditDiscardsIt)
{
    StartWith(Three);
    Button("EditButton")->click();
    Type("City", "Troy");
    messages.AnswerNo();
    window->close();
    ASSERT_EQ(messages.Texts(), QStringList({"Save changes?"}));
    EXPECT_FALSE(window->Session().TableBook.Active());
    window.reset();
    TTable table;
    ASSERT_TRUE(OpenTableFile(path, table));
    EXPECT_EQ(table.FieldByName("CITY").AsString(), "");
    EXPECT_TRUE(dir.SettingsText().contains("TAddressMain_Placement"));
}

// A full disk: saving says the record is kept, and closing while the disk still
// refuses says that it is lost.
TEST_F(RecordWindowTest, ADiskThatRefusesTheSaveIsReportedAndSoIsTheLossAtClosing)
{
    StartWith(Three);
    {
        FileSizeLimit full(QFileInfo(path).size());
        Button("AddButton")->click();
        Type("Last", "Doe");
        messages.Answer(IdOk).Answer(IdOk);
        Button("SaveButton")->click();
        EXPECT_EQ(window->Session().TableBook.State(), TDataSetState::Browse);
        window->close();
    }
    const QStringList texts = messages.Texts();
    ASSERT_EQ(texts.size(), 2) << qPrintable(texts.join('|'));
    EXPECT_TRUE(texts[0].startsWith("The change is kept, but ")) << qPrintable(texts[0]);
    EXPECT_TRUE(texts[1].endsWith("The changes not written before are lost.")) << qPrintable(texts[1]);
    window.reset();
    TTable table;
    ASSERT_TRUE(OpenTableFile(path, table));
    QStringList names;
    for (table.First(); !table.Eof(); table.Next())
        names << table.FieldByName("LNAME").AsString();
    EXPECT_EQ(names, (QStringList{"Adams", "Baker", "Clark"}));
}

TEST_F(RecordWindowTest, DateShowsInTheDisplayFormatOrNotAtAll)
{
    StartWith({Person("Adams", "Ann", "DATE=19970428"), Person("Baker", "Bob", "DATE=1997"),
               Person("Clark", "Cy", "DATE=19990229")});
    EXPECT_EQ(Edit("Date")->text(), "4/28/1997");
    Button("RecordNext")->click();
    EXPECT_EQ(Edit("Date")->text(), "");
    Button("RecordNext")->click();
    EXPECT_EQ(Edit("Date")->text(), "");
    EXPECT_TRUE(Edit("Date")->isReadOnly());
}

TEST_F(RecordWindowTest, LinkButtonsNeedSomethingToUse)
{
    StartWith({Person("Adams", "Ann", "EMAIL=ann@example.org;PHONE=555-0100"),
               Person("Baker", "Bob", "PHONE2=555-0199;WEBPAGE=example.org")});
    EXPECT_TRUE(Button("Mailbutton")->isEnabled());
    EXPECT_TRUE(Button("Dial1Button")->isEnabled());
    EXPECT_FALSE(Button("Dial2Button")->isEnabled());
    EXPECT_FALSE(Button("WebPageButton")->isEnabled());
    Button("RecordNext")->click();
    EXPECT_FALSE(Button("Mailbutton")->isEnabled());
    EXPECT_FALSE(Button("Dial1Button")->isEnabled());
    EXPECT_TRUE(Button("Dial2Button")->isEnabled());
    EXPECT_TRUE(Button("WebPageButton")->isEnabled());
    EXPECT_EQ(Button("Dial1Button")->text(), "Dial ");
}

TEST_F(RecordWindowTest, CalculatedFieldsOnlyWhileShown)
{
    StartWith({Person("Smith", "John", "MIDDLE=Q;PREFIX=Dr.;CITY=Troy;STATE=NY;ZIP=12180")});
    EXPECT_EQ(Field("FullName"), "");
    window->SetExtraFields(true);
    window->Session().TableBook.First();
    EXPECT_EQ(Field("FullName"), "John Q Smith");
    EXPECT_EQ(Field("FullNameWithPrefix"), "Dr. John Q Smith");
    EXPECT_EQ(Field("CityStateZip"), "Troy NY 12180");
    window->SetExtraFields(false);
    EXPECT_FALSE(window->Session().TableBook.FieldByName("CityStateZip").Visible());
}

TEST_F(RecordWindowTest, AggressiveSavingReopensAfterTheRightNumberOfSaves)
{
    for (int level : {0, 1, 2}) {
        SCOPED_TRACE(level);
        StartWith(Three, QString("[Editing]\nAggressiveSave=%1\n").arg(level));
        Button("RecordNext")->click();
        QSignalSpy closes(&window->Session().TableBook, &TTable::activeChanged);
        std::vector<int> reopenedAfter;
        for (int save = 1; save <= 6; ++save) {
            const qsizetype before = closes.size();
            Button("EditButton")->click();
            Type("Codes", QString::number(save));
            Button("SaveButton")->click();
            if (closes.size() > before)
                reopenedAfter.push_back(save);
            ASSERT_TRUE(window->Session().TableBook.Active());
            EXPECT_EQ(Field("LNAME"), "Baker");
            EXPECT_EQ(Field("CODES"), QString::number(save));
        }
        const std::vector<int> expected = level == 0   ? std::vector<int>{}
                                          : level == 1 ? std::vector<int>{5}
                                                       : std::vector<int>{1, 2, 3, 4, 5, 6};
        EXPECT_EQ(reopenedAfter, expected);
        EXPECT_TRUE(messages.Boxes().isEmpty());
        window->close();
        window.reset();
    }
}

TEST_F(RecordWindowTest, AggressiveReopenKeepsTheRecordOrderAndFilter)
{
    StartWith({Person("Adams", "Ann", "CITY=Troy;STATE=NY"), Person("Baker", "Bob", "CITY=Albany;STATE=NY"),
               Person("Clark", "Cy", "CITY=Boston;STATE=MA"), Person("Dunn", "Di", "CITY=Utica;STATE=NY")},
              "[Editing]\nAggressiveSave=1\n");
    window->SetOrderTo("City");
    window->Session().Select.values[QueryField::State] = "NY";
    window->ApplyFilter();
    window->Session().TableBook.First();
    Button("RecordNext")->click();
    ASSERT_EQ(Field("CITY"), "Troy");
    const long recNo = window->Session().Apollo1.RecNo();

    QSignalSpy opens(&window->Session().TableBook, &TTable::activeChanged);
    for (int save = 1; save <= 5; ++save) {
        Button("EditButton")->click();
        Type("Codes", QString::number(save));
        Button("SaveButton")->click();
    }
    ASSERT_EQ(opens.size(), 2); // closed and opened again, once
    EXPECT_EQ(window->Session().Apollo1.RecNo(), recNo);
    EXPECT_EQ(window->Session().CurrentOrderName, "CITY");
    EXPECT_EQ(window->Session().Apollo1.IndexOrd(), window->Session().Apollo1.TagArea("CITY"));
    EXPECT_TRUE(window->FilterIsSet());
    EXPECT_EQ(window->Session().Apollo1.QueryRecCount(), 3);
    EXPECT_EQ(Visible({"CITY"}).size(), 3u);
    EXPECT_EQ(Visible({"CITY"}).front().value("CITY"), "Albany");
}

TEST_F(RecordWindowTest, DeletingTheOnlyMatchDropsTheFilter)
{
    StartWith(
        {Person("Adams", "Ann", "STATE=NY"), Person("Baker", "Bob", "STATE=ON"), Person("Clark", "Cy", "STATE=NY")});
    window->Session().Select.values[QueryField::State] = "ON";
    ASSERT_EQ(window->ApplyFilter(), 1);
    window->SetButtons();
    EXPECT_EQ(window->FilterStatus->text(), "1 filter matches");
    messages.AnswerYes();
    Button("DeleteButton")->click();
    EXPECT_FALSE(window->FilterIsSet());
    EXPECT_EQ(Visible({"LNAME"}).size(), 2u);
    EXPECT_EQ(window->FilterStatus->text(), "2 records (no filter)");
    EXPECT_TRUE(Button("EditButton")->isEnabled());
}

TEST_F(RecordWindowTest, WhatWasSavedIsThereAfterARestartAndWhatWasDeletedIsNot)
{
    StartWith({Person("Adams", "Ann")});
    for (const char* last : {"Young", "Zeller"}) {
        Button("AddButton")->click();
        Type("Last", last);
        Type("City", "Troy");
        Key(Qt::Key_Return, Qt::ControlModifier);
    }
    EXPECT_EQ(Field("LNAME"), "Zeller");
    messages.AnswerYes();
    Button("DeleteButton")->click();
    EXPECT_EQ(Field("LNAME"), "Young");
    window->setGeometry(40, 50, 700, 520);
    window->close();
    window.reset();

    window = std::make_unique<TAddressMain>();
    window->show();
    ASSERT_TRUE(QTest::qWaitFor([this] { return window->Session().TableBook.Active(); }, 5000));
    const auto rows = Visible({"LNAME", "CITY"});
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].value("LNAME"), "Adams");
    EXPECT_EQ(rows[1].value("LNAME"), "Young");
    EXPECT_EQ(rows[1].value("CITY"), "Troy");
    EXPECT_EQ(window->geometry(), QRect(40, 50, 700, 520));
}

TEST_F(RecordWindowTest, TaggedShowsWhetherTheRecordCarriesTheCurrentTag)
{
    StartWith({Person("Adams", "Ann"), Person("Baker", "Bob")});
    window->Session().TableBook.Edit();
    window->Session().TableBook.FieldByName("TAG").SetAsString(window->Session().GlobalTagId);
    window->Session().TableBook.Post();
    auto* tagged = window->findChild<QAbstractButton*>("Tagged");
    EXPECT_TRUE(tagged->isChecked());
    Button("RecordNext")->click();
    EXPECT_FALSE(tagged->isChecked());
}

TEST_F(RecordWindowTest, AFileThatCannotBeReopenedIsReportedAsPossiblyLostData)
{
    StartWith(Three, "[Editing]\nAggressiveSave=2\n");
    Button("EditButton")->click();
    Type("City", "Troy");
    // The file disappears from under the program; the reopen must fail.
    ASSERT_TRUE(QFile::rename(path, path + ".moved"));
    Button("SaveButton")->click();
    EXPECT_FALSE(window->Session().TableBook.Active());
    // One message, not two for each of the attempts: it names the file and the reason.
    ASSERT_EQ(messages.Boxes().size(), 1) << qPrintable(messages.Texts().join('|'));
    EXPECT_TRUE(messages.Boxes().last().text.contains("File " + path + " not found\r\n"));
    EXPECT_TRUE(messages.Boxes().last().text.endsWith(" * May be in use by another program or user"));
    EXPECT_TRUE(messages.Boxes().last().text.startsWith(
        "An error has occurred which may have resulted in lost data.\r\nPlease close and restart the program"));
    EXPECT_TRUE(window->Session().LastOpenedFile.isEmpty());
    EXPECT_FALSE(window->Session().TableBook.ControlsDisabled());
    EXPECT_EQ(BusyDepth(), 0);
    EXPECT_FALSE(Button("AddButton")->isEnabled());
    // The save itself reached the disk before the file was closed.
    TTable table;
    ASSERT_TRUE(OpenTableFile(path + ".moved", table));
    EXPECT_EQ(table.FieldByName("CITY").AsString(), "Troy");
}

TEST_F(RecordWindowTest, TypingReplacesUntilInsertIsPressed)
{
    StartWith(Three);
    auto* mode = window->findChild<QLabel*>("TypingMode");
    EXPECT_EQ(mode->text(), "OVR");
    Button("EditButton")->click();
    Edit("Last")->setFocus();
    Edit("Last")->setCursorPosition(0);
    QTest::keyClicks(Edit("Last"), "E");
    EXPECT_EQ(Field("LNAME"), "Edams");
    // The caret stays where the typing left it.
    EXPECT_EQ(Edit("Last")->cursorPosition(), 1);
    QTest::keyClick(Edit("Last"), Qt::Key_Insert);
    EXPECT_EQ(mode->text(), "INS");
    QTest::keyClicks(Edit("Last"), "x");
    EXPECT_EQ(Field("LNAME"), "Exdams");
    Button("CancelButton")->click();
    EXPECT_EQ(Field("LNAME"), "Adams");
}

TEST_F(RecordWindowTest, CtrlArrowsMoveEvenFromARecordEdit)
{
    StartWith(Three);
    Edit("City")->setFocus();
    QTest::keyClick(Edit("City"), Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(Field("LNAME"), "Clark");
    QTest::keyClick(Edit("City"), Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(Field("LNAME"), "Baker");
    QTest::keyClick(Edit("City"), Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(Field("LNAME"), "Clark");
    QTest::keyClick(Edit("City"), Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(Field("LNAME"), "Adams");
    // While editing they move the caret word by word instead.
    Button("EditButton")->click();
    Type("City", "New York");
    QTest::keyClick(Edit("City"), Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(Edit("City")->cursorPosition(), 4);
    EXPECT_EQ(window->Session().TableBook.State(), TDataSetState::Edit);
    Button("CancelButton")->click();
}

TEST_F(RecordWindowTest, ADeletedRecordLeavesTheViewForTheNextOrThePrevious)
{
    StartWith({Person("Adams", "Ann"), Person("Baker", "Bob"), Person("Clark", "Cy"), Person("Dunn", "Di")});
    messages.AnswerYes().AnswerYes().AnswerYes();
    Button("DeleteButton")->click();
    EXPECT_EQ(Field("LNAME"), "Baker");
    EXPECT_EQ(Edit("Last")->text(), "Baker");
    EXPECT_TRUE(Button("EditButton")->isEnabled());
    Button("RecordNext")->click();
    Button("DeleteButton")->click();
    EXPECT_EQ(Edit("Last")->text(), "Dunn");
    // At the end, the one before takes its place.
    Button("DeleteButton")->click();
    EXPECT_EQ(Edit("Last")->text(), "Baker");
    EXPECT_EQ(Visible({"LNAME"}).size(), 1u);
    EXPECT_EQ(window->FilterStatus->text(), "1 record (no filter)");
}

TEST_F(RecordWindowTest, ClosingAfterTypingAsksWhetherToSaveAndCancelKeepsEditing)
{
    StartWith(Three);
    Button("EditButton")->click();
    Type("City", "Troy");
    messages.Answer(IdCancel);
    window->close();
    ASSERT_EQ(messages.Boxes().size(), 1);
    EXPECT_EQ(messages.Boxes()[0].text, "Save changes?");
    EXPECT_EQ(messages.Boxes()[0].flags & 0xF, MbYesNoCancel);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->Session().TableBook.State(), TDataSetState::Edit);
    EXPECT_EQ(Edit("City")->text(), "Troy");

    messages.AnswerYes();
    window->close();
    EXPECT_FALSE(window->Session().TableBook.Active());
    window.reset();
    TTable table;
    ASSERT_TRUE(OpenTableFile(path, table));
    EXPECT_EQ(table.FieldByName("CITY").AsString(), "Troy");
}

TEST_F(RecordWindowTest, ClosingAnUntouchedEditAsksNothing)
{
    StartWith(Three);
    Button("EditButton")->click();
    window->close();
    EXPECT_TRUE(messages.Boxes().isEmpty());
    EXPECT_FALSE(window->Session().TableBook.Active());
}

TEST_F(RecordWindowTest, ACharacterTheFileCannotStoreIsRefusedWithANoteNamingTheField)
{
    StartWith(Three);
    Button("EditButton")->click();
    Type("First", "Ann");
    // An emoji arrives as one key carrying both halves of its character.
    QKeyEvent emoji(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8("😀"));
    QApplication::sendEvent(Edit("First"), &emoji);
    EXPECT_EQ(Edit("First")->text(), "Ann");
    EXPECT_EQ(Field("FNAME"), "Ann");
    EXPECT_EQ(window->statusBar()->currentMessage(), "First Name can hold only Western European characters");
    EXPECT_GE(beeps, 1);
    Button("SaveButton")->click();
    EXPECT_TRUE(messages.Boxes().isEmpty()) << qPrintable(messages.Texts().join('|'));
    EXPECT_EQ(Field("FNAME"), "Ann");
}

TEST_F(RecordWindowTest, FieldsShowTheirUsualContentsFromTheStartAndTheCardUsesALargerWindow)
{
    const QString longPage = "https://www.example.com/people/with/a/rather/long/path/to/their/page";
    StartWith({Person("Adams", "Ann",
                      "EMAIL=ann.adams@example.com;WEBPAGE=https://www.example.org;STATE=Ontario;"
                      "CITY=Kingston upon Thames;ZIP=KT1 2AB;PHONE=+44 20 7946 0000"),
               Person("Baker", "Bob", "WEBPAGE=" + longPage)});
    window->resize(760, 560);
    QApplication::processEvents();
    for (const char* name : {"Email", "WebPage", "State", "City", "Zip", "Phone"}) {
        TDBEdit* edit = Edit(name);
        EXPECT_GE(edit->width(), edit->fontMetrics().horizontalAdvance(edit->text()) + 8)
            << name << ": " << qPrintable(edit->text()) << " in " << edit->width();
    }
    // A value longer than its edit shows its beginning while the record is browsed.
    Button("RecordNext")->click();
    EXPECT_EQ(Edit("WebPage")->text(), longPage);
    EXPECT_EQ(Edit("WebPage")->cursorPosition(), 0);

    // In a larger window the record spreads out: no third of the window lies empty below it.
    for (const QSize size : {QSize(760, 560), QSize(1400, 1000)}) {
        window->resize(size);
        QApplication::processEvents();
        const int panelHeight = window->RecordPanel->height();
        const int below =
            panelHeight - Edit("Comments")->mapTo(window->RecordPanel, QPoint(0, Edit("Comments")->height())).y();
        EXPECT_LT(below, panelHeight / 4) << size.width() << "x" << size.height();
        EXPECT_GT(Edit("Email")->width(), 0);
    }
}
