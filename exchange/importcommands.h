#pragma once
// The File menu's "&Import" submenu and its three commands. The main window hands over
// what the commands need; the commands keep nothing of it beyond their own life.

#include <QObject>
#include <QString>
#include <functional>

class QAction;
class QDialog;
class QMenu;
class QWidget;
class TApollo;
class TTable;

// What the import commands need of the main window.
struct ImportHost {
    TTable* book = nullptr;     // the open address table
    TApollo* apollo = nullptr;  // its companion
    // Opens the address file in the main window again (checks, filter, first record).
    std::function<bool(const QString& path)> reopen;
    // Orders the main table by the tag and refreshes the window and its buttons.
    std::function<void(const QString& order)> refresh;
    // The order in use.
    std::function<QString()> currentOrder;
    // Holds (false) and resumes (true) the main window's screen updates.
    std::function<void(bool enabled)> screenUpdates;
};

class ImportCommands : public QObject {
    Q_OBJECT
public:
    // Adds "&Import" to the menu before the given item.
    ImportCommands(QMenu* fileMenu, QAction* before, ImportHost host, QWidget* window);

    QMenu* mnuImport;
    QAction* mnuImportASCII;
    QAction* mnuImportDBF;
    QAction* mnuImportFromPostwick2xFile;

    // Shows a dialog modally; tests put their own here to drive it.
    std::function<void(QDialog& dialog)> ShowDialog;

    void mnuImportASCIIClick();
    void mnuImportDBFClick();
    void mnuImportFromPostwick2xFileClick();

private:
    bool NeedsOpenFile();
    template <typename Dialog>
    void ImportIntoClosedBook();

    ImportHost host_;
    QWidget* window_;
};
