#pragma once

#include <QUrl>

// Links made from a record's text. Only web pages (http, https) and mail addresses (mailto)
// come out, so a record can never start a program or open a local file; anything else
// gives an empty link.

// "mailto:" and the address (a "mailto:" already typed is not doubled). The address stays
// one address: "?" and "#" in it are escaped, so it cannot add headers or attachments.
QUrl MailLink(const QString& email);

// The web page as typed, with "http://" in front when it has no scheme ("www.example.com",
// "example.com:8080/x"); a "mailto:" page is read as a mail address.
QUrl WebPageLink(const QString& page);
