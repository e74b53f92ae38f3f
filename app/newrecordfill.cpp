#include "app/newrecordfill.h"

FieldAssignments NewRecordValues(const AddingPreferences& prefs, const CarriedValues& carried,
                                 const NewRecordAnswers& answers, const QDate& today)
{
    FieldAssignments out;
    auto set = [&out](const char* field, const QString& value) { out.emplace_back(field, value); };
    auto setIfGiven = [&set](const char* field, const QString& value) {
        if (!value.isEmpty())
            set(field, value);
    };

    setIfGiven("FNAME", answers.first);
    setIfGiven("LNAME", answers.last);
    setIfGiven("ZIP", answers.zip);
    setIfGiven("CITY", answers.city);
    setIfGiven("STATE", answers.state);
    if (answers.zip.isEmpty() && prefs.CarryZip)
        set("ZIP", carried.zip);
    if (answers.city.isEmpty() && prefs.CarryCity)
        set("CITY", carried.city);
    if (answers.state.isEmpty() && prefs.CarryState)
        set("STATE", carried.state);
    if (prefs.CarryCountry)
        set("COUNTRY", carried.country);
    if (prefs.CarrySA1)
        set("STREET", carried.street);
    if (prefs.CarrySA2)
        set("STREET2", carried.street2);
    if (carried.country.isEmpty() && !prefs.DefaultCountry.isEmpty())
        set("COUNTRY", prefs.DefaultCountry);
    if (prefs.PlugDate)
        set("DATE", today.toString("yyyyMMdd"));
    if (prefs.CarryOrg)
        set("ORG", carried.org);
    return out;
}
