#include "exchange/storabletext.h"

#include "table/cp1252.h"

QString StorableText(const QString& text, bool& replaced)
{
    replaced = false;
    qsizetype i = Cp1252HeldPrefix(text);
    if (i == text.size())
        return text;
    replaced = true;
    QString result = text.left(i);
    result.reserve(text.size());
    for (; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (Cp1252CanHold(c)) {
            result.append(c);
            continue;
        }
        result.append(QLatin1Char('?'));
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
    }
    return result;
}
