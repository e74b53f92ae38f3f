#pragma once

#include "app/addingprefs.h"

#include <span>

// A record edit that a new record may leave out of the tab order, and its preference.
struct SkipField {
    const char* control;
    bool AddingPreferences::*key;
};

// Every skippable edit; Street and City always keep their tab stop.
std::span<const SkipField> SkipFields();

// Whether an edit keeps its tab stop: skipping applies only while a new record is typed.
bool KeepsTabStop(const AddingPreferences& prefs, const SkipField& field, bool skipping);

// The edit that takes the focus when a new record has been filled in.
const char* NewRecordFocus(const AddingPreferences& prefs, bool lastNameEmpty, bool firstNameEmpty);
