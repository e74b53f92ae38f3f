#include "addressfile_test_support.h"

#include "addressfile/tnewdatabasename.h"
#include "addressfile/tspecifyfieldlengths.h"
#include "support/recording_help.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TEST(DatabaseName, IdentifierRules)
{
    EXPECT_TRUE(IsValidDatabaseName("ADD0003"));
    EXPECT_TRUE(IsValidDatabaseName("_x"));
    EXPECT_TRUE(IsValidDatabaseName("a_9"));
    EXPECT_FALSE(IsValidDatabaseName("1ABCDEFG"));
    EXPECT_FALSE(IsValidDatabaseName(""));
    EXPECT_FALSE(IsValidDatabaseName("my file"));
    EXPECT_FALSE(IsValidDatabaseName("a.b"));
    EXPECT_FALSE(IsValidDatabaseName(QString::fromUtf16(u"\u00e9t\u00e9")));
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

TEST_F(AddressFileTest, OkStaysDisabledAndTheWarningShowsForAnInvalidName)
{
    TNewDataBaseName dialog;
    EXPECT_EQ(dialog.windowTitle(), "Create new database");
    EXPECT_FALSE(dialog.OKButton->isEnabled());
    EXPECT_EQ(dialog.DBFFileName->maxLength(), 8);
    dialog.DBFFileName->setText("1ABCDEFG");
    EXPECT_FALSE(dialog.OKButton->isEnabled());
    EXPECT_FALSE(dialog.InvalidNameLabel->isHidden());
    dialog.DBFFileName->setText("_ABCDEFG");
    EXPECT_TRUE(dialog.OKButton->isEnabled());
    EXPECT_TRUE(dialog.InvalidNameLabel->isHidden());
    EXPECT_EQ(dialog.OKButton->text(), "Ok [PgDn]");
    EXPECT_EQ(dialog.InvalidNameLabel->text(),
              "Invalid name. Must start with A..Z, followed by A..Z,0..9 or \"_\" (underscore)");

    RecordingHelp help;
    dialog.findChild<QPushButton*>("HelpButton")->click();
    TSpecifyFieldLengths widths;
    widths.findChild<QPushButton*>("HelpButton")->click();
    EXPECT_EQ(help.requests, QStringList({"topic 1037", "topic 2097"}));
}
