#include "table/cp1252.h"
#include "table/enginetext.h"
#include "table/tableerror.h"

#include <gtest/gtest.h>

TEST(Cp1252, EveryByteReadsAndWritesBackUnchanged)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const QString text = Cp1252ToString(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(text[0x80], QChar(0x20AC)); // euro sign
    EXPECT_EQ(text[0x9F], QChar(0x0178)); // Y with diaeresis
    EXPECT_EQ(text[0xFC], QChar(0x00FC)); // u with diaeresis
    EXPECT_EQ(StringToCp1252(text), all);
    // The form that reuses its string's room reads the same, also after a longer text.
    QString room = QString(300, QLatin1Char('x'));
    Cp1252Into(all, room);
    EXPECT_EQ(room, text);
    Cp1252Into("\x80"
               "a",
               room);
    EXPECT_EQ(room, QString::fromUtf16(u"\u20aca"));
}

TEST(Cp1252, CharactersOutsideTheCodePageAreRefused)
{
    EXPECT_FALSE(StringToCp1252(QString::fromUtf16(u"M\u00fcller \u03a9")).has_value());
    EXPECT_FALSE(Cp1252CanHold(QChar(0x0416))); // Cyrillic Zhe
    EXPECT_TRUE(Cp1252CanHold(QChar(0x20AC)));
    EXPECT_EQ(StringToCp1252(QString::fromUtf16(u"\u20ac5 \u201cok\u201d")), std::string("\x80"
                                                                                         "5 \x93ok\x94"));
}

TEST(EngineTextLimit, TextsOver255CharactersNeverReachTheEngine)
{
    EXPECT_STREQ(EngineText::Text(QString(255, 'k')).c_str(), std::string(255, 'k').c_str());
    EXPECT_THROW(EngineText::Text(QString(256, 'k')), TableError);
    EXPECT_THROW(EngineText::Path(QStringLiteral("/") + QString(255, 'p')), TableError);
    // Bytes count, not characters: a path's non-ASCII letters take two bytes each.
    EXPECT_THROW(EngineText::Path(QString(128, QChar(0x00FC))), TableError);
    EXPECT_THROW(EngineText::Text(QString::fromUtf16(u"\u03a9")), TableError);
}
