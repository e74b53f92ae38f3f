#include "duplicates/matchkeys.h"

#include "duplicates/phonekey.h"
#include "duplicates/streetkey.h"

#include <cstring>

namespace {

// A hash of our own rather than qHash: the same in every run and on every machine, so a
// key may be kept in a file, and cheaper on these short texts, taken eight bytes at a time.
quint64 Hash(QStringView text)
{
    if (text.isEmpty())
        return 0;
    constexpr quint64 kOdd = 0x9e3779b97f4a7c15ULL;
    const char* bytes = reinterpret_cast<const char*>(text.utf16());
    std::size_t left = static_cast<std::size_t>(text.size()) * 2;
    quint64 hash = left * kOdd;
    while (left > 0) {
        quint64 word = 0;
        const std::size_t taken = std::min<std::size_t>(left, 8);
        std::memcpy(&word, bytes, taken);
        hash = (hash ^ word) * kOdd;
        hash ^= hash >> 29;
        bytes += taken;
        left -= taken;
    }
    hash *= 0xbf58476d1ce4e5b9ULL;
    return (hash ^ (hash >> 32)) | 1;
}

// Lower case without Unicode's tables for the plain ASCII that nearly every e-mail
// address is, and without a copy when it is lower case already.
QString Lowered(const QString& text)
{
    bool upper = false;
    for (const QChar c : text) {
        if (c.unicode() > 0x7f)
            return text.toLower();
        upper = upper || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
    }
    if (!upper)
        return text;
    QString lowered = text;
    for (QChar& c : lowered)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    return lowered;
}

} // namespace

MatchKeys KeysOf(const Contact& contact, const QString& defaultRegion)
{
    MatchKeys keys = BlockingKeysOf(contact, defaultRegion);
    KeyGivenName(keys);
    return keys;
}

void KeyGivenName(MatchKeys& keys)
{
    if (!keys.givenPending)
        return;
    keys.givenPending = false;
    const QString first = FoldText(keys.firstName);
    keys.first = Hash(first);
    const QString firstWord = first.left(first.indexOf(QLatin1Char(' ')));
    keys.firstWord = Hash(firstWord);
    keys.nameGroups = NameGroupsOf(firstWord);
    if (!firstWord.isEmpty())
        keys.initial = firstWord.front();
    keys.initialOnly = first.size() == 1;
}

MatchKeys BlockingKeysOf(const Contact& contact, const QString& defaultRegion)
{
    MatchKeys keys;
    keys.position = contact.position;
    keys.firstName = contact.first.trimmed();
    keys.givenPending = true;
    keys.last = Hash(FoldText(contact.last).remove(QLatin1Char(' ')));
    const QString region = RegionOfCountry(contact.country, defaultRegion);
    const QString zip = PostalKey(contact.zip, region);
    keys.zip = Hash(zip);
    const StreetKey street = StreetKeyOf(contact.street);
    if (!street.number.isEmpty() && !zip.isEmpty())
        keys.street = Hash(street.number + QLatin1Char('|') + street.words + QLatin1Char('|') + zip);
    keys.email = Hash(Lowered(contact.email.trimmed()));
    std::size_t slot = 0;
    for (const QString& phone : contact.phones) {
        const quint64 key = Hash(PhoneKey(phone, region));
        if (key != 0 && slot < keys.phones.size())
            keys.phones[slot++] = key;
    }
    return keys;
}
