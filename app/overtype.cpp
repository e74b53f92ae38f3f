#include "app/overtype.h"

#include <QKeyEvent>
#include <QLineEdit>

bool IsOvertypeExempt(const QKeyEvent* key)
{
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return true;
    const QString text = key->text();
    return text.isEmpty() || !text.at(0).isPrint() || key->key() == Qt::Key_Delete;
}

bool OvertypeFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Insert && key->modifiers() == Qt::NoModifier) {
        InsertMode = !InsertMode;
        emit ModeChanged(InsertMode);
        return false;
    }
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (InsertMode || !edit || edit->isReadOnly() || edit->hasSelectedText() || IsOvertypeExempt(key))
        return false;
    const int caret = edit->cursorPosition();
    if (caret < edit->text().size())
        edit->setSelection(caret, 1);
    return false;
}
