#pragma once

#include <QString>

// The dial dialog's choices as the settings file keeps them, in section "Dialing".
struct DialSettings {
    QString prefix;       // "Prefix": put directly before every number
    QString init;         // "Init": the modem initialization string
    int port = 0;         // "Port": 0 to 3 for COM 1 to COM 4
    int method = 0;       // "Method": 0 tone, 1 pulse
    bool useTapi = false; // "UseTAPI"
};

// A port or method out of range reads as the first choice.
DialSettings ReadDialSettings();
// Writes all five keys; false (after telling the user) when the file cannot be written.
bool WriteDialSettings(const DialSettings& settings);
