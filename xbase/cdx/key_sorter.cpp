#include "xbase/cdx/key_sorter.h"

#include <algorithm>
#include <cstring>

#include "xbase/cdx/bytes.h"

namespace xb::cdx {

// Writes go out in pieces of about this size.
constexpr size_t kWriteBytes = size_t(256) << 10;

KeySorter::KeySorter(int keyLen, size_t maxEntries, size_t expected, RunFile& file)
    : keys_{SortedKeys(keyLen, expected), {}}, maxEntries_(std::max<size_t>(maxEntries, 1)), file_(file)
{}

void KeySorter::spill()
{
    SortedKeys& keys = keys_.rest;
    // Spills happen while every core gathers keys.
    keys.sort(false);
    const size_t kl = size_t(keys.keyLen());
    const size_t entry = kl + 4;
    const size_t n = keys.size();
    const uint64_t at = file_.reserve(n * entry);
    const size_t perWrite = std::max<size_t>(1, kWriteBytes / entry);
    std::vector<uint8_t> out(std::min(n, perWrite) * entry);
    for (size_t first = 0; first < n; first += perWrite) {
        const size_t count = std::min(perWrite, n - first);
        uint8_t* p = out.data();
        for (size_t i = first; i < first + count; ++i, p += entry) {
            std::memcpy(p, keys.key(i), kl);
            putLe32(p + kl, keys.recno(i));
        }
        file_.write(at + first * entry, out.data(), count * entry);
    }
    keys_.runs.push_back({at, n});
    keys.clear();
}

} // namespace xb::cdx
