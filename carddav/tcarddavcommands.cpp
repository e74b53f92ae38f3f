#include "carddav/tcarddavcommands.h"

#include "carddav/passwords.h"
#include "carddav/syncstate.h"
#include "carddav/tcarddavsetup.h"
#include "platform/messages.h"
#include "session/addresssession.h"
#include "session/mainmenus.h"
#include "session/sessionscopes.h"

#include <QAction>
#include <QApplication>
#include <QInputDialog>
#include <QMenu>
#include <QProgressDialog>
#include <QTimer>

namespace {

QString Describe(const ExportValues& v)
{
    QStringList parts;
    for (int field : {ExOrg, ExStreet, ExStreet2, ExCity, ExState, ExZip, ExPhone, ExEmail})
        if (!v[std::size_t(field)].isEmpty())
            parts << v[std::size_t(field)];
    return parts.join(QStringLiteral(", "));
}

} // namespace

ConflictChoice AskConflict(const SyncConflict& c)
{
    const int answer = ShowMessageBox(
        QStringLiteral("%1 was changed both here and on the server.\n\nHere: %2\nServer: %3\n\nYes keeps this file's, "
                       "No keeps the server's, Cancel keeps both (the server's, and this file's as a new record).")
            .arg(RecordName(c.local), Describe(c.local), Describe(c.server)),
        QStringLiteral("Sync Conflict"), MbYesNoCancel | MbIconQuestion | MbDefButton3);
    return answer == IdYes  ? ConflictChoice::KeepLocal
           : answer == IdNo ? ConflictChoice::KeepServer
                            : ConflictChoice::KeepBoth;
}

TCardDavCommands::TCardDavCommands(AddressSession& session, const MainMenus& menus, QObject* parent)
    : QObject(parent), session_(session)
{
    SetupMenu = new QAction(QStringLiteral("S&ync with CardDAV Address Book..."), this);
    SetupMenu->setObjectName(QStringLiteral("SetupMenu"));
    SyncNowMenu = new QAction(QStringLiteral("Sync &Now"), this);
    SyncNowMenu->setObjectName(QStringLiteral("SyncNowMenu"));
    // Right after "Preferences", so the import and export items keep their places.
    const QList<QAction*> items = menus.File1->actions();
    const qsizetype preferences = items.indexOf(menus.Prefences1);
    QAction* before = preferences >= 0 ? items.value(preferences + 1) : nullptr;
    menus.File1->insertAction(before, SetupMenu);
    menus.File1->insertAction(before, SyncNowMenu);
    connect(SetupMenu, &QAction::triggered, this, &TCardDavCommands::SetupMenuClick);
    connect(SyncNowMenu, &QAction::triggered, this, &TCardDavCommands::SyncNowMenuClick);
    session_.WhenStateChanges(this, [this] {
        SetupMenu->setEnabled(session_.FileOpen() && !session_.Editing());
        SyncNowMenu->setEnabled(session_.FileOpen() && !session_.Editing() && HasSync());
    });
    connect(&session_, &AddressSession::FileOpenChanged, this, &TCardDavCommands::SyncOnOpen);
}

bool TCardDavCommands::HasSync() const
{
    SyncState state;
    QString error;
    return state.Load(SyncState::PathFor(session_.LastOpenedFile), &error) && !state.collection.isEmpty();
}

void TCardDavCommands::SyncOnOpen(bool open)
{
    if (!open || syncing_)
        return;
    SyncState state;
    QString error;
    if (state.Load(SyncState::PathFor(session_.LastOpenedFile), &error) && state.syncOnOpen)
        // After the opening has run its course, which the sync's closing and reopening must not cut into.
        QTimer::singleShot(0, this, &TCardDavCommands::SyncNowMenuClick);
}

void TCardDavCommands::SetupMenuClick()
{
    if (!session_.FileOpen())
        return;
    TCardDavSetup dialog(session_.Window());
    if (dialog.exec() != QDialog::Accepted)
        return;
    SyncOptions options = dialog.Options();
    QString why;
    if (!StorePassword(options.server, options.user, options.password, &why))
        ShowInformation(QStringLiteral("The password could not be kept (%1); Sync Now will ask for it.").arg(why));
    const QString statePath = SyncState::PathFor(session_.LastOpenedFile);
    RunSync(options);
    SyncState state;
    if (state.Load(statePath, &why) && !state.collection.isEmpty()) {
        state.syncOnOpen = dialog.SyncOnOpen();
        state.Save(statePath, &why);
    }
}

void TCardDavCommands::SyncNowMenuClick()
{
    SyncState state;
    QString why;
    if (!session_.FileOpen() || !state.Load(SyncState::PathFor(session_.LastOpenedFile), &why) ||
        state.collection.isEmpty())
        return;
    SyncOptions options;
    options.password = FindPassword(state.server, state.user, QString(), &why);
    if (options.password.isEmpty()) {
        bool ok = false;
        options.password = QInputDialog::getText(session_.Window(), QStringLiteral("Sync Now"),
                                                 QStringLiteral("Password for %1:").arg(state.user),
                                                 QLineEdit::Password, QString(), &ok);
        if (!ok)
            return;
    }
    RunSync(options);
}

void TCardDavCommands::RunSync(SyncOptions options)
{
    syncing_ = true;
    SyncOutcome outcome;
    {
        FileClosed closed(session_);
        options.file = closed.Path();
        options.resolve = AskConflict;
        QProgressDialog progress(QStringLiteral("Syncing with the address book..."), QString(), 0, 100,
                                 session_.Window());
        progress.setObjectName(QStringLiteral("SyncProgress"));
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(0);
        options.progress = [&progress](int percent) {
            progress.setValue(percent);
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        };
        outcome = RunCardDavSync(options);
    }
    syncing_ = false;
    QStringList lines;
    lines << (outcome.error.isEmpty()
                  ? outcome.Summary()
                  : QStringLiteral("The sync stopped: %1.\n\nSo far: %2").arg(outcome.error, outcome.Summary()));
    if (!outcome.conflicted.isEmpty())
        lines << QStringLiteral("Conflicts:\n") + outcome.conflicted.join(u'\n');
    if (!outcome.refused.isEmpty())
        lines << QStringLiteral("Skipped:\n") + outcome.refused.join(u'\n');
    ShowInformation(lines.join(QStringLiteral("\n\n")));
}
