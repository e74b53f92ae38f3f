#pragma once
// Entries taken from a stream on another thread a block at a time, so that merging
// sorted runs and writing a tag's pages go on at once on two cores.

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <mutex>
#include <vector>

#include "xbase/cdx/key_stream.h"

namespace xb::cdx {

class KeyPipe final : public KeyStream {
public:
    KeyPipe(KeyStream& from, int keyLen);

    // On the other thread: passes every entry across, and what the source throws to
    // the taker. Returns early once the taker has closed the pipe.
    void pump();
    // The taker stops taking (it failed); pump() returns.
    void close();

    bool next(const uint8_t*& key, uint32_t& recno) override;
    size_t size() const override { return from_.size(); }
    uint32_t maxRecno() const override { return from_.maxRecno(); }

private:
    static constexpr size_t kBlocks = 4;
    struct Block {
        std::vector<uint8_t> keys;
        std::vector<uint32_t> recnos;
        size_t count = 0;
    };
    // Fills a block from the source; false when the source ran out.
    bool fill(Block& b);

    KeyStream& from_;
    size_t keyLen_;
    size_t blockEntries_;
    Block blocks_[kBlocks];
    std::mutex mutex_;
    std::condition_variable changed_;
    size_t filled_ = 0, taken_ = 0; // blocks handed over and given back, counted from the start
    bool ended_ = false, closed_ = false;
    std::exception_ptr failure_;
    const Block* reading_ = nullptr; // the taker's block
    size_t at_ = 0;
};

} // namespace xb::cdx
