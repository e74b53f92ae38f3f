#pragma once
// The program's current selection: the query values, the filter expression built from
// them and the engine's active query, plus the current tag id. The main window owns one
// for the program's life; labels, reports, export and tag-all work on what it lets through.
//
//   selection.values[QueryField::State] = "CA;NY";
//   long matches = selection.ApplyFilter(apollo);   // 0: no filter in force afterwards

#include "select/queryvalues.h"

#include <QString>

class TApollo;

class Selection {
public:
    QueryValues values;

    // Empty while no filter is set; never holds the deleted-record condition.
    const QString& FilterExpression() const { return filterExpression_; }
    bool FilterSet() const { return !filterExpression_.isEmpty(); }

    // GlobalTagId: a record is tagged when its TAG equals it.
    const QString& TagId() const { return tagId_; }
    void SetTagId(const QString& id) { tagId_ = id; }

    // Empties the eighteen texts, clears both flags and the filter expression.
    void ClearQueryVars();

    // Builds the filter expression and sets the active query on the table. Gives the
    // number of matching records, or 0 when no filter is in force afterwards: an empty
    // filter, one too long (the user is told), one the engine cannot evaluate and one
    // that matches nothing all end with no filter and cleared query values.
    long ApplyFilter(TApollo& apollo);

    // Clears every tag by making a new tag id: it is stored in the settings file, the
    // filter is applied again (a "Tagged" filter now matches nothing and is dropped) and
    // the table shows every record untagged. No record of any file is written.
    void ClearTags(TApollo& apollo);

    // After a save, delete or tag toggle: when the active query lets nothing through any
    // more, the filter is dropped by applying it again.
    void ReapplyIfNothingMatches(TApollo& apollo);

private:
    void DropFilter(TApollo& apollo);

    QString filterExpression_;
    QString tagId_;
};
