#pragma once
// The File menu's "&Import" submenu and its four commands, working on the session's
// address file; enabled while a file is open.

#include <QObject>
#include <functional>

class AddressSession;
class QAction;
class QDialog;
class QMenu;
struct MainMenus;

class ImportCommands : public QObject {
    Q_OBJECT
public:
    // Adds "&Import" to the File menu at its place.
    ImportCommands(AddressSession& session, const MainMenus& menus, QObject* parent = nullptr);

    QMenu* mnuImport;
    QAction* mnuImportASCII;
    QAction* mnuImportDBF;
    QAction* mnuImportFromPostwick2xFile;
    QAction* mnuImportVCard;

    // Shows a dialog modally; tests put their own here to drive it.
    std::function<void(QDialog& dialog)> ShowDialog;

    void mnuImportASCIIClick();
    void mnuImportDBFClick();
    void mnuImportFromPostwick2xFileClick();
    void mnuImportVCardClick();

private:
    bool NeedsOpenFile();
    template <typename Dialog>
    void ImportIntoClosedFile();

    AddressSession& session_;
};
