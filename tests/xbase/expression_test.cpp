// The expression language on a hand-built record: operators, functions, types and
// the errors that must come back as messages.
#include "xbase/expression.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

using xb::DbfField;
using xb::Expression;

class ExpressionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        add("LNAME", 'C', 10, 0);
        add("FNAME", 'C', 8, 0);
        add("AMOUNT", 'N', 8, 2);
        add("BORN", 'D', 8, 0);
        add("ISDEL", 'L', 1, 0);
        record_.assign(static_cast<std::size_t>(offset_), ' ');
        set("LNAME", "de la cruz");
        set("FNAME", "Ana");
        set("AMOUNT", "   12.50");
        set("BORN", "19970428");
        set("ISDEL", "F");
    }

    void add(const char* name, char type, int width, int dec)
    {
        fields_.push_back(DbfField{name, type, width, dec, offset_});
        offset_ += width;
    }

    void set(const std::string& field, const std::string& value)
    {
        for (const DbfField& f : fields_)
            if (f.name == field)
                std::memcpy(record_.data() + f.offset, value.data(), value.size());
    }

    // The expression's value as text, or "ERROR: message".
    std::string eval(const std::string& text, bool exact = false)
    {
        std::string error;
        auto e = Expression::compile(text, fields_, error);
        if (!e) {
            EXPECT_FALSE(error.empty()) << text;
            return "ERROR";
        }
        return e->display(xb::EvalContext{record_.data(), 7, 42, exact});
    }

    std::vector<DbfField> fields_;
    std::string record_;
    int offset_ = 1;
};

TEST_F(ExpressionTest, LiteralsAndFieldNamesInAnyCase)
{
    EXPECT_EQ(eval("\"a b\""), "a b");
    EXPECT_EQ(eval("'it''"), "ERROR");
    EXPECT_EQ(eval("'say \"hi\"'"), "say \"hi\"");
    EXPECT_EQ(eval("[x'y\"z]"), "x'y\"z");
    EXPECT_EQ(eval("lname"), "de la cruz");
    EXPECT_EQ(eval("Fname"), "Ana     ");
    EXPECT_EQ(eval("field->FNAME"), "Ana     ");
    EXPECT_EQ(eval("12.5 + .5"), "13");
    EXPECT_EQ(eval(".t."), ".T.");
    EXPECT_EQ(eval(".F."), ".F.");
    EXPECT_EQ(eval("AMOUNT * 2"), "25");
    EXPECT_EQ(eval("isdel"), ".F.");
    EXPECT_EQ(eval("DTOS(BORN)"), "19970428");
    EXPECT_EQ(eval("DTOS(BORN + 3)"), "19970501");
}

TEST_F(ExpressionTest, JoiningMovesTrailingBlanksWithMinus)
{
    EXPECT_EQ(eval("FNAME + LNAME"), "Ana     de la cruz");
    EXPECT_EQ(eval("FNAME - LNAME"), "Anade la cruz     ");
    EXPECT_EQ(eval("UPPER(FNAME-LNAME)"), "ANADE LA CRUZ     ");
    EXPECT_EQ(eval("LEN(FNAME-LNAME)"), "18");
}

TEST_F(ExpressionTest, ComparisonFollowsTheExactSwitch)
{
    for (bool exact : {false, true}) {
        SCOPED_TRACE(exact ? "exact on" : "exact off");
        EXPECT_EQ(eval("LNAME = \"de la\"", exact), exact ? ".F." : ".T.");
        EXPECT_EQ(eval("LNAME = \"de la cruz\"", exact), ".T."); // padded field, trailing blanks
        EXPECT_EQ(eval("FNAME = \"Ana\"", exact), ".T.");
        EXPECT_EQ(eval("FNAME == \"Ana\"", exact), ".F."); // == compares every byte
        EXPECT_EQ(eval("TRIM(FNAME) == \"Ana\"", exact), ".T.");
        EXPECT_EQ(eval("LNAME <> \"de\"", exact), exact ? ".T." : ".F.");
        EXPECT_EQ(eval("LNAME # \"de\"", exact), exact ? ".T." : ".F.");
        EXPECT_EQ(eval("LNAME != \"de\"", exact), exact ? ".T." : ".F.");
        EXPECT_EQ(eval("LNAME > \"de\"", exact), exact ? ".T." : ".F.");
        EXPECT_EQ(eval("LNAME >= \"de\"", exact), ".T.");
        EXPECT_EQ(eval("LNAME <= \"de\"", exact), exact ? ".F." : ".T.");
        EXPECT_EQ(eval("\"de\" < LNAME", exact), ".T.");
        EXPECT_EQ(eval("\"\xFC\" > \"z\"", exact), ".T."); // bytes by value
    }
    EXPECT_EQ(eval("AMOUNT > 12.4 .and. AMOUNT < 12.6"), ".T.");
    EXPECT_EQ(eval("AMOUNT == 12.5"), ".T.");
    EXPECT_EQ(eval("BORN > BORN - 1"), ".T.");
    EXPECT_EQ(eval("ISDEL = .F."), ".T.");
}

TEST_F(ExpressionTest, ContainsNeedsANonEmptyNeedle)
{
    EXPECT_EQ(eval("\"CRU\" $ UPPER(LNAME)"), ".T.");
    EXPECT_EQ(eval("\"cru\" $ UPPER(LNAME)"), ".F.");
    EXPECT_EQ(eval("\"\" $ LNAME"), ".F.");
    EXPECT_EQ(eval("\"\" $ \"\""), ".F.");
}

TEST_F(ExpressionTest, LogicalOperatorsAndPrecedence)
{
    EXPECT_EQ(eval("! .F. .AND. .T."), ".T.");
    EXPECT_EQ(eval("!.F..and..F."), ".F.");
    EXPECT_EQ(eval(".NOT. .T. .OR. .T."), ".T.");
    EXPECT_EQ(eval("not .t. or .t."), ".T.");
    EXPECT_EQ(eval(".T. .OR. .F. .AND. .F."), ".T."); // .AND. binds tighter
    EXPECT_EQ(eval("(.T. .OR. .F.) and .F."), ".F.");
    EXPECT_EQ(eval("AND"), "ERROR");
    EXPECT_EQ(eval("1 + 2 * 3"), "7");
    EXPECT_EQ(eval("-2 ^ 2"), "-4");
    EXPECT_EQ(eval("RECNO() = 7 .AND. RECCOUNT() = 42"), ".T.");
    EXPECT_EQ(eval("Recno()=5"), ".F.");
}

TEST_F(ExpressionTest, TextFunctions)
{
    EXPECT_EQ(eval("UPPER(\"\xE9t\xE9 \x9A\xFF\xDF\")"), "\xC9T\xC9 \x8A\x9F\xDF");
    EXPECT_EQ(eval("LOWER(\"\xC4Z\x8C\")"), "\xE4z\x9C");
    EXPECT_EQ(eval("TRIM(\"  a  \") + \"|\""), "  a|");
    EXPECT_EQ(eval("RTRIM(\"  a  \") + \"|\""), "  a|");
    EXPECT_EQ(eval("LTRIM(\"  a  \") + \"|\""), "a  |");
    EXPECT_EQ(eval("ALLTRIM(\"  a  \") + \"|\""), "a|");
    EXPECT_EQ(eval("ALLTRIM(\"    \") + \"|\""), "|");
    EXPECT_EQ(eval("SUBSTR(LNAME, 4, 2)"), "la");
    EXPECT_EQ(eval("SUBSTR(LNAME, 7)"), "cruz");
    EXPECT_EQ(eval("SUBSTR(LNAME, 20, 3)"), "");
    EXPECT_EQ(eval("SUBSTR(LNAME, -4)"), "cruz");
    EXPECT_EQ(eval("LEFT(LNAME, 2)"), "de");
    EXPECT_EQ(eval("LEFT(LNAME, 99)"), "de la cruz");
    EXPECT_EQ(eval("RIGHT(LNAME, 4)"), "cruz");
    EXPECT_EQ(eval("RIGHT(LNAME, -1)"), "");
    EXPECT_EQ(eval("LEN(LNAME)"), "10");
    EXPECT_EQ(eval("LEN(TRIM(FNAME))"), "3");
    EXPECT_EQ(eval("ASC(\"A\")"), "65");
    EXPECT_EQ(eval("CHR(66)"), "B");
}

TEST_F(ExpressionTest, NumberAndLogicalFunctions)
{
    EXPECT_EQ(eval("STR(AMOUNT)"), "        13"); // halves round away from zero
    EXPECT_EQ(eval("STR(-2.5, 3)"), " -3");
    EXPECT_EQ(eval("STR(AMOUNT, 6, 1)"), "  12.5");
    EXPECT_EQ(eval("STR(123456, 3)"), "***");
    EXPECT_EQ(eval("VAL(\" 42.5abc\")"), "42.5");
    EXPECT_EQ(eval("VAL(\"x\")"), "0");
    EXPECT_EQ(eval("VAL(\"-3.\")"), "-3");
    EXPECT_EQ(eval("VAL(\"0x10\") + VAL(\"inf\")"), "0");
    // Out-of-range numbers as positions, widths and dates stay defined.
    EXPECT_EQ(eval("SUBSTR(LNAME, 99999999999999999999, 2)"), "");
    EXPECT_EQ(eval("LEFT(LNAME, -99999999999999999999)"), "");
    EXPECT_EQ(eval("STR(10 ^ 400, 5)"), "*****");
    EXPECT_EQ(eval("DTOS(BORN + 99999999999)"), "        ");
    EXPECT_EQ(eval("IIF(AMOUNT > 10, \"big\", \"small\")"), "big");
    EXPECT_EQ(eval("IIF(ISDEL, 1, 2)"), "2");
    EXPECT_EQ(eval("EMPTY(\"   \")"), ".T.");
    EXPECT_EQ(eval("EMPTY(LNAME)"), ".F.");
    EXPECT_EQ(eval("EMPTY(0)"), ".T.");
    EXPECT_EQ(eval("EMPTY(ISDEL)"), ".T.");
    EXPECT_EQ(eval("DELETED()"), ".F.");
    record_[0] = '*';
    EXPECT_EQ(eval("DELETED()"), ".T.");
}

TEST_F(ExpressionTest, MalformedTextIsAnErrorNeverACrash)
{
    for (const char* bad : {"",
                            "   ",
                            "(",
                            ")",
                            "UPPER(",
                            "UPPER(LNAME",
                            "\"open",
                            "[open",
                            "LNAME +",
                            "+",
                            "NOSUCH",
                            "NOSUCH()",
                            "UPPER(1)",
                            "LNAME = 1",
                            "LNAME .AND. .T.",
                            "!LNAME",
                            "1 $ 2",
                            "IIF(.T., 1, \"a\")",
                            "SUBSTR(LNAME)",
                            "LEN()",
                            "DELETED(1)",
                            ".X.",
                            "LNAME @ 2",
                            "a->",
                            "1 2",
                            "\"a\" * 2",
                            "BORN + BORN",
                            ".AND."}) {
        std::string error;
        EXPECT_EQ(Expression::compile(bad, fields_, error), nullptr) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
    std::string deep(5000, '(');
    std::string error;
    EXPECT_EQ(Expression::compile(deep + ".T." + std::string(5000, ')'), fields_, error), nullptr);
    EXPECT_NE(error.find("deep"), std::string::npos);
}

TEST_F(ExpressionTest, WidthsAndKeyBytes)
{
    std::string error;
    auto key = Expression::compile("UPPER(LNAME-FNAME)", fields_, error);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->type(), xb::ValueType::Character);
    EXPECT_EQ(key->width(), 18);
    std::string bytes;
    key->keyBytes(xb::EvalContext{record_.data(), 1, 1, false}, bytes);
    EXPECT_EQ(bytes, "DE LA CRUZANA     ");

    auto trimmed = Expression::compile("TRIM(FNAME)", fields_, error);
    trimmed->keyBytes(xb::EvalContext{record_.data(), 1, 1, false}, bytes);
    EXPECT_EQ(bytes, "Ana     "); // padded back to the fixed width

    auto flag = Expression::compile("!ISDEL", fields_, error);
    flag->keyBytes(xb::EvalContext{record_.data(), 1, 1, false}, bytes);
    EXPECT_EQ(bytes, "T");

    auto number = Expression::compile("AMOUNT", fields_, error);
    number->keyBytes(xb::EvalContext{record_.data(), 1, 1, false}, bytes);
    ASSERT_EQ(bytes.size(), sizeof(double));
    double v;
    std::memcpy(&v, bytes.data(), sizeof v);
    EXPECT_EQ(v, 12.5);
    EXPECT_TRUE(number->usesField("amount"));
    EXPECT_FALSE(number->usesField("LNAME"));

    EXPECT_EQ(Expression::compile("SUBSTR(LNAME, 2, 3)", fields_, error)->width(), 3);
    EXPECT_EQ(Expression::compile("IIF(.T., FNAME, LNAME)", fields_, error)->width(), 10);
    EXPECT_EQ(Expression::compile("STR(AMOUNT, 6, 1)", fields_, error)->width(), 6);
}

} // namespace
