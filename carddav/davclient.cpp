#include "carddav/davclient.h"

#include <QEventLoop>
#include <QHostAddress>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace {

bool IsThisMachine(const QString& host)
{
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return true;
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

} // namespace

DavClient::DavClient(const QString& user, const QString& password, int timeoutMs)
    : authorization_("Basic " + (user + QLatin1Char(':') + password).toUtf8().toBase64()), timeoutMs_(timeoutMs)
{
    // Redirects are followed by the callers that expect them (discovery), with the same rules.
    manager_.setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
}

QString DavClient::RefusedAddress(const QUrl& url)
{
    if (!url.isValid() || url.host().isEmpty())
        return QStringLiteral("\"%1\" is not a server address").arg(url.toString());
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("https") || (scheme == QLatin1String("http") && IsThisMachine(url.host())))
        return {};
    if (scheme == QLatin1String("http"))
        return QStringLiteral("%1 is refused: plain http:// would send the password unprotected, so it is allowed "
                              "only to this machine; use https://")
            .arg(url.toString());
    return QStringLiteral("%1 is not an https:// address").arg(url.toString());
}

DavReply DavClient::Send(const DavRequest& request)
{
    return SendAll({request}).front();
}

std::vector<DavReply> DavClient::SendAll(const std::vector<DavRequest>& requests)
{
    std::vector<DavReply> replies(requests.size());
    std::vector<QNetworkReply*> pending(requests.size(), nullptr);
    int open = 0;
    QEventLoop loop;
    for (std::size_t i = 0; i < requests.size(); ++i) {
        const DavRequest& r = requests[i];
        if (const QString refused = RefusedAddress(r.url); !refused.isEmpty()) {
            replies[i].error = refused;
            continue;
        }
        QNetworkRequest request(r.url);
        request.setRawHeader("Authorization", authorization_);
        request.setTransferTimeout(r.timeoutMs > 0 ? r.timeoutMs : timeoutMs_);
        if (!r.body.isEmpty())
            request.setHeader(QNetworkRequest::ContentTypeHeader, r.contentType);
        for (const auto& [name, value] : r.headers)
            request.setRawHeader(name, value);
        QNetworkReply* reply = manager_.sendCustomRequest(request, r.method, r.body);
        pending[i] = reply;
        ++open;
        QObject::connect(reply, &QNetworkReply::finished, &loop, [&open, &loop] {
            if (--open == 0)
                loop.quit();
        });
    }
    if (open > 0)
        loop.exec();
    for (std::size_t i = 0; i < requests.size(); ++i) {
        QNetworkReply* reply = pending[i];
        if (!reply)
            continue;
        DavReply& out = replies[i];
        out.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (reply->isOpen())
            out.body = reply->readAll();
        out.etag = reply->rawHeader("ETag");
        if (reply->hasRawHeader("Location"))
            out.location = requests[i].url.resolved(QUrl(QString::fromUtf8(reply->rawHeader("Location"))));
        if (out.status == 0)
            out.error = QStringLiteral("cannot reach the server at %1: %2")
                            .arg(requests[i].url.adjusted(QUrl::RemovePath).toString(), reply->errorString());
        reply->deleteLater();
    }
    return replies;
}

QString DavFailure(const DavReply& reply, std::initializer_list<int> accepted)
{
    if (!reply.error.isEmpty())
        return reply.error;
    for (int status : accepted)
        if (reply.status == status)
            return {};
    if (reply.status == 401)
        return QStringLiteral("the server refused the user name or password");
    if (reply.status == 403)
        return QStringLiteral("the server does not let this user do that (403 Forbidden)");
    if (reply.status == 404)
        return QStringLiteral("the address book is not on the server (404 Not Found)");
    return QStringLiteral("the server answered %1").arg(reply.status);
}
