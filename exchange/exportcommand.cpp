#include "exchange/exportcommand.h"

#include "exchange/tcopyout.h"
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

// The window stops painting and the current folder is kept while the dialog runs.
class WindowPause {
public:
    explicit WindowPause(QWidget* window) : window_(window), folder_(QDir::currentPath())
    {
        if (window_)
            window_->setUpdatesEnabled(false);
    }
    ~WindowPause()
    {
        QDir::setCurrent(folder_);
        if (window_)
            window_->setUpdatesEnabled(true);
    }
    WindowPause(const WindowPause&) = delete;
    WindowPause& operator=(const WindowPause&) = delete;

private:
    QWidget* window_;
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
    WindowPause pause(session_.Window());
    KeepPlace keep(session_);
    TCopyOut dialog(session_, session_.Window());
    CenterDialog(&dialog);
    dialog.exec();
}
