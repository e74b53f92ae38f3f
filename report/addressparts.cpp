#include "report/addressparts.h"

#include "platform/trim.h"

QString AddressPart(const QString& value)
{
    const QString text = TrimLeading(value);
    return text.isEmpty() ? QString() : text + QLatin1Char(' ');
}

QString ComposeNameLine(const QString& prefix, const QString& first, const QString& middle, const QString& last)
{
    const QString middleName = TrimBoth(middle).isEmpty() ? middle : middle + QLatin1Char('.');
    return AddressPart(prefix) + AddressPart(first) + AddressPart(middleName) + AddressPart(last);
}
