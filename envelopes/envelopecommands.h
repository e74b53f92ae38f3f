#pragma once

#include <QObject>

class AddressSession;
class QAction;
struct MainMenus;

// "Print &Envelopes..." in the main window's "&Print" menu, after "Print &Labels": the
// "Print Envelopes" window over the records the user chooses, with the main window left as
// it was afterwards. Enabled while the session stands on a record.
class TEnvelopeCommands : public QObject {
    Q_OBJECT

public:
    TEnvelopeCommands(AddressSession& session, const MainMenus& menus, QObject* parent);

    QAction* EnvelopesMenu;

    void EnvelopesMenuClick();

private:
    AddressSession& session_;
};
