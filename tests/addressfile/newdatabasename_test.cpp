#include "addressfile_test_support.h"

#include "addressfile/tnewdatabasename.h"
#include "addressfile/tspecifyfieldlengths.h"
#include "support/recording_help.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

TEST(DatabaseName, UpToSixtyFourLettersDigitsSpacesUnderscoresAndHyphens)
{
    for (const QString& name : {QStringLiteral("ADD0003"), QStringLiteral("_x"), QStringLiteral("Webmail_Contacts"),
                                QStringLiteral("Webmail Contacts"), QStringLiteral("2024 club-members"),
                                QString::fromUtf16(u"\u00e9t\u00e9"), QString(64, u'a')})
        EXPECT_TRUE(IsValidDatabaseName(name)) << name.toStdString();
    for (const QString& name : {QString(), QString(65, u'a'), QStringLiteral(" lead"), QStringLiteral("trail "),
                                QStringLiteral("a.b"), QStringLiteral("a/b"), QStringLiteral("a*b")})
        EXPECT_FALSE(IsValidDatabaseName(name)) << name.toStdString();
}

TEST_F(AddressFileTest, TheProposalSkipsNamesTakenInAnyLetterCase)
{
    const QString data = programDir_.Path() + "DATA/";
    QDir().mkpath(data);
    EXPECT_EQ(ProposeDatabaseName(data), "ADD0001");
    for (const char* name : {"add0001.DBF", "ADD0002.dbf", "ADD0004.DBF"})
        QFile(data + name).open(QIODevice::WriteOnly);
    EXPECT_EQ(ProposeDatabaseName(data), "ADD0003");
}

TEST_F(AddressFileTest, ALongNameStaysWholeAndTheRuleShowsInFull)
{
    TNewDataBaseName dialog;
    EXPECT_EQ(dialog.windowTitle(), "Create new database");
    EXPECT_FALSE(dialog.OKButton->isEnabled());
    EXPECT_EQ(dialog.OKButton->text(), "Ok");
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClicks(dialog.DBFFileName, "Webmail_Contacts");
    EXPECT_EQ(dialog.DBFFileName->text(), "Webmail_Contacts");
    EXPECT_TRUE(dialog.OKButton->isEnabled());
    EXPECT_TRUE(dialog.InvalidNameLabel->isHidden());

    // Past 64 characters nothing is cut: the rule says why Ok is unavailable, every line of it.
    QTest::keyClicks(dialog.DBFFileName, QString(50, u'x'));
    EXPECT_EQ(dialog.DBFFileName->text().size(), 66);
    EXPECT_FALSE(dialog.OKButton->isEnabled());
    QApplication::processEvents();
    QLabel* rule = dialog.InvalidNameLabel;
    EXPECT_TRUE(rule->isVisible());
    EXPECT_EQ(rule->text(), "Invalid name. Use up to 64 letters, digits, spaces, \"_\" (underscore) or \"-\" "
                            "(hyphen), not beginning or ending with a space.");
    EXPECT_GE(rule->height(), rule->heightForWidth(rule->width()));
    EXPECT_TRUE(dialog.rect().contains(rule->geometry()));

    RecordingHelp help;
    dialog.findChild<QPushButton*>("HelpButton")->click();
    TSpecifyFieldLengths widths;
    widths.findChild<QPushButton*>("HelpButton")->click();
    EXPECT_EQ(help.requests, QStringList({"topic 1037", "topic 2097"}));
}
