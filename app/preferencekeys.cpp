#include "app/preferencekeys.h"

#include "platform/settings.h"

namespace {

const QString kAdding = QStringLiteral("Adding");
const QString kEditing = QStringLiteral("Editing");

} // namespace

const std::vector<PreferenceFlag>& AssistFlags()
{
    static const std::vector<PreferenceFlag> flags = {
        {"PlugDate", &AddingPreferences::PlugDate, "Enter today's date in the date field"},
        {"PlugCityState", &AddingPreferences::PlugCityState, "Automatically insert city and state/province"},
        {"AutoDupCheck", &AddingPreferences::AutoDupCheck, "Automatically check for duplicate names"},
    };
    return flags;
}

const std::vector<PreferenceFlag>& CarryFlags()
{
    static const std::vector<PreferenceFlag> flags = {
        {"CarryOrg", &AddingPreferences::CarryOrg, "Organization"},
        {"CarrySA1", &AddingPreferences::CarrySA1, "Address 1"},
        {"CarrySA2", &AddingPreferences::CarrySA2, "Address 2"},
        {"CarryCity", &AddingPreferences::CarryCity, "City"},
        {"CarryState", &AddingPreferences::CarryState, "State/Province"},
        {"CarryZip", &AddingPreferences::CarryZip, "Zip/Postal Code"},
        {"CarryCountry", &AddingPreferences::CarryCountry, "Country"},
    };
    return flags;
}

const std::vector<PreferenceFlag>& SkipFlags()
{
    static const std::vector<PreferenceFlag> flags = {
        {"SkipOrganization", &AddingPreferences::SkipOrganization, "Organization"},
        {"SkipPhone1", &AddingPreferences::SkipPhone1, "Phone #1"},
        {"SkipEmail", &AddingPreferences::SkipEmail, "E-Mail"},
        {"SkipWebPage", &AddingPreferences::SkipWebPage, "Web Page"},
        {"SkipState", &AddingPreferences::SkipState, "State/Province"},
        {"SkipZip", &AddingPreferences::SkipZip, "Zip/Postal Code"},
        {"SkipCountry", &AddingPreferences::SkipCountry, "Country"},
        {"SkipAddress2", &AddingPreferences::SkipAddress2, "Address 2"},
        {"SkipLastName", &AddingPreferences::SkipLastName, "Last Name"},
        {"SkipMiddleInitial", &AddingPreferences::SkipMiddleInitial, "Middle Initial"},
        {"SkipfirstName", &AddingPreferences::SkipfirstName, "First Name"},
        {"Skiptitle", &AddingPreferences::Skiptitle, "Title"},
        {"SkipPhone2", &AddingPreferences::SkipPhone2, "Phone #2"},
        {"SkipFax", &AddingPreferences::SkipFax, "Fax"},
        {"SkipCodes", &AddingPreferences::SkipCodes, "Codes"},
        {"SkipPrefix", &AddingPreferences::SkipPrefix, "Prefix"},
        {"SkipComments1", &AddingPreferences::SkipComments1, "Comments"},
        {"SkipDate", &AddingPreferences::SkipDate, "Date"},
        {"Skipcomments2", &AddingPreferences::Skipcomments2, ""},
    };
    return flags;
}

AddingPreferences ReadAddingPreferences()
{
    AddingPreferences prefs;
    auto readFlags = [&](const std::vector<PreferenceFlag>& flags) {
        for (const PreferenceFlag& f : flags)
            prefs.*f.member = ReadSettingBool(kAdding, QString::fromLatin1(f.key), false);
    };
    readFlags(AssistFlags());
    prefs.DefaultCountry = ReadSettingString(kAdding, QStringLiteral("DefaultCountry"));
    readFlags(CarryFlags());
    readFlags(SkipFlags());
    return prefs;
}

int ReadAggressiveSave()
{
    return ReadSettingInteger(kEditing, QStringLiteral("AggressiveSave"), kDefaultAggressiveSave);
}

void WritePreferences(const AddingPreferences& prefs, int aggressiveSave)
{
    auto writeFlags = [&](const std::vector<PreferenceFlag>& flags) {
        for (const PreferenceFlag& f : flags)
            WriteSettingBool(kAdding, QString::fromLatin1(f.key), prefs.*f.member);
    };
    writeFlags(AssistFlags());
    WriteSettingString(kAdding, QStringLiteral("DefaultCountry"), prefs.DefaultCountry);
    writeFlags(CarryFlags());
    writeFlags(SkipFlags());
    WriteSettingInteger(kEditing, QStringLiteral("AggressiveSave"), aggressiveSave);
}
