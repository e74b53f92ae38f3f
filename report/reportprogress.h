#pragma once

#include <QString>

// What a running report tells whoever watches it, and asks them. The canvas reports each
// page's status text, gives the watcher a moment per page (a window lets its events through
// there, so a Cancel can arrive) and ends the run quietly once the watcher has cancelled.
class ReportProgress {
public:
    virtual ~ReportProgress() = default;
    // The expanded status template, lines separated by '\n'.
    virtual void Status(const QString& text) = 0;
    // Once per page, after Status.
    virtual void Breathe() {}
    virtual bool Cancelled() const { return false; }
};
