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
    // The first contact of the index the given one matches within the level, or null. The
    // given names of the index's contacts it is compared with are keyed then, if pending.
    const MatchKeys* Match(const MatchKeys& keys, MatchLevel level);
    // Whether the contact shares a block with any of the index's.
    bool Meets(const MatchKeys& keys) const;
    std::size_t Size() const { return keys_.size(); }

private:
    struct Block {
        quint64 key = 0;
        quint32 first = 0; // its first member in members_
        quint32 size = 0;  // 0 for a free slot
    };
    // Where a block key's search for its place starts.
    std::size_t Home(quint64 key) const { return key & (blocks_.size() - 1); }
    // The key's block, or the free slot where it would go.
    std::size_t Slot(quint64 key) const;

    std::vector<MatchKeys> keys_;
    std::vector<Block> blocks_;    // open addressing, probed from the key's low bits (the keys are mixed)
    std::vector<quint32> members_; // the indexes in keys_ of each block's contacts, ascending, block by block
};
