#include "platform/buddylabel.h"

#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

TEST(BuddyLabel, FindsTheLabelNamingAControlAnywhereBelowTheWindow)
{
    QWidget window;
    auto* panel = new QWidget(&window);
    auto* first = new QLineEdit(panel);
    auto* zip = new QLineEdit(panel);
    auto* unnamed = new QLineEdit(&window);
    new QLabel(QStringLiteral("Notes"), &window); // names nothing
    auto* firstLabel = new QLabel(QStringLiteral("&First Name"), panel);
    firstLabel->setBuddy(first);
    auto* zipLabel = new QLabel(QStringLiteral("Zip"), &window);
    zipLabel->setBuddy(zip);

    EXPECT_EQ(BuddyLabelOf(&window, first), firstLabel);
    EXPECT_EQ(BuddyLabelOf(&window, zip), zipLabel);
    EXPECT_EQ(BuddyLabelOf(&window, unnamed), nullptr);
    EXPECT_EQ(BuddyLabelOf(panel, zip), nullptr) << "only labels below the window given count";
}

} // namespace
