#pragma once
// The table of label sheets the catalogue is built from: tab-separated text, one header
// line naming the 18 template values in catalogue order, then one sheet per line.

#include "labels/labellayout.h"

#include <vector>

// The sheets in table order, or nothing with *error saying which line is wrong.
std::optional<std::vector<LabelTemplate>> ParseTemplateTable(const QString& text, QString* error);
