#pragma once
// Finding the user's address books from a server's address: the address itself when it
// is an address book; otherwise its current-user-principal (asked of the address, then of
// /.well-known/carddav), that principal's addressbook-home-set, and the address books there.

#include "carddav/davclient.h"

#include <QString>
#include <QUrl>
#include <vector>

struct AddressBookInfo {
    QUrl url;
    QString name; // the display name, or the last part of the path
};

struct Discovery {
    std::vector<AddressBookInfo> books;
    QString error; // empty when the server was asked to the end (books may still be none)
};

Discovery DiscoverAddressBooks(DavClient& client, const QUrl& server);
