#pragma once
// The address file's fields and index tags, stated once. Everything that knows the
// address file reads this table: creating files and checking their index, the main
// table's declarations, the widths a user may choose for new files and their dialog,
// cloning, and the engine's tests and benchmarks. Standard C++ only, so code without Qt
// (the engine's tests) reads it too.

#include <algorithm>
#include <array>
#include <vector>

namespace addresslayout {

// Widths a user may choose for a new file's field: the settings file accepts 5..80,
// the "Specify Field Lengths" dialog 10..80.
inline constexpr int kMinSettingWidth = 5;
inline constexpr int kMinDialogWidth = 10;
inline constexpr int kMaxWidth = 80;

struct FieldSpec {
    const char* name;         // in the file
    const char* type;         // "C" character, "L" logical
    int width;                // a new file's width; the default where the user may choose it
    bool chosen;              // the user may choose the width for new files (limits above)
    int dialogDefault;        // what the "Defaults" button sets (chosen widths only)
    const char* label;        // the main window's label and grid title
    int displayWidth;         // grid column width in characters
    bool visible;             // shown in the grid
    bool cloned;              // "Clone" copies it
    int declaredAt;           // position among the main table's fields
    const char* lengthsLabel; // label in "Specify Field Lengths" (chosen widths only)
    int lengthsCell;          // cell there, two to a row (chosen widths only)
};

// The 22 stored fields in file order.
// One field a line, its values in columns.
// clang-format off
inline constexpr std::array<FieldSpec, 22> kFields = {{
    // name       type width chosen dflt label              disp  visible cloned decl lengths label  cell
    {"LNAME",    "C", 30, true,  30, "Last Name",        20, true,  true,  0,  "Last Name",    1},
    {"FNAME",    "C", 30, true,  30, "First Name",       15, true,  true,  1,  "First Name",   0},
    {"MIDDLE",   "C", 1,  false, 0,  "Middle",           1,  true,  true,  2,  nullptr,        -1},
    {"PREFIX",   "C", 12, true,  12, "Prefix",           4,  true,  true,  3,  "Prefix",       2},
    {"TITLE",    "C", 30, true,  30, "Title",            20, true,  true,  4,  "Title",        3},
    {"ORG",      "C", 30, true,  30, "Organization",     20, true,  true,  5,  "Organization", 4},
    {"STREET",   "C", 40, true,  40, "Address 1",        40, true,  true,  6,  "Address #1",   5},
    {"STREET2",  "C", 40, true,  40, "Address 2",        20, true,  true,  7,  "Address #2",   6},
    {"CITY",     "C", 30, true,  30, "City",             15, true,  true,  8,  "City",         7},
    {"STATE",    "C", 20, true,  20, "State",            5,  true,  true,  9,  "State",        8},
    {"ZIP",      "C", 10, true,  10, "Zip/Postal Code",  10, true,  true,  10, "Zip/Postal",   9},
    {"COUNTRY",  "C", 30, true,  30, "Country",          15, true,  true,  11, "Country",      10},
    {"DATE",     "C", 15, false, 0,  "Actual Date",      15, false, true,  18, nullptr,        -1},
    {"PHONE",    "C", 30, true,  30, "Phone 1",          15, true,  true,  12, "Phone #1",     11},
    {"PHONE2",   "C", 30, true,  30, "Phone 2",          15, true,  true,  13, "Phone #2",     12},
    {"FAX",      "C", 40, true,  30, "Fax",              30, true,  true,  14, "Fax",          13},
    {"EMAIL",    "C", 40, true,  40, "Email",            30, true,  true,  15, "E-Mail",       14},
    {"CODES",    "C", 30, true,  30, "Codes",            30, true,  true,  16, "Codes",        15},
    {"COMMENTS", "C", 80, true,  80, "Comments",         80, true,  true,  20, "Comments",     16},
    {"WEBPAGE",  "C", 80, true,  80, "Web Page",         30, true,  true,  21, "Web Page",     17},
    {"ISDEL",    "L", 1,  false, 0,  "Deleted",          1,  false, false, 17, nullptr,        -1},
    {"TAG",      "C", 8,  false, 0,  "TAG",              8,  false, false, 19, nullptr,        -1},
}};
// clang-format on

// The fields whose width the user may choose, ordered by a position of theirs:
// ChosenFields(&FieldSpec::declaredAt) for the settings, &FieldSpec::lengthsCell for the dialog.
inline std::vector<const FieldSpec*> ChosenFields(int FieldSpec::*position)
{
    std::vector<const FieldSpec*> chosen;
    for (const FieldSpec& f : kFields)
        if (f.chosen)
            chosen.push_back(&f);
    std::sort(chosen.begin(), chosen.end(),
              [position](const FieldSpec* a, const FieldSpec* b) { return a->*position < b->*position; });
    return chosen;
}

struct TagSpec {
    const char* name;
    const char* expression;
};

// The 26 tags of the structural index in creation order. Ordering by a field selects
// the tag of the field's name.
inline constexpr std::array<TagSpec, 26> kTags = {{
    {"NAME", "UPPER(LNAME-FNAME)"},
    {"LNAME", "UPPER(LNAME)+UPPER(FNAME)"},
    {"FNAME", "UPPER(FNAME)"},
    {"TITLE", "UPPER(TITLE)"},
    {"ORG", "UPPER(ORG)"},
    {"STREET", "UPPER(STREET)"},
    {"STREET2", "UPPER(STREET2)"},
    {"CITY", "UPPER(CITY+STATE)"},
    {"STATE", "UPPER(STATE)"},
    {"ZIP", "UPPER(ZIP)"},
    {"COUNTRY", "UPPER(COUNTRY)"},
    {"PHONE", "UPPER(PHONE)"},
    {"PHONE2", "UPPER(PHONE2)"},
    {"EMAIL", "UPPER(EMAIL)"},
    {"FAX", "UPPER(FAX)"},
    {"COMMENTS", "UPPER(COMMENTS)"},
    {"DATE", "UPPER(DATE)"},
    {"TAG", "UPPER(TAG)"},
    {"WEBPAGE", "UPPER(WEBPAGE)"},
    {"CODES", "UPPER(CODES)"},
    {"PREFIX", "UPPER(PREFIX)"},
    {"MIDDLE", "UPPER(MIDDLE)"},
    {"DELETED", "DELETED()"},
    {"STATEZIP", "UPPER(STATE-ZIP)"},
    {"ISDEL", "ISDEL"},
    {"NOTISDEL", "!ISDEL"},
}};

} // namespace addresslayout
