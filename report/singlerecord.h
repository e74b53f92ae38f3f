#pragma once

#include "report/recordastext.h"

#include <QString>
#include <array>

class TBaseReport;

// The twenty items of the current-record printout, in print order.
struct SingleRecordItem {
    const char* checkBox; // the print dialog's check box
    const char* caption;  // its caption
    const char* field;    // the field read ("DisplayDate" is the displayed date)
    const char* label;    // the printed label
};
const std::array<SingleRecordItem, 20>& SingleRecordItems();

// One page: the page number and time at the top right, two rules, then a bold label and
// the field's text on a line for each chosen item (empty fields keep their label).
void PrintSingleRecord(TBaseReport& report, const RecordField& field, const std::array<bool, 20>& chosen);
