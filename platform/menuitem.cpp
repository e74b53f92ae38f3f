#include "platform/menuitem.h"

#include <QAction>
#include <QMenu>

QAction* NamedMenuItem(QMenu* menu, const QString& caption, const char* name)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}
