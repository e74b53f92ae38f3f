#include "dial/dialer.h"

#include "platform/messages.h"
#include "platform/serialport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace {

const QByteArray kLineEnd = QByteArrayLiteral("\r\n");

// The modem's command set is ASCII; anything else goes out as UTF-8 for the modem to refuse.
QByteArray ModemBytes(const QString& text)
{
    return text.toUtf8();
}

// "AT" in front unless the string starts with it, in any case.
QString ModemInitString(const QString& init)
{
    if (init.left(2).toUpper() == QLatin1String("AT"))
        return init;
    return QStringLiteral("AT") + init;
}

QByteArray ModemDialCommand(const QString& number, TDialMethod method)
{
    const QByteArray command = method == TDialMethod::dmPulse ? QByteArrayLiteral("ATDP") : QByteArrayLiteral("ATDT");
    return command + ModemBytes(number) + kLineEnd;
}

QByteArray ModemHangUpCommand()
{
    return QByteArrayLiteral("ATH") + kLineEnd;
}

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
        device->Write(ModemBytes(InitStr) + kLineEnd);
        WaitProcessingEvents(InitPauseMs);
    }
    if (device->Write(ModemDialCommand(NumberToDial, Method))) {
        ShowMessageBox(QStringLiteral("Pick up phone"), QStringLiteral("Information"), MbOk | MbIconInformation);
        device->Write(ModemHangUpCommand());
    } else {
        ShowMessageBox(QStringLiteral("Unable to dial number"), QStringLiteral("Error"), MbOk | MbIconStop);
    }
}
