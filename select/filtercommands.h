#pragma once
// Saving the current filter to a file and restoring one, with the questions and messages
// the user sees on the way. The main window's "&Save Filter" and "&Restore Filter" are
// these calls in a row.

#include "select/queryvalues.h"

#include <QString>

class QWidget;
class Selection;
class TApollo;

// Asks for the file to save to: the chosen name with ".FLT" added when it has no
// extension, after confirming to overwrite an existing file. Empty when the user
// cancelled or chose another extension (which is refused with a message).
QString ChooseFilterToSave(QWidget* parent);

// Asks for the filter file to restore. Empty when the user cancelled or chose a file that
// is not a ".FLT" file (refused with a message).
QString ChooseFilterToRestore(QWidget* parent);

// Writes the query values to the file; a failure is shown as "Cannot create file <path>".
bool SaveFilterTo(const QString& path, const QueryValues& values);

// Reads the query values from the file and applies them. A file that cannot be read is
// shown as "Cannot open file <path>" and leaves the values as they were.
bool RestoreFilterFrom(const QString& path, Selection& selection, TApollo& apollo, const QString& tagId);
