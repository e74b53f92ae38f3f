#pragma once

#include <QString>

class QAction;
class QMenu;

// A menu item added at the end of the menu, with the objectName that tests and the
// "What's this?" texts know it by.
QAction* NamedMenuItem(QMenu* menu, const QString& caption, const char* name);
