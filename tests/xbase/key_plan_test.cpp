// Keys from a KeyPlan against the evaluator's, byte for byte: the tags of the
// fixture files on their records, and odd shapes on odd bytes.
#include "test_tables.h"

#include "xbase/expression.h"
#include "xbase/key_plan.h"
#include "xbase/table.h"

#include <gtest/gtest.h>

namespace {

// Every record's key through the plan equals the evaluator's; whether a plan was found.
bool sameKeys(const std::string& text, const std::vector<xb::DbfField>& fields, const std::vector<std::string>& records)
{
    std::string error;
    const auto e = xb::Expression::compile(text, fields, error);
    EXPECT_TRUE(e) << text << ": " << error;
    xb::KeyPlan plan;
    if (!e || !e->keyPlan(plan))
        return false;
    std::string want, got(size_t(plan.width()), '\0');
    for (size_t r = 0; r < records.size(); ++r) {
        e->keyBytes({records[r].data(), long(r + 1), long(records.size()), false}, want);
        plan.run(records[r].data(), reinterpret_cast<uint8_t*>(got.data()));
        EXPECT_EQ(got, want) << text << " on record " << r + 1;
    }
    return true;
}

TEST(KeyPlan, FixtureTagsGiveTheEvaluatorsKeys)
{
    const nlohmann::json tags = xbtest::expectedJson("small")["tags"];
    ASSERT_EQ(tags.size(), 26u);
    for (const std::string name : {"small", "wide", "nowebpage", "bulk3k"}) {
        std::string error;
        const auto table = xb::Table::open(xbtest::fixture(name + ".dbf"), xb::OpenMode::ReadOnly, error);
        ASSERT_TRUE(table) << error;
        std::vector<std::string> records;
        table->readRange(1, table->recordCount(), [&](long, const char* rec) {
            records.emplace_back(rec, size_t(table->header().recordLength));
        });
        for (const auto& tag : tags)
            EXPECT_TRUE(sameKeys(tag["expr"].get<std::string>(), table->fields(), records)) << tag["expr"];
    }
}

TEST(KeyPlan, OddShapesAndBytesGiveTheEvaluatorsKeys)
{
    const std::vector<xb::DbfField> fields = {
        {"A", 'C', 5, 0, 1}, {"B", 'C', 4, 0, 6}, {"C", 'C', 3, 0, 10}, {"L", 'L', 1, 0, 13}, {"N", 'N', 4, 0, 14}};
    // Blank, padded, cp1252 letters above 0x7F (sharp s and y diaeresis among them),
    // inner and leading blanks.
    const std::vector<std::string> texts = {"     ", "ab   ", "\xe9\xe7\xe0  ", "\x9a\x9c\xff\xdf\x8a",
                                            " x y ", "Zz9_@"};
    std::vector<std::string> records;
    for (const char mark : {' ', '*'})
        for (const std::string& a : texts)
            for (const std::string& b : texts)
                for (const char l : std::string("TtYyNF? "))
                    records.push_back(mark + a + b.substr(1, 4) + b.substr(2, 3) + l + "  12");
    for (const char* planned : {"A", "UPPER(A-B)", "LOWER(A)+B", "UPPER(LOWER(A)-B)", "A-B-C", "A+(B-C)",
                                "UPPER(A)-LOWER(B)+C", "(A-B)-(C-A)", "UPPER(A-B-C-A-B-C-A-B-C)",
                                "A-(B-(C-(A-(B-(C-(A-(B-C)))))))", "L", "!L", "!!L", ".NOT. DELETED()", "DELETED()"})
        EXPECT_TRUE(sameKeys(planned, fields, records)) << planned;
    for (const char* evaluated : {"TRIM(A)+B", "LEFT(A,3)", "N", "A+\"x\"", "L .AND. DELETED()", "RECNO()",
                                  "A-(B-(C-(A-(B-(C-(A-(B-(C-A))))))))"})
        EXPECT_FALSE(sameKeys(evaluated, fields, records)) << evaluated;
}

} // namespace
