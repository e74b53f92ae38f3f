#pragma once
// Engine-wide switches that every work area consults.

namespace xb {

struct EngineSettings {
    bool deleted = false; // hide delete-marked records
    bool exact = false;   // exact string comparison for = and ordering, and seeks
    bool softSeek = false;
    bool century = false;
    int dateFormat = 0;  // 0 American ... 6 Spanish
    int lockTimeout = 1; // seconds
};

} // namespace xb
