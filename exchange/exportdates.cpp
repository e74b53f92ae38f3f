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
    return stored.left(4) + u'-' + stored.mid(4, 2) + u'-' + stored.mid(6, 2);
}

QString StoredDateFromIso(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.size() == 10 && trimmed[4] == u'-' && trimmed[7] == u'-') {
        const QString digits = trimmed.left(4) + trimmed.mid(5, 2) + trimmed.mid(8, 2);
        if (AllDigits(digits))
            return digits;
    }
    return trimmed.size() == 8 && AllDigits(trimmed) ? trimmed : text;
}
