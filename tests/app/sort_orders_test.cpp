#include "addressfile/addressschema.h"
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

TEST(SortOrders, EveryOrderIsATagOfTheAddressFile)
{
    for (const SortOrder& order : SortOrders)
        EXPECT_TRUE(AddressTagNames().contains(QString::fromLatin1(order.tag))) << order.tag;
}
