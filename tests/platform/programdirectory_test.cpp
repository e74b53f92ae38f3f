#include "platform/programdirectory.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ProgramDirectory, APortableInstallKeepsItsFilesBesideTheProgram)
{
    QTemporaryDir exe;
    const QString userData = exe.path() + "/user";
    EXPECT_EQ(ChooseProgramDirectory(exe.path(), userData), userData + "/");

    QFile ini(exe.path() + "/ADR.ini");
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.close();
    EXPECT_EQ(ChooseProgramDirectory(exe.path(), userData), exe.path() + "/");
}

TEST(ProgramDirectory, AlwaysEndsInOneSeparator)
{
    EXPECT_EQ(WithTrailingSeparator("/a/b"), "/a/b/");
    EXPECT_EQ(WithTrailingSeparator("/a/b/"), "/a/b/");
    SetProgramDirectory("/tmp/somewhere");
    EXPECT_EQ(ProgramDirectory(), "/tmp/somewhere/");
    SetProgramDirectory(QString());
    EXPECT_NE(ProgramDirectory(), "/tmp/somewhere/");
    EXPECT_TRUE(ProgramDirectory().endsWith('/'));
}

TEST(ProgramDirectory, TheCatalogueIsFoundBesideTheProgramOrInItsSharedFolder)
{
    QTemporaryDir prefix;
    const QString bin = prefix.path() + "/bin";
    ASSERT_TRUE(QDir().mkpath(bin) && QDir().mkpath(prefix.path() + "/share/addrina"));
    EXPECT_EQ(ShippedCatalogue(bin), "");
    QFile installed(prefix.path() + "/share/addrina/adr.tpl");
    ASSERT_TRUE(installed.open(QIODevice::WriteOnly));
    installed.close();
    EXPECT_EQ(ShippedCatalogue(bin), installed.fileName());
    QFile beside(bin + "/adr.tpl");
    ASSERT_TRUE(beside.open(QIODevice::WriteOnly));
    beside.close();
    EXPECT_EQ(ShippedCatalogue(bin), beside.fileName()) << "a build's own catalogue comes first";
}
