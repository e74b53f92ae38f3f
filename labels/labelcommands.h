#pragma once

#include <QObject>

class AddressSession;
class QAction;
struct MainMenus;

// "Print &Labels" (Ctrl+L) in the main window's "&Print" menu: the "Print Labels" window
// over the records the user has chosen, with the main window left as it was afterwards.
// The item is enabled while the session stands on a record and nothing is edited.
class TLabelCommands : public QObject {
    Q_OBJECT

public:
    TLabelCommands(AddressSession& session, const MainMenus& menus, QObject* parent);

    QAction* LabelsMenu;

    void LabelsMenuClick();

private:
    AddressSession& session_;
};
