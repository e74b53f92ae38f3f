#include "addressfile/addressschema.h"

#include "table/ttable.h"

const std::vector<AddressFieldDef>& AddressFields()
{
    static const std::vector<AddressFieldDef> fields = {
        {"LNAME", "C", 0},   {"FNAME", "C", 0},    {"MIDDLE", "C", 1},   {"PREFIX", "C", 0},
        {"TITLE", "C", 0},   {"ORG", "C", 0},      {"STREET", "C", 0},   {"STREET2", "C", 0},
        {"CITY", "C", 0},    {"STATE", "C", 0},    {"ZIP", "C", 0},      {"COUNTRY", "C", 0},
        {"DATE", "C", 15},   {"PHONE", "C", 0},    {"PHONE2", "C", 0},   {"FAX", "C", 0},
        {"EMAIL", "C", 0},   {"CODES", "C", 0},    {"COMMENTS", "C", 0}, {"WEBPAGE", "C", 0},
        {"ISDEL", "L", 1},   {"TAG", "C", 8},
    };
    return fields;
}

const std::vector<AddressTagDef>& AddressTags()
{
    static const std::vector<AddressTagDef> tags = {
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
    };
    return tags;
}

const QStringList& AddressTagCheckOrder()
{
    static const QStringList names = {
        "NAME",  "LNAME",   "FNAME", "TITLE",  "ORG",    "STREET",   "STREET2", "CITY",     "STATE",
        "ZIP",   "COUNTRY", "PHONE", "PHONE2", "EMAIL",  "FAX",      "DATE",    "CODES",    "PREFIX",
        "MIDDLE", "COMMENTS", "DELETED", "STATEZIP", "ISDEL", "NOTISDEL", "TAG", "WEBPAGE",
    };
    return names;
}

void DeclareAddressFields(TTable& table)
{
    struct Declared {
        const char* name;
        const char* label;
        int width;
        int displayWidth;  // 0: as wide as the declared width
        bool visible;
    };
    static const Declared declared[] = {
        {"LNAME", "Last Name", 30, 20, true},       {"FNAME", "First Name", 30, 15, true},
        {"MIDDLE", "Middle", 1, 0, true},           {"PREFIX", "Prefix", 12, 4, true},
        {"TITLE", "Title", 30, 20, true},           {"ORG", "Organization", 30, 20, true},
        {"STREET", "Address 1", 40, 0, true},       {"STREET2", "Address 2", 40, 20, true},
        {"CITY", "City", 30, 15, true},             {"STATE", "State", 20, 5, true},
        {"ZIP", "Zip/Postal Code", 10, 10, true},   {"COUNTRY", "Country", 30, 15, true},
        {"PHONE", "Phone 1", 30, 15, true},         {"PHONE2", "Phone 2", 30, 15, true},
        {"FAX", "Fax", 30, 0, true},                {"EMAIL", "Email", 30, 0, true},
        {"CODES", "Codes", 30, 0, true},            {"ISDEL", "Deleted", 1, 0, false},
        {"DATE", "Actual Date", 15, 0, false},      {"TAG", "TAG", 8, 0, false},
        {"COMMENTS", "Comments", 80, 0, true},      {"WEBPAGE", "Web Page", 80, 30, true},
    };
    // Display widths are fixed at the declared width, so a file with wider fields still
    // shows the grid columns users know.
    for (const Declared& d : declared)
        table.AddField(d.name, d.width, d.label, d.displayWidth > 0 ? d.displayWidth : d.width, d.visible);
}
