#pragma once
// Keys gathered for a bulk build, sorted by key bytes and then record number.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace xb::cdx {

class SortedKeys {
public:
    explicit SortedKeys(int keyLen, size_t expected = 0);

    int keyLen() const { return keyLen_; }
    size_t size() const { return recnos_.size(); }
    void add(const uint8_t* key, uint32_t recno);
    // Adds other's entries after this one's, leaving other empty.
    void append(SortedKeys&& other);
    // On a second core as well, unless told otherwise (by a caller already running on both).
    void sort(bool bothCores = true);
    // The entries' places in sorted order, leaving them where they are: for a caller
    // that reads them once.
    std::vector<uint32_t> sortedOrder(bool bothCores) const;
    // Empties the list, keeping its memory for the next entries.
    void clear();

    // The i-th entry: in order after sort().
    const uint8_t* key(size_t i) const { return keys_.data() + i * size_t(keyLen_); }
    uint32_t recno(size_t i) const { return recnos_[i]; }
    uint32_t maxRecno() const { return maxRecno_; }
    void raiseMaxRecno(uint32_t recno) { maxRecno_ = std::max(maxRecno_, recno); }

private:
    static constexpr uint32_t kBlankRest = 0x80000000u;
    static constexpr uint32_t kIndexMask = ~kBlankRest;
    struct Item {
        uint64_t head[3]; // the first 24 key bytes, big-endian, for cheap comparisons
        uint32_t index;   // top bit: the bytes after the head are all blanks
        uint32_t recno;
    };
    int keyLen_;
    std::vector<uint8_t> keys_;
    std::vector<uint32_t> recnos_;
    uint32_t maxRecno_ = 0;
};

} // namespace xb::cdx
