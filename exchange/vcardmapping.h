#pragma once
// What a vCard holds, put into the fields of an address record, the way the vCard kind of
// copy writes them and the way phones and webmail write them: N (or FN when N names no
// one), ORG, TITLE, the first ADR (extended address or further street lines as the second
// street), TEL (fax to FAX, the first two others to PHONE and PHONE2), EMAIL, URL, NOTE,
// CATEGORIES and X-ADDRINA-DATE. What has no place in the record (a second e-mail, a
// photo, a birthday) is skipped and counted by property name.

#include "exchange/exportfields.h"
#include "exchange/vcardreader.h"

#include <QMap>
#include <QString>

struct VCardRecord {
    ExportValues values;        // in ExportFieldNames order
    QMap<QString, int> skipped; // property name -> how many were skipped
};

VCardRecord MapVCard(const VCard& card);

// "PHOTO (3), BDAY (1)": the skipped properties for a closing message, most frequent first.
QString DescribeSkipped(const QMap<QString, int>& skipped);
