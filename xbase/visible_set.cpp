#include "xbase/visible_set.h"

#include "xbase/expression.h"
#include "xbase/parallel.h"

#include <algorithm>
#include <bit>
#include <memory>
#include <numeric>

namespace xb {
namespace {

constexpr long kBitsPerWord = 64;
// Below this many records one thread reads them sooner than two start.
constexpr std::size_t kRecordsWorthSplitting = 20000;

} // namespace

bool VisibleSet::take(const Table& table, const std::string& filterText, const VisibleStamp& stamp)
{
    clear();
    const long n = stamp.records;
    const long words = (n + kBitsPerWord - 1) / kBitsPerWord;
    bits_.assign(static_cast<std::size_t>(words), 0);
    // Each part owns whole words, so that no two threads write one.
    const int parts = partsFor(static_cast<std::size_t>(n), kRecordsWorthSplitting);
    const long wordsPerPart = (words + parts - 1) / parts;
    std::vector<char> failed(static_cast<std::size_t>(parts), 0);
    runParts(parts, [&](int part) {
        const long first = part * wordsPerPart * kBitsPerWord + 1;
        const long last = std::min(n, (part + 1) * wordsPerPart * kBitsPerWord);
        if (first > last)
            return;
        std::unique_ptr<Expression> filter;
        if (!filterText.empty()) {
            std::string error;
            filter = Expression::compile(filterText, table.fields(), error);
            if (!filter) {
                failed[static_cast<std::size_t>(part)] = 1;
                return;
            }
        }
        const bool read = table.readRange(first, last, [&](long recno, const char* rec) {
            const bool shown = !(stamp.deleted && rec[0] == '*') &&
                               (!filter || filter->evalLogical(EvalContext{rec, recno, n, stamp.exact}));
            if (shown)
                bits_[static_cast<std::size_t>((recno - 1) / kBitsPerWord)] |= std::uint64_t(1)
                                                                               << ((recno - 1) % kBitsPerWord);
        });
        failed[static_cast<std::size_t>(part)] = !read;
    });
    if (std::find(failed.begin(), failed.end(), 1) != failed.end())
        return false;
    count_ = std::accumulate(bits_.begin(), bits_.end(), 0L,
                             [](long sum, std::uint64_t word) { return sum + std::popcount(word); });
    stamp_ = stamp;
    return true;
}

bool VisibleSet::contains(long recno) const
{
    const std::size_t word = static_cast<std::size_t>((recno - 1) / kBitsPerWord);
    return recno >= 1 && word < bits_.size() && (bits_[word] >> ((recno - 1) % kBitsPerWord) & 1);
}

void VisibleSet::update(long recno, bool visible, const VisibleStamp& now)
{
    if (contains(recno) != visible) {
        bits_[static_cast<std::size_t>((recno - 1) / kBitsPerWord)] ^= std::uint64_t(1) << ((recno - 1) % kBitsPerWord);
        count_ += visible ? 1 : -1;
    }
    stamp_ = now;
}

} // namespace xb
