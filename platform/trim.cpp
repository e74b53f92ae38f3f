#include "platform/trim.h"

QString TrimLeading(const QString& text)
{
    qsizetype start = 0;
    while (start < text.size() && text.at(start) == QLatin1Char(' '))
        ++start;
    return text.mid(start);
}

QString TrimTrailing(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.left(end);
}

QString TrimBoth(const QString& text)
{
    return TrimLeading(TrimTrailing(text));
}
