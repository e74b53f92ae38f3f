#include "select/filterexpression.h"

#include "select/upperfold.h"

#include <QStringList>

#include <algorithm>

namespace {

// Text after a comparison prefix is cut to this length.
constexpr int MaxComparedText = 99;

// A string literal for the engine. Patterns normally become a double-quoted literal;
// one that holds a double quote would end that literal early and break the expression,
// so it is delimited by single quotes instead, or, holding both kinds, built from pieces.
QString quotedLiteral(const QString& text)
{
    const QChar dq = u'"';
    const QChar sq = u'\'';
    if (!text.contains(dq))
        return dq + text + dq;
    if (!text.contains(sq))
        return sq + text + sq;
    QStringList pieces;
    const QStringList runs = text.split(dq);
    for (qsizetype i = 0; i < runs.size(); ++i) {
        if (i > 0)
            pieces << QStringLiteral("'\"'");
        if (!runs[i].isEmpty())
            pieces << dq + runs[i] + dq;
    }
    return u'(' + pieces.join(u'+') + u')';
}

QString singleTerm(const QString& field, const QString& pattern)
{
    struct Prefix {
        const char* text;
        const char* op; // nullptr: "contains"
    };
    // Longer prefixes first, so ">=" is not read as ">".
    static constexpr Prefix kPrefixes[] = {
        {">=", ">="}, {">", ">"}, {"<=", "<="}, {"<", "<"}, {"$", nullptr},
    };
    QString op = QStringLiteral("=");
    QString text = pattern;
    bool contains = false;
    for (const Prefix& p : kPrefixes) {
        const QLatin1StringView prefix(p.text);
        if (pattern.startsWith(prefix)) {
            text = pattern.mid(prefix.size(), MaxComparedText);
            contains = p.op == nullptr;
            op = QLatin1StringView(p.op ? p.op : "");
            break;
        }
    }
    const QString literal = quotedLiteral(upperCaseLikeEngine(text));
    if (contains)
        return literal + QStringLiteral("$UPPER(") + field + u')';
    return QStringLiteral("UPPER(") + field + u')' + op + literal;
}

} // namespace

QString filterTerm(const QString& field, const QString& pattern)
{
    // ";" binds loosest, then "+", then "^".
    QChar separator;
    QString joiner;
    if (pattern.contains(u';')) {
        separator = u';';
        joiner = QStringLiteral(".or.");
    } else if (pattern.contains(u'+')) {
        separator = u'+';
        joiner = QStringLiteral(".and.");
    } else if (pattern.contains(u'^')) {
        separator = u'^';
        joiner = QStringLiteral(".and..not.");
    } else {
        return singleTerm(field, pattern);
    }

    // Empty pieces (doubled separators, or one at either end) add no condition. A "^" with
    // nothing before it still excludes what follows it: "^x" reads as "not x".
    const QStringList pieces = pattern.split(separator);
    QString term = QStringLiteral("(");
    bool first = true;
    const bool leadingNot = separator == u'^' && pieces.front().isEmpty();
    for (const QString& piece : pieces) {
        const QString inner = piece.isEmpty() ? QString() : filterTerm(field, piece);
        if (inner.isEmpty())
            continue;
        if (!first)
            term += joiner;
        else if (leadingNot)
            term += QStringLiteral(".not.");
        term += u'(' + inner + u')';
        first = false;
    }
    if (first)
        return {};
    return term + u')';
}

QString BuildQueryString(const QueryValues& values, const QString& tagId)
{
    QString expression;
    QString joiner;
    for (QueryField field : allQueryFields()) {
        const QString& text = values[field];
        const bool onlyBlanks = std::all_of(text.begin(), text.end(), [](QChar c) { return c == u' '; });
        if (onlyBlanks)
            continue;
        const QString term = filterTerm(QLatin1StringView(queryFieldInfo(field).expression), text);
        if (term.isEmpty())
            continue;
        expression += joiner + term;
        joiner = QStringLiteral(" and ");
    }
    if (values.tagged)
        expression += joiner + QStringLiteral("(UPPER(TAG)=\"") + tagId + QStringLiteral("\")");
    if (!expression.isEmpty() && values.reverse)
        expression = QStringLiteral("(!(") + expression + QStringLiteral("))");
    return expression;
}

QString activeQueryFor(const QString& filterExpression)
{
    if (filterExpression.isEmpty())
        return QString::fromLatin1(LiveRecordsQuery);
    return filterExpression + QStringLiteral(".and. ") + QLatin1StringView(LiveRecordsQuery);
}
