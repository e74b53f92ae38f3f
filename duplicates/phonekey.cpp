#include "duplicates/phonekey.h"

#include "duplicates/textfold.h"

#include <QHash>
#include <QLocale>
#include <phonenumbers/phonenumberutil.h>

namespace {

using i18n::phonenumbers::PhoneNumber;
using i18n::phonenumbers::PhoneNumberUtil;

QString Digits(const QString& text)
{
    QString digits(text.size(), Qt::Uninitialized);
    QChar* out = digits.data();
    for (const QChar c : text)
        if (c.isDigit())
            *out++ = c;
    digits.truncate(out - digits.constData());
    return digits;
}

// Digits with the usual separators only: no letters (vanity numbers, extensions).
bool PlainlyWritten(QStringView text)
{
    for (const QChar c : text)
        switch (c.unicode()) {
        case ' ':
        case '(':
        case ')':
        case '-':
        case '.':
        case '/':
        case '+':
            break;
        default:
            if (!c.isDigit())
                return false;
        }
    return true;
}

struct RegionDialling {
    QString countryCode;    // "1", "49"
    QString nationalPrefix; // "1", "0", or none
};

const RegionDialling& DiallingOf(const QString& region)
{
    // One per thread: the file's records are keyed on several. Most numbers of a file
    // share one region, asked again and again.
    thread_local QHash<QString, RegionDialling> known;
    thread_local std::pair<QString, const RegionDialling*> last;
    if (last.second && last.first == region)
        return *last.second;
    auto at = known.find(region);
    if (at == known.end()) {
        const PhoneNumberUtil& util = *PhoneNumberUtil::GetInstance();
        std::string prefix;
        util.GetNddPrefixForRegion(region.toStdString(), true, &prefix);
        const int code = util.GetCountryCodeForRegion(region.toStdString());
        at = known.insert(region, {code > 0 ? QString::number(code) : QString(), QString::fromStdString(prefix)});
    }
    last = {region, &*at};
    return *at;
}

} // namespace

QString RegionOfCountry(const QString& country, const QString& fallback)
{
    static const QHash<QString, QString> names = {
        {QStringLiteral("usa"), QStringLiteral("US")},
        {QStringLiteral("united states"), QStringLiteral("US")},
        {QStringLiteral("united states of america"), QStringLiteral("US")},
        {QStringLiteral("america"), QStringLiteral("US")},
        {QStringLiteral("canada"), QStringLiteral("CA")},
        {QStringLiteral("mexico"), QStringLiteral("MX")},
        {QStringLiteral("uk"), QStringLiteral("GB")},
        {QStringLiteral("united kingdom"), QStringLiteral("GB")},
        {QStringLiteral("great britain"), QStringLiteral("GB")},
        {QStringLiteral("england"), QStringLiteral("GB")},
        {QStringLiteral("scotland"), QStringLiteral("GB")},
        {QStringLiteral("wales"), QStringLiteral("GB")},
        {QStringLiteral("ireland"), QStringLiteral("IE")},
        {QStringLiteral("germany"), QStringLiteral("DE")},
        {QStringLiteral("deutschland"), QStringLiteral("DE")},
        {QStringLiteral("austria"), QStringLiteral("AT")},
        {QStringLiteral("switzerland"), QStringLiteral("CH")},
        {QStringLiteral("france"), QStringLiteral("FR")},
        {QStringLiteral("italy"), QStringLiteral("IT")},
        {QStringLiteral("spain"), QStringLiteral("ES")},
        {QStringLiteral("netherlands"), QStringLiteral("NL")},
        {QStringLiteral("belgium"), QStringLiteral("BE")},
        {QStringLiteral("australia"), QStringLiteral("AU")},
        {QStringLiteral("new zealand"), QStringLiteral("NZ")},
    };
    const QString folded = FoldText(country);
    if (folded.isEmpty())
        return fallback;
    if (folded.size() == 2 && folded.front().isLetter())
        return folded.toUpper();
    return names.value(folded, fallback);
}

QString DefaultRegion()
{
    const QString code = QLocale::territoryToCode(QLocale::system().territory());
    return code.size() == 2 ? code : QStringLiteral("US");
}

QString PhoneKey(const QString& phone, const QString& region)
{
    const QString digits = Digits(phone);
    if (digits.size() < 5)
        return {};
    // A plainly written number needs only its region's country code and national prefix,
    // which is what a full parse would apply to it, at a fraction of the cost.
    const QStringView trimmed = QStringView(phone).trimmed();
    const RegionDialling& dialling = DiallingOf(region);
    if (PlainlyWritten(trimmed) && !dialling.countryCode.isEmpty() && !trimmed.startsWith(u"00") &&
        !trimmed.startsWith(u"011")) {
        if (trimmed.startsWith(QLatin1Char('+')))
            return digits;
        const bool prefixed = !dialling.nationalPrefix.isEmpty() && digits.startsWith(dialling.nationalPrefix);
        QString key;
        key.reserve(dialling.countryCode.size() + digits.size());
        key += dialling.countryCode;
        key += QStringView(digits).mid(prefixed ? dialling.nationalPrefix.size() : 0);
        return key;
    }
    const PhoneNumberUtil& util = *PhoneNumberUtil::GetInstance();
    PhoneNumber number;
    if (util.Parse(phone.toStdString(), region.toStdString(), &number) != PhoneNumberUtil::NO_PARSING_ERROR)
        return digits;
    std::string e164;
    util.Format(number, PhoneNumberUtil::E164, &e164);
    return QString::fromStdString(e164).mid(1);
}

QString PostalKey(const QString& code, const QString& region)
{
    if (region == QLatin1String("US")) {
        const QString digits = Digits(code);
        if (digits.size() >= 5)
            return digits.left(5);
    }
    return FoldText(code).remove(QLatin1Char(' '));
}
