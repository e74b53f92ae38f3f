#pragma once
// "Skip contacts already in the file": an import source that passes on only the records
// the address file does not hold yet, matched at the chosen strictness, and notes where
// the ones it left out came from.
//
//   SkipKnownSource skipping(source, KnownContacts(table, apollo), MatchLevel::Likely);
//   ImportOutcome done = RunImport(kind, path, skipping, table, apollo, progress);
//   done.known = skipping.Skipped();

#include "duplicates/duplicatefinder.h"
#include "exchange/importloop.h"

#include <QList>

// The contacts of the table's live records (its active query is put back afterwards).
ContactIndex KnownContacts(TTable& table, TApollo& apollo);

class SkipKnownSource : public ImportSource {
public:
    SkipKnownSource(ImportSource& source, ContactIndex known, MatchLevel level);
    long Expected() override { return source_.Expected(); }
    bool Next(std::vector<ImportValue>& values) override;
    long Position() const override { return source_.Position(); }
    // The positions (lines or records) of the source's records left out.
    const QList<long>& Skipped() const { return skipped_; }

private:
    ImportSource& source_;
    ContactIndex known_;
    MatchLevel level_;
    // Which of the contact's fields (kContactFields) a field of the source's values is,
    // -1 for none.
    int SlotOf(const TField* field);

    QString region_;
    QList<long> skipped_;
    std::vector<std::pair<const TField*, int>> slots_;
};
