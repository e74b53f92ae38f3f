#include "duplicates/duplicatecommands.h"

#include "duplicates/duplicatesdialog.h"
#include "platform/placement.h"
#include "session/addresssession.h"
#include "session/mainmenus.h"
#include "session/sessionscopes.h"
#include "table/quietevents.h"

#include <QAction>
#include <QMenu>

TDuplicateCommands::TDuplicateCommands(AddressSession& session, const MainMenus& menus, QObject* parent)
    : QObject(parent), session_(session)
{
    FindDuplicatesMenu = new QAction(QStringLiteral("Find &Duplicates..."), this);
    FindDuplicatesMenu->setObjectName(QStringLiteral("FindDuplicatesMenu"));
    menus.Filter1->addSeparator();
    menus.Filter1->addAction(FindDuplicatesMenu);
    connect(FindDuplicatesMenu, &QAction::triggered, this, &TDuplicateCommands::FindDuplicatesMenuClick);
    session_.WhenStateChanges(this, [this] { FindDuplicatesMenu->setEnabled(session_.OnRecord()); });
}

void TDuplicateCommands::FindDuplicatesMenuClick()
{
    if (!session_.FileOpen() || session_.MatchCount() == 0)
        return;
    {
        KeepPlace keep(session_);
        // One write per merged or tagged record: the window follows once, afterwards.
        QuietEvents quiet(session_.TableBook, {&TTable::AfterEdit, &TTable::AfterPost});
        TFindDuplicates dialog(session_, session_.Window());
        CenterDialog(&dialog);
        dialog.exec();
    }
    session_.ReapplyFilterIfNothingMatches();
    session_.RefreshWindow();
}
