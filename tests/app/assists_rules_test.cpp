#include "app/dupname.h"
#include "app/newrecordfill.h"
#include "app/skipfields.h"

#include <QMap>
#include <gtest/gtest.h>

namespace {
QMap<QString, QString> Final(const FieldAssignments& a)
{
    QMap<QString, QString> m;
    for (const auto& [field, value] : a)
        m[field] = value;
    return m;
}

const QDate Today(2026, 12, 7);
} // namespace

TEST(NewRecordFill, DialogAnswersAndLookupComeFirstAndEmptyOnesAreLeftOut)
{
    const auto v =
        Final(NewRecordValues({}, {}, {.first = "John", .last = "Smith", .zip = "12345", .city = "Troy"}, Today));
    EXPECT_EQ(v.value("FNAME"), "John");
    EXPECT_EQ(v.value("LNAME"), "Smith");
    EXPECT_EQ(v.value("ZIP"), "12345");
    EXPECT_EQ(v.value("CITY"), "Troy");
    EXPECT_FALSE(v.contains("STATE"));
    EXPECT_FALSE(v.contains("DATE"));
}

TEST(NewRecordFill, CarriedCityAndStateOnlyWhereTheLookupFoundNothing)
{
    AddingPreferences p;
    p.CarryCity = p.CarryState = p.CarryZip = true;
    const CarriedValues carried{.city = "Albany", .state = "NY", .zip = "12201"};
    auto v = Final(NewRecordValues(p, carried, {.zip = "99999"}, Today));
    EXPECT_EQ(v.value("CITY"), "Albany");
    EXPECT_EQ(v.value("STATE"), "NY");
    EXPECT_EQ(v.value("ZIP"), "99999");

    v = Final(NewRecordValues(p, carried, {.zip = "12180", .city = "Troy", .state = "NY"}, Today));
    EXPECT_EQ(v.value("CITY"), "Troy");

    p.CarryCity = p.CarryState = false;
    v = Final(NewRecordValues(p, carried, {.zip = "99999"}, Today));
    EXPECT_TRUE(v.value("CITY").isEmpty());
    EXPECT_TRUE(v.value("STATE").isEmpty());
}

TEST(NewRecordFill, DefaultCountryYieldsToACarriedCountry)
{
    AddingPreferences p;
    p.DefaultCountry = "USA";
    EXPECT_EQ(Final(NewRecordValues(p, {.country = ""}, {}, Today)).value("COUNTRY"), "USA");

    p.CarryCountry = true;
    EXPECT_EQ(Final(NewRecordValues(p, {.country = "Canada"}, {}, Today)).value("COUNTRY"), "Canada");
    EXPECT_EQ(Final(NewRecordValues(p, {.country = ""}, {}, Today)).value("COUNTRY"), "USA");
}

TEST(NewRecordFill, StreetsOrgAndDateFollowTheirSwitches)
{
    AddingPreferences p;
    const CarriedValues carried{.org = "Acme", .street = "1 Main St", .street2 = "Suite 4"};
    auto v = Final(NewRecordValues(p, carried, {}, Today));
    EXPECT_FALSE(v.contains("ORG") || v.contains("STREET") || v.contains("STREET2") || v.contains("DATE"));

    p.CarryOrg = p.CarrySA1 = p.CarrySA2 = p.PlugDate = true;
    v = Final(NewRecordValues(p, carried, {}, Today));
    EXPECT_EQ(v.value("ORG"), "Acme");
    EXPECT_EQ(v.value("STREET"), "1 Main St");
    EXPECT_EQ(v.value("STREET2"), "Suite 4");
    EXPECT_EQ(v.value("DATE"), "20261207");
}

TEST(SkipFields, OnlyWhileTypingANewRecord)
{
    AddingPreferences p;
    p.SkipZip = true;
    const SkipField* zip = nullptr;
    for (const SkipField& f : SkipFields())
        if (QString(f.control) == "Zip")
            zip = &f;
    ASSERT_NE(zip, nullptr);
    EXPECT_FALSE(KeepsTabStop(p, *zip, true));
    EXPECT_TRUE(KeepsTabStop(p, *zip, false));
}

TEST(SkipFields, StreetAndCityCannotBeSkipped)
{
    EXPECT_EQ(SkipFields().size(), 18u);
    for (const SkipField& f : SkipFields()) {
        EXPECT_STRNE(f.control, "Street");
        EXPECT_STRNE(f.control, "City");
    }
}

TEST(NewRecordFocus, EmptyNamesFirstThenTheFirstUnskippedEdit)
{
    AddingPreferences p;
    EXPECT_STREQ(NewRecordFocus(p, true, true), "Last");
    EXPECT_STREQ(NewRecordFocus(p, false, true), "First");
    EXPECT_STREQ(NewRecordFocus(p, false, false), "Middle");
    p.SkipLastName = true;
    EXPECT_STREQ(NewRecordFocus(p, true, true), "First");
    p.SkipMiddleInitial = p.SkipPrefix = true;
    EXPECT_STREQ(NewRecordFocus(p, false, false), "Title");
    p.Skiptitle = true;
    EXPECT_STREQ(NewRecordFocus(p, false, false), "Org");
    p.SkipOrganization = true;
    EXPECT_STREQ(NewRecordFocus(p, false, false), "Street");
}

TEST(DuplicateName, KeyIsFullWidthAndInCapitals)
{
    EXPECT_EQ(DuplicateNameKey("Smith", "John", 8, 6), "SMITH   JOHN  ");
    // Longer names are cut to the field widths, as the index holds them.
    EXPECT_EQ(DuplicateNameKey("Smith-Jones", "Johnathan", 5, 4), "SMITHJOHN");
    EXPECT_EQ(DuplicateNameKey("müller", "zoë", 7, 3), "MÜLLER ZOË");
}

TEST(DuplicateName, QuestionShowsTheDuplicate)
{
    EXPECT_EQ(DuplicateQuestion({"JOHN", "SMITH", "1 Main St", "Troy", "NY", "12180"}),
              "Possible duplicate: \r\n\r\nJOHN SMITH\r\n1 Main St\r\nTroy,NY 12180\r\n\r\nContinue adding?");
}
