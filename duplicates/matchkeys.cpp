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
// address is, and without a copy when it is lower case already: the text itself, or room
// holding it lowered.
QStringView Lowered(QStringView text, QString& room)
{
    bool upper = false;
    for (const QChar c : text) {
        if (c.unicode() > 0x7f) {
            room = text.toString().toLower();
            return room;
        }
        upper = upper || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
    }
    if (!upper)
        return text;
    room.resize(text.size());
    QChar* out = room.data();
    for (const QChar c : text)
        *out++ = c >= QLatin1Char('A') && c <= QLatin1Char('Z') ? QChar(c.unicode() + ('a' - 'A')) : c;
    return room;
}

// Room for the keys as they are made, kept from one contact to the next by each thread
// that keys them.
struct KeyRoom {
    QString text, zip, joined;
    StreetKey street;
};

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
    thread_local KeyRoom room;
    MatchKeys keys;
    keys.position = contact.position;
    keys.firstName = contact.first.trimmed();
    keys.givenPending = true;
    FoldTextInto(contact.last, room.text);
    keys.last = Hash(room.text.remove(QLatin1Char(' ')));
    const QString region = RegionOfCountry(contact.country, defaultRegion);
    PostalKeyInto(contact.zip, region, room.zip);
    keys.zip = Hash(room.zip);
    StreetKeyInto(contact.street, room.street, room.text);
    if (!room.street.number.isEmpty() && !room.zip.isEmpty()) {
        room.joined.resize(0);
        room.joined.append(room.street.number).append(QLatin1Char('|')).append(room.street.words);
        keys.street = Hash(room.joined.append(QLatin1Char('|')).append(room.zip));
    }
    keys.email = Hash(Lowered(QStringView(contact.email).trimmed(), room.text));
    std::size_t slot = 0;
    for (const QString& phone : contact.phones) {
        PhoneKeyInto(phone, region, room.text);
        const quint64 key = Hash(room.text);
        if (key != 0 && slot < keys.phones.size())
            keys.phones[slot++] = key;
    }
    return keys;
}
