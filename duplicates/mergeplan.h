#pragma once
// Merging a group of duplicates into one record: the record kept takes, field by field,
// the value the user chose among the group's (the fullest one proposed), and the others
// are marked deleted (ISDEL) without the xBase delete mark, so rebuilding the indexes
// does not pack them out and they can still be recalled.
//
//   MergePlan plan = ProposeMerge(table, {12, 57});
//   plan.fields[3].chosen = 1;           // the second record's value of that field wins
//   ApplyMerge(table, plan);             // record 12 rewritten, 57 marked deleted

#include <QString>
#include <QStringList>
#include <vector>

class TTable;

struct MergeField {
    QString name;
    QStringList values; // one per record, in the plan's order
    int chosen = 0;
};

struct MergePlan {
    std::vector<long> records;
    int keep = 0; // index into records
    std::vector<MergeField> fields;
    std::vector<long> Dropped() const;
};

// The group's values: the record with the most filled fields is kept, and each field
// takes its longest value (the kept record's among equally long ones).
MergePlan ProposeMerge(TTable& table, const std::vector<long>& records);

// Writes the kept record and marks the others deleted. Throws TableError when a write fails.
void ApplyMerge(TTable& table, const MergePlan& plan);
