#pragma once
// The address file's 22 fields (with the widths a new file gets) and its 26 tags, for
// the engine's tests and benchmarks; the engine itself knows nothing of address files.

#include <array>

namespace addresslayout {

struct FieldSpec {
    const char* name;
    const char* type;
    int width;
};

inline constexpr std::array<FieldSpec, 22> kFields = {{
    {"LNAME", "C", 30},   {"FNAME", "C", 30},   {"MIDDLE", "C", 1},    {"PREFIX", "C", 12},
    {"TITLE", "C", 30},   {"ORG", "C", 30},     {"STREET", "C", 40},   {"STREET2", "C", 40},
    {"CITY", "C", 30},    {"STATE", "C", 20},   {"ZIP", "C", 10},      {"COUNTRY", "C", 30},
    {"DATE", "C", 15},    {"PHONE", "C", 30},   {"PHONE2", "C", 30},   {"FAX", "C", 40},
    {"EMAIL", "C", 40},   {"CODES", "C", 30},   {"COMMENTS", "C", 80}, {"WEBPAGE", "C", 80},
    {"ISDEL", "L", 1},    {"TAG", "C", 8},
}};

struct TagSpec {
    const char* name;
    const char* expression;
};

inline constexpr std::array<TagSpec, 26> kTags = {{
    {"NAME", "UPPER(LNAME-FNAME)"}, {"LNAME", "UPPER(LNAME)+UPPER(FNAME)"}, {"FNAME", "UPPER(FNAME)"},
    {"TITLE", "UPPER(TITLE)"},      {"ORG", "UPPER(ORG)"},                  {"STREET", "UPPER(STREET)"},
    {"STREET2", "UPPER(STREET2)"},  {"CITY", "UPPER(CITY+STATE)"},          {"STATE", "UPPER(STATE)"},
    {"ZIP", "UPPER(ZIP)"},          {"COUNTRY", "UPPER(COUNTRY)"},          {"PHONE", "UPPER(PHONE)"},
    {"PHONE2", "UPPER(PHONE2)"},    {"EMAIL", "UPPER(EMAIL)"},              {"FAX", "UPPER(FAX)"},
    {"COMMENTS", "UPPER(COMMENTS)"}, {"DATE", "UPPER(DATE)"},               {"TAG", "UPPER(TAG)"},
    {"WEBPAGE", "UPPER(WEBPAGE)"},  {"CODES", "UPPER(CODES)"},              {"PREFIX", "UPPER(PREFIX)"},
    {"MIDDLE", "UPPER(MIDDLE)"},    {"DELETED", "DELETED()"},               {"STATEZIP", "UPPER(STATE-ZIP)"},
    {"ISDEL", "ISDEL"},             {"NOTISDEL", "!ISDEL"},
}};

}  // namespace addresslayout
