#pragma once
// A tag's entries in order, one at a time, as a bulk build takes them.

#include <cstddef>
#include <cstdint>

namespace xb::cdx {

class KeyStream {
public:
    virtual ~KeyStream() = default;
    // The next entry, its key valid until the next call; false at the end. Throws
    // std::runtime_error when the entries cannot be read.
    virtual bool next(const uint8_t*& key, uint32_t& recno) = 0;
    virtual size_t size() const = 0;
    // The largest record number among the entries.
    virtual uint32_t maxRecno() const = 0;
};

} // namespace xb::cdx
