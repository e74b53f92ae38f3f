#include "platform/inifile.h"
#include "platform/programdirectory.h"
#include "platform/settings.h"
#include "platform/textfile.h"
#include "support/scripted_messages.h"
#include "support/temp_program_dir.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

class SettingsFile : public ::testing::Test {
protected:
    TempProgramDirectory dir;
};

TEST_F(SettingsFile, MissingFileAndKeysGiveTheDefaults)
{
    EXPECT_EQ(ReadSettingString("Dialing", "Prefix", "9,"), "9,");
    EXPECT_EQ(ReadSettingInteger("Editing", "AggressiveSave", 1), 1);
    EXPECT_TRUE(ReadSettingBool("Adding", "PlugDate", true));
    EXPECT_FALSE(QFile::exists(dir.File("ADR.ini")));

    dir.WriteSettingsText("[Dialing]\nInit=ATZ\n");
    EXPECT_EQ(ReadSettingString("Dialing", "Prefix"), "");
    EXPECT_EQ(ReadSettingInteger("Other", "Port", 3), 3);
}

TEST_F(SettingsFile, IntegersReadDecimalOrHexAndAnythingElseGivesTheDefault)
{
    dir.WriteSettingsText("[N]\nHex=0x10\nUpperHex=0XfF\nNeg=-12\nWord=abc\nShortHex=0x\nBadHex=0x1G\n"
                          "Mixed=12abc\nEmpty=\nBlanks=  42  \nHuge=99999999999\nAllBits=0xFFFFFFFF\n");
    EXPECT_EQ(ReadSettingInteger("N", "Hex", 7), 16);
    EXPECT_EQ(ReadSettingInteger("N", "UpperHex", 7), 255);
    EXPECT_EQ(ReadSettingInteger("N", "Neg", 7), -12);
    EXPECT_EQ(ReadSettingInteger("N", "Word", 7), 7);
    EXPECT_EQ(ReadSettingInteger("N", "ShortHex", 7), 7);
    EXPECT_EQ(ReadSettingInteger("N", "BadHex", 7), 7);
    EXPECT_EQ(ReadSettingInteger("N", "Mixed", 7), 7);
    EXPECT_EQ(ReadSettingInteger("N", "Empty", 7), 7);
    EXPECT_EQ(ReadSettingInteger("N", "Blanks", 7), 42);
    EXPECT_EQ(ReadSettingInteger("N", "Huge", 7), 7);
    EXPECT_EQ(ReadSettingInteger("N", "AllBits", 7), -1);
}

TEST_F(SettingsFile, BooleansAreOneAndZeroAndAnyNonZeroIsTrue)
{
    WriteSettingBool("Adding", "PlugDate", true);
    WriteSettingBool("Adding", "PlugCityState", false);
    EXPECT_EQ(dir.SettingsText(), "[Adding]\nPlugDate=1\nPlugCityState=0\n");

    dir.WriteSettingsText("[Adding]\nA=5\nB=junk\nC=0x0\n");
    EXPECT_TRUE(ReadSettingBool("Adding", "A", false));
    EXPECT_TRUE(ReadSettingBool("Adding", "B", true));
    EXPECT_FALSE(ReadSettingBool("Adding", "B", false));
    EXPECT_FALSE(ReadSettingBool("Adding", "C", true));
}

TEST_F(SettingsFile, NamesMatchWithoutRegardToCaseAndOtherTextIsKept)
{
    dir.WriteSettingsText("; written by hand\n[mru]\nitem1=/a.dbf\n\n[Other]\nKeep=this\n# note\n");
    EXPECT_EQ(ReadSettingString("MRU", "Item1"), "/a.dbf");

    WriteSettingString("MRU", "ITEM1", "/b.dbf");
    WriteSettingString("Mru", "Item2", "/a.dbf");
    WriteSettingInteger("Dialing", "Port", 2);
    EXPECT_EQ(dir.SettingsText(), "; written by hand\n[mru]\nitem1=/b.dbf\nItem2=/a.dbf\n\n[Other]\nKeep=this\n"
                                  "# note\n\n[Dialing]\nPort=2\n");
}

TEST_F(SettingsFile, StringsReadBackAtMost1023Characters)
{
    const QString longText(1500, QLatin1Char('x'));
    WriteSettingString("Adding", "DefaultCountry", longText);
    EXPECT_EQ(ReadSettingString("Adding", "DefaultCountry"), longText.left(1023));
}

TEST_F(SettingsFile, ValuesKeepTheirTextButNotSurroundingBlanksQuotesOrLineBreaks)
{
    WriteSettingString("Adding", "DefaultCountry", "Côte d'Ivoire");
    EXPECT_EQ(ReadSettingString("Adding", "DefaultCountry"), "Côte d'Ivoire");

    WriteSettingString("Dialing", "Init", "AT&F\r\nATZ");
    EXPECT_EQ(ReadSettingString("Dialing", "Init"), "AT&F ATZ");

    dir.WriteSettingsText("[S]\nQuoted=\"  padded  \"\nBlank=   spaced out   \n");
    EXPECT_EQ(ReadSettingString("S", "Quoted"), "  padded  ");
    EXPECT_EQ(ReadSettingString("S", "Blank"), "spaced out");
}

TEST_F(SettingsFile, FilesFromOlderInstallationsReadAsWindows1252AndKeepTheirLineEnds)
{
    QFile file(dir.File("ADR.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Adding]\r\nDefaultCountry=Espa\xF1"
               "a \x80\r\n");
    file.close();
    EXPECT_EQ(ReadSettingString("Adding", "DefaultCountry"), QString::fromUtf8("España €"));

    WriteSettingBool("Adding", "PlugDate", true);
    EXPECT_EQ(dir.SettingsText(), QString::fromUtf8("[Adding]\r\nDefaultCountry=España €\r\nPlugDate=1\r\n"));
}

TEST_F(SettingsFile, AFailedWriteNamesTheFileAndStopsTheBatch)
{
    // A program directory beneath a plain file cannot be written, even by root.
    QFile blocker(dir.File("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    SetProgramDirectory(dir.File("blocker/inner"));
    const QString path = dir.File("blocker/inner/ADR.ini");

    try {
        WriteSettingString("MRU", "Item1", "x");
        FAIL() << "the write should have failed";
    } catch (const SettingsWriteError& error) {
        EXPECT_EQ(error.Message(), "Unable to write to " + path);
    }

    ScriptedMessages boxes;
    int writesMade = 0;
    const bool written = WriteSettingsBatch([&] {
        WriteSettingString("MRU", "Item1", "x");
        ++writesMade;
    });
    EXPECT_FALSE(written);
    EXPECT_EQ(writesMade, 0);
    EXPECT_EQ(boxes.Texts(), QStringList{"Unable to write to " + path});
}

TEST(IniText, KeysGoAtTheEndOfTheirSectionBeforeBlankLines)
{
    IniText ini("[A]\nx=1\n\n[B]\ny=2\n");
    ini.SetValue("a", "z", "3");
    EXPECT_EQ(ini.Text(), "[A]\nx=1\nz=3\n\n[B]\ny=2\n");
    bool found = true;
    EXPECT_EQ(ini.Value("B", "x", &found), "");
    EXPECT_FALSE(found);
}

TEST(IniText, CommentedKeysAndKeysOfOtherSectionsAreNotMatched)
{
    IniText ini(";x=commented\nx=outside\n[A]\n;x=0\n[B]\nx=2\n");
    bool found = true;
    ini.Value("A", "x", &found);
    EXPECT_FALSE(found);
    ini.SetValue("A", "x", "1");
    EXPECT_EQ(ini.Value("A", "x"), "1");
    EXPECT_EQ(ini.Value("B", "x"), "2");
    EXPECT_EQ(ini.Text(), ";x=commented\nx=outside\n[A]\n;x=0\nx=1\n[B]\nx=2\n");
}

TEST(TextFile, Windows1252RoundTripsAndRefusesWhatItCannotHold)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    bool ok = false;
    EXPECT_EQ(ToWindows1252(FromWindows1252(all), &ok), all);
    EXPECT_TRUE(ok);
    EXPECT_EQ(ToWindows1252(QString::fromUtf8("a\u4E2Db"), &ok), "a?b");
    EXPECT_FALSE(ok);
}
