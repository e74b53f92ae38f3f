#include "duplicates/duplicatefinder.h"

#include "duplicates/notduplicates.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace {

// Blocks larger than this tell nothing about their members.
constexpr std::size_t kLargestBlock = 400;

// The blocks a contact can be in: its e-mail, three phones, street, and last name with ZIP.
constexpr std::size_t kMostBlockKeys = 6;

// How many entries ahead of its use a place of the index's table is asked of memory.
constexpr std::size_t kFetchedAhead = 16;

quint64 Mix(quint64 kind, quint64 key)
{
    quint64 x = key ^ (kind * 0x9e3779b97f4a7c15ULL);
    x ^= x >> 31;
    x *= 0xbf58476d1ce4e5b9ULL;
    return x ^ (x >> 29);
}

template <typename Visit>
void BlockKeys(const MatchKeys& k, Visit visit)
{
    if (k.email != 0)
        visit(Mix(1, k.email));
    for (const quint64 phone : k.phones)
        if (phone != 0)
            visit(Mix(2, phone));
    if (k.street != 0)
        visit(Mix(3, k.street));
    if (k.last != 0 && k.zip != 0)
        visit(Mix(4, k.last ^ (k.zip * 31)));
}

std::vector<std::pair<quint64, int>> SortedBlocks(const std::vector<MatchKeys>& keys)
{
    std::vector<std::pair<quint64, int>> blocks;
    blocks.reserve(keys.size() * 3);
    for (int i = 0; i < static_cast<int>(keys.size()); ++i)
        BlockKeys(keys[i], [&](quint64 key) { blocks.emplace_back(key, i); });
    std::sort(blocks.begin(), blocks.end());
    return blocks;
}

// Every pair of indexes that share a block, once each, as (lower << 32 | higher).
std::vector<quint64> CandidatePairs(const std::vector<std::pair<quint64, int>>& blocks)
{
    std::vector<quint64> pairs;
    for (std::size_t start = 0; start < blocks.size();) {
        std::size_t end = start + 1;
        while (end < blocks.size() && blocks[end].first == blocks[start].first)
            ++end;
        if (end - start <= kLargestBlock)
            for (std::size_t i = start; i < end; ++i)
                for (std::size_t j = i + 1; j < end; ++j)
                    if (blocks[i].second != blocks[j].second)
                        pairs.push_back(quint64(blocks[i].second) << 32 | quint64(blocks[j].second));
        start = end;
    }
    std::sort(pairs.begin(), pairs.end());
    pairs.erase(std::unique(pairs.begin(), pairs.end()), pairs.end());
    return pairs;
}

int Root(std::vector<int>& parent, int i)
{
    while (parent[i] != i)
        i = parent[i] = parent[parent[i]];
    return i;
}

} // namespace

const MatchedPair& DuplicateGroup::BestPairOf(long position) const
{
    const MatchedPair* best = nullptr;
    for (const MatchedPair& pair : pairs)
        if ((pair.first == position || pair.second == position) && (!best || pair.match.score > best->match.score))
            best = &pair;
    return best ? *best : pairs.front();
}

std::vector<DuplicateGroup> FindDuplicateGroups(const std::vector<MatchKeys>& keys, MatchLevel level,
                                                const NotDuplicates* notDuplicates)
{
    std::vector<MatchedPair> found;
    for (const quint64 pair : CandidatePairs(SortedBlocks(keys))) {
        const MatchKeys& a = keys[pair >> 32];
        const MatchKeys& b = keys[pair & 0xffffffffU];
        const PairMatch match = MatchPair(a, b);
        if (!match.Within(level) || (notDuplicates && notDuplicates->Contains(a, b)))
            continue;
        found.push_back({std::min(a.position, b.position), std::max(a.position, b.position), match});
    }
    // Groups are joined over indexes; positions name them.
    std::vector<int> parent(keys.size());
    std::iota(parent.begin(), parent.end(), 0);
    std::vector<std::pair<long, int>> indexOf;
    indexOf.reserve(keys.size());
    for (int i = 0; i < static_cast<int>(keys.size()); ++i)
        indexOf.emplace_back(keys[i].position, i);
    std::sort(indexOf.begin(), indexOf.end());
    const auto index = [&](long position) {
        return std::lower_bound(indexOf.begin(), indexOf.end(), std::pair<long, int>(position, -1))->second;
    };
    for (const MatchedPair& pair : found)
        parent[Root(parent, index(pair.first))] = Root(parent, index(pair.second));

    std::vector<DuplicateGroup> groups;
    std::vector<int> groupOfRoot(keys.size(), -1);
    std::sort(found.begin(), found.end(), [](const MatchedPair& x, const MatchedPair& y) {
        return std::pair(x.first, x.second) < std::pair(y.first, y.second);
    });
    for (const MatchedPair& pair : found) {
        int& slot = groupOfRoot[Root(parent, index(pair.first))];
        if (slot < 0) {
            slot = static_cast<int>(groups.size());
            groups.emplace_back();
        }
        DuplicateGroup& group = groups[slot];
        group.pairs.push_back(pair);
        group.positions.push_back(pair.first);
        group.positions.push_back(pair.second);
    }
    for (DuplicateGroup& group : groups) {
        std::sort(group.positions.begin(), group.positions.end());
        group.positions.erase(std::unique(group.positions.begin(), group.positions.end()), group.positions.end());
    }
    std::sort(groups.begin(), groups.end(), [](const DuplicateGroup& x, const DuplicateGroup& y) {
        return x.positions.front() < y.positions.front();
    });
    return groups;
}

ContactIndex::ContactIndex(std::vector<MatchKeys> keys) : keys_(std::move(keys))
{
    // Every entry's key is taken first, in order, so that the table's places can be asked
    // of memory some entries ahead of their use: the table is far larger than the caches,
    // and waiting for each place in turn took most of the time. Counted first, then filled
    // from the end, no sort is needed and a lookup finds a block's key, size and place in
    // one reach into memory.
    std::vector<std::pair<quint64, quint32>> entries; // block key, index in keys_
    entries.reserve(keys_.size() * 4);
    for (std::size_t i = 0; i < keys_.size(); ++i)
        BlockKeys(keys_[i], [&](quint64 key) { entries.emplace_back(key, static_cast<quint32>(i)); });
    std::size_t size = 16;
    while (size < entries.size() + entries.size() / 2)
        size *= 2;
    blocks_.assign(size, Block{});
    std::vector<quint32> places(entries.size());
    for (std::size_t e = 0; e < entries.size(); ++e) {
        if (e + kFetchedAhead < entries.size())
            __builtin_prefetch(&blocks_[Home(entries[e + kFetchedAhead].first)]);
        const std::size_t slot = Slot(entries[e].first);
        places[e] = static_cast<quint32>(slot);
        blocks_[slot].key = entries[e].first;
        ++blocks_[slot].size;
    }
    quint32 end = 0;
    for (Block& block : blocks_)
        block.first = end += block.size;
    members_.resize(entries.size());
    for (std::size_t e = entries.size(); e-- > 0;) {
        if (e >= kFetchedAhead)
            __builtin_prefetch(&blocks_[places[e - kFetchedAhead]]);
        members_[--blocks_[places[e]].first] = entries[e].second;
    }
}

std::size_t ContactIndex::Slot(quint64 key) const
{
    std::size_t slot = Home(key);
    while (blocks_[slot].size != 0 && blocks_[slot].key != key)
        slot = (slot + 1) & (blocks_.size() - 1);
    return slot;
}

bool ContactIndex::Meets(const MatchKeys& keys) const
{
    // The contact's places are all asked of memory before the first is read.
    std::array<quint64, kMostBlockKeys> wanted{};
    std::size_t count = 0;
    BlockKeys(keys, [&](quint64 key) {
        wanted[count++] = key;
        __builtin_prefetch(&blocks_[Home(key)]);
    });
    for (std::size_t i = 0; i < count; ++i)
        if (blocks_[Slot(wanted[i])].size != 0)
            return true;
    return false;
}

const MatchKeys* ContactIndex::Match(const MatchKeys& keys, MatchLevel level)
{
    const MatchKeys* matched = nullptr;
    BlockKeys(keys, [&](quint64 key) {
        const Block& block = blocks_[Slot(key)];
        for (quint32 at = block.first; !matched && at < block.first + block.size; ++at) {
            MatchKeys& member = keys_[members_[at]];
            KeyGivenName(member);
            if (MatchPair(keys, member).Within(level))
                matched = &member;
        }
    });
    return matched;
}
