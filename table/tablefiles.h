#pragma once
// File-level choices made when a table opens: the engine driver, the alias of its work
// area, and finding a file whose name may differ in letter case (names written on
// case-insensitive systems).

#include <QString>
#include <functional>

// The driver for a file: by name when one is given, else by the DBF's first byte.
int ChooseDriver(const QString& driverName, const QString& path);

// The alias for a work area: the base name with "~", "-" and blanks among its first 8
// characters made "_"; while that is taken, the first 8 characters + "_" + n.
QString MakeAlias(const QString& baseName, const std::function<bool(const QString&)>& inUse);

// The path of the file in directory whose name equals fileName ignoring letter case
// (an exact match first), or empty when there is none.
QString FindFileIgnoringCase(const QString& directory, const QString& fileName);
