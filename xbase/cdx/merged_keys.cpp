#include "xbase/cdx/merged_keys.h"

#include <algorithm>
#include <cstring>

#include "xbase/cdx/run_entry.h"

namespace xb::cdx {

// Read buffers of all runs together, each run's at most kRunBufferBytes.
constexpr size_t kMergeBytes = size_t(4) << 20;
constexpr size_t kRunBufferBytes = size_t(256) << 10;

MergedKeys::MergedKeys(GatheredKeys keys, const RunFile* file) : keys_(std::move(keys)), file_(file)
{
    keys_.rest.sort();
    const size_t kl = size_t(keyLen());
    const size_t runs = keys_.runs.size();
    if (!runs) {
        size_ = keys_.rest.size();
        return;
    }
    bufferBytes_ = std::max(2 * maxRunEntry(kl), std::min(kMergeBytes / runs, kRunBufferBytes));
    sources_.resize(runs + 1);
    for (size_t i = 0; i < runs; ++i) {
        sources_[i].offset = keys_.runs[i].offset;
        sources_[i].unread = keys_.runs[i].bytes;
        sources_[i].left = keys_.runs[i].count;
    }
    sources_.back().inMemory = true;
    sources_.back().left = keys_.rest.size();
    for (uint32_t i = 0; i < sources_.size(); ++i) {
        size_ += sources_[i].left;
        if (advance(sources_[i]))
            heap_.push_back(i);
    }
    std::make_heap(heap_.begin(), heap_.end(), [this](uint32_t a, uint32_t b) { return less(b, a); });
}

bool MergedKeys::advance(Source& s)
{
    if (!step(s))
        return false;
    uint8_t head[8] = {};
    std::memcpy(head, s.key, std::min<size_t>(8, size_t(keyLen())));
    uint64_t word;
    std::memcpy(&word, head, 8);
    s.head = __builtin_bswap64(word);
    return true;
}

bool MergedKeys::step(Source& s)
{
    if (s.left == 0) {
        s.buffer = std::vector<uint8_t>();
        return false;
    }
    --s.left;
    if (s.inMemory) {
        s.key = keys_.rest.key(s.next);
        s.recno = keys_.rest.recno(s.next);
        ++s.next;
        return true;
    }
    const size_t kl = size_t(keyLen());
    if (s.buffered - s.at < maxRunEntry(kl) && s.unread > 0) {
        // The part of an entry left at the end of the buffer moves to its start.
        s.buffer.resize(bufferBytes_);
        std::memmove(s.buffer.data(), s.buffer.data() + s.at, s.buffered - s.at);
        s.buffered -= s.at;
        s.at = 0;
        const size_t more = size_t(std::min<uint64_t>(s.unread, bufferBytes_ - s.buffered));
        file_->read(s.offset, s.buffer.data() + s.buffered, more);
        s.offset += more;
        s.unread -= more;
        s.buffered += more;
        s.current.resize(kl);
    }
    s.at += decodeRunEntry(s.buffer.data() + s.at, s.current.data(), kl, s.recno);
    s.key = s.current.data();
    return true;
}

bool MergedKeys::less(uint32_t a, uint32_t b) const
{
    const Source& x = sources_[a];
    const Source& y = sources_[b];
    if (x.head != y.head)
        return x.head < y.head;
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
    if (!merges()) {
        if (restNext_ == size_)
            return false;
        key = keys_.rest.key(restNext_);
        recno = keys_.rest.recno(restNext_++);
        return true;
    }
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
