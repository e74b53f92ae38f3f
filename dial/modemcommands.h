#pragma once

#include <QByteArray>
#include <QString>

enum class TDialMethod { dmTone, dmPulse };

// The bytes a modem gets on its serial port: AT commands, each ended by CR LF.

// The modem's command set is ASCII; anything else goes out as UTF-8 for the modem to refuse.
QByteArray ModemBytes(const QString& text);
// "AT" in front unless the string starts with it, in any case.
QString ModemInitString(const QString& init);
// The initialization string as sent, line end included.
QByteArray ModemInitCommand(const QString& init);
QByteArray ModemDialCommand(const QString& number, TDialMethod method);
QByteArray ModemHangUpCommand();
