#include "select/selection.h"

#include "select/filterexpression.h"

#include "platform/busy.h"
#include "platform/messages.h"
#include "table/tableerror.h"
#include "table/tapollo.h"
#include "table/tdatasource.h"
#include "table/ttable.h"

void Selection::ClearQueryVars()
{
    values.clear();
    filterExpression_.clear();
}

void Selection::DropFilter(TApollo& apollo)
{
    ClearQueryVars();
    apollo.Query(activeQueryFor(QString()));
}

long Selection::ApplyFilter(TApollo& apollo, const QString& tagId)
{
    filterExpression_ = BuildQueryString(values, tagId);
    if (filterExpression_.size() > MaxFilterExpressionLength) {
        {
            BusyCursor busy;
            DropFilter(apollo);
        }
        ShowInformation(QStringLiteral("Sorry - filter is too complex.Please simplify it."));
        return 0;
    }
    BusyCursor busy;
    const QString query = activeQueryFor(filterExpression_);
    // With no file open the query is only kept, to be applied when one opens; the values
    // stay for that file.
    if (filterExpression_.isEmpty() || !apollo.Table() || !apollo.Table()->Active()) {
        apollo.Query(query);
        return 0;
    }
    long count = 0;
    try {
        apollo.QueryTest(query);
        count = apollo.Query(query);
    } catch (const TableError&) {
        // The engine refused the text: a character no address file can hold, say. Nothing
        // can match it, so it goes the way of any filter without matches.
        count = 0;
    }
    if (count == 0)
        DropFilter(apollo);
    return count;
}

void Selection::ReapplyIfNothingMatches(TApollo& apollo, const QString& tagId)
{
    if (apollo.QueryRecCount() == 0)
        ApplyFilter(apollo, tagId);
}
