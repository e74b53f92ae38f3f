#include "platform/stagedfile.h"
#include "support/child_process.h"
#include "support/file_size_limit.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

void WriteEarlier(const QString& path)
{
    QFile earlier(path);
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier");
}

QStringList Entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden);
}

// Writes into a staged file and is killed before it is complete.
int writeAndDie(const QStringList& arguments)
{
    StagedFile file(arguments.value(0),
                    arguments.value(1) == "named" ? StagedFile::Staging::Named : StagedFile::Staging::Unnamed);
    if (!file.Open())
        return 1;
    file.write(QByteArray(300000, 'x'));
    ::raise(SIGKILL);
    return 2;
}
const ChildMainRegistration dieEntry("staged-file-die", writeAndDie);

void KillChildWriting(const QString& target, const QString& staging)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), ChildArguments("staged-file-die", {target, staging}));
    ASSERT_TRUE(child.waitForFinished(20000));
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);
}

} // namespace

TEST(StagedFile, NothingIsSeenUntilCommitAndTheFileHasTheUsersPermissions)
{
    QTemporaryDir dir;
    const QString target = dir.filePath("out.pdf");
    const mode_t saved = ::umask(022);
    StagedFile file(target);
    ASSERT_TRUE(file.Open());
    EXPECT_EQ(file.write("%PDF whole"), 10);
    EXPECT_TRUE(Entries(dir.path()).isEmpty());
    ASSERT_TRUE(file.Commit()) << file.Error().toStdString();
    ::umask(saved);
    EXPECT_EQ(Entries(dir.path()), QStringList{"out.pdf"});
    EXPECT_EQ(Contents(target), "%PDF whole");
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);

    // A second file replaces the first whole; a discarded one leaves it as it was.
    for (const auto staging : {StagedFile::Staging::Unnamed, StagedFile::Staging::Named}) {
        StagedFile next(target, staging);
        ASSERT_TRUE(next.Open());
        next.write("%PDF second");
        ASSERT_TRUE(next.Commit());
        EXPECT_EQ(Contents(target), "%PDF second");
        StagedFile dropped(target, staging);
        ASSERT_TRUE(dropped.Open());
        dropped.write("%PDF dropped");
        dropped.Discard();
        EXPECT_EQ(Contents(target), "%PDF second");
        EXPECT_EQ(Entries(dir.path()), QStringList{"out.pdf"});
    }
}

TEST(StagedFile, AFailedWriteOrAMissingFolderSaysWhyAndLeavesTheTargetAlone)
{
    QTemporaryDir dir;
    const QString target = dir.filePath("out.pdf");
    WriteEarlier(target);
    for (const auto staging : {StagedFile::Staging::Unnamed, StagedFile::Staging::Named}) {
        StagedFile file(target, staging);
        ASSERT_TRUE(file.Open());
        {
            FileSizeLimit full(100000);
            file.write(QByteArray(60000, 'x'));
            file.write(QByteArray(60000, 'y')); // still in the buffer: the flush at the end fails
            EXPECT_FALSE(file.Commit());
        }
        EXPECT_EQ(file.Error(), "File too large");
        EXPECT_EQ(Contents(target), "earlier");
        EXPECT_EQ(Entries(dir.path()), QStringList{"out.pdf"});
    }

    StagedFile underAFile(dir.filePath("out.pdf/inside.pdf"));
    EXPECT_FALSE(underAFile.Open());
    EXPECT_EQ(underAFile.Error(), "Not a directory");
}

TEST(StagedFile, AJobKilledPartWayLeavesNothingOnceTheNextOneOpens)
{
    QTemporaryDir dir;
    const QString target = dir.filePath("labels.pdf");
    WriteEarlier(target);
    KillChildWriting(target, "unnamed");
    EXPECT_EQ(Entries(dir.path()), QStringList{"labels.pdf"});
    EXPECT_EQ(Contents(target), "earlier");

    // Without unnamed files a hidden one is left; the next job in the folder removes it,
    // but not one that a running job holds.
    KillChildWriting(target, "named");
    const QStringList left = Entries(dir.path()).filter(QRegularExpression("^\\.addrina-......\\.pdf$"));
    EXPECT_EQ(left.size(), 1);
    EXPECT_EQ(Contents(target), "earlier");
    StagedFile running(dir.filePath("other.pdf"), StagedFile::Staging::Named);
    ASSERT_TRUE(running.Open());
    const QStringList held = Entries(dir.path()).filter(".addrina-");
    ASSERT_EQ(held.size(), 1); // the killed job's went, the running job's is there
    EXPECT_NE(held, left);
    StagedFile next(target);
    ASSERT_TRUE(next.Open());
    EXPECT_EQ(Entries(dir.path()).filter(".addrina-"), held);
    next.write("%PDF");
    ASSERT_TRUE(next.Commit());
    running.Discard();
    EXPECT_EQ(Entries(dir.path()), QStringList{"labels.pdf"});
    EXPECT_EQ(Contents(target), "%PDF");
}
