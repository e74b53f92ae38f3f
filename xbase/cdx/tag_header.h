#pragma once
// The 1024-byte header of one tag (and of the tag directory): root page, key length,
// options, order, and the key and FOR expressions.

#include <cstdint>
#include <string>
#include <vector>

namespace xb::cdx {

constexpr uint32_t kHeaderSize = 1024;

enum : uint8_t {
    kOptUnique = 0x01,
    kOptFor = 0x08,
    kOptCompact = 0x20,
    kOptCompound = 0x40,
    kOptStructural = 0x80,
};

struct TagHeader {
    uint32_t root = 0;
    uint32_t freeList = 0; // used in the file header only
    uint32_t version = 0;
    uint16_t keyLen = 0;
    uint8_t options = kOptCompact | kOptCompound;
    bool descending = false;
    std::string keyExpr;
    std::string forExpr;
    // The block as read: another program's header keeps its own bytes (a signature,
    // sizes, its layout of the expression pool) when this engine writes the fields
    // it changes (root, free list, version).
    std::vector<uint8_t> stored;

    // Throws DamagedIndex on impossible values.
    static TagHeader decode(const uint8_t* block);
    void encode(uint8_t* block) const;
};

} // namespace xb::cdx
