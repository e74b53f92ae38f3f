#include "carddav/passwords.h"

#include "platform/identity.h"

#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <qt6keychain/keychain.h>

namespace {

constexpr int kKeyringWaitMs = 5000;

QString KeyFor(const QUrl& server, const QString& user)
{
    return user + QLatin1Char('@') + server.host() +
           (server.port() > 0 ? QStringLiteral(":%1").arg(server.port()) : QString());
}

// Runs a keyring job to its end, or gives up after a while (a keyring that never answers).
bool Finish(QKeychain::Job& job, QString* why)
{
    QEventLoop loop;
    bool done = false;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, [&] {
        done = true;
        loop.quit();
    });
    QTimer::singleShot(kKeyringWaitMs, &loop, &QEventLoop::quit);
    job.setAutoDelete(false);
    job.start();
    if (!done)
        loop.exec();
    if (!done)
        *why = QStringLiteral("the desktop's keyring did not answer");
    else if (job.error() != QKeychain::NoError)
        *why = QStringLiteral("the desktop's keyring: ") + job.errorString();
    return done && job.error() == QKeychain::NoError;
}

} // namespace

QString FindPassword(const QUrl& server, const QString& user, const QString& passwordFile, QString* why)
{
    if (!passwordFile.isEmpty()) {
        QFile file(passwordFile);
        if (!file.open(QIODevice::ReadOnly)) {
            *why = QStringLiteral("cannot read the password file %1").arg(passwordFile);
            return {};
        }
        return QString::fromUtf8(file.readLine()).remove(QLatin1Char('\n')).remove(QLatin1Char('\r'));
    }
    if (qEnvironmentVariableIsSet(PasswordVariable))
        return qEnvironmentVariable(PasswordVariable);
    QKeychain::ReadPasswordJob job(ProductName());
    job.setKey(KeyFor(server, user));
    QString failure;
    if (Finish(job, &failure))
        return job.textData();
    *why = QStringLiteral("no password for %1 (%2); give one with --password-file or %3")
               .arg(KeyFor(server, user), failure, QString::fromLatin1(PasswordVariable));
    return {};
}

bool StorePassword(const QUrl& server, const QString& user, const QString& password, QString* why)
{
    QKeychain::WritePasswordJob job(ProductName());
    job.setKey(KeyFor(server, user));
    job.setTextData(password);
    return Finish(job, why);
}
