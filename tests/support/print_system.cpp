#include "print_system.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <csignal>
#include <cups/cups.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

const char* const kDriver = "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd";

bool WriteText(const QString& path, const QString& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text.toUtf8()) == text.toUtf8().size();
}

// Waits up to `ms` for the process to end; true when it did.
bool Reaped(pid_t pid, int ms)
{
    for (QElapsedTimer t; !t.isValid() || t.elapsed() < ms; QThread::msleep(20)) {
        if (!t.isValid())
            t.start();
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return true;
    }
    return false;
}

} // namespace

TestPrintSystem::TestPrintSystem()
{
    hadServer_ = qEnvironmentVariableIsSet("CUPS_SERVER");
    previousServer_ = qgetenv("CUPS_SERVER");
    // The scheduler's filters run as its own user, which must reach the spool in here.
    chmod(QFile::encodeName(dir_.path()).constData(), 0755);
    for (const char* sub : {"etc", "spool/tmp", "cache", "state", "log", "out"})
        QDir(dir_.path()).mkpath(QString::fromLatin1(sub));
    const QString socket = Path(QStringLiteral("cups.sock"));
    const bool written =
        WriteText(Path(QStringLiteral("etc/cupsd.conf")),
                  QStringLiteral("LogLevel debug\nListen %1\nBrowsing No\nWebInterface No\nDefaultAuthType None\n"
                                 "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                                 "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n")
                      .arg(socket)) &&
        WriteText(Path(QStringLiteral("etc/cups-files.conf")),
                  QStringLiteral("ServerRoot %1/etc\nRequestRoot %1/spool\nTempDir %1/spool/tmp\nCacheDir %1/cache\n"
                                 "StateDir %1/state\nErrorLog %1/log/error_log\nAccessLog %1/log/access_log\n"
                                 "PageLog %1/log/page_log\nFileDevice No\n")
                      .arg(dir_.path()));
    if (!written) {
        error_ = QStringLiteral("cannot write the scheduler's configuration in ") + dir_.path();
        return;
    }
    const QByteArray conf = QFile::encodeName(Path(QStringLiteral("etc/cupsd.conf")));
    const QByteArray files = QFile::encodeName(Path(QStringLiteral("etc/cups-files.conf")));
    char* argv[] = {const_cast<char*>("cupsd"),
                    const_cast<char*>("-f"),
                    const_cast<char*>("-c"),
                    const_cast<char*>(conf.constData()),
                    const_cast<char*>("-s"),
                    const_cast<char*>(files.constData()),
                    nullptr};
    // In a session of its own, so that stopping it reaches whatever it started.
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSID);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, "cupsd", nullptr, &attr, argv, environ);
    posix_spawnattr_destroy(&attr);
    if (spawned != 0) {
        error_ = QStringLiteral("cannot start cupsd (is the cups package installed?): ") +
                 QString::fromLocal8Bit(strerror(spawned));
        return;
    }
    scheduler_ = pid;
    qputenv("CUPS_SERVER", QFile::encodeName(socket));
    // libcups keeps the server it found first; this process must see this one.
    cupsSetServer(QFile::encodeName(socket).constData());
    for (QElapsedTimer t; !t.isValid() || t.elapsed() < 20000; QThread::msleep(50)) {
        if (!t.isValid())
            t.start();
        QString out;
        if (QFile::exists(socket) && Run(QStringLiteral("lpstat"), {QStringLiteral("-r")}, &out) &&
            out.contains(QLatin1String("is running")))
            return;
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            scheduler_ = 0;
            break;
        }
    }
    error_ = QStringLiteral("the scheduler did not come up:\n") + Log();
}

TestPrintSystem::~TestPrintSystem()
{
    if (scheduler_ > 0) {
        const pid_t pid = pid_t(scheduler_);
        kill(-pid, SIGTERM);
        if (!Reaped(pid, 10000)) {
            kill(-pid, SIGKILL);
            Reaped(pid, 5000);
        }
        // A filter or driver the scheduler left behind.
        kill(-pid, SIGKILL);
    }
    for (const QString& config : driverConfigs_)
        QFile::remove(config);
    if (hadServer_)
        qputenv("CUPS_SERVER", previousServer_);
    else
        qunsetenv("CUPS_SERVER");
    cupsSetServer(nullptr);
}

bool TestPrintSystem::Run(const QString& program, const QStringList& arguments, QString* output)
{
    QProcess process;
    process.start(program, arguments);
    const bool ran = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
    const QString text = QString::fromLocal8Bit(process.readAllStandardOutput() + process.readAllStandardError());
    if (output)
        *output = text;
    return ran && process.exitCode() == 0;
}

bool TestPrintSystem::Admin(const QString& program, const QStringList& arguments)
{
    QString output;
    if (Run(program, arguments, &output))
        return true;
    if (error_.isEmpty())
        error_ = QStringLiteral("%1 %2 failed: %3").arg(program, arguments.join(QLatin1Char(' ')), output);
    return false;
}

bool TestPrintSystem::AddPdfQueue(const QString& name, const QString& paper)
{
    if (!error_.isEmpty())
        return false;
    const QString tag =
        QStringLiteral("addrina-test-%1-%2").arg(QCoreApplication::applicationPid()).arg(driverConfigs_.size() + 1);
    const QString config = QStringLiteral("/etc/cups/cups-pdf-%1.conf").arg(tag);
    const QString out = OutputFolder(name);
    QDir().mkpath(out);
    QDir().mkpath(Path(QStringLiteral("pdfspool")));
    if (!WriteText(config, QStringLiteral("Out %1\nSpool %2\nLog %3\nGrp root\nLogType 3\n")
                               .arg(out, Path(QStringLiteral("pdfspool")), Path(QStringLiteral("log"))))) {
        error_ = QStringLiteral("cannot write %1: the PDF printer driver reads its settings there, so the print "
                                "system tests run as root")
                     .arg(config);
        return false;
    }
    driverConfigs_ << config;
    return Admin(QStringLiteral("lpadmin"),
                 {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
                  QStringLiteral("cups-pdf:/") + tag, QStringLiteral("-P"), QString::fromLatin1(kDriver),
                  QStringLiteral("-o"), QStringLiteral("PageSize=") + paper,
                  // The renderer Debian recommends; the text it passes on stays text a reader reads.
                  QStringLiteral("-o"), QStringLiteral("pdftops-renderer-default=pdftocairo")});
}

bool TestPrintSystem::SetDefault(const QString& name)
{
    return Admin(QStringLiteral("lpadmin"), {QStringLiteral("-d"), name});
}

bool TestPrintSystem::RejectJobs(const QString& name, const QString& reason)
{
    return Admin(QStringLiteral("cupsreject"), {QStringLiteral("-r"), reason, name});
}

bool TestPrintSystem::RemoveQueue(const QString& name)
{
    return Admin(QStringLiteral("lpadmin"), {QStringLiteral("-x"), name});
}

int TestPrintSystem::CompletedJobs(const QString& queue)
{
    QString out;
    if (!Run(QStringLiteral("lpstat"), {QStringLiteral("-W"), QStringLiteral("completed"), QStringLiteral("-o"), queue},
             &out))
        return 0;
    return int(out.split(QLatin1Char('\n'), Qt::SkipEmptyParts).size());
}

QStringList TestPrintSystem::WaitForPdfs(const QString& queue, int count, int timeoutMs)
{
    QStringList pdfs;
    for (QElapsedTimer t; !t.isValid() || t.elapsed() < timeoutMs; QThread::msleep(100)) {
        if (!t.isValid())
            t.start();
        QString active;
        const bool idle = Run(QStringLiteral("lpstat"), {QStringLiteral("-o"), queue}, &active) && active.isEmpty();
        const QDir out(OutputFolder(queue));
        pdfs.clear();
        for (const QString& file : out.entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Time | QDir::Reversed))
            pdfs << out.filePath(file);
        if (idle && pdfs.size() >= count)
            break;
    }
    return pdfs;
}

QString TestPrintSystem::PageLog() const
{
    QFile log(dir_.filePath(QStringLiteral("log/page_log")));
    return log.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(log.readAll()) : QString();
}

QString TestPrintSystem::Log() const
{
    QFile log(dir_.filePath(QStringLiteral("log/error_log")));
    return log.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(log.readAll().right(8000)) : QString();
}
