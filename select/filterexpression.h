#pragma once
// Turning query values into an xBase filter expression, and the active query built on it.

#include "addressfile/runrecords.h"
#include "select/queryvalues.h"

#include <QString>

// The filter expression may hold at most this many characters, so that the active query
// (expression + ".and. !ISDEL") stays within the engine's 255.
inline constexpr int MaxFilterExpressionLength = 243;

// The term for one typed pattern against a field expression. Empty when the pattern holds
// nothing but separators.
QString filterTerm(const QString& fieldExpression, const QString& pattern);

// The whole filter expression; empty means no filter.
QString BuildQueryString(const QueryValues& values, const QString& tagId);

// The active query for a filter expression: "!ISDEL" alone, or appended to the filter.
QString activeQueryFor(const QString& filterExpression);
