#pragma once
// The main window's "&Export " command: copies the records of the current selection, in
// the current order, with the "Copy Records Out" dialog. Whatever the dialog does, the
// window gets its record and its order back afterwards. The item is enabled while the
// session stands on a record and nothing is edited.
//
//   new ExportCommand(Session(), Menus(), this);

#include <QObject>

class AddressSession;
class QAction;
struct MainMenus;

class ExportCommand : public QObject {
    Q_OBJECT
public:
    // Adds "&Export " to the File menu at its place.
    ExportCommand(AddressSession& session, const MainMenus& menus, QObject* parent);

    QAction* CopyRecordsOutMnu;

    void CopyRecordsOutMnuClick();

private:
    AddressSession& session_;
};
