#pragma once
// A tag's gathered keys read back in order: the sorted runs on disk and the sorted
// rest in memory merged entry by entry, each run through a small buffer of its own.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "xbase/cdx/key_sorter.h"
#include "xbase/cdx/key_stream.h"

namespace xb::cdx {

class MergedKeys final : public KeyStream {
public:
    // Sorts the rest; file holds the runs (none: nullptr will do).
    MergedKeys(GatheredKeys keys, const RunFile* file);

    int keyLen() const { return keys_.rest.keyLen(); }
    // Whether any run is on disk.
    bool merges() const { return !keys_.runs.empty(); }
    size_t size() const override { return size_; }
    uint32_t maxRecno() const override { return keys_.rest.maxRecno(); }
    bool next(const uint8_t*& key, uint32_t& recno) override;

private:
    struct Source {
        const uint8_t* key = nullptr;
        uint64_t head = 0; // the key's first 8 bytes, big-endian, for cheap comparisons
        uint32_t recno = 0;
        size_t left = 0; // entries not yet handed out
        bool inMemory = false;
        size_t next = 0;     // the rest in memory: its next entry
        uint64_t offset = 0; // a run: its bytes not yet read
        uint64_t unread = 0;
        std::vector<uint8_t> buffer; // bytes read, from at to buffered not yet decoded
        size_t at = 0, buffered = 0;
        std::vector<uint8_t> current; // the key last decoded
    };
    bool advance(Source& s);
    bool step(Source& s);
    bool less(uint32_t a, uint32_t b) const;
    void siftDown();

    GatheredKeys keys_;
    const RunFile* file_;
    size_t size_ = 0;
    size_t restNext_ = 0; // without runs: the next entry of the rest
    size_t bufferBytes_ = 0;
    std::vector<Source> sources_;
    std::vector<uint32_t> heap_; // sources with an entry in hand, the least first
    bool handedOut_ = false;     // the least source's entry went out and it must move on
};

} // namespace xb::cdx
