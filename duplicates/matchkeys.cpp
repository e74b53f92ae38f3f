#include "duplicates/matchkeys.h"

#include "duplicates/phonekey.h"
#include "duplicates/streetkey.h"

#include <QHash>

namespace {

quint64 Hash(const QString& text)
{
    return text.isEmpty() ? 0 : qHash(text, 0x5eed) | 1;
}

} // namespace

MatchKeys KeysOf(const Contact& contact, const QString& defaultRegion)
{
    MatchKeys keys;
    keys.position = contact.position;
    keys.firstName = contact.first.trimmed();
    keys.last = Hash(FoldText(contact.last).remove(QLatin1Char(' ')));
    const QString first = FoldText(contact.first);
    keys.first = Hash(first);
    const QString firstWord = first.left(first.indexOf(QLatin1Char(' ')));
    keys.firstWord = Hash(firstWord);
    keys.nameGroups = NameGroupsOf(firstWord);
    if (!firstWord.isEmpty())
        keys.initial = firstWord.front();
    keys.initialOnly = first.size() == 1;
    const QString region = RegionOfCountry(contact.country, defaultRegion);
    const QString zip = PostalKey(contact.zip, region);
    keys.zip = Hash(zip);
    const StreetKey street = StreetKeyOf(contact.street);
    if (!street.number.isEmpty() && !zip.isEmpty())
        keys.street = Hash(street.number + QLatin1Char('|') + street.words + QLatin1Char('|') + zip);
    keys.email = Hash(contact.email.trimmed().toLower());
    std::size_t slot = 0;
    for (const QString& phone : contact.phones) {
        const quint64 key = Hash(PhoneKey(phone, region));
        if (key != 0 && slot < keys.phones.size())
            keys.phones[slot++] = key;
    }
    return keys;
}
