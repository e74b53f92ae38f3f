#pragma once
// The WebDAV and CardDAV XML a sync sends and reads back: request bodies, and a
// multistatus answer read into one entry per resource.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

struct DavResource {
    QString href;     // decoded path, as the server wrote it
    int status = 200; // of the resource (404 for one removed since a sync token)
    QByteArray etag;
    QString displayName;
    bool addressBook = false;
    bool syncCollection = false; // offers sync-collection reports
    QString principal;           // current-user-principal's href
    QString home;                // addressbook-home-set's href
    QByteArray addressData;      // the card, from a multiget
};

struct Multistatus {
    std::vector<DavResource> resources;
    QString syncToken;
    QString error; // the XML could not be read
};

Multistatus ReadMultistatus(const QByteArray& xml);

// PROPFIND bodies.
QByteArray PropfindPrincipal(); // current-user-principal, addressbook-home-set
// resourcetype, displayname, supported-report-set, and getetag when asked: a server may read
// every card of a book to give its ETag, so only a first sync, which needs it, asks.
QByteArray PropfindCollections(bool withEtag = false);
QByteArray PropfindEtags(); // getetag, resourcetype
QByteArray ProppatchDisplayName(const QString& name);
// REPORT bodies.
QByteArray SyncCollectionReport(const QString& token);
QByteArray MultigetReport(const QStringList& hrefs);
