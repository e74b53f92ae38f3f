#include "labels/labellines.h"

#include <QMap>
#include <gtest/gtest.h>

namespace {

// A record as field values; fields not given are empty, "" in `missing` cannot be read.
struct Record {
    QMap<QString, QString> values;
    QString missing;

    AddressFieldReader Reader() const
    {
        return [this](const QString& name) -> std::optional<QString> {
            if (name == missing)
                return std::nullopt;
            return values.value(name);
        };
    }
};

Record Smith()
{
    return {{{"PREFIX", "Mr"},
             {"FNAME", "John"},
             {"MIDDLE", "Q"},
             {"LNAME", "Smith"},
             {"TITLE", "  Director"},
             {"ORG", "Acme"},
             {"STREET", "1 Main St"},
             {"CITY", "Springfield"},
             {"STATE", "IL"},
             {"ZIP", "62701"},
             {"COUNTRY", "USA"},
             {"PHONE", "555-0100"}},
            {}};
}

QStringList Lines(const Record& r, LabelLineOptions o = {})
{
    return ComposeLabelLines(r.Reader(), o);
}

} // namespace

TEST(LabelLines, FullRecordInOrderWithTheTitleKeepingItsLeadingBlanks)
{
    LabelLineOptions o;
    o.UsePhone = true;
    EXPECT_EQ(Lines(Smith(), o), QStringList({"Mr John Q. Smith ", "  Director", "Acme", "1 Main St",
                                              "Springfield  IL 62701", "USA", "555-0100"}));
}

TEST(LabelLines, NameLineDropsEmptyPartsAndKeepsItsTrailingBlank)
{
    EXPECT_EQ(ComposeNameLine("", "", "", "Smith"), "Smith ");
    EXPECT_EQ(ComposeNameLine("", "John", "   ", "Smith"), "John Smith "); // a blank middle gets no period
    EXPECT_EQ(ComposeNameLine(" Dr", "  Ann", " B", "Lee"), "Dr Ann B. Lee ");
    EXPECT_EQ(ComposeNameLine("", "", "", ""), "");
}

TEST(LabelLines, CityLineFollowsZipOptions)
{
    Record r = Smith();
    r.values["CITY"] = " Springfield";
    LabelLineOptions o;
    o.ZipOptions = zoBeforeCity;
    EXPECT_EQ(Lines(r, o)[4], "62701 Springfield IL ");
    o.UseZip = false;
    EXPECT_EQ(Lines(r, o)[4], "Springfield IL");
    o.UseCityState = false;
    o.UseZip = true;
    EXPECT_EQ(Lines(r, o)[4], "62701");
    // Postal code after the country, and alone where the country would be.
    o = {};
    o.ZipOptions = zoAfterCountry;
    EXPECT_EQ(Lines(r, o).mid(4), QStringList({"Springfield IL", "USA 62701"}));
    o.ZipOptions = zoBeforeCountry;
    EXPECT_EQ(Lines(r, o).mid(4), QStringList({"Springfield IL", "62701 USA"}));
    o.ZipOptions = zoAfterCountry;
    o.UseCountry = false;
    EXPECT_EQ(Lines(r, o).mid(4), QStringList({"Springfield IL", "62701"}));
}

TEST(LabelLines, EmptyCityStateAndZipAddNoLine)
{
    Record r = Smith();
    r.values["CITY"] = r.values["STATE"] = r.values["ZIP"] = QString();
    for (int zip : {zoAfterState, zoBeforeCity}) {
        LabelLineOptions o;
        o.ZipOptions = zip;
        EXPECT_EQ(Lines(r, o), QStringList({"Mr John Q. Smith ", "  Director", "Acme", "1 Main St", "USA"})) << zip;
    }
}

TEST(LabelLines, UpperCaseFoldsWindows1252LettersAndAMissingFieldEndsTheLabel)
{
    Record r = Smith();
    r.values["LNAME"] = QStringLiteral("Müller-ßœ");
    LabelLineOptions o;
    o.UpperCase = true;
    EXPECT_EQ(Lines(r, o).first(), QStringLiteral("MR JOHN Q. MÜLLER-ßŒ "));
    r.missing = QStringLiteral("STREET");
    EXPECT_EQ(Lines(r), QStringList({"Mr John Q. Müller-ßœ ", "  Director", "Acme"}));
}
