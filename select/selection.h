#pragma once
// The program's current selection: the query values, the filter expression built from
// them and the engine's active query. The main window owns one for the program's life;
// labels, reports, export and tag-all work on what it lets through. The tag id that a
// "Tagged" filter looks for is the main window's current one, passed in.
//
//   selection.values[QueryField::State] = "CA;NY";
//   long matches = selection.ApplyFilter(apollo, tagId);   // 0: no filter in force afterwards

#include "select/queryvalues.h"

#include <QString>

class TApollo;

class Selection {
public:
    QueryValues values;

    // Empty while no filter is set; never holds the deleted-record condition.
    const QString& FilterExpression() const { return filterExpression_; }
    bool FilterSet() const { return !filterExpression_.isEmpty(); }

    // Empties the eighteen texts, clears both flags and the filter expression.
    void ClearQueryVars();

    // Builds the filter expression and sets the active query on the table. Gives the
    // number of matching records, or 0 when no filter is in force afterwards: an empty
    // filter, one too long (the user is told), one the engine cannot evaluate and one
    // that matches nothing all end with no filter and cleared query values.
    long ApplyFilter(TApollo& apollo, const QString& tagId);

    // After a save, delete or tag toggle: when the active query lets nothing through any
    // more, the filter is dropped by applying it again.
    void ReapplyIfNothingMatches(TApollo& apollo, const QString& tagId);

private:
    void DropFilter(TApollo& apollo);

    QString filterExpression_;
};
