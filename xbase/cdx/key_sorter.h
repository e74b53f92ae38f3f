#pragma once
// One tag's keys gathered under a memory limit: whenever the entries in memory reach
// the limit they are sorted and written to the run file as one sorted run.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "xbase/cdx/run_file.h"
#include "xbase/cdx/sorted_keys.h"

namespace xb::cdx {

// Sorted entries in the run file, stored as run_entry.h describes.
struct KeyRun {
    uint64_t offset;
    uint64_t bytes;
    size_t count;
};

// Everything a pass gathered for one tag.
struct GatheredKeys {
    SortedKeys rest; // not yet sorted
    std::vector<KeyRun> runs;
};

class KeySorter {
public:
    // Holds at most maxEntries entries in memory, with room for expected from the start.
    KeySorter(int keyLen, size_t maxEntries, size_t expected, RunFile& file);

    void add(const uint8_t* key, uint32_t recno)
    {
        if (keys_.rest.size() >= maxEntries_)
            spill();
        keys_.rest.add(key, recno);
    }
    GatheredKeys take() { return std::move(keys_); }

private:
    void spill();

    GatheredKeys keys_;
    size_t maxEntries_;
    RunFile& file_;
};

// Memory an entry of keyLen bytes takes while it is sorted, on top of its own bytes.
constexpr size_t sortOverhead(int keyLen)
{
    return 64 + size_t(keyLen);
}

} // namespace xb::cdx
