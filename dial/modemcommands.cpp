#include "dial/modemcommands.h"

namespace {

const QByteArray kLineEnd = QByteArrayLiteral("\r\n");

} // namespace

QByteArray ModemBytes(const QString& text)
{
    return text.toUtf8();
}

QString ModemInitString(const QString& init)
{
    if (init.left(2).toUpper() == QLatin1String("AT"))
        return init;
    return QStringLiteral("AT") + init;
}

QByteArray ModemInitCommand(const QString& init)
{
    return ModemBytes(init) + kLineEnd;
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
