#include "exchange/importcommands.h"

#include "exchange/importtargets.h"
#include "exchange/tasciiimport.h"
#include "exchange/tdbfimport.h"
#include "exchange/timportolder.h"
#include "platform/identity.h"
#include "platform/messages.h"
#include "platform/placement.h"
#include "table/controlsoff.h"
#include "table/tapollo.h"
#include "table/tfield.h"
#include "table/ttable.h"

#include <QAction>
#include <QMenu>

namespace {

QAction* Item(QMenu* menu, const QString& caption, const char* name)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

} // namespace

ImportCommands::ImportCommands(QMenu* fileMenu, QAction* before, ImportHost host, QWidget* window)
    : QObject(window), host_(std::move(host)), window_(window)
{
    mnuImport = new QMenu(QStringLiteral("&Import"), fileMenu);
    mnuImport->setObjectName(QStringLiteral("mnuImport"));
    fileMenu->insertMenu(before, mnuImport)->setObjectName(QStringLiteral("mnuImportItem"));
    mnuImportASCII = Item(mnuImport, QStringLiteral("Import from &ASCII File"), "mnuImportASCII");
    mnuImportDBF = Item(mnuImport, QStringLiteral("Import from &DBF File"), "mnuImportDBF");
    mnuImportFromPostwick2xFile = Item(mnuImport, QStringLiteral("Import from another '") + ProductName() +
                                                      QStringLiteral("' DBF"),
                                       "mnuImportFromPostwick2xFile");
    connect(mnuImportASCII, &QAction::triggered, this, &ImportCommands::mnuImportASCIIClick);
    connect(mnuImportDBF, &QAction::triggered, this, &ImportCommands::mnuImportDBFClick);
    connect(mnuImportFromPostwick2xFile, &QAction::triggered, this,
            &ImportCommands::mnuImportFromPostwick2xFileClick);
    ShowDialog = [](QDialog& dialog) { dialog.exec(); };
}

bool ImportCommands::NeedsOpenFile()
{
    if (host_.book && host_.book->Active())
        return false;
    ShowInformation(QStringLiteral("You need to have a database file open first"));
    return true;
}

// The text and DBF imports take the address file in exclusive use on a table of their
// own, so the main window lets go of it for the dialog's life and opens it again after.
template <typename Dialog>
void ImportCommands::ImportIntoClosedBook()
{
    if (NeedsOpenFile())
        return;
    TTable& book = *host_.book;
    const QString path = book.FilePath();
    const QString order = host_.currentOrder ? host_.currentOrder() : QString();
    book.Close();
    {
        Dialog dialog(window_);
        CenterDialog(&dialog);
        if (!dialog.OpenDestination(path)) {
            ShowInformation(QStringLiteral("Unknown error. Unable to do ASCII import at this time"));
        } else {
            CopyFieldLabels(book, dialog.Destination);
            ShowDialog(dialog);
            dialog.Destination.Close();
        }
    }
    if (host_.reopen)
        host_.reopen(path);
    if (host_.refresh && book.Active())
        host_.refresh(order);
}

void ImportCommands::mnuImportASCIIClick()
{
    ImportIntoClosedBook<TAsciiImport>();
}

void ImportCommands::mnuImportDBFClick()
{
    ImportIntoClosedBook<TDBFImport>();
}

void ImportCommands::mnuImportFromPostwick2xFileClick()
{
    if (NeedsOpenFile())
        return;
    TTable& book = *host_.book;
    const QString order = host_.currentOrder ? host_.currentOrder() : QString();
    {
        TImportOlder dialog(book, *host_.apollo, window_);
        ControlsOff quiet(book);
        if (host_.screenUpdates)
            host_.screenUpdates(false);
        // Every record shows afterwards: the filter is not set again.
        host_.apollo->Query(QString());
        CenterDialog(&dialog);
        ShowDialog(dialog);
    }
    if (host_.screenUpdates)
        host_.screenUpdates(true);
    if (host_.refresh && book.Active())
        host_.refresh(order);
}
