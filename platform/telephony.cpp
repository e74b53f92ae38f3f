#include "platform/telephony.h"

#include "platform/desktoplinks.h"

#include <QProcess>
#include <QTimer>
#include <utility>

namespace {

TelephonyFactory& installedFactory()
{
    static TelephonyFactory factory;
    return factory;
}

} // namespace

std::unique_ptr<Telephony> CreateTelephony()
{
    const TelephonyFactory& factory = installedFactory();
    return factory ? factory() : std::make_unique<DesktopTelephony>();
}

TelephonyFactory SetTelephonyFactory(TelephonyFactory factory)
{
    return std::exchange(installedFactory(), std::move(factory));
}

bool DesktopHasTelHandler()
{
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("x-scheme-handler/tel")});
    if (!query.waitForFinished(5000) || query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0)
        return false;
    return !query.readAllStandardOutput().trimmed().isEmpty();
}

DesktopTelephony::DesktopTelephony(std::function<bool()> handlerRegistered)
    : handlerRegistered_(handlerRegistered ? std::move(handlerRegistered) : DesktopHasTelHandler)
{}

long DesktopTelephony::Initialize(TelephonyEvents* events, std::uint32_t& devices)
{
    events_ = events;
    devices_ = handlerRegistered_() ? 1 : 0;
    devices = devices_;
    return 0;
}

long DesktopTelephony::NegotiateApiVersion(std::uint32_t device, std::uint32_t lowest, std::uint32_t,
                                           std::uint32_t& version)
{
    if (device >= devices_)
        return -1;
    version = lowest;
    return 0;
}

long DesktopTelephony::Open(std::uint32_t device, std::uint32_t)
{
    if (devices_ == 0 || (device != LineMapper && device >= devices_))
        return -1;
    open_ = true;
    return 0;
}

long DesktopTelephony::MakeCall(const QString& number)
{
    if (!open_)
        return -1;
    // Phone links carry no blanks; the handler reads the rest as typed.
    QString digits = number;
    digits.remove(QLatin1Char(' '));
    QUrl link;
    link.setScheme(QStringLiteral("tel"));
    link.setPath(digits);
    if (!OpenDesktopUrl(link))
        return -1;
    // Reported after the caller has seen the call placed, as a real service would.
    QTimer::singleShot(0, &context_, [this] {
        if (events_)
            events_->CallStateChanged(CallState::Dialing, DisconnectMode::Normal);
        if (events_)
            events_->CallStateChanged(CallState::Idle, DisconnectMode::Normal);
    });
    return 1;
}

long DesktopTelephony::Drop()
{
    // The handler's own window has the call by now; nothing is left to end here.
    return 0;
}

bool DesktopTelephony::CallApplicationName(QString&)
{
    return false;
}
