#include "select/filterexpression.h"
#include "select/upperfold.h"

#include "printing.h"

#include <gtest/gtest.h>

namespace {

const QString kTag = QStringLiteral("VJY355E");

QString build(std::initializer_list<std::pair<QueryField, const char*>> typed, bool tagged = false,
              bool reverse = false)
{
    QueryValues values;
    for (const auto& [field, text] : typed)
        values[field] = QString::fromUtf8(text);
    values.tagged = tagged;
    values.reverse = reverse;
    return BuildQueryString(values, kTag);
}

TEST(BuildQueryString, WorkedExamples)
{
    using F = QueryField;
    EXPECT_EQ(build({{F::LName, "smith"}}), R"(UPPER(LNAME)="SMITH")");
    EXPECT_EQ(build({{F::LName, "$mit"}}), R"("MIT"$UPPER(LNAME))");
    EXPECT_EQ(build({{F::Zip, ">=90000"}}), R"(UPPER(ZIP)>="90000")");
    EXPECT_EQ(build({{F::State, "CA;NY"}}), R"(((UPPER(STATE)="CA").or.(UPPER(STATE)="NY")))");
    EXPECT_EQ(build({{F::State, "ca; ny"}}), R"(((UPPER(STATE)="CA").or.(UPPER(STATE)=" NY")))");
    EXPECT_EQ(build({{F::Codes, "$A+$B"}}), R"((("A"$UPPER(CODES)).and.("B"$UPPER(CODES))))");
    EXPECT_EQ(build({{F::Codes, "$A^$B"}}), R"((("A"$UPPER(CODES)).and..not.("B"$UPPER(CODES))))");
    EXPECT_EQ(build({{F::LName, "A+B;C"}}), R"(((((UPPER(LNAME)="A").and.(UPPER(LNAME)="B"))).or.(UPPER(LNAME)="C")))");
    EXPECT_EQ(build({{F::City, "boston"}}), R"(UPPER(CITY+STATE)="BOSTON")");
    EXPECT_EQ(build({{F::LName, "smith"}, {F::FName, "j"}}), R"(UPPER(LNAME)="SMITH" and UPPER(FNAME)="J")");
    EXPECT_EQ(build({}, true), R"((UPPER(TAG)="VJY355E"))");
    EXPECT_EQ(build({{F::LName, "smith"}}, false, true), R"((!(UPPER(LNAME)="SMITH")))");
    const QString last = build({{F::Date, ">=19970101"}}, true, true);
    EXPECT_EQ(last, R"((!(UPPER(DATE)>="19970101" and (UPPER(TAG)="VJY355E"))))");
    EXPECT_EQ(activeQueryFor(last), R"((!(UPPER(DATE)>="19970101" and (UPPER(TAG)="VJY355E"))).and. !ISDEL)");
}

TEST(BuildQueryString, NothingToFilterGivesNoExpression)
{
    EXPECT_EQ(build({}), QString());
    EXPECT_EQ(build({{QueryField::LName, "   "}, {QueryField::Codes, ""}}), QString());
    // Reverse alone has nothing to reverse.
    EXPECT_EQ(build({{QueryField::Org, "  "}}, false, true), QString());
    EXPECT_EQ(activeQueryFor(QString()), "!ISDEL");
}

TEST(BuildQueryString, TermsFollowTheFieldOrderWhateverTheTypingOrder)
{
    QueryValues values;
    for (QueryField field : allQueryFields())
        values[field] = QStringLiteral("x");
    const QString expression = BuildQueryString(values, kTag);
    qsizetype at = 0;
    for (QueryField field : allQueryFields()) {
        const QString term = QStringLiteral("UPPER(%1)=\"X\"").arg(QLatin1StringView(queryFieldInfo(field).expression));
        const qsizetype found = expression.indexOf(term, at);
        ASSERT_GE(found, at) << term.toStdString();
        at = found + term.size();
    }
    EXPECT_EQ(expression.count(QStringLiteral(" and ")), 17);
}

TEST(FilterTerm, PatternsKeepTheirBlanksButBlankOnlyFieldsAreSkipped)
{
    EXPECT_EQ(build({{QueryField::LName, " smith "}}), R"(UPPER(LNAME)=" SMITH ")");
}

TEST(FilterTerm, ComparisonPrefixes)
{
    const QString f = QStringLiteral("ZIP");
    EXPECT_EQ(filterTerm(f, ">9"), R"(UPPER(ZIP)>"9")");
    EXPECT_EQ(filterTerm(f, "<=9"), R"(UPPER(ZIP)<="9")");
    EXPECT_EQ(filterTerm(f, "<9"), R"(UPPER(ZIP)<"9")");
    // There is no inequality operator: "<>X" compares with "<" against ">X".
    EXPECT_EQ(filterTerm(f, "<>x"), R"(UPPER(ZIP)<">X")");
    EXPECT_EQ(filterTerm(f, "=x"), R"(UPPER(ZIP)="=X")");
}

TEST(FilterTerm, TextAfterAPrefixIsCutTo99Characters)
{
    const QString long120(120, u'a');
    const QString cut99(99, u'A');
    EXPECT_EQ(filterTerm("ORG", ">=" + long120), "UPPER(ORG)>=\"" + cut99 + "\"");
    EXPECT_EQ(filterTerm("ORG", "$" + long120), "\"" + cut99 + "\"$UPPER(ORG)");
    // A plain pattern is compared as a whole.
    EXPECT_EQ(filterTerm("ORG", long120), "UPPER(ORG)=\"" + long120.toUpper() + "\"");
}

TEST(FilterTerm, SeparatorsInsideAPieceNest)
{
    EXPECT_EQ(filterTerm("CODES", "a^b;c"),
              R"(((((UPPER(CODES)="A").and..not.(UPPER(CODES)="B"))).or.(UPPER(CODES)="C")))");
    EXPECT_EQ(filterTerm("CODES", "a+b^c"),
              R"(((UPPER(CODES)="A").and.(((UPPER(CODES)="B").and..not.(UPPER(CODES)="C")))))");
}

TEST(FilterTerm, EmptyPiecesAddNoCondition)
{
    EXPECT_EQ(filterTerm("LNAME", "smith;"), R"(((UPPER(LNAME)="SMITH")))");
    EXPECT_EQ(filterTerm("LNAME", ";;smith;;jones"), R"(((UPPER(LNAME)="SMITH").or.(UPPER(LNAME)="JONES")))");
    EXPECT_EQ(filterTerm("LNAME", "a^^b"), R"(((UPPER(LNAME)="A").and..not.(UPPER(LNAME)="B")))");
    // A leading "^" still excludes.
    EXPECT_EQ(filterTerm("CODES", "^$b"), R"((.not.("B"$UPPER(CODES))))");
    // Nothing but separators: the field adds no term at all.
    EXPECT_EQ(filterTerm("LNAME", ";+^"), QString());
    EXPECT_EQ(build({{QueryField::LName, ";"}, {QueryField::FName, "j"}}), R"(UPPER(FNAME)="J")");
    EXPECT_EQ(build({{QueryField::LName, "+"}}, false, true), QString());
}

TEST(FilterTerm, DoubleQuotesCannotEndTheLiteral)
{
    EXPECT_EQ(filterTerm("ORG", R"(the "best" inc)"), R"(UPPER(ORG)='THE "BEST" INC')");
    EXPECT_EQ(filterTerm("ORG", R"($say "hi")"), R"('SAY "HI"'$UPPER(ORG))");
    // Both kinds of quote: pieces joined, each quote kind inside the other.
    EXPECT_EQ(filterTerm("ORG", R"(o'a"b)"), R"(UPPER(ORG)=("O'A"+'"'+"B"))");
    EXPECT_EQ(filterTerm("ORG", R"("'")"), R"(UPPER(ORG)=('"'+"'"+'"'))");
    EXPECT_EQ(filterTerm("ORG", "don't"), R"(UPPER(ORG)="DON'T")");
}

TEST(UpperCaseLikeEngine, FoldsTheLettersOfWindows1252)
{
    EXPECT_EQ(upperCaseLikeEngine(QStringLiteral("abc xyz 09")), QStringLiteral("ABC XYZ 09"));
    EXPECT_EQ(upperCaseLikeEngine(QStringLiteral("müller àéîõ þ")), QStringLiteral("MÜLLER ÀÉÎÕ Þ"));
    EXPECT_EQ(upperCaseLikeEngine(QStringLiteral("šœžÿ")), QStringLiteral("ŠŒŽŸ"));
    // ß, µ and the division sign have no capital in the code page; letters outside it
    // cannot be stored, so they are left alone.
    EXPECT_EQ(upperCaseLikeEngine(QStringLiteral("ßµ÷ł")), QStringLiteral("ßµ÷ł"));
    EXPECT_EQ(filterTerm("LNAME", "müller"), R"(UPPER(LNAME)="MÜLLER")");
}

} // namespace
