#include "exchange/exportdates.h"

namespace {

bool AllDigits(QStringView text)
{
    for (QChar c : text)
        if (!c.isDigit())
            return false;
    return true;
}

} // namespace

QString ExportIsoDate(const QString& stored)
{
    if (stored.size() != 8 || !AllDigits(stored))
        return stored;
    const QStringView date(stored);
    QString iso;
    iso.reserve(10);
    return iso.append(date.first(4)).append(u'-').append(date.sliced(4, 2)).append(u'-').append(date.sliced(6, 2));
}

QString StoredDateFromIso(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.size() == 10 && trimmed[4] == u'-' && trimmed[7] == u'-') {
        const QStringView date(trimmed);
        QString digits;
        digits.reserve(8);
        digits.append(date.first(4)).append(date.sliced(5, 2)).append(date.sliced(8, 2));
        if (AllDigits(digits))
            return digits;
    }
    return trimmed.size() == 8 && AllDigits(trimmed) ? trimmed : text;
}
