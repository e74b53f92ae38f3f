#pragma once
// A small synchronous WebDAV client for a command-line tool and the window alike: each
// call waits in a local event loop until its replies are in. HTTPS is verified against the
// system's certificates; plain HTTP is allowed only to this machine. Basic authentication.
//
//   DavClient client(QUrl("https://dav.example.org/"), "ann", password);
//   DavReply r = client.Send({"PROPFIND", url, body, {{"Depth", "0"}}});
//   if (!r.error.isEmpty()) ... r.status, r.body, r.etag ...

#include <QByteArray>
#include <QList>
#include <QNetworkAccessManager>
#include <QPair>
#include <QString>
#include <QUrl>
#include <vector>

struct DavRequest {
    QByteArray method;
    QUrl url;
    QByteArray body;
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray contentType = "application/xml; charset=utf-8";
    int timeoutMs = 0; // without a byte moving; 0 is the client's own
};

struct DavReply {
    int status = 0; // the HTTP status; 0 when no answer came
    QString error;  // empty when the server answered (whatever the status)
    QByteArray body;
    QByteArray etag; // of a PUT or GET, when the server sent one
    QUrl location;   // of a redirect
};

class DavClient {
public:
    DavClient(const QString& user, const QString& password, int timeoutMs = 120000);

    // Why the address may not be used ("only https://, or http:// to this machine"); empty
    // when it may.
    static QString RefusedAddress(const QUrl& url);

    DavReply Send(const DavRequest& request);
    // Several at once, over the connections the network layer keeps open; replies in
    // the order of the requests.
    std::vector<DavReply> SendAll(const std::vector<DavRequest>& requests);

private:
    QNetworkAccessManager manager_;
    QByteArray authorization_;
    int timeoutMs_;
};

// The reply's failure as a message for the user ("wrong user name or password", "cannot
// reach the server: ..."), or empty when the status is one of the accepted ones.
QString DavFailure(const DavReply& reply, std::initializer_list<int> accepted);
