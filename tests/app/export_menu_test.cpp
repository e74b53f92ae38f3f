// "&Export " in the main window's File menu, copying what the window's filter selects in
// its current order, and leaving the window on its record and order.
#include "records_window_support.h"

#include "exchange/exportcommand.h"
#include "exchange/tcopyout.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

namespace {

class ExportMenuTest : public RecordWindowTest {};

TEST_F(ExportMenuTest, CopiesTheFilterMatchesInTheWindowsOrderAndKeepsItsRecord)
{
    StartWith({Person("Adams", "Zoe", "CITY=Boston"), Person("Brown", "Al", "CITY=Denver"),
               Person("Clark", "Max", "CITY=Boston"), Person("Dunn", "Bea", "CITY=Boston")});
    auto* item = window->findChild<QAction*>("CopyRecordsOutMnu");
    ASSERT_NE(item, nullptr);
    QList<QAction*> file = window->File1->actions();
    file.removeIf([](QAction* action) { return !action->isVisible(); });
    EXPECT_EQ(file.indexOf(item) + 2, file.indexOf(window->Prefences1));
    window->SetOrderTo("FIRST NAME");
    window->Session().Select.values[QueryField::City] = "Boston";
    window->Session().ApplyFilter();
    window->RecordLastClick();
    const QString last = Field("LNAME");
    const QString target = dir.File("boston.txt");

    WhenModalOpens([&](QWidget* modal) {
        auto* dialog = qobject_cast<TCopyOut*>(modal);
        dialog->ToAscii->setChecked(true);
        dialog->SaveDialog = [&](const QString&, const QString&, const QString&, const QString&) { return target; };
        dialog->SaveAsButton->click();
    });
    item->trigger();

    EXPECT_TRUE(ModalWasHandled());
    QFile copy(target);
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = copy.readAll().split('\n');
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[0].contains("\"Bea\",\"\",\"Dunn\""));
    EXPECT_TRUE(lines[1].contains("\"Max\",\"\",\"Clark\""));
    EXPECT_TRUE(lines[2].contains("\"Zoe\",\"\",\"Adams\""));
    EXPECT_EQ(Field("LNAME"), last);
    EXPECT_EQ(window->Session().TableBook.IndexName(), "FNAME");
    EXPECT_EQ(messages.Texts(), QStringList({"Copied 3 records to " + target}));
}

} // namespace
