#include "dial/dialer.h"

#include "dial/modemcommands.h"
#include "platform/messages.h"
#include "platform/serialport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace {

// Waits while the window system keeps processing input and painting.
void WaitProcessingEvents(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
}

} // namespace

void TDialer::Dial()
{
    if (Confirm &&
        !AskYesNo(QStringLiteral("About to dial the number ") + NumberToDial + QStringLiteral(". Are you sure?"),
                  QStringLiteral("Dial")))
        return;
    const int port = static_cast<int>(ComPort) + 1;
    const std::unique_ptr<SerialPort> device = OpenSerialPort(port);
    if (!device) {
        ShowMessageBox(QStringLiteral("Unable to open ") + SerialPortName(port), QStringLiteral("Error"),
                       MbOk | MbIconStop);
        return;
    }
    if (!InitStr.isEmpty()) {
        InitStr = ModemInitString(InitStr);
        device->Write(ModemInitCommand(InitStr));
        WaitProcessingEvents(InitPauseMs);
    }
    if (device->Write(ModemDialCommand(NumberToDial, Method))) {
        ShowMessageBox(QStringLiteral("Pick up phone"), QStringLiteral("Information"), MbOk | MbIconInformation);
        device->Write(ModemHangUpCommand());
    } else {
        ShowMessageBox(QStringLiteral("Unable to dial number"), QStringLiteral("Error"), MbOk | MbIconStop);
    }
}
