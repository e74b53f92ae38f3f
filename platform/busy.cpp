#include "platform/busy.h"

#include <QCursor>
#include <QGuiApplication>

namespace {
int depth = 0;
}

void BeginBusy()
{
    if (depth++ == 0)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void EndBusy()
{
    if (depth == 0)
        return;
    if (--depth == 0)
        QGuiApplication::restoreOverrideCursor();
}

int BusyDepth()
{
    return depth;
}
