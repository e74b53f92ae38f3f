// Match keys and pair scores: what counts as the same name, street, phone and ZIP, and
// the level and reasons two contacts get.
#include "duplicates/duplicatefinder.h"
#include "duplicates/matchkeys.h"
#include "duplicates/pairmatch.h"
#include "duplicates/phonekey.h"
#include "duplicates/streetkey.h"
#include "duplicates/textfold.h"

#include <gtest/gtest.h>

namespace {

Contact Person(const QString& first, const QString& last, const QString& street, const QString& zip,
               const QString& phone = {}, const QString& email = {}, const QString& country = {})
{
    return Contact{1, first, last, street, zip, country, email, {phone}};
}

PairMatch Match(const Contact& a, const Contact& b)
{
    return MatchPair(KeysOf(a, QStringLiteral("US")), KeysOf(b, QStringLiteral("US")));
}

} // namespace

TEST(MatchKeys, NamesStreetsPhonesAndCodesFoldToOneSpelling)
{
    EXPECT_EQ(FoldText(QStringLiteral("  José  O'Brien-Smith ")), QStringLiteral("jose obrien smith"));
    EXPECT_EQ(FoldText(QStringLiteral("Straße Æbelø")), QStringLiteral("strasse aebelo"));
    EXPECT_NE(NameGroupsOf(QStringLiteral("bob"))[0], 0);
    EXPECT_EQ(NameGroupsOf(QStringLiteral("bob"))[0], NameGroupsOf(QStringLiteral("robert"))[0]);
    EXPECT_EQ(NameGroupsOf(QStringLiteral("zelda"))[0], 0);

    const StreetKey street = StreetKeyOf(QStringLiteral("12.00 North Main Street"));
    EXPECT_EQ(street.number, QStringLiteral("12"));
    EXPECT_EQ(street.words, QStringLiteral("n main st"));
    EXPECT_EQ(StreetKeyOf(QStringLiteral("12 N. MAIN ST.")).words, street.words);

    EXPECT_EQ(PhoneKey(QStringLiteral("(312) 555-0100"), QStringLiteral("US")), QStringLiteral("13125550100"));
    EXPECT_EQ(PhoneKey(QStringLiteral("+1 312 555 0100"), QStringLiteral("DE")), QStringLiteral("13125550100"));
    EXPECT_EQ(PhoneKey(QStringLiteral("030 1234567"), QStringLiteral("DE")), QStringLiteral("49301234567"));
    EXPECT_EQ(PhoneKey(QStringLiteral("x12"), QStringLiteral("US")), QString());
    // A plainly written number takes the short way; one with an extension the full parse.
    for (const char* region : {"US", "DE", "IT", "GB"})
        for (const char* phone : {"030 1234567", "06 1234 5678", "1-312-555-0100", "020 7946 0018", "0049 30 1234567"})
            EXPECT_EQ(PhoneKey(QString::fromLatin1(phone), QString::fromLatin1(region)),
                      PhoneKey(QString::fromLatin1(phone) + QStringLiteral(" ext. 9"), QString::fromLatin1(region)))
                << phone << " in " << region;

    EXPECT_EQ(PostalKey(QStringLiteral("60601-1234"), QStringLiteral("US")), QStringLiteral("60601"));
    EXPECT_EQ(PostalKey(QStringLiteral("sw1a 1aa"), QStringLiteral("GB")), QStringLiteral("sw1a1aa"));
    EXPECT_EQ(RegionOfCountry(QStringLiteral("Deutschland"), QStringLiteral("US")), QStringLiteral("DE"));
    EXPECT_EQ(RegionOfCountry(QStringLiteral("fr"), QStringLiteral("US")), QStringLiteral("FR"));
    EXPECT_EQ(RegionOfCountry(QString(), QStringLiteral("CA")), QStringLiteral("CA"));

    // The record's country decides how its phone is read.
    const MatchKeys berlin = KeysOf(Person("A", "B", "", "", "030 1234567", "", "Germany"), QStringLiteral("US"));
    const MatchKeys dialled = KeysOf(Person("A", "B", "", "", "+49 30 1234567"), QStringLiteral("US"));
    EXPECT_EQ(berlin.phones[0], dialled.phones[0]);
}

TEST(MatchKeys, PairsGetTheirLevelAndReasons)
{
    const Contact bob = Person("Bob", "Smith", "12 Main St.", "60601", "(312) 555-0100");
    const Contact robert = Person("Robert", "SMITH", "12 Main Street", "60601-4411", "+1 312 555 0100");
    PairMatch m = Match(bob, robert);
    EXPECT_EQ(m.level, MatchLevel::Likely);
    EXPECT_EQ(m.reasons, QStringLiteral("same phone, same street and ZIP, first names Bob/Robert, same last name"));

    m = Match(Person("José", "García", "12 Main St", "60601"), Person("jose", "Garcia", "12 main street", "60601"));
    EXPECT_EQ(m.level, MatchLevel::Exact);
    EXPECT_EQ(m.reasons, QStringLiteral("same street and ZIP, same name"));
    EXPECT_GT(m.score, 50);

    // An initial agrees with the name it stands for; a two-letter name is no initial.
    EXPECT_EQ(Match(Person("J.", "Lee", "", "", "", "jl@x.org"), Person("John", "Lee", "", "", "", "JL@X.ORG")).level,
              MatchLevel::Likely);
    EXPECT_EQ(Match(Person("Jo", "Lee", "", "", "", "jl@x.org"), Person("John", "Lee", "", "", "", "jl@x.org")).level,
              MatchLevel::Possible);

    // A household: same home and phone, other given names.
    const Contact jane = Person("Jane", "Smith", "12 Main St", "60601", "(312) 555-0100");
    EXPECT_EQ(Match(bob, jane).level, MatchLevel::Possible);
    // Same name, another home and e-mail: not even possible.
    EXPECT_EQ(Match(bob, Person("Bob", "Smith", "9 Oak Rd", "10001", "", "b@y.org")).level, MatchLevel::None);
    // Same name in the same ZIP alone is only possible.
    EXPECT_EQ(Match(bob, Person("Robert", "Smith", "40 Elm St", "60601")).level, MatchLevel::Possible);
    // Same name and phone but another e-mail: likely, not exact.
    EXPECT_EQ(Match(Person("Ann", "Wu", "", "", "5550100222", "a@x.org"),
                    Person("Ann", "Wu", "", "", "555 010 0222", "w@y.org"))
                  .level,
              MatchLevel::Likely);
    EXPECT_EQ(LevelNamed(QStringLiteral("POSSIBLE")), MatchLevel::Possible);
    EXPECT_FALSE(LevelNamed(QStringLiteral("maybe")));
}

TEST(MatchKeys, AnIndexOfBlockingKeysKeysTheGivenNamesALineIsComparedWith)
{
    const QString us = QStringLiteral("US");
    ContactIndex index({BlockingKeysOf(Person("Maria", "García", "12 Main St", "60601"), us),
                        BlockingKeysOf(Person("José", "García", "12 Main St", "60601"), us)});
    const MatchKeys* found =
        index.Match(KeysOf(Person("JOSE", "Garcia", "12 main street", "60601"), us), MatchLevel::Exact);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->firstName, QStringLiteral("José"));
}

TEST(MatchKeys, KeysStayTheSameFromRunToRunAndContactToContact)
{
    // "Not duplicates" keeps pairs by these hashes in a file beside the address file: they
    // may never change, nor depend on the contact keyed before.
    const auto hashes = [](const Contact& contact) {
        const MatchKeys k = KeysOf(contact, QStringLiteral("US"));
        return std::vector<quint64>{k.last, k.first, k.firstWord, k.street, k.zip, k.email, k.phones[0]};
    };
    const Contact full = Person("Zoë-Anne", "O'Brien Smith", "12.00 North Main Street Apt 4", "60601-1234",
                                "(312) 555-0100", " Zoe.OBrien@Example.COM ", "Deutschland");
    const Contact plain = Person("Al", "Li", "9 Elm Rd", "60601", "+1 312 555 0100", "al@x.org");
    const std::vector<quint64> fullKeys{2930761849607552195u, 9831462223813606083u, 17530254917100847225u,
                                        3228417669150904463u, 1958269251252464705u, 11484685251775630849u,
                                        11734602007346905409u};
    const std::vector<quint64> plainKeys{2030739629507719965u, 4701979646856498985u,  4701979646856498985u,
                                         6307956322115089199u, 16906733563031105065u, 817224541585766261u,
                                         16942328983747802917u};
    EXPECT_EQ(hashes(full), fullKeys);
    EXPECT_EQ(hashes(plain), plainKeys);
    EXPECT_EQ(hashes(full), fullKeys);
}
