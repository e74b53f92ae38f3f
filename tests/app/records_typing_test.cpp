#include "app/calcfields.h"
#include "app/overtype.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

TEST(Overtype, TypedCharactersReplaceUntilInsertIsToggled)
{
    QLineEdit edit("Jonh");
    OvertypeFilter overtype;
    edit.installEventFilter(&overtype);
    edit.setCursorPosition(2);
    QTest::keyClicks(&edit, "hn");
    EXPECT_EQ(edit.text(), "John");
    // At the end there is nothing to replace: typing appends.
    QTest::keyClicks(&edit, "ny");
    EXPECT_EQ(edit.text(), "Johnny");

    QTest::keyClick(&edit, Qt::Key_Insert);
    EXPECT_TRUE(overtype.Inserting());
    edit.setCursorPosition(0);
    QTest::keyClicks(&edit, "Li");
    EXPECT_EQ(edit.text(), "LiJohnny");
}

TEST(Overtype, ExemptKeysKeepTheirOwnMeaning)
{
    QLineEdit edit("abcd");
    OvertypeFilter overtype;
    edit.installEventFilter(&overtype);
    edit.setCursorPosition(2);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), "acd");
    QTest::keyClick(&edit, Qt::Key_Delete);
    EXPECT_EQ(edit.text(), "ad");
    QTest::keyClick(&edit, Qt::Key_Left);
    EXPECT_FALSE(edit.hasSelectedText());
    // A space is a character like any other.
    QTest::keyClick(&edit, Qt::Key_Space);
    EXPECT_EQ(edit.text(), " d");

    for (int key : {Qt::Key_F5, Qt::Key_Home, Qt::Key_PageDown, Qt::Key_Escape, Qt::Key_CapsLock}) {
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
        EXPECT_TRUE(IsOvertypeExempt(&e)) << key;
    }
    QKeyEvent ctrlC(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier, "c");
    EXPECT_TRUE(IsOvertypeExempt(&ctrlC));
    QKeyEvent digit(QEvent::KeyPress, Qt::Key_7, Qt::KeypadModifier, "7");
    EXPECT_FALSE(IsOvertypeExempt(&digit));
}

TEST(CalculatedFields, NamesDropEmptyPartsAtTheirTrimmedEnds)
{
    EXPECT_EQ(FullNameOf("John", "Q", "Smith"), "John Q Smith");
    EXPECT_EQ(FullNameOf("John", "", "Smith"), "John Smith");
    EXPECT_EQ(FullNameWithPrefixOf("Dr.", "John", "Q", "Smith"), "Dr. John Q Smith");
    EXPECT_EQ(FullNameWithPrefixOf("", "John", "", "Smith"), "John Smith");
    EXPECT_EQ(FullNameWithPrefixOf("Dr.", "", "", "Who"), "Dr. Who");
}

TEST(CalculatedFields, CityStateZipSkipsMissingParts)
{
    EXPECT_EQ(CityStateZipOf("Troy", "NY", "12180"), "Troy NY 12180");
    EXPECT_EQ(CityStateZipOf("", "NY", "12180"), "NY 12180");
    EXPECT_EQ(CityStateZipOf("", "", "K1A 0B1"), "K1A 0B1");
}

TEST(CalculatedFields, TaggedOnlyAgainstARealTagId)
{
    EXPECT_TRUE(IsTagged("A1B2C3D4", "A1B2C3D4"));
    EXPECT_FALSE(IsTagged("A1B2C3D4", "FFFF0000"));
    EXPECT_FALSE(IsTagged("", ""));
}
