#pragma once
// "FIELDS.LST": the browse grid's column arrangement, kept beside the program as the
// main table's field names in field order, one per line.

#include <QString>
#include <QStringList>
#include <optional>

class TTable;

// Full path of the file in the given program directory.
QString FieldsListPath(const QString& programDirectory);

// The names listed in the file, blank lines dropped; nothing when the file is missing or
// unreadable.
std::optional<QStringList> ReadFieldsList(const QString& path);

// Replaces the file with the names, each followed by CR LF. False when it cannot be written.
bool WriteFieldsList(const QString& path, const QStringList& names);

// The field order that results from moving each listed field, in list order, to the next
// position from the front. Names that are not fields (compared ignoring case) and repeats
// are skipped, so they cannot shift the fields that follow them; unlisted fields keep
// their relative order behind the listed ones.
QStringList ArrangeFields(const QStringList& fields, const QStringList& listed);

// The table's field names in its current field order, calculated fields included.
QStringList FieldNames(const TTable& table);

// Moves the table's fields into the order ArrangeFields gives for the listed names.
void ArrangeTableFields(TTable& table, const QStringList& listed);
