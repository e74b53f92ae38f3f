#include "app/sortorders.h"

#include <gtest/gtest.h>

#include <QSet>

TEST(SortOrders, EveryTextMapsToItsOwnTag)
{
    QSet<QString> tags;
    for (const SortOrder& order : SortOrders) {
        const QString text = OrderCaptionText(QString::fromLatin1(order.caption));
        EXPECT_EQ(OrderTagForText(text), QString::fromLatin1(order.tag)) << order.caption;
        tags.insert(QString::fromLatin1(order.tag));
    }
    EXPECT_EQ(tags.size(), 14);
}

TEST(SortOrders, TextsDropTheAcceleratorAndIgnoreCase)
{
    EXPECT_EQ(OrderTexts().first(), "Last Name");
    EXPECT_EQ(OrderTexts().at(10), "E-mail");
    EXPECT_EQ(OrderTagForText("e-MAIL"), "EMAIL");
    EXPECT_EQ(OrderTagForText("CITY"), "CITY");
    // Texts that name no order select nothing, so the order stays as it was.
    EXPECT_TRUE(OrderTagForText("Name").isEmpty());
    EXPECT_TRUE(OrderTagForText("").isEmpty());
    EXPECT_TRUE(OrderTagForText("&City").isEmpty());
}

TEST(SortOrders, CaptionTextIsCutAtThirtyCharacters)
{
    const QString caption = "&" + QString(40, 'x');
    EXPECT_EQ(OrderCaptionText(caption).size(), 30);
    EXPECT_TRUE(OrderItemMatches(caption, QString(30, 'X')));
    EXPECT_FALSE(OrderItemMatches(caption, QString(40, 'X')));
}

TEST(SortOrders, ExactlyOneItemMatchesEachText)
{
    for (const QString& text : OrderTexts()) {
        int matches = 0;
        for (const SortOrder& order : SortOrders)
            matches += OrderItemMatches(QString::fromLatin1(order.caption), text.toLower()) ? 1 : 0;
        EXPECT_EQ(matches, 1) << text.toStdString();
    }
}
