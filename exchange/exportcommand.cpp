#include "exchange/exportcommand.h"

#include "exchange/tcopyout.h"
#include "exchange/updatesheld.h"
#include "platform/messages.h"
#include "platform/placement.h"
#include "session/addresssession.h"
#include "session/mainmenus.h"
#include "session/sessionscopes.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

ExportCommand::ExportCommand(AddressSession& session, const MainMenus& menus, QObject* parent)
    : QObject(parent), session_(session)
{
    CopyRecordsOutMnu = new QAction(QStringLiteral("&Export "), this);
    CopyRecordsOutMnu->setObjectName(QStringLiteral("CopyRecordsOutMnu"));
    menus.File1->insertAction(menus.ExportPlace, CopyRecordsOutMnu);
    connect(CopyRecordsOutMnu, &QAction::triggered, this, &ExportCommand::CopyRecordsOutMnuClick);
    session_.WhenStateChanges(this, [this] { CopyRecordsOutMnu->setEnabled(session_.OnRecord()); });
}

void ExportCommand::CopyRecordsOutMnuClick()
{
    if (!session_.FileOpen() || session_.MatchCount() == 0) {
        ShowInformation(QStringLiteral("No active records for current filter. Nothing to copy"));
        return;
    }
    UpdatesHeld held(session_.Window());
    KeepPlace keep(session_);
    TCopyOut dialog(session_, session_.Window());
    CenterDialog(&dialog);
    dialog.exec();
}
