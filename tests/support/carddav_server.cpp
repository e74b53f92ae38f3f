#include "carddav_server.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <csignal>
#include <sys/wait.h>

namespace {

int FreePort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

} // namespace

TestCardDavServer::TestCardDavServer(Kind kind, const QString& base)
    : kind_(kind), dir_(base.isEmpty() ? QDir::tempPath() + QStringLiteral("/carddav-XXXXXX")
                                       : base + QStringLiteral("/carddav-XXXXXX"))
{
    QFile users(Path(QStringLiteral("users")));
    if (!users.open(QIODevice::WriteOnly) || users.write(QByteArray(User) + ':' + Password + '\n') < 0) {
        error_ = QStringLiteral("cannot write the server's password file in ") + dir_.path();
        return;
    }
    users.close();
    if (!Start())
        return;
    const Response made =
        Request(QStringLiteral("MKCOL"), BookPath(),
                "<?xml version=\"1.0\"?><mkcol xmlns=\"DAV:\" xmlns:C=\"urn:ietf:params:xml:ns:carddav\"><set><prop>"
                "<resourcetype><collection/><C:addressbook/></resourcetype><displayname>Book</displayname>"
                "</prop></set></mkcol>",
                {QStringLiteral("Content-Type: application/xml")});
    if (made.status != 201)
        error_ = QStringLiteral("the address book could not be made (%1)").arg(made.status);
}

QStringList TestCardDavServer::Arguments() const
{
    if (kind_ == Kind::Xandikos)
        return {QStringLiteral("/usr/bin/xandikos"),
                QStringLiteral("-d"),
                Path(QStringLiteral("storage")),
                QStringLiteral("--current-user-principal"),
                QStringLiteral("/ann/"),
                QStringLiteral("--autocreate"),
                QStringLiteral("-l"),
                QStringLiteral("127.0.0.1"),
                QStringLiteral("-p"),
                QString::number(port_)};
    // The server's files need not reach the disk before it answers: nothing here outlives
    // the test, and waiting for the disk would make the large tests crawl.
    return {QStringLiteral("-c"),
            QStringLiteral("import sys, radicale.pathutils as p; p.fsync = lambda fd: None; "
                           "from radicale.__main__ import run; sys.argv[0] = 'radicale'; run()"),
            QStringLiteral("--config"),
            QString(),
            QStringLiteral("--server-hosts"),
            QStringLiteral("127.0.0.1:%1").arg(port_),
            QStringLiteral("--storage-filesystem-folder"),
            Path(QStringLiteral("storage")),
            QStringLiteral("--auth-type"),
            QStringLiteral("htpasswd"),
            QStringLiteral("--auth-htpasswd-filename"),
            Path(QStringLiteral("users")),
            QStringLiteral("--auth-htpasswd-encryption"),
            QStringLiteral("plain"),
            QStringLiteral("--auth-delay"),
            QStringLiteral("0"),
            QStringLiteral("--rights-type"),
            QStringLiteral("owner_only"),
            QStringLiteral("--web-type"),
            QStringLiteral("none"),
            QStringLiteral("--logging-level"),
            QStringLiteral("info")};
}

bool TestCardDavServer::Start()
{
    port_ = FreePort();
    QProcess process;
    process.setProgram(QStringLiteral("/usr/bin/python3"));
    process.setArguments(Arguments());
    process.setStandardOutputFile(Path(QStringLiteral("log")));
    process.setStandardErrorFile(Path(QStringLiteral("log")), QIODevice::Append);
    if (!process.startDetached(&pid_)) {
        error_ = QStringLiteral("cannot start the CardDAV server (are radicale and xandikos installed?)");
        return false;
    }
    for (QElapsedTimer t; !t.isValid() || t.elapsed() < 20000; QThread::msleep(50)) {
        if (!t.isValid())
            t.start();
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, quint16(port_));
        if (probe.waitForConnected(200))
            return true;
    }
    QFile log(Path(QStringLiteral("log")));
    log.open(QIODevice::ReadOnly);
    error_ = QStringLiteral("the CardDAV server did not come up:\n") + QString::fromLocal8Bit(log.readAll());
    return false;
}

void TestCardDavServer::Stop()
{
    if (pid_ <= 0)
        return;
    kill(pid_t(pid_), SIGTERM);
    for (int i = 0; i < 200 && kill(pid_t(pid_), 0) == 0; ++i) {
        waitpid(pid_t(pid_), nullptr, WNOHANG);
        QThread::msleep(25);
    }
    kill(pid_t(pid_), SIGKILL);
    pid_ = 0;
}

TestCardDavServer::~TestCardDavServer()
{
    Stop();
}

TestCardDavServer::Response TestCardDavServer::Request(const QString& method, const QString& path,
                                                       const QByteArray& body, const QStringList& headers)
{
    QStringList args{QStringLiteral("-s"), QStringLiteral("-i"),
                     QStringLiteral("-X"), method,
                     QStringLiteral("-u"), QStringLiteral("%1:%2").arg(QLatin1String(User), QLatin1String(Password))};
    for (const QString& header : headers)
        args << QStringLiteral("-H") << header;
    if (!body.isEmpty())
        args << QStringLiteral("--data-binary") << QStringLiteral("@-");
    args << QStringLiteral("http://127.0.0.1:%1%2").arg(port_).arg(path);
    QProcess curl;
    curl.start(QStringLiteral("curl"), args);
    curl.write(body);
    curl.closeWriteChannel();
    curl.waitForFinished(30000);
    const QByteArray out = curl.readAllStandardOutput();
    Response r;
    const qsizetype split = out.indexOf("\r\n\r\n");
    const QByteArray head = out.left(split);
    r.body = split < 0 ? QByteArray() : out.mid(split + 4);
    r.status = head.split(' ').value(1).toInt();
    for (const QByteArray& line : head.split('\n'))
        if (line.toLower().startsWith("etag:"))
            r.etag = line.mid(5).trimmed();
    return r;
}

QStringList TestCardDavServer::StoredCardNames() const
{
    return QDir(dir_.filePath(QStringLiteral("storage/collection-root/ann/book")))
        .entryList({QStringLiteral("*.vcf")}, QDir::Files, QDir::Name);
}

QByteArray TestCardDavServer::StoredCard(const QString& name) const
{
    QFile file(dir_.filePath(QStringLiteral("storage/collection-root/ann/book/") + name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int TestCardDavServer::RequestsSeen() const
{
    QFile log(Path(QStringLiteral("log")));
    return log.open(QIODevice::ReadOnly) ? int(log.readAll().count(" request for ")) : -1;
}
