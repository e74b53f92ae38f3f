#pragma once
// Standard CSV (RFC 4180) in UTF-8: values separated by commas, lines ended by CR LF; a value
// holding a comma, a double quote or a line break is put between double quotes, with each
// inner quote doubled. Spreadsheets and webmail read it as it is.

#include <QByteArray>
#include <QString>
#include <span>

void AppendCsvValue(QStringView value, QByteArray& out);
void AppendCsvLine(std::span<const QString> values, QByteArray& out);
