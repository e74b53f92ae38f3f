#pragma once
// The widths a user may choose for the fields of new address files. One program-wide set
// is current; creation reads it, LoadFieldLengths fills it from the settings file
// (section "NewFileFieldLengths") and SaveFieldLengths writes it there.

#include <QString>
#include <vector>

struct FieldLengthDef {
    QString field;      // "LNAME"
    int defaultWidth;   // when the setting is missing or out of range
    int dialogDefault;  // what the "Defaults" button sets
};

// The 18 fields with a chosen width, in settings order.
const std::vector<FieldLengthDef>& FieldLengthDefs();

// Settings accept 5..80; the dialog accepts 10..80.
inline constexpr int kMinSettingWidth = 5;
inline constexpr int kMinDialogWidth = 10;
inline constexpr int kMaxWidth = 80;

class NewFileWidths {
public:
    NewFileWidths();  // every field at its default
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
