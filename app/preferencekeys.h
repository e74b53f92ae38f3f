#pragma once

#include "app/addingprefs.h"

#include <QString>
#include <vector>

// The check-box preferences of the settings section "Adding": key, the member that holds
// it, and the caption the Preferences dialog shows (empty for a key it does not show).
struct PreferenceFlag {
    const char* key;
    bool AddingPreferences::*member;
    const char* caption;
};

// In the order in which they are stored: the three assists, the seven carried fields,
// then the nineteen skipped fields.
const std::vector<PreferenceFlag>& AssistFlags();
const std::vector<PreferenceFlag>& CarryFlags();
const std::vector<PreferenceFlag>& SkipFlags();

inline constexpr int kDefaultAggressiveSave = 1;

AddingPreferences ReadAddingPreferences();
int ReadAggressiveSave();

// Writes every "Adding" key in stored order, then "Editing"/"AggressiveSave". Throws
// SettingsWriteError on the first key that cannot be written.
void WritePreferences(const AddingPreferences& prefs, int aggressiveSave);
