#pragma once

#include <QString>

// Remove blanks (the space character only, not tabs or line breaks) from one or both ends.
QString TrimLeading(const QString& text);
QString TrimTrailing(const QString& text);
QString TrimBoth(const QString& text);
