#include "barcode/intelligentmail.h"

#include "barcode/barcodechoice.h"
#include "platform/settings.h"

#include <QRegularExpression>

namespace {

const QString kSection = QStringLiteral("Intelligent Mail");

bool Digits(const QString& text, int low, int high)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]*$"));
    return text.size() >= low && text.size() <= high && digits.match(text).hasMatch();
}

} // namespace

IntelligentMailSettings ReadIntelligentMailSettings()
{
    return {ReadSettingString(kSection, QStringLiteral("BarcodeID"), QStringLiteral("00")),
            ReadSettingString(kSection, QStringLiteral("ServiceType")),
            ReadSettingString(kSection, QStringLiteral("MailerID")),
            ReadSettingString(kSection, QStringLiteral("Serial"), QStringLiteral("0"))};
}

void WriteIntelligentMailSettings(const IntelligentMailSettings& s)
{
    WriteSettingString(kSection, QStringLiteral("BarcodeID"), s.barcodeId);
    WriteSettingString(kSection, QStringLiteral("ServiceType"), s.serviceType);
    WriteSettingString(kSection, QStringLiteral("MailerID"), s.mailerId);
    WriteSettingString(kSection, QStringLiteral("Serial"), s.serial);
}

QByteArray IntelligentMailData(const IntelligentMailSettings& s, const QString& zip, long recNo)
{
    if (!Digits(s.barcodeId, 2, 2) || s.barcodeId[1] > QLatin1Char('4'))
        throw BarcodeError(QStringLiteral("The Intelligent Mail barcode ID must be two digits, the second 0 to 4."));
    if (!Digits(s.serviceType, 3, 3))
        throw BarcodeError(QStringLiteral("The Intelligent Mail service type must be three digits."));
    if (!Digits(s.mailerId, 6, 6) && !Digits(s.mailerId, 9, 9))
        throw BarcodeError(QStringLiteral("The Mailer ID must be six or nine digits."));
    const int serialDigits = 15 - int(s.mailerId.size());
    if (!Digits(s.serial, 1, serialDigits))
        throw BarcodeError(QStringLiteral("The serial number must be up to %1 digits.").arg(serialDigits));
    QString routing = zip;
    routing.remove(QRegularExpression(QStringLiteral("[^0-9]")));
    if (routing.size() != 5 && routing.size() != 9 && routing.size() != 11)
        throw BarcodeError(QStringLiteral("The ZIP code \"%1\" has no 5, 9 or 11 digits to route by.").arg(zip));
    // The serial wraps within its digits, so a long file never overflows it.
    qulonglong modulus = 1;
    for (int i = 0; i < serialDigits; ++i)
        modulus *= 10;
    const qulonglong serial = (s.serial.toULongLong() + qulonglong(std::max(0L, recNo))) % modulus;
    const QString tracking =
        s.barcodeId + s.serviceType + s.mailerId + QStringLiteral("%1").arg(serial, serialDigits, 10, QLatin1Char('0'));
    return (tracking + QLatin1Char('-') + routing).toLatin1();
}
