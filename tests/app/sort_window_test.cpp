#include "app/addbrz.h"
#include "app/bkmain.h"
#include "app/fieldslist.h"
#include "platform/systembeep.h"
#include "session/sessionscopes.h"
#include "support/fixture_copy.h"
#include "support/modal.h"
#include "support/scripted_messages.h"
#include "support/temp_program_dir.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// The main window on a copy of the independent engine's address file.
class SortSearchBrowse : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir().mkpath(dir.Path() + "DATA");
        CopyFixtureTable("small", dir.Path() + "DATA");
        SetBeepHandler([this] { ++beeps; });
        Start();
    }

    void TearDown() override { SetBeepHandler({}); }

    // Starts the program (again) and opens the copy.
    void Start()
    {
        window.reset();
        window = std::make_unique<TAddressMain>();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        QTest::qWait(50);
        ASSERT_TRUE(window->OpenBookDBF(dir.Path() + "DATA/small.dbf"));
    }

    QStringList Checked() const
    {
        QStringList names;
        for (QAction* item : window->SortItems)
            if (item->isChecked())
                names << item->objectName();
        return names;
    }

    QString Last() const { return window->Session().TableBook.FieldByName("LNAME").AsString(); }

    // Runs the search dialog: picks the order at `order` (-1 keeps it) and types `text`.
    void Search(int order, const QString& text)
    {
        WhenModalOpens([order, text](QWidget* modal) {
            if (order >= 0)
                modal->findChild<QComboBox*>("OrderCombo")->setCurrentIndex(order);
            modal->findChild<QLineEdit*>("SearchForEdit")->setText(text);
            modal->findChild<QPushButton*>("OkButton")->click();
        });
        window->SearchButtonClick();
        ASSERT_TRUE(ModalWasHandled());
    }

    // Runs the browse window, doing `work` on it before closing it with "Ok".
    void Browse(const std::function<void(TAddressBrowseForm&)>& work)
    {
        WhenModalOpens([work](QWidget* modal) {
            auto* form = qobject_cast<TAddressBrowseForm*>(modal);
            ASSERT_TRUE(form);
            work(*form);
            form->Returnbutton->click();
        });
        window->BrowseButtonClick();
        ASSERT_TRUE(ModalWasHandled());
    }

    static QStringList Titles(const TAddressBrowseForm& form)
    {
        QStringList titles;
        const QAbstractItemModel* model = form.DBGrid->model();
        for (int v = 0; v < model->columnCount(); ++v)
            titles << model->headerData(form.DBGrid->horizontalHeader()->logicalIndex(v), Qt::Horizontal).toString();
        return titles;
    }

    QStringList ListedFields() const { return ReadFieldsList(dir.File("FIELDS.LST")).value_or(QStringList()); }

    TempProgramDirectory dir;
    ScriptedMessages boxes;
    std::unique_ptr<TAddressMain> window;
    int beeps = 0;
};

} // namespace

TEST_F(SortSearchBrowse, OpeningOrdersByLastNameWithOneCheckMark)
{
    EXPECT_EQ(window->mnuOrder->title(), "&Sort");
    ASSERT_EQ(window->SortItems.size(), 14);
    EXPECT_EQ(window->SortItems.at(10)->text(), "&E-mail");
    EXPECT_EQ(Checked(), QStringList{"mnuOrderLastName"});
    EXPECT_EQ(window->Session().TableBook.IndexName(), "LNAME");
    // Blank last names sort first, then the one with a leading blank.
    window->Session().TableBook.First();
    EXPECT_EQ(window->Session().Apollo1.RecNo(), 8);
    window->Session().TableBook.Next();
    EXPECT_EQ(Last(), " Leading");
}

TEST_F(SortSearchBrowse, EachSortItemSelectsItsTagAndMovesTheCheckMark)
{
    window->findChild<QAction*>("mnuOrderCity")->trigger();
    EXPECT_EQ(window->Session().CurrentOrderName, "CITY");
    EXPECT_EQ(window->Session().TableBook.IndexName(), "CITY");
    EXPECT_EQ(Checked(), QStringList{"mnuOrderCity"});
    window->findChild<QAction*>("mnuOrderEmail")->trigger();
    EXPECT_EQ(window->Session().TableBook.IndexName(), "EMAIL");
    EXPECT_EQ(Checked(), QStringList{"mnuOrderEmail"});
    // Ordering by last name again, as every open does.
    window->OrderByLastName();
    EXPECT_EQ(window->Session().CurrentOrderName, "LNAME");
    EXPECT_EQ(Checked(), QStringList{"mnuOrderLastName"});
}

TEST_F(SortSearchBrowse, AnOrderWhoseTagIsMissingGivesNaturalOrderWithoutAMessage)
{
    window->SetCurrentOrder("NOSUCH");
    EXPECT_EQ(window->Session().CurrentOrderName, "NOSUCH");
    EXPECT_TRUE(window->Session().TableBook.IndexName().isEmpty());
    window->Session().TableBook.First();
    EXPECT_EQ(window->Session().Apollo1.RecNo(), 1);
    // A text that names no order leaves order and check mark alone.
    window->SetOrderTo("Nickname");
    EXPECT_EQ(window->Session().CurrentOrderName, "NOSUCH");
    EXPECT_EQ(Checked(), QStringList{"mnuOrderLastName"});
    EXPECT_TRUE(boxes.Boxes().isEmpty());
}

TEST_F(SortSearchBrowse, SearchingLandsOnTheFirstMatchOrStaysPut)
{
    Search(-1, "smi");
    EXPECT_EQ(window->Session().Apollo1.RecNo(), 9);
    EXPECT_EQ(Last(), "Smith");

    window->Session().TableBook.Next();
    const long before = window->Session().Apollo1.RecNo();
    Search(-1, "zzz");
    EXPECT_EQ(window->Session().Apollo1.RecNo(), before);
    EXPECT_FALSE(window->Session().TableBook.Eof());
    EXPECT_FALSE(window->Session().ApolloEnv1.SoftSeek());
    EXPECT_TRUE(boxes.Boxes().isEmpty());
}

TEST_F(SortSearchBrowse, ChoosingCityInTheSearchSwitchesTheOrderAndTheCheckMark)
{
    Search(5, "bos");
    EXPECT_EQ(window->Session().CurrentOrderName, "CITY");
    EXPECT_EQ(Checked(), QStringList{"mnuOrderCity"});
    EXPECT_EQ(window->Session().TableBook.FieldByName("CITY").AsString().toUpper(), "BOSTON");
    // The next search offers the order now in use.
    WhenModalOpens([](QWidget* modal) {
        EXPECT_EQ(modal->findChild<QComboBox*>("OrderCombo")->currentText(), "City");
        qobject_cast<QDialog*>(modal)->reject();
    });
    window->SearchButtonClick();
    EXPECT_TRUE(ModalWasHandled());
}

TEST_F(SortSearchBrowse, AnEmptySearchChangesNeitherOrderNorPosition)
{
    window->Session().TableBook.Last();
    const long before = window->Session().Apollo1.RecNo();
    Search(5, "");
    EXPECT_EQ(window->Session().TableBook.IndexName(), "LNAME");
    EXPECT_EQ(Checked(), QStringList{"mnuOrderLastName"});
    EXPECT_EQ(window->Session().Apollo1.RecNo(), before);
}

TEST_F(SortSearchBrowse, BrowseShowsEveryColumnInOrderWithTaggedAsYesOrNo)
{
    Browse([](TAddressBrowseForm& form) {
        EXPECT_EQ(Titles(form),
                  QStringList({"Tagged",       "Last Name", "First Name", "Middle", "Prefix", "Title",
                               "Organization", "Address 1", "Address 2",  "City",   "State",  "Zip/Postal Code",
                               "Country",      "Phone 1",   "Phone 2",    "Fax",    "Email",  "Codes",
                               "Date",         "Comments",  "Web Page"}));
        const QAbstractItemModel* model = form.DBGrid->model();
        const int current = form.DBGrid->currentIndex().row();
        ASSERT_GE(current, 0);
        ASSERT_GT(model->rowCount(), 1);
        const int other = current == 0 ? 1 : 0;
        EXPECT_EQ(model->index(current, 0).data().toString(), "No");
        EXPECT_EQ(model->index(other, 0).data().toString(), "No");
        form.TagButton->click();
        EXPECT_EQ(model->index(current, 0).data().toString(), "Yes");
        EXPECT_EQ(model->index(other, 0).data().toString(), "No");
    });
}

TEST_F(SortSearchBrowse, AMovedColumnStaysMovedAcrossBrowsesAndRestarts)
{
    Browse([](TAddressBrowseForm& form) {
        const QStringList titles = Titles(form);
        const int last = static_cast<int>(titles.indexOf("Last Name"));
        const int first = static_cast<int>(titles.indexOf("First Name"));
        ASSERT_LT(last, first);
        form.DBGrid->horizontalHeader()->moveSection(last, first);
    });
    const QStringList listed = ListedFields();
    EXPECT_GT(listed.indexOf("LNAME"), listed.indexOf("FNAME"));
    EXPECT_EQ(listed.size(), window->Session().TableBook.Fields().size());

    for (int run = 0; run < 2; ++run) {
        if (run == 1)
            Start();
        Browse([](TAddressBrowseForm& form) {
            const QStringList titles = Titles(form);
            EXPECT_EQ(titles.indexOf("Last Name"), titles.indexOf("First Name") + 1);
        });
    }
    EXPECT_EQ(ListedFields(), listed);
}

TEST_F(SortSearchBrowse, AnUnknownNameInTheColumnListIsSkippedAndDropped)
{
    ASSERT_TRUE(WriteFieldsList(dir.File("FIELDS.LST"), {"NOSUCHFIELD", "city", "LNAME"}));
    Browse([](TAddressBrowseForm& form) { EXPECT_EQ(Titles(form).mid(0, 2), QStringList({"City", "Last Name"})); });
    const QStringList listed = ListedFields();
    EXPECT_FALSE(listed.contains("NOSUCHFIELD"));
    EXPECT_EQ(listed.mid(0, 2), QStringList({"CITY", "LNAME"}));
    EXPECT_EQ(listed, FieldNames(window->Session().TableBook));
}

TEST_F(SortSearchBrowse, BrowsingWhileEditingBeepsButStillTakesTheColumnList)
{
    ASSERT_TRUE(WriteFieldsList(dir.File("FIELDS.LST"), {"CITY"}));
    window->Session().TableBook.Edit();
    WhenModalOpens([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); }, 300);
    window->BrowseButtonClick();
    QTest::qWait(400);
    EXPECT_FALSE(ModalWasHandled());
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(window->Session().TableBook.Fields().front()->FieldName(), "CITY");
    window->Session().TableBook.Cancel();
}

TEST_F(SortSearchBrowse, AFileALayerClosedComesBackInTheUsersOrderWithItsCheckMarkAndLiveButtons)
{
    window->SetMenuOrder(window->findChild<QAction*>("mnuOrderZip"));
    {
        FileClosed closed(window->Session());
        EXPECT_EQ(closed.Path(), dir.Path() + "DATA/small.dbf");
        EXPECT_FALSE(window->Session().FileOpen());
    }
    AddressSession& session = window->Session();
    ASSERT_TRUE(session.FileOpen());
    EXPECT_EQ(session.CurrentOrderName, "ZIP");
    EXPECT_EQ(session.Apollo1.IndexOrd(), session.Apollo1.TagArea("ZIP"));
    EXPECT_EQ(Checked(), QStringList{"mnuOrderZip"});
    EXPECT_TRUE(window->SearchButton->isEnabled());
    EXPECT_EQ(session.Window(), window.get());
}

TEST_F(SortSearchBrowse, ALayersItemInThePrintMenuBringsTheMenuIntoSight)
{
    const MainMenus menus = window->Menus();
    EXPECT_EQ(menus.Window, window.get());
    EXPECT_EQ(menus.Print1, window->Print1);
    // The label, envelope and report commands are there from the start, so the menu is in sight.
    EXPECT_TRUE(window->Print1->menuAction()->isVisible());
    QStringList items;
    for (QAction* action : window->Print1->actions())
        if (action->isVisible())
            items << action->objectName();
    EXPECT_EQ(items, (QStringList{"LabelsMenu", "EnvelopesMenu", "ReportsMenu", "CurrentRecordMenu"}));
    menus.Print1->addAction("Print &Postcards")->setObjectName("PostcardsMenu");
    window->SetButtons();
    EXPECT_TRUE(window->Print1->menuAction()->isVisible());
    EXPECT_TRUE(window->Print1->menuAction()->isEnabled());
}
