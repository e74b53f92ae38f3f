#include "app/sortorders.h"

QString OrderCaptionText(const QString& caption)
{
    return caption.mid(1, 30);
}

QString OrderTagForText(const QString& text)
{
    const QString wanted = text.toUpper();
    for (const SortOrder& order : SortOrders) {
        if (OrderCaptionText(QString::fromLatin1(order.caption)).toUpper() == wanted)
            return QString::fromLatin1(order.tag);
    }
    return {};
}

bool OrderItemMatches(const QString& caption, const QString& text)
{
    return OrderCaptionText(caption).toUpper() == text.toUpper();
}

QStringList OrderTexts()
{
    QStringList texts;
    for (const SortOrder& order : SortOrders)
        texts << OrderCaptionText(QString::fromLatin1(order.caption));
    return texts;
}

QString OrderTextForTag(const QString& tag)
{
    for (const SortOrder& order : SortOrders)
        if (tag == QLatin1StringView(order.tag))
            return OrderCaptionText(QString::fromLatin1(order.caption));
    return {};
}
