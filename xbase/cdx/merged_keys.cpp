#include "xbase/cdx/merged_keys.h"

#include <algorithm>
#include <cstring>

#include "xbase/cdx/bytes.h"

namespace xb::cdx {

// Read buffers of all runs together, each run's at most kRunBufferBytes.
constexpr size_t kMergeBytes = size_t(4) << 20;
constexpr size_t kRunBufferBytes = size_t(256) << 10;

MergedKeys::MergedKeys(GatheredKeys keys, const RunFile* file) : keys_(std::move(keys)), file_(file)
{
    keys_.rest.sort();
    const size_t entry = size_t(keyLen()) + 4;
    const size_t runs = keys_.runs.size();
    bufferEntries_ = runs ? std::max<size_t>(1, std::min(kMergeBytes / runs, kRunBufferBytes) / entry) : 0;
    sources_.resize(runs + 1);
    for (size_t i = 0; i < runs; ++i) {
        sources_[i].offset = keys_.runs[i].offset;
        sources_[i].count = keys_.runs[i].count;
    }
    sources_.back().inMemory = true;
    sources_.back().count = keys_.rest.size();
    for (uint32_t i = 0; i < sources_.size(); ++i) {
        size_ += sources_[i].count;
        if (advance(sources_[i]))
            heap_.push_back(i);
    }
    std::make_heap(heap_.begin(), heap_.end(), [this](uint32_t a, uint32_t b) { return less(b, a); });
}

bool MergedKeys::advance(Source& s)
{
    if (s.inMemory) {
        if (s.next == s.count)
            return false;
        s.key = keys_.rest.key(s.next);
        s.recno = keys_.rest.recno(s.next);
        ++s.next;
        return true;
    }
    const size_t kl = size_t(keyLen());
    const size_t entry = kl + 4;
    if (s.at == s.buffered) {
        if (s.next == s.count) {
            s.buffer = std::vector<uint8_t>();
            return false;
        }
        s.buffered = std::min(bufferEntries_, s.count - s.next);
        s.buffer.resize(s.buffered * entry);
        file_->read(s.offset + s.next * entry, s.buffer.data(), s.buffer.size());
        s.next += s.buffered;
        s.at = 0;
    }
    s.key = s.buffer.data() + s.at * entry;
    s.recno = getLe32(s.key + kl);
    ++s.at;
    return true;
}

bool MergedKeys::less(uint32_t a, uint32_t b) const
{
    const Source& x = sources_[a];
    const Source& y = sources_[b];
    const int c = std::memcmp(x.key, y.key, size_t(keyLen()));
    return c != 0 ? c < 0 : x.recno < y.recno;
}

void MergedKeys::siftDown()
{
    const size_t n = heap_.size();
    size_t i = 0;
    for (;;) {
        size_t least = i;
        const size_t l = 2 * i + 1, r = l + 1;
        if (l < n && less(heap_[l], heap_[least]))
            least = l;
        if (r < n && less(heap_[r], heap_[least]))
            least = r;
        if (least == i)
            return;
        std::swap(heap_[i], heap_[least]);
        i = least;
    }
}

bool MergedKeys::next(const uint8_t*& key, uint32_t& recno)
{
    if (handedOut_) {
        handedOut_ = false;
        if (!advance(sources_[heap_.front()])) {
            heap_.front() = heap_.back();
            heap_.pop_back();
        }
        if (heap_.size() > 1)
            siftDown();
    }
    if (heap_.empty())
        return false;
    const Source& s = sources_[heap_.front()];
    key = s.key;
    recno = s.recno;
    handedOut_ = true;
    return true;
}

} // namespace xb::cdx
