#include "xbase/cdx/sorted_keys.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "xbase/parallel.h"

namespace xb::cdx {

// Below this many entries a second thread costs more than it saves.
constexpr size_t kSplitItems = 16384;

static_assert(std::endian::native == std::endian::little, "key heads are byte-swapped into big-endian words");

SortedKeys::SortedKeys(int keyLen, size_t expected) : keyLen_(keyLen)
{
    keys_.reserve(expected * size_t(keyLen));
    recnos_.reserve(expected);
}

void SortedKeys::add(const uint8_t* key, uint32_t recno)
{
    keys_.insert(keys_.end(), key, key + keyLen_);
    recnos_.push_back(recno);
    maxRecno_ = std::max(maxRecno_, recno);
}

void SortedKeys::append(SortedKeys&& other)
{
    keys_.insert(keys_.end(), other.keys_.begin(), other.keys_.end());
    recnos_.insert(recnos_.end(), other.recnos_.begin(), other.recnos_.end());
    maxRecno_ = std::max(maxRecno_, other.maxRecno_);
    other = SortedKeys(keyLen_);
}

std::vector<uint32_t> SortedKeys::sortedOrder(bool bothCores) const
{
    constexpr size_t kHead = sizeof(Item::head);
    const size_t n = recnos_.size();
    const size_t kl = size_t(keyLen_);
    // Bytes that every key shares tell no two apart: the heads start after them.
    size_t skip = n > 1 ? kl : 0;
    for (size_t i = 1; i < n && skip > 0; ++i)
        skip = size_t(std::mismatch(keys_.data(), keys_.data() + skip, keys_.data() + i * kl).first - keys_.data());
    const size_t headLen = std::min(kHead, kl - skip);
    const size_t restAt = skip + headLen;
    const size_t restLen = kl - restAt;
    const std::vector<uint8_t> blanks(restLen, ' ');
    std::vector<Item> items(n);
    const int parts = bothCores ? partsFor(n, kSplitItems) : 1;
    runParts(parts, [&](int part) {
        uint8_t padded[kHead] = {};
        for (size_t i = n * size_t(part) / size_t(parts); i < n * size_t(part + 1) / size_t(parts); ++i) {
            const uint8_t* k = keys_.data() + i * kl;
            std::memcpy(padded, k + skip, headLen);
            Item& item = items[i];
            for (size_t w = 0; w < std::size(item.head); ++w) {
                uint64_t word;
                std::memcpy(&word, padded + 8 * w, 8);
                item.head[w] = __builtin_bswap64(word);
            }
            const bool blankRest = std::memcmp(k + restAt, blanks.data(), restLen) == 0;
            item.index = uint32_t(i) | (blankRest ? kBlankRest : 0);
            item.recno = recnos_[i];
        }
    });
    const uint8_t* keys = keys_.data();
    // Many keys are equal (blank fields, a handful of countries): their tails are
    // known equal without comparing them.
    auto less = [&](const Item& a, const Item& b) {
        for (size_t w = 0; w < std::size(a.head); ++w)
            if (a.head[w] != b.head[w])
                return a.head[w] < b.head[w];
        if (restLen && !(a.index & b.index & kBlankRest)) {
            int c = std::memcmp(keys + (a.index & kIndexMask) * kl + restAt,
                                keys + (b.index & kIndexMask) * kl + restAt, restLen);
            if (c != 0)
                return c < 0;
        }
        return a.recno < b.recno;
    };
    // A stable distribution on the leading bytes first, then each bucket sorted on
    // its own unless it is in order already, as runs of equal keys added by record
    // number are.
    // About four entries a bucket: more buckets than entries cost more to walk than they save.
    const int bits = std::clamp(int(std::bit_width(n)) - 2, 8, 16);
    std::vector<uint32_t> starts((size_t(1) << bits) + 1, 0);
    for (const Item& item : items)
        ++starts[size_t(item.head[0] >> (64 - bits)) + 1];
    for (size_t b = 1; b < starts.size(); ++b)
        starts[b] += starts[b - 1];
    std::vector<Item> order(n);
    std::vector<uint32_t> fill(starts.begin(), starts.end() - 1);
    for (const Item& item : items)
        order[fill[size_t(item.head[0] >> (64 - bits))]++] = item;
    // Each part takes the buckets that start within its share of the entries.
    auto firstBucketOf = [&](int part) {
        if (part == parts)
            return starts.size() - 1;
        return size_t(std::lower_bound(starts.begin(), starts.end() - 1, uint32_t(n * size_t(part) / size_t(parts))) -
                      starts.begin());
    };
    runParts(parts, [&](int part) {
        for (size_t b = firstBucketOf(part); b < firstBucketOf(part + 1); ++b) {
            const auto from = order.begin() + starts[b], to = order.begin() + starts[b + 1];
            if (to - from > 1 && !std::is_sorted(from, to, less))
                std::sort(from, to, less);
        }
    });
    items = std::vector<Item>();
    std::vector<uint32_t> indexes(n);
    for (size_t i = 0; i < n; ++i)
        indexes[i] = order[i].index & kIndexMask;
    return indexes;
}

void SortedKeys::sort(bool bothCores)
{
    const std::vector<uint32_t> order = sortedOrder(bothCores);
    const size_t n = order.size();
    const size_t kl = size_t(keyLen_);
    const int parts = bothCores ? partsFor(n, kSplitItems) : 1;
    // The keys move into sorted order, so that whoever reads them in order (a build, a
    // check) reads memory in sequence instead of waiting on a scattered key at each step.
    std::vector<uint8_t> keys(keys_.size());
    std::vector<uint32_t> recnos(n);
    runParts(parts, [&](int part) {
        for (size_t i = n * size_t(part) / size_t(parts); i < n * size_t(part + 1) / size_t(parts); ++i) {
            std::memcpy(keys.data() + i * kl, keys_.data() + size_t(order[i]) * kl, kl);
            recnos[i] = recnos_[order[i]];
        }
    });
    keys_.swap(keys);
    recnos_.swap(recnos);
}

void SortedKeys::clear()
{
    keys_.clear();
    recnos_.clear();
}

} // namespace xb::cdx
