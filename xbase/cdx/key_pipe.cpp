#include "xbase/cdx/key_pipe.h"

#include <algorithm>
#include <cstring>

namespace xb::cdx {

// Bytes of one block's keys.
constexpr size_t kBlockBytes = size_t(256) << 10;

KeyPipe::KeyPipe(KeyStream& from, int keyLen)
    : from_(from), keyLen_(size_t(keyLen)), blockEntries_(std::max<size_t>(1, kBlockBytes / size_t(keyLen)))
{}

bool KeyPipe::fill(Block& b)
{
    b.keys.resize(blockEntries_ * keyLen_);
    b.recnos.resize(blockEntries_);
    b.count = 0;
    const uint8_t* key;
    uint32_t recno;
    while (b.count < blockEntries_) {
        if (!from_.next(key, recno))
            return false;
        std::memcpy(b.keys.data() + b.count * keyLen_, key, keyLen_);
        b.recnos[b.count++] = recno;
    }
    return true;
}

void KeyPipe::pump()
{
    try {
        for (bool more = true; more;) {
            Block* b;
            {
                std::unique_lock<std::mutex> lock(mutex_);
                changed_.wait(lock, [this] { return closed_ || filled_ - taken_ < kBlocks; });
                if (closed_)
                    return;
                b = &blocks_[filled_ % kBlocks];
            }
            more = fill(*b);
            std::lock_guard<std::mutex> lock(mutex_);
            if (b->count)
                ++filled_;
            ended_ = !more;
            changed_.notify_all();
        }
    } catch (...) {
        std::lock_guard<std::mutex> lock(mutex_);
        failure_ = std::current_exception();
        ended_ = true;
        changed_.notify_all();
    }
}

void KeyPipe::close()
{
    std::lock_guard<std::mutex> lock(mutex_);
    closed_ = true;
    changed_.notify_all();
}

bool KeyPipe::next(const uint8_t*& key, uint32_t& recno)
{
    if (!reading_ || at_ == reading_->count) {
        std::unique_lock<std::mutex> lock(mutex_);
        if (reading_) {
            ++taken_;
            reading_ = nullptr;
            changed_.notify_all();
        }
        changed_.wait(lock, [this] { return filled_ > taken_ || ended_; });
        if (filled_ == taken_) {
            if (failure_)
                std::rethrow_exception(failure_);
            return false;
        }
        reading_ = &blocks_[taken_ % kBlocks];
        at_ = 0;
    }
    key = reading_->keys.data() + at_ * keyLen_;
    recno = reading_->recnos[at_++];
    return true;
}

} // namespace xb::cdx
