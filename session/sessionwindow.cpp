// The window a session's dialogs open over; a widget, so it lives above the window-free session.
#include "session/addresssession.h"

#include <QWidget>

QWidget* AddressSession::Window() const
{
    return window_;
}

void AddressSession::SetWindow(QWidget* window)
{
    window_ = window;
}
