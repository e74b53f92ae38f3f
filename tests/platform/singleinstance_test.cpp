#include "platform/singleinstance.h"
#include "support/child_process.h"

#include <QCoreApplication>
#include <QLocalServer>
#include <QProcess>
#include <QThread>
#include <QTimer>
#include <QUuid>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

// A copy of "the program": claims the name, reports which copy it is, and (when it is
// the first) waits to be asked to raise its window.
int runCopy(const QStringList& arguments)
{
    SingleInstanceGuard guard(arguments.value(0));
    if (!guard.Claim()) {
        std::puts("second");
        return 0;
    }
    std::puts("first");
    std::fflush(stdout);
    if (arguments.value(1) == "busy") {
        // Long work on the window thread: no event loop runs to answer a later copy.
        QThread::sleep(4);
        return 0;
    }
    int exitCode = 1;
    QObject::connect(&guard, &SingleInstanceGuard::RaiseRequested, [&] {
        std::puts("raised");
        exitCode = 0;
        QCoreApplication::quit();
    });
    QTimer::singleShot(15000, [] { QCoreApplication::quit(); });
    QCoreApplication::exec();
    return exitCode;
}
const ChildMainRegistration copyEntry("instance-copy", runCopy);

class Copy {
public:
    explicit Copy(const QString& name, const QString& mode = {})
    {
        process.setProgram(QCoreApplication::applicationFilePath());
        process.setArguments(ChildArguments("instance-copy", {name, mode}));
        process.start();
    }
    ~Copy()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    }
    QString ReadLine(int ms = 10000)
    {
        while (!process.canReadLine())
            if (!process.waitForReadyRead(ms))
                return {};
        return QString::fromLocal8Bit(process.readLine()).trimmed();
    }
    QProcess process;
};

QString uniqueName()
{
    return "addrina-test-" + QUuid::createUuid().toString(QUuid::WithoutBraces);
}

} // namespace

TEST(SingleInstance, ASecondCopyRaisesTheFirstAndEnds)
{
    const QString name = uniqueName();
    Copy first(name);
    ASSERT_EQ(first.ReadLine(), "first");

    Copy second(name);
    ASSERT_TRUE(second.process.waitForFinished(10000));
    EXPECT_EQ(second.ReadLine(), "second");
    EXPECT_EQ(second.process.exitCode(), 0);

    EXPECT_EQ(first.ReadLine(), "raised");
    ASSERT_TRUE(first.process.waitForFinished(10000));
    EXPECT_EQ(first.process.exitCode(), 0);
}

TEST(SingleInstance, ASocketLeftByACrashedCopyDoesNotBlockStartUp)
{
    const QString name = uniqueName();
    {
        Copy crashed(name);
        ASSERT_EQ(crashed.ReadLine(), "first");
        crashed.process.kill();
        crashed.process.waitForFinished();
    }
    Copy next(name);
    EXPECT_EQ(next.ReadLine(), "first");
    QLocalServer::removeServer(name);
}

TEST(SingleInstance, ABusyFirstCopyStillKeepsASecondFromRunning)
{
    const QString name = uniqueName();
    Copy busy(name, "busy");
    ASSERT_EQ(busy.ReadLine(), "first");
    Copy second(name);
    ASSERT_TRUE(second.process.waitForFinished(10000));
    EXPECT_EQ(second.ReadLine(), "second");
}

TEST(SingleInstance, TheNameIsPerProgramFileAndUser)
{
    const QString name = SingleInstanceGuard::DefaultName();
    EXPECT_TRUE(name.startsWith(QCoreApplication::applicationFilePath().section('/', -1) + "-"));
}
