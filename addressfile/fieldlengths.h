#pragma once
// The widths a user may choose for the fields of new address files. One program-wide set
// is current; creation reads it, LoadFieldLengths fills it from the settings file
// (section "NewFileFieldLengths") and SaveFieldLengths writes it there.

#include "addressfile/addresslayout.h"

#include <QString>
#include <vector>

struct FieldLengthDef {
    QString field;     // "LNAME"
    int defaultWidth;  // when the setting is missing or out of range
    int dialogDefault; // what the "Defaults" button sets
};

// The 18 fields with a chosen width, in settings order.
const std::vector<FieldLengthDef>& FieldLengthDefs();

// Settings accept 5..80; the dialog accepts 10..80.
using addresslayout::kMaxWidth;
using addresslayout::kMinDialogWidth;
using addresslayout::kMinSettingWidth;

class NewFileWidths {
public:
    NewFileWidths(); // every field at its default
    // The width of a field; 0 for a field whose width is fixed.
    int Width(const QString& field) const;
    void SetWidth(const QString& field, int width);
    // Replaces every width outside 5..80 by its default.
    void Clamp();
    // The "Defaults" button's widths.
    void SetDialogDefaults();

private:
    std::vector<int> widths_;
};

NewFileWidths& CurrentNewFileWidths();

void LoadFieldLengths();
// Gives false when the settings file cannot be written (the user has been told).
bool SaveFieldLengths();
