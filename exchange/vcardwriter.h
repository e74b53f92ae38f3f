#pragma once
// One address record as a vCard 3.0 (RFC 2426) in UTF-8: N, FN, ORG, TITLE, ADR (second
// street as the extended address), TEL (work voice, second phone, work fax), EMAIL, URL,
// NOTE from the comments, CATEGORIES from the codes and the record date as X-ADDRINA-DATE.
// Empty values are left out, but N and FN, which every card must have. Text is escaped as
// the format requires and lines longer than 75 octets are folded, never inside a character.

#include "exchange/exportfields.h"

#include <QByteArray>
#include <QString>

void AppendVCard(const ExportValues& values, QByteArray& out);

// The name line of an address: prefix, first name, middle initial with a period, last
// name, empty parts left out.
QString VCardFormattedName(const ExportValues& values);
