#include "app/justone.h"

#include "app/bkmain.h"
#include "platform/busy.h"
#include "platform/guardedapplication.h"
#include "platform/identity.h"
#include "platform/messages.h"
#include "platform/programdirectory.h"
#include "platform/singleinstance.h"

int RunAddrina(int argc, char** argv)
{
    GuardedApplication app(argc, argv);
    // The name decides the per-user data folder (~/.local/share/Addrina).
    QApplication::setApplicationName(ProductName());
    QApplication::setApplicationVersion(ProductVersion());

    // A second copy raises the first one's window and ends before showing anything.
    SingleInstanceGuard guard;
    if (!guard.Claim())
        return 0;

    if (!PrepareProgramDirectory()) {
        ShowMessageBox(QStringLiteral("Unable to create the folder %1").arg(ProgramDirectory()), ProductName(),
                       MbOk | MbIconStop);
        return 1;
    }

    BeginBusy();
    TAddressMain window;
    QObject::connect(&guard, &SingleInstanceGuard::RaiseRequested, &window, [&window] { RaiseWindow(&window); });
    window.show();
    EndBusy();
    return app.exec();
}
