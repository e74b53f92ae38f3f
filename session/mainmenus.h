#pragma once
// What a layer needs to put its commands into the main window: the top-level menus in
// menu-bar order and the toolbar. The main window hands one to each layer's command
// object, which adds its own actions (with their objectName) and keeps its own state:
//
//   auto* item = menus.Print1->addAction(QStringLiteral("Print &Labels"));
//   item->setObjectName(QStringLiteral("LabelsMenu"));
//   menus.File1->insertAction(menus.Prefences1, importItem);   // File items go before it
//
// "Ed&it" is never shown: an action put there must also be added to the window
// (menus.Window->addAction) for its shortcut to work. The main window enables and
// disables items by caption as the record state changes ("&Import", "&Export ", the
// "&Print" menu as a whole); a layer needs no more than its own checks in its handlers.

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
};
