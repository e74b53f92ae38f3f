#pragma once
// The main window's "&Export " command: copies the records of the current selection, in
// the current order, with the "Copy Records Out" dialog. Whatever the dialog does, the
// window gets its record, its order and the current folder back afterwards. The main
// window enables and disables the item with its record commands.
//
//   new ExportCommand(Session(), Menus(), this);

#include <QObject>

class AddressSession;
class QAction;
struct MainMenus;

class ExportCommand : public QObject {
    Q_OBJECT
public:
    // Adds "&Export " to the File menu, at the end of the group above "Pre&ferences".
    ExportCommand(AddressSession& session, const MainMenus& menus, QObject* parent);

    QAction* CopyRecordsOutMnu;

    void CopyRecordsOutMnuClick();

private:
    AddressSession& session_;
};
