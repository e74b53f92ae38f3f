#pragma once

#include "select/queryvalues.h"

#include <QString>

class QWidget;

// The tips the query form shows for a field on a right click (and as its "What's this?"
// text): how patterns are written, with what is special about that field.
QString QueryFieldTip(QueryField field);

// The "What's this?" texts of the query form's other controls.
void ExplainQueryForm(QWidget* form);
