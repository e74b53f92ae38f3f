#include "platform/programdirectory.h"

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
