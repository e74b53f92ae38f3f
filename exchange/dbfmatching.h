#pragma once
// Which fields of another DBF table fill which fields of the address file: the
// automatic assignment by name, the fields a matching grid row may offer, and the pairs
// an import copies.

#include "exchange/tablesource.h"

#include <QString>
#include <QStringList>
#include <vector>

class TApollo;
class TField;
class TTable;

// Marks a source field that fills nothing.
inline constexpr int kUnassigned = 1000;

// Opens a table read-only into source; when the engine cannot, tries once more with the
// "SXNTX" driver. False (the table closed) when both fail.
bool OpenSourceTable(const QString& path, TTable& source);

// For each source field (in file order): the index of the destination field it fills,
// or kUnassigned. Character, logical, numeric and date fields take the first destination
// field (hidden ones included) whose display label or name equals their name, ignoring
// case, that no earlier source field took; memos and other kinds take none.
std::vector<int> AutoAssign(const TTable& source, const TTable& destination);

// Names of the source fields a grid row for this target may offer (after "(none)"):
// none for a memo target, the date fields for a date target, every non-memo otherwise.
QStringList OfferedSourceFields(const TTable& source, const TField& target);

// The assignment a confirmed grid gives: each source field to the destination field
// whose display label (ignoring case) heads the row holding the source field's name.
std::vector<int> AssignFromRows(const TTable& source, const TTable& destination, const QStringList& labels,
                                const QStringList& assigned);

// The destination field an entry of an assignment names; nullptr for kUnassigned or an
// index the destination does not have.
TField* AssignedField(const TTable& destination, int target);

// The copying pairs of an assignment, memos left out.
std::vector<TablePair> AssignedPairs(const TTable& source, const TTable& destination,
                                     const std::vector<int>& assignment);

// An address file of this program or an earlier version: it has all 22 fields by name.
bool HasAddressFields(const TTable& table);

// Opens the source of an import (OpenSourceTable) and gives why it cannot serve, or ""
// when it can: it cannot be opened, it has no records, or (when an address file is
// asked for) it lacks one of the 22 fields. A refused source is left closed.
QString RefuseSource(const QString& path, TTable& source, TApollo& apollo, bool addressFile);

// The 21 fields an older address file gives, each into the field of the same name; TAG
// stays behind, so imported records are never tagged.
std::vector<TablePair> OlderFilePairs(const TTable& source, const TTable& destination);

// True when both paths lead to one file (links followed; letter case as the file system
// sees it).
bool IsSameFile(const QString& a, const QString& b);
