#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class QWidget;

// A window's normal bounds as the settings file keeps them; right and bottom lie one past
// the last pixel, so width = right - left.
struct PlacementBounds {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool operator==(const PlacementBounds&) const = default;
};

// "<class>_Placement", with the logical dpi appended above 96 dpi.
QString PlacementSectionName(const QString& className, int logicalDpi);

// Shifts bounds that reach past the screen's right or bottom edge back by the excess.
PlacementBounds ClampToScreen(PlacementBounds bounds, QSize screen);

// The top-left corner that centres a window of the given size on an area, halves
// truncated toward zero.
QPoint CentredTopLeft(const QRect& area, QSize window);

// Window placement kept in the settings file under the window's class name. Restore at
// the window's first showing (it saves at once, so the section always exists afterwards);
// save when it closes. Write failures are reported to the user.
void RestorePlacement(QWidget* window);
void SavePlacement(QWidget* window);

// Places a window before it is shown: the main window on the screen, any other on the
// main window (or on the screen while the main window is maximized).
void CenterDialog(QWidget* window);

// The width a window needs for its title bar to show the whole title: the text in the
// bold face title bars use, plus room for the window icon and the buttons beside it.
int TitleBarWidth(const QString& title);

// Where a window of this size goes to be centred on the owner's frame yet lie wholly
// inside the screen area (a window larger than the area keeps to its top left corner).
QPoint CentredOnOwnerWithinScreen(const QRect& owner, QSize window, const QRect& screen);

// After the main window is resized: an edge that ran past the screen's right (bottom)
// brings a positive left (top) back to 0. Returns the new top-left corner.
QPoint PullBackOnScreen(const QRect& window, QSize screen);
