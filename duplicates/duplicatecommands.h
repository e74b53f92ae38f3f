#pragma once

#include <QObject>

class AddressSession;
class QAction;
struct MainMenus;

// "Find &Duplicates..." in the main window's "Fi&lter" menu, below the tag commands: the
// "Find Duplicates" dialog over the records the selection lets through, with the main
// window put back as it was afterwards. Enabled while the session stands on a record and
// nothing is edited.
class TDuplicateCommands : public QObject {
    Q_OBJECT

public:
    TDuplicateCommands(AddressSession& session, const MainMenus& menus, QObject* parent);

    QAction* FindDuplicatesMenu;

    void FindDuplicatesMenuClick();

private:
    AddressSession& session_;
};
