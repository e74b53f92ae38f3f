#pragma once
// How an entry of a sorted run is stored: the bytes it shares with the entry before
// it and its trailing blanks are counted rather than written (sorted keys share long
// prefixes, and most fields end in blanks), then its record number.
//
//   byte   shared with the previous key
//   byte   trailing blanks
//   bytes  the rest of the key
//   4      record number, little-endian

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "xbase/cdx/bytes.h"

namespace xb::cdx {

// The largest entry for keys of keyLen bytes.
constexpr size_t maxRunEntry(size_t keyLen)
{
    return keyLen + 6;
}

// Writes key after prev (nullptr for a run's first entry) to out; its size.
inline size_t encodeRunEntry(const uint8_t* prev, const uint8_t* key, size_t keyLen, uint32_t recno, uint8_t* out)
{
    // Eight bytes at a time, then byte by byte.
    auto word = [](const uint8_t* p) {
        uint64_t w;
        std::memcpy(&w, p, 8);
        return w;
    };
    constexpr uint64_t kBlanks = 0x2020202020202020ULL;
    size_t end = keyLen;
    while (end >= 8 && word(key + end - 8) == kBlanks)
        end -= 8;
    while (end > 0 && key[end - 1] == ' ')
        --end;
    size_t shared = 0;
    while (prev) {
        if (shared + 8 > end) {
            while (shared < end && prev[shared] == key[shared])
                ++shared;
            break;
        }
        if (const uint64_t diff = word(prev + shared) ^ word(key + shared)) {
            shared += size_t(std::countr_zero(diff)) / 8;
            break;
        }
        shared += 8;
    }
    const size_t rest = end - shared;
    out[0] = uint8_t(shared);
    out[1] = uint8_t(keyLen - end);
    std::memcpy(out + 2, key + shared, rest);
    putLe32(out + 2 + rest, recno);
    return rest + 6;
}

// Turns key (the previous entry's key) into the entry's at in; the entry's size.
inline size_t decodeRunEntry(const uint8_t* in, uint8_t* key, size_t keyLen, uint32_t& recno)
{
    const size_t shared = in[0], trail = in[1];
    const size_t rest = keyLen - trail - shared;
    std::memcpy(key + shared, in + 2, rest);
    std::memset(key + keyLen - trail, ' ', trail);
    recno = getLe32(in + 2 + rest);
    return rest + 6;
}

} // namespace xb::cdx
