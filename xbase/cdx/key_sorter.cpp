#include "xbase/cdx/key_sorter.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "xbase/cdx/run_entry.h"

namespace xb::cdx {

KeySorter::KeySorter(int keyLen, size_t maxEntries, size_t expected, RunFile& file)
    : keys_{SortedKeys(keyLen, expected), {}}, maxEntries_(std::max<size_t>(maxEntries, 1)), file_(file)
{}

void KeySorter::spill()
{
    SortedKeys& keys = keys_.rest;
    // Spills happen while every core gathers keys.
    const std::vector<uint32_t> order = keys.sortedOrder(false);
    const size_t kl = size_t(keys.keyLen());
    const size_t n = keys.size();
    // The sort's working memory is free again and holds the packed run (pages never
    // written are never taken).
    std::unique_ptr<uint8_t[]> out(new uint8_t[n * maxRunEntry(kl)]);
    size_t bytes = 0;
    for (size_t i = 0; i < n; ++i)
        bytes += encodeRunEntry(i ? keys.key(order[i - 1]) : nullptr, keys.key(order[i]), kl, keys.recno(order[i]),
                                out.get() + bytes);
    const uint64_t at = file_.reserve(bytes);
    file_.write(at, out.get(), bytes);
    keys_.runs.push_back({at, bytes, n});
    keys.clear();
}

} // namespace xb::cdx
