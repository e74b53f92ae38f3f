#pragma once
// What a layer needs to put its commands into the main window: the top-level menus in
// menu-bar order, the toolbar, and a named place in a menu for each layer's items. A layer
// inserts its actions (with their objectName) before its own place, so the menus read the
// same whichever command object the main window creates first:
//
//   menus.Print1->insertAction(menus.LabelsPlace, labelsItem);
//   menus.File1->insertMenu(menus.ImportPlace, importMenu);
//
// A place is an invisible item of the main window; a null place (a test's bare menus)
// puts the item at the end. The command object enables and disables its own items from
// the session's signals (AddressSession::WhenStateChanges); the main window handles
// only its own controls.
//
// "Ed&it" is never shown: an action put there must also be added to the window
// (menus.Window->addAction) for its shortcut to work.

class QAction;
class QMenu;
class QToolBar;
class QWidget;

struct MainMenus {
    QWidget* Window;
    QMenu* File1;        // "&File"
    QMenu* Edit1;        // "Ed&it", hidden
    QMenu* Record1;      // "&Record"
    QMenu* mnuOrder;     // "&Sort"
    QMenu* Filter1;      // "Fi&lter"
    QMenu* Print1;       // "&Print"
    QMenu* Help1;        // "&Help"
    QAction* Prefences1; // "Pre&ferences" in "&File"
    QToolBar* ToolBar;
    QAction* ImportPlace = nullptr;    // "&File", above "&Export ": the "&Import" submenu
    QAction* ExportPlace = nullptr;    // "&File", above "Pre&ferences": "&Export "
    QAction* LabelsPlace = nullptr;    // "&Print", first: "Print &Labels"
    QAction* ReportsPlace = nullptr;   // "&Print", after the labels: the report items
    QAction* ClipboardPlace = nullptr; // "&Record", last: "Copy To &Clipboard"
};
