#include "select/queryvalues.h"

namespace {

constexpr std::array<QueryFieldInfo, QueryFieldCount> kFields{{
    {"qLName", "Last", "Last", "LNAME"},
    {"qFName", "First", "First", "FNAME"},
    {"qTitle", "Title", "Title", "TITLE"},
    {"qOrg", "Org", "Org", "ORG"},
    {"qStreet", "Street", "Address 1", "STREET"},
    {"qstreet2", "Street2", "Address 2", "STREET2"},
    {"qZip", "Zip", "Zip or Postal", "ZIP"},
    // The city pattern runs against the key of the city tag, so a plain pattern
    // matches the beginning of the city.
    {"qCity", "City", "City", "CITY+STATE"},
    {"qState", "State", "State or Prov", "STATE"},
    {"qCountry", "Country", "Country", "COUNTRY"},
    {"qPhone", "Phone", "Phone 1", "PHONE"},
    {"qphone2", "Phone2", "Phone 2", "PHONE2"},
    {"qFax", "Fax", "Fax", "FAX"},
    {"qEmail", "Email", "E-mail", "EMAIL"},
    {"qWebPage", "WebPage", "Web Page", "WEBPAGE"},
    {"qcomments", "Comments", "Comment", "COMMENTS"},
    {"qDate", "Date", "Date", "DATE"},
    {"qCodes", "Codes", "Codes", "CODES"},
}};

constexpr std::array<QueryField, QueryFieldCount> makeAll()
{
    std::array<QueryField, QueryFieldCount> all{};
    for (std::size_t i = 0; i < QueryFieldCount; ++i)
        all[i] = static_cast<QueryField>(i);
    return all;
}

constexpr std::array<QueryField, QueryFieldCount> kAll = makeAll();

} // namespace

const QueryFieldInfo& queryFieldInfo(QueryField field)
{
    return kFields[static_cast<std::size_t>(field)];
}

const std::array<QueryField, QueryFieldCount>& allQueryFields()
{
    return kAll;
}
