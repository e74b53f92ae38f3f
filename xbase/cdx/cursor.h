#pragma once
// A position in one tag's order. It remembers its entry, so after the tag changed
// it finds its place again by key and record number.

#include <cstdint>
#include <vector>

#include "xbase/cdx/tag.h"

namespace xb::cdx {

class Cursor {
public:
    explicit Cursor(Tag& tag) : tag_(tag) {}

    bool first();
    bool last();
    // First entry whose leading `len` key bytes are not less than `key`.
    bool seekPrefix(const uint8_t* key, size_t len);
    // First entry not less than (key, recno).
    bool seekEntry(const uint8_t* key, uint32_t recno);
    // First entry whose leading `len` key bytes are greater than `key`.
    bool seekPastPrefix(const uint8_t* key, size_t len);
    bool next();
    bool prev();

    bool valid() const { return valid_; }
    // Valid, and the tag has not changed since the cursor last moved.
    bool current() const { return valid_ && version_ == tag_.version(); }
    const uint8_t* key() const { return key_.data(); }
    uint32_t recno() const { return recno_; }

private:
    template <typename Less>
    bool descend(Less less);
    bool load();
    bool stepForward();
    bool stepBack();
    bool refind();
    void rememberPrevious();
    void expectOrder(int direction) const;

    Tag& tag_;
    uint32_t leaf_ = kNoPage;
    size_t index_ = 0;
    std::vector<uint8_t> key_;
    uint32_t recno_ = 0;
    std::vector<uint8_t> prevKey_;
    uint32_t prevRecno_ = 0;
    uint64_t version_ = 0;
    bool valid_ = false;
};

} // namespace xb::cdx
