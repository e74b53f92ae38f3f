#pragma once
// The File menu's CardDAV items: "Sync with CardDAV Address Book..." sets the open file's
// sync up and runs the first sync; "Sync Now" runs it again, with a progress bar and the
// counts at the end. A file set to sync when opened syncs right after it opens.

#include "carddav/cardsync.h"

#include <QObject>

class AddressSession;
class QAction;
struct MainMenus;

class TCardDavCommands : public QObject {
    Q_OBJECT
public:
    TCardDavCommands(AddressSession& session, const MainMenus& menus, QObject* parent = nullptr);

    QAction* SetupMenu;
    QAction* SyncNowMenu;

    void SetupMenuClick();
    void SyncNowMenuClick();

private:
    // Runs the sync on the open file (closed meanwhile) and shows the outcome.
    void RunSync(SyncOptions options);
    bool HasSync() const;
    void SyncOnOpen(bool open);

    AddressSession& session_;
    bool syncing_ = false; // the sync's own reopening of the file starts no other
};

// The user's choice on a conflict: Yes keeps this file's, No the server's, Cancel both.
ConflictChoice AskConflict(const SyncConflict& conflict);
