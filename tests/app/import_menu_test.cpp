// File, Import in the main window: the submenu sits before Preferences, and a text
// import run from it leaves the window on the reopened file with its records.
#include "app/bkmain.h"
#include "exchange/importcommands.h"
#include "exchange/tasciiimport.h"
#include "exchange/tasciimatch.h"
#include "support/scripted_messages.h"
#include "support/temp_program_dir.h"

#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(MainWindowImport, ATextImportFromTheFileMenuEndsOnTheReopenedFile)
{
    TempProgramDirectory dir;
    ScriptedMessages boxes;
    TAddressMain window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_TRUE(window.Session().FileOpen());

    QList<QAction*> items = window.File1->actions();
    items.removeIf([](QAction* action) { return !action->isVisible(); });
    const qsizetype preferences = items.indexOf(window.Prefences1);
    ASSERT_GT(preferences, 2);
    EXPECT_EQ(items[preferences - 3]->text(), "&Import");
    EXPECT_EQ(items[preferences - 2]->text(), "&Export ");
    auto* commands = window.findChild<ImportCommands*>();
    ASSERT_NE(commands, nullptr);
    EXPECT_TRUE(commands->mnuImportASCII->isEnabled());

    const QString csv = dir.File("people.csv");
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Last Name,First Name,City\nAbel,Ann,Oslo\nBaker,Bo,Rome\nCole,Cy,Lima\n");
    file.close();
    commands->ShowDialog = [&](QDialog& shown) {
        auto& dialog = static_cast<TAsciiImport&>(shown);
        dialog.OpenDialog1 = [&](const QString&) { return csv; };
        dialog.SelectButtonClick();
        dialog.ShowMatch = [](TAsciiMatch&) { return QDialog::Accepted; };
        dialog.MatchButton->click();
        dialog.ImportButton->click();
    };
    commands->mnuImportASCII->trigger();
    EXPECT_EQ(boxes.Texts(), QStringList({"Import complete. Imported 3 records."}));
    ASSERT_TRUE(window.Session().FileOpen());
    EXPECT_TRUE(window.IndexValid);
    EXPECT_EQ(window.Session().CurrentOrderName, "LNAME");
    EXPECT_EQ(window.Session().MatchCount(), 3);
    EXPECT_EQ(window.Session().TableBook.FieldByName("LNAME").AsString(), "Abel");
}

} // namespace
