#pragma once
// Filter files (".FLT"): what the user typed into the query form, as 20 text lines ended
// by CR LF: the eighteen patterns in file order, then "T" or "F" for Tagged and Reverse.
// The built expression is not stored, so a restored filter is rebuilt against the tag id
// and the address file current at the time.

#include "select/queryvalues.h"

#include <QString>
#include <optional>

inline constexpr int FilterFileLineCount = 20;

QString formatFilterFile(const QueryValues& values);

// Lines end at CR, LF or CR LF. Missing lines read as empty, lines after the twentieth are
// ignored, and a flag is set only by a line that is exactly "T".
QueryValues parseFilterFile(const QString& text);

// Written in UTF-8; false when the file cannot be created or written.
bool writeFilterFile(const QString& path, const QueryValues& values);
// Nothing when the file cannot be opened. Files that are not UTF-8 read as Windows-1252,
// as older installations wrote them.
std::optional<QueryValues> readFilterFile(const QString& path);

// The path to save to for a name chosen in the save dialog: the name itself when it ends
// in ".FLT" (any case), the name with ".FLT" appended when the file name has no period,
// and nothing (refused) when it carries another extension.
std::optional<QString> filterSavePath(const QString& chosen);

// Whether a chosen file may be restored: its extension is ".FLT" in any case.
bool isFilterFileName(const QString& path);
