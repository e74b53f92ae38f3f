#include "platform/singleinstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QWidget>
#include <unistd.h>

namespace {

const QByteArray kRaise = QByteArrayLiteral("raise\n");
constexpr int kWaitMs = 2000;

} // namespace

QString SingleInstanceGuard::DefaultName()
{
    const QString program = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    return QStringLiteral("%1-%2.instance").arg(program).arg(getuid());
}

SingleInstanceGuard::SingleInstanceGuard(QString name, QObject* parent) : QObject(parent), name_(std::move(name)) {}

bool SingleInstanceGuard::Claim()
{
    // Two copies started at the same moment must not both find no one and both listen.
    QLockFile lock(QDir(QDir::tempPath()).filePath(name_ + QStringLiteral(".lock")));
    lock.tryLock(kWaitMs);
    if (AskRunningCopyToRaise())
        return false;
    Listen();
    return true;
}

bool SingleInstanceGuard::AskRunningCopyToRaise()
{
    QLocalSocket socket;
    socket.connectToServer(name_);
    // A socket file left by a crashed copy refuses the connection; a live copy accepts
    // it even while it is busy, so a connection alone means another copy is running.
    if (!socket.waitForConnected(kWaitMs))
        return false;
    socket.write(kRaise);
    socket.waitForBytesWritten(kWaitMs);
    socket.waitForReadyRead(kWaitMs);
    socket.disconnectFromServer();
    return true;
}

void SingleInstanceGuard::Listen()
{
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // Nothing answered, so any socket file left by a crashed copy is stale.
    QLocalServer::removeServer(name_);
    // Failing to listen only means later copies will not find this one; this copy runs on.
    if (server_->listen(name_))
        connect(server_, &QLocalServer::newConnection, this, &SingleInstanceGuard::AnswerConnection);
}

void SingleInstanceGuard::AnswerConnection()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine())
                return;
            if (socket->readLine() == kRaise) {
                socket->write("ok\n");
                socket->flush();
                emit RaiseRequested();
            }
        });
    }
}

void RaiseWindow(QWidget* window)
{
    if (!window)
        return;
    if (window->isMinimized())
        window->showNormal();
    else
        window->raise();
    window->activateWindow();
}
