#pragma once
// Keeps the main window from repainting while an import or export dialog works on its
// table, so the window does not flicker through the records being read or written.

#include <QWidget>

class UpdatesHeld {
public:
    explicit UpdatesHeld(QWidget* window) : window_(window)
    {
        if (window_)
            window_->setUpdatesEnabled(false);
    }
    ~UpdatesHeld()
    {
        if (window_)
            window_->setUpdatesEnabled(true);
    }
    UpdatesHeld(const UpdatesHeld&) = delete;
    UpdatesHeld& operator=(const UpdatesHeld&) = delete;

private:
    QWidget* window_;
};
