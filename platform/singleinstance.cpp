#include "platform/singleinstance.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
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

SingleInstanceGuard::SingleInstanceGuard(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name))
{
}

bool SingleInstanceGuard::Claim()
{
    if (AskRunningCopyToRaise())
        return false;
    Listen();
    return true;
}

bool SingleInstanceGuard::AskRunningCopyToRaise()
{
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(kWaitMs))
        return false;
    socket.write(kRaise);
    socket.waitForBytesWritten(kWaitMs);
    // The reply tells a live copy from a socket that only accepted the connection.
    const bool answered = socket.waitForReadyRead(kWaitMs) && socket.readAll().startsWith("ok");
    socket.disconnectFromServer();
    return answered;
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
