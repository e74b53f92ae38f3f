#include "exchange/importcommands.h"

#include "exchange/importtargets.h"
#include "exchange/tasciiimport.h"
#include "exchange/tdbfimport.h"
#include "exchange/timportolder.h"
#include "exchange/tvcardimport.h"
#include "exchange/updatesheld.h"
#include "platform/identity.h"
#include "platform/menuitem.h"
#include "platform/messages.h"
#include "platform/placement.h"
#include "session/addresssession.h"
#include "session/mainmenus.h"
#include "session/sessionscopes.h"
#include "table/controlsscope.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

ImportCommands::ImportCommands(AddressSession& session, const MainMenus& menus, QObject* parent)
    : QObject(parent), session_(session)
{
    mnuImport = new QMenu(QStringLiteral("&Import"), menus.File1);
    mnuImport->setObjectName(QStringLiteral("mnuImport"));
    menus.File1->insertMenu(menus.ImportPlace, mnuImport);
    mnuImportASCII = NamedMenuItem(mnuImport, QStringLiteral("Import from &ASCII File"), "mnuImportASCII");
    mnuImportDBF = NamedMenuItem(mnuImport, QStringLiteral("Import from &DBF File"), "mnuImportDBF");
    mnuImportFromPostwick2xFile =
        NamedMenuItem(mnuImport, QStringLiteral("Import from another '") + ProductName() + QStringLiteral("' DBF"),
                      "mnuImportFromPostwick2xFile");
    mnuImportVCard = NamedMenuItem(mnuImport, QStringLiteral("Import from v&Card File"), "mnuImportVCard");
    connect(mnuImportASCII, &QAction::triggered, this, &ImportCommands::mnuImportASCIIClick);
    connect(mnuImportDBF, &QAction::triggered, this, &ImportCommands::mnuImportDBFClick);
    connect(mnuImportFromPostwick2xFile, &QAction::triggered, this, &ImportCommands::mnuImportFromPostwick2xFileClick);
    connect(mnuImportVCard, &QAction::triggered, this, &ImportCommands::mnuImportVCardClick);
    ShowDialog = [](QDialog& dialog) { dialog.exec(); };
    session_.WhenStateChanges(this, [this] {
        const bool open = session_.FileOpen();
        mnuImport->menuAction()->setEnabled(open);
        for (QAction* action : mnuImport->actions())
            action->setEnabled(open);
    });
}

bool ImportCommands::NeedsOpenFile()
{
    if (session_.FileOpen())
        return false;
    ShowInformation(QStringLiteral("You need to have a database file open first"));
    return true;
}

// The text, DBF and vCard imports take the address file in exclusive use on a table of their
// own, so the main window lets go of it for the dialog's life and opens it again after,
// in the order it had.
template <typename Dialog>
void ImportCommands::ImportIntoClosedFile()
{
    if (NeedsOpenFile())
        return;
    FileClosed closed(session_);
    Dialog dialog(session_.Window());
    CenterDialog(&dialog);
    if (!dialog.OpenDestination(closed.Path())) {
        ShowInformation(DestinationFailureMessage(Dialog::Kind, dialog.DestinationFailure()));
        return;
    }
    CopyFieldLabels(session_.TableBook, dialog.Destination);
    ShowDialog(dialog);
    dialog.Destination.Close();
}

void ImportCommands::mnuImportASCIIClick()
{
    ImportIntoClosedFile<TAsciiImport>();
}

void ImportCommands::mnuImportDBFClick()
{
    ImportIntoClosedFile<TDBFImport>();
}

void ImportCommands::mnuImportVCardClick()
{
    ImportIntoClosedFile<TVCardImport>();
}

void ImportCommands::mnuImportFromPostwick2xFileClick()
{
    if (NeedsOpenFile())
        return;
    {
        TImportOlder dialog(session_.TableBook, session_.Apollo1, session_.Window());
        ControlsScope quiet(session_.TableBook);
        UpdatesHeld held(session_.Window());
        // Every record shows afterwards: the filter is not set again.
        session_.Apollo1.Query(QString());
        CenterDialog(&dialog);
        ShowDialog(dialog);
    }
    if (!session_.FileOpen())
        return;
    // No filter afterwards, in the query values too, so the status bar agrees; records
    // marked deleted in the older file stay hidden as everywhere else.
    session_.Select.ClearQueryVars();
    session_.ApplyFilter();
    session_.SetCurrentOrder(session_.CurrentOrderName);
    session_.TableBook.First();
    session_.RefreshWindow();
}
