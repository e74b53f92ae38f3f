#pragma once

#include <QByteArray>
#include <QString>

enum class TDialPort { dpCOM1, dpCOM2, dpCOM3, dpCOM4 };
enum class TDialMethod { dmTone, dmPulse };

// Dials a number through a modem on a serial port with AT commands: the initialization
// string (when there is one) and a pause for the modem, the dial command, then, once the
// user has picked up the handset, the hang-up command, so the modem leaves the line to
// the handset.
class TDialer {
public:
    TDialPort ComPort = TDialPort::dpCOM1;
    TDialMethod Method = TDialMethod::dmTone;
    QString NumberToDial;
    QString InitStr;  // gains "AT" in front when dialing finds it without
    bool Confirm = false;

    void Dial();

    static constexpr int InitPauseMs = 1500;
};

// The modem's bytes, without a port: the initialization string as sent ("AT" put in front
// unless it starts with it, in any case), and the dial command for a number.
QString ModemInitString(const QString& init);
QByteArray ModemDialCommand(const QString& number, TDialMethod method);
QByteArray ModemHangUpCommand();

// Waits while the window system keeps processing input and painting.
void WaitProcessingEvents(int milliseconds);
