#pragma once
// Groups of duplicates among many contacts. Only contacts that share a block (the same
// e-mail, phone, street and ZIP, or last name and ZIP) are compared, never all pairs; a
// block too large to be telling (a switchboard number on a thousand records) is passed
// over. Pairs within the chosen level join their contacts into one group.
//
//   std::vector<DuplicateGroup> groups = FindDuplicateGroups(keys, MatchLevel::Likely, &notDuplicates);
//
// ContactIndex answers the same question for one contact at a time (an import line
// against the file).

#include "duplicates/pairmatch.h"

#include <utility>
#include <vector>

class NotDuplicates;

struct MatchedPair {
    long first, second; // positions, first < second
    PairMatch match;
};

struct DuplicateGroup {
    std::vector<long> positions; // ascending
    std::vector<MatchedPair> pairs;
    // The best pair the position takes part in.
    const MatchedPair& BestPairOf(long position) const;
};

std::vector<DuplicateGroup> FindDuplicateGroups(const std::vector<MatchKeys>& keys, MatchLevel level,
                                                const NotDuplicates* notDuplicates = nullptr);

class ContactIndex {
public:
    explicit ContactIndex(std::vector<MatchKeys> keys);
    // The first contact of the index the given one matches within the level, or null.
    const MatchKeys* Match(const MatchKeys& keys, MatchLevel level) const;
    std::size_t Size() const { return keys_.size(); }

private:
    // The slot of the key in starts_, or the free slot where it would go.
    std::size_t Slot(quint64 key) const;

    std::vector<MatchKeys> keys_;
    std::vector<std::pair<quint64, int>> blocks_; // sorted by key
    std::vector<quint32> starts_;                 // a key's first entry in blocks_ plus one; 0 for a free slot
};
