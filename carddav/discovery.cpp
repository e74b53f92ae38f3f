#include "carddav/discovery.h"

#include "carddav/davxml.h"

namespace {

// A PROPFIND that follows up to three redirects (well-known addresses redirect).
DavReply Propfind(DavClient& client, QUrl url, const QByteArray& body, const char* depth)
{
    DavReply reply;
    for (int hop = 0; hop < 4; ++hop) {
        reply = client.Send({"PROPFIND", url, body, {{"Depth", depth}}});
        if (reply.status / 100 != 3 || reply.location.isEmpty())
            break;
        url = reply.location;
    }
    return reply;
}

QString NameOf(const DavResource& r)
{
    if (!r.displayName.isEmpty())
        return r.displayName;
    QString path = r.href;
    while (path.endsWith(u'/'))
        path.chop(1);
    return path.mid(path.lastIndexOf(u'/') + 1);
}

// The principal the server names for this user at url; empty when it names none.
QString PrincipalAt(DavClient& client, const QUrl& url, QString* error)
{
    const DavReply reply = Propfind(client, url, PropfindPrincipal(), "0");
    if (const QString failure = DavFailure(reply, {207}); !failure.isEmpty()) {
        *error = failure;
        return {};
    }
    const Multistatus ms = ReadMultistatus(reply.body);
    for (const DavResource& r : ms.resources)
        if (!r.principal.isEmpty())
            return r.principal;
    return {};
}

} // namespace

Discovery DiscoverAddressBooks(DavClient& client, const QUrl& server)
{
    Discovery out;
    if (out.error = DavClient::RefusedAddress(server); !out.error.isEmpty())
        return out;
    const DavReply direct = Propfind(client, server, PropfindCollections(), "0");
    if (direct.status == 401 || !direct.error.isEmpty()) {
        out.error = DavFailure(direct, {});
        return out;
    }
    for (const DavResource& r : ReadMultistatus(direct.body).resources)
        if (r.addressBook) {
            out.books.push_back({server.resolved(QUrl(r.href)), NameOf(r)});
            return out;
        }
    QString error;
    QString principal = PrincipalAt(client, server, &error);
    if (principal.isEmpty())
        principal = PrincipalAt(client, server.resolved(QUrl(QStringLiteral("/.well-known/carddav"))), &error);
    if (principal.isEmpty()) {
        out.error =
            !error.isEmpty() ? error : QStringLiteral("the server does not say where this user's address books are");
        return out;
    }
    const QUrl principalUrl = server.resolved(QUrl(principal));
    const DavReply homeReply = Propfind(client, principalUrl, PropfindPrincipal(), "0");
    if (out.error = DavFailure(homeReply, {207}); !out.error.isEmpty())
        return out;
    QString home;
    for (const DavResource& r : ReadMultistatus(homeReply.body).resources)
        if (!r.home.isEmpty())
            home = r.home;
    const QUrl homeUrl = home.isEmpty() ? principalUrl : server.resolved(QUrl(home));
    const DavReply list = Propfind(client, homeUrl, PropfindCollections(), "1");
    if (out.error = DavFailure(list, {207}); !out.error.isEmpty())
        return out;
    for (const DavResource& r : ReadMultistatus(list.body).resources)
        if (r.addressBook)
            out.books.push_back({homeUrl.resolved(QUrl(r.href)), NameOf(r)});
    return out;
}
