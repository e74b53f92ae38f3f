#pragma once
// The main window's menus for a layer's command object under test: an empty menu for each,
// owned by the window the test provides.

#include "session/mainmenus.h"

#include <QMenu>
#include <QWidget>

inline MainMenus MenusFor(QWidget& window)
{
    const auto menu = [&window] { return new QMenu(&window); };
    return MainMenus{&window, menu(), menu(), menu(), menu(), menu(), menu(), menu(), nullptr, nullptr};
}
