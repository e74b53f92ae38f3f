#include "platform/guardedapplication.h"

#include "platform/identity.h"
#include "platform/messagebox.h"
#include "platform/systemprinting.h"

#include <exception>

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    static BoxMessageService boxes;
    static PlatformDialogs dialogs;
    SetDefaultMessageService(&boxes);
    InstallPrinterDialogs(&dialogs);
}

bool GuardedApplication::notify(QObject* receiver, QEvent* event)
{
    QString reason;
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        reason = QString::fromUtf8(e.what()); // the program's own errors carry UTF-8
    } catch (...) {
        reason = QStringLiteral("an unknown error");
    }
    ShowMessageBox(QStringLiteral("The last action could not be completed:\r\n%1").arg(reason), ProductName(),
                   MbOk | MbIconStop);
    return false;
}
