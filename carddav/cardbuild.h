#pragma once
// The card a record goes out as: the program's own vCard of the record with its UID and,
// when the server already has a card for it, every property of that card the record has
// no place for (a second e-mail, a photo, a birthday) kept as it was.

#include "exchange/exportfields.h"
#include "exchange/vcardreader.h"

#include <QByteArray>
#include <QString>

QByteArray CardForRecord(const ExportValues& values, const QString& uid, const VCard* serverCard = nullptr);

// A short hash of the values, to notice a record changed since the last sync.
QByteArray ValuesHash(const ExportValues& values);
