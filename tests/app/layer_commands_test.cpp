// The layers' command objects with no main window: their items take their places in the
// menus whatever the order they are made in, and follow the session's announcements.
#include "dial/bkdial.h"
#include "dial/dialcommands.h"
#include "exchange/exportcommand.h"
#include "exchange/importcommands.h"
#include "labels/labelcommands.h"
#include "report/reportcommands.h"
#include "support/modal.h"
#include "support/scripted_messages.h"
#include "support/session_book.h"
#include "support/temp_program_dir.h"
#include "support/window_menus.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

QAction* Place(QMenu* menu)
{
    auto* place = menu->addAction(QString());
    place->setVisible(false);
    return place;
}

QStringList Shown(QMenu* menu)
{
    QStringList captions;
    for (QAction* action : menu->actions())
        if (action->isVisible())
            captions << action->text();
    return captions;
}

class LayerCommands : public ::testing::Test {
protected:
    LayerCommands() : menus(MenusFor(window))
    {
        menus.ImportPlace = Place(menus.File1);
        menus.ExportPlace = Place(menus.File1);
        menus.LabelsPlace = Place(menus.Print1);
        menus.ReportsPlace = Place(menus.Print1);
        menus.ClipboardPlace = Place(menus.Record1);
        // Made in the reverse of the menus' order.
        exporting = new ExportCommand(book.session, menus, &window);
        importing = new ImportCommands(book.session, menus, &window);
        reports = new TReportCommands(book.session, menus, &window);
        labels = new TLabelCommands(book.session, menus, &window);
    }

    // Which of the items that work on records are enabled.
    QList<bool> RecordItemsEnabled() const
    {
        return {exporting->CopyRecordsOutMnu->isEnabled(), labels->LabelsMenu->isEnabled(),
                reports->ReportsMenu->isEnabled(), reports->CurrentRecordMenu->isEnabled(),
                reports->ToClipboard1->isEnabled()};
    }
    bool ImportEnabled() const
    {
        return importing->mnuImport->menuAction()->isEnabled() && importing->mnuImportASCII->isEnabled();
    }

    TempProgramDirectory programDir;
    SessionBook book;
    QWidget window;
    MainMenus menus;
    ExportCommand* exporting;
    ImportCommands* importing;
    TReportCommands* reports;
    TLabelCommands* labels;
};

const QList<bool> kAll(5, true);
const QList<bool> kNone(5, false);

TEST_F(LayerCommands, ItemsSitAtTheirPlacesWhateverTheOrderTheyAreMadeIn)
{
    EXPECT_EQ(Shown(menus.File1), (QStringList{"&Import", "&Export "}));
    EXPECT_EQ(Shown(menus.Print1), (QStringList{"Print &Labels", "Print &Reports", "Print C&urrent Record"}));
    EXPECT_EQ(Shown(menus.Record1), QStringList{"Copy To &Clipboard"});
}

TEST_F(LayerCommands, ItemsFollowTheSessionWhateverTheirCaptions)
{
    EXPECT_FALSE(ImportEnabled());
    EXPECT_EQ(RecordItemsEnabled(), kNone);
    ASSERT_TRUE(book.Open());
    EXPECT_TRUE(ImportEnabled());
    EXPECT_EQ(RecordItemsEnabled(), kAll);

    for (QAction* action : window.findChildren<QAction*>())
        action->setText(QStringLiteral("Renamed"));
    book.session.TableBook.Edit();
    EXPECT_EQ(RecordItemsEnabled(), kNone) << "nothing works on records while one is edited";
    EXPECT_TRUE(ImportEnabled());
    book.session.TableBook.FieldByName(QStringLiteral("CODES")).SetAsString(QStringLiteral("X"));
    book.session.TableBook.Post();
    EXPECT_EQ(RecordItemsEnabled(), kAll) << "enabled again after the save";

    book.session.TableBook.Close();
    EXPECT_FALSE(ImportEnabled());
    EXPECT_EQ(RecordItemsEnabled(), kNone);
}

TEST(DialCommands, TheButtonsHandedOverDialTheirOwnPhoneWhateverTheirNames)
{
    TempProgramDirectory programDir;
    ScriptedMessages messages;
    SessionBook book;
    ASSERT_TRUE(book.Open());
    TTable& table = book.session.TableBook;
    table.Edit();
    table.FieldByName(QStringLiteral("PHONE")).SetAsString(QStringLiteral("555-1111"));
    table.FieldByName(QStringLiteral("PHONE2")).SetAsString(QStringLiteral("555-2222"));
    table.Post();
    QPushButton first, second, mail, web;
    // Names that would mislead anything looking the buttons up by name.
    first.setObjectName(QStringLiteral("Dial2Button"));
    second.setObjectName(QStringLiteral("Dial1Button"));
    TDialCommands commands(book.session, {&first, &second, &mail, &web}, nullptr);

    const auto dialed = [](QPushButton& button) {
        QString number;
        WhenModalOpens([&](QWidget* modal) {
            if (auto* dialog = qobject_cast<TBkDialer*>(modal))
                number = dialog->Number->text();
            modal->close();
        });
        button.click();
        EXPECT_TRUE(ModalWasHandled());
        return number;
    };
    EXPECT_EQ(dialed(first), "555-1111");
    EXPECT_EQ(dialed(second), "555-2222");
}

} // namespace
