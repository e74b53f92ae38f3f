#include "duplicates/phonekey.h"

#include "duplicates/textfold.h"

#include <QHash>
#include <QLocale>
#include <phonenumbers/phonenumberutil.h>

namespace {

using i18n::phonenumbers::PhoneNumber;
using i18n::phonenumbers::PhoneNumberUtil;

void DigitsInto(QStringView text, QString& into)
{
    into.resize(text.size());
    QChar* const start = into.data();
    QChar* out = start;
    for (const QChar c : text)
        if (c.isDigit())
            *out++ = c;
    into.truncate(out - start);
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
    thread_local QString folded;
    FoldTextInto(country, folded);
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
    QString key;
    PhoneKeyInto(phone, region, key);
    return key;
}

void PhoneKeyInto(QStringView phone, const QString& region, QString& into)
{
    DigitsInto(phone, into);
    if (into.size() < 5) {
        into.resize(0);
        return;
    }
    // A plainly written number needs only its region's country code and national prefix,
    // which is what a full parse would apply to it, at a fraction of the cost.
    const QStringView trimmed = phone.trimmed();
    const RegionDialling& dialling = DiallingOf(region);
    if (PlainlyWritten(trimmed) && !dialling.countryCode.isEmpty() && !trimmed.startsWith(u"00") &&
        !trimmed.startsWith(u"011")) {
        if (trimmed.startsWith(QLatin1Char('+')))
            return;
        if (!dialling.nationalPrefix.isEmpty() && into.startsWith(dialling.nationalPrefix))
            into.remove(0, dialling.nationalPrefix.size());
        into.prepend(dialling.countryCode);
        return;
    }
    const PhoneNumberUtil& util = *PhoneNumberUtil::GetInstance();
    PhoneNumber number;
    if (util.Parse(phone.toString().toStdString(), region.toStdString(), &number) != PhoneNumberUtil::NO_PARSING_ERROR)
        return;
    std::string e164;
    util.Format(number, PhoneNumberUtil::E164, &e164);
    into = QString::fromStdString(e164).mid(1);
}

QString PostalKey(const QString& code, const QString& region)
{
    QString key;
    PostalKeyInto(code, region, key);
    return key;
}

void PostalKeyInto(QStringView code, const QString& region, QString& into)
{
    if (region == QLatin1String("US")) {
        DigitsInto(code, into);
        if (into.size() >= 5) {
            into.truncate(5);
            return;
        }
    }
    FoldTextInto(code, into);
    into.remove(QLatin1Char(' '));
}
