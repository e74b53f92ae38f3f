#pragma once

#include <QString>
#include <initializer_list>
#include <utility>

class QAction;
class QMenu;
class QWidget;

// "What's this?" help on a window's controls: each control named in the list gets its text,
// Shift+F1 (and the title bar's "?" button, where the window manager draws one) turns the
// pointer into the question mark, and a click on a control then shows its text. Main windows
// get Shift+F1 from their Help menu instead (AddWhatsThisItem).
// Names the window does not hold (a control it leaves out in some uses) are passed over.
using WhatsThisTexts = std::initializer_list<std::pair<const char*, const char*>>;
void SetWhatsThis(QWidget* window, WhatsThisTexts texts);

// Adds "What's This?" (Shift+F1) to a menu before the item given (at the end without one),
// for windows that have menus.
void AddWhatsThisItem(QMenu* menu, QAction* before = nullptr);

// A right click on the control shows its "What's this?" text where the pointer is.
void ShowWhatsThisOnRightClick(QWidget* control);
