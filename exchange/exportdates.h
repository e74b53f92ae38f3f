#pragma once
// Record dates in the exchange formats: the address file stores 20190315, spreadsheets and
// vCards read 2019-03-15.

#include <QString>

// A stored record date (yyyymmdd) as 2019-03-15; any other text as it stands.
QString ExportIsoDate(const QString& stored);
// The way back: 2019-03-15 or 20190315 to the stored form; any other text as it stands.
QString StoredDateFromIso(const QString& text);
