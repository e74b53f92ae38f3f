#include "exchange/exportcommand.h"

#include "exchange/tcopyout.h"
#include "exchange/updatesheld.h"
#include "platform/messages.h"
#include "platform/placement.h"
#include "session/addresssession.h"
#include "session/mainmenus.h"
#include "session/sessionscopes.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QWidget>

namespace {

// The current folder is kept while the dialog runs.
class FolderKept {
public:
    FolderKept() : folder_(QDir::currentPath()) {}
    ~FolderKept() { QDir::setCurrent(folder_); }
    FolderKept(const FolderKept&) = delete;
    FolderKept& operator=(const FolderKept&) = delete;

private:
    QString folder_;
};

} // namespace

ExportCommand::ExportCommand(AddressSession& session, const MainMenus& menus, QObject* parent)
    : QObject(parent), session_(session)
{
    CopyRecordsOutMnu = new QAction(QStringLiteral("&Export "), this);
    CopyRecordsOutMnu->setObjectName(QStringLiteral("CopyRecordsOutMnu"));
    // Beside the group just above Preferences ("&Import" when the imports are there).
    const QList<QAction*> items = menus.File1->actions();
    const qsizetype preferences = items.indexOf(menus.Prefences1);
    if (preferences > 0 && items[preferences - 1]->isSeparator()) {
        menus.File1->insertAction(items[preferences - 1], CopyRecordsOutMnu);
    } else {
        menus.File1->insertAction(menus.Prefences1, CopyRecordsOutMnu);
        if (menus.Prefences1)
            menus.File1->insertSeparator(menus.Prefences1);
    }
    connect(CopyRecordsOutMnu, &QAction::triggered, this, &ExportCommand::CopyRecordsOutMnuClick);
}

void ExportCommand::CopyRecordsOutMnuClick()
{
    if (!session_.FileOpen() || session_.MatchCount() == 0) {
        ShowInformation(QStringLiteral("No active records for current filter. Nothing to copy"));
        return;
    }
    FolderKept folder;
    UpdatesHeld held(session_.Window());
    KeepPlace keep(session_);
    TCopyOut dialog(session_, session_.Window());
    CenterDialog(&dialog);
    dialog.exec();
}
