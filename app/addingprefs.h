#pragma once

#include <QString>

// The preferences that shape adding a record (settings section "Adding").
struct AddingPreferences {
    bool PlugDate = false;
    bool PlugCityState = false;
    bool AutoDupCheck = false;
    QString DefaultCountry;

    bool CarryOrg = false;
    bool CarrySA1 = false;
    bool CarrySA2 = false;
    bool CarryCity = false;
    bool CarryState = false;
    bool CarryZip = false;
    bool CarryCountry = false;

    bool SkipLastName = false;
    bool SkipfirstName = false;
    bool SkipMiddleInitial = false;
    bool SkipPrefix = false;
    bool Skiptitle = false;
    bool SkipOrganization = false;
    bool SkipAddress2 = false;
    bool SkipState = false;
    bool SkipZip = false;
    bool SkipCountry = false;
    bool SkipPhone1 = false;
    bool SkipPhone2 = false;
    bool SkipFax = false;
    bool SkipEmail = false;
    bool SkipWebPage = false;
    bool SkipCodes = false;
    bool SkipComments1 = false;
    bool SkipDate = false;
    bool Skipcomments2 = false; // kept for the settings file; it skips nothing
};
