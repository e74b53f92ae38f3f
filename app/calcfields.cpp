#include "app/calcfields.h"

#include "platform/trim.h"

QString FullNameOf(const QString& first, const QString& middle, const QString& last)
{
    return TrimTrailing(first + " " + middle) + " " + last;
}

QString FullNameWithPrefixOf(const QString& prefix, const QString& first, const QString& middle,
                             const QString& last)
{
    return TrimBoth(prefix + " " + first + " " + middle) + " " + last;
}

QString CityStateZipOf(const QString& city, const QString& state, const QString& zip)
{
    return TrimLeading(city + " ") + TrimLeading(state + " ") + zip;
}

bool IsTagged(const QString& tag, const QString& tagId)
{
    return !tagId.isEmpty() && tag == tagId;
}
