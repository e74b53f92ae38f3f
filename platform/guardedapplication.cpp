#include "platform/guardedapplication.h"

#include "platform/identity.h"
#include "platform/messages.h"

#include <exception>

bool GuardedApplication::notify(QObject* receiver, QEvent* event)
{
    QString reason;
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        reason = QString::fromLocal8Bit(e.what());
    } catch (...) {
        reason = QStringLiteral("an unknown error");
    }
    ShowMessageBox(QStringLiteral("The last action could not be completed:\r\n%1").arg(reason), ProductName(),
                   MbOk | MbIconStop);
    return false;
}
