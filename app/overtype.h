#pragma once

#include <QObject>

class QKeyEvent;

// Overtype for line edits: while the Insert toggle is off, a typed character replaces the
// one after the caret. The Insert key flips the toggle, which starts off as the keyboard's
// does. Install it on the edits it should serve.
class OvertypeFilter : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    bool Inserting() const { return InsertMode; }

signals:
    void ModeChanged(bool inserting);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool InsertMode = false;
};

// Keys that never overtype: control characters, navigation and editing keys, function
// and lock keys, and anything typed with Ctrl, Alt or Meta held.
bool IsOvertypeExempt(const QKeyEvent* key);
