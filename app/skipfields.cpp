#include "app/skipfields.h"

#include <array>

namespace {
using P = AddingPreferences;
constexpr std::array<SkipField, 18> Table{{
    {"Last", &P::SkipLastName},
    {"First", &P::SkipfirstName},
    {"Middle", &P::SkipMiddleInitial},
    {"Prefix", &P::SkipPrefix},
    {"Title", &P::Skiptitle},
    {"Org", &P::SkipOrganization},
    {"Street2", &P::SkipAddress2},
    {"State", &P::SkipState},
    {"Zip", &P::SkipZip},
    {"Country", &P::SkipCountry},
    {"Phone", &P::SkipPhone1},
    {"Phone2", &P::SkipPhone2},
    {"Fax", &P::SkipFax},
    {"Email", &P::SkipEmail},
    {"WebPage", &P::SkipWebPage},
    {"Codes", &P::SkipCodes},
    {"Comments", &P::SkipComments1},
    {"Date", &P::SkipDate},
}};
} // namespace

std::span<const SkipField> SkipFields()
{
    return Table;
}

bool KeepsTabStop(const AddingPreferences& prefs, const SkipField& field, bool skipping)
{
    return !(skipping && prefs.*field.key);
}

const char* NewRecordFocus(const AddingPreferences& prefs, bool lastNameEmpty, bool firstNameEmpty)
{
    if (!prefs.SkipLastName && lastNameEmpty)
        return "Last";
    if (!prefs.SkipfirstName && firstNameEmpty)
        return "First";
    // The four edits after the names, in the order of the table.
    for (const SkipField& f : std::span(Table).subspan(2, 4))
        if (!(prefs.*f.key))
            return f.control;
    return "Street";
}
