#include "duplicates/mergeplan.h"

#include "addressfile/addressschema.h"
#include "table/tfield.h"
#include "table/ttable.h"

namespace {

// The fields a merge carries over: every character field but the tag.
bool Merged(const AddressFieldDef& field)
{
    return field.type == QLatin1String("C") && field.name != QLatin1String("TAG");
}

int FullestValue(const MergeField& field, int keep)
{
    int best = keep;
    for (int i = 0; i < field.values.size(); ++i)
        if (field.values[i].trimmed().size() > field.values[best].trimmed().size())
            best = i;
    return best;
}

} // namespace

std::vector<long> MergePlan::Dropped() const
{
    std::vector<long> dropped;
    for (std::size_t i = 0; i < records.size(); ++i)
        if (static_cast<int>(i) != keep)
            dropped.push_back(records[i]);
    return dropped;
}

MergePlan ProposeMerge(TTable& table, const std::vector<long>& records)
{
    MergePlan plan;
    plan.records = records;
    std::vector<TRecordBuffer> buffers;
    for (const long recNo : records)
        buffers.push_back(table.ReadRecord(recNo));
    std::vector<int> filled(records.size(), 0);
    for (const AddressFieldDef& def : AddressFields()) {
        if (!Merged(def))
            continue;
        MergeField field{def.name, {}, 0};
        const TField& stored = table.FieldByName(def.name);
        for (std::size_t i = 0; i < buffers.size(); ++i) {
            field.values.append(stored.AsStringIn(buffers[i]));
            filled[i] += field.values.back().trimmed().isEmpty() ? 0 : 1;
        }
        plan.fields.push_back(field);
    }
    for (std::size_t i = 1; i < filled.size(); ++i)
        if (filled[i] > filled[plan.keep])
            plan.keep = static_cast<int>(i);
    for (MergeField& field : plan.fields)
        field.chosen = FullestValue(field, plan.keep);
    return plan;
}

void ApplyMerge(TTable& table, const MergePlan& plan)
{
    table.GotoRecord(plan.records[plan.keep]);
    table.Edit();
    for (const MergeField& field : plan.fields)
        if (field.chosen != plan.keep)
            table.FieldByName(field.name).SetAsString(field.values[field.chosen]);
    table.Post();
    for (const long recNo : plan.Dropped()) {
        table.GotoRecord(recNo);
        table.Edit();
        table.FieldByName(QStringLiteral("ISDEL")).SetAsBoolean(true);
        table.Post();
    }
}
