#pragma once
// Little- and big-endian integer access for on-disk structures.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace xb::cdx {

static_assert(std::endian::native == std::endian::little, "integers are stored by copying little-endian words");

inline uint16_t getLe16(const uint8_t* p)
{
    return uint16_t(p[0] | (p[1] << 8));
}
inline uint32_t getLe32(const uint8_t* p)
{
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}
inline uint32_t getBe32(const uint8_t* p)
{
    return __builtin_bswap32(getLe32(p));
}
inline void putLe16(uint8_t* p, uint16_t v)
{
    std::memcpy(p, &v, 2);
}
// One store each: a leaf packs an entry a word at a time, millions of them in a build.
inline void putLe32(uint8_t* p, uint32_t v)
{
    std::memcpy(p, &v, 4);
}
inline void putLe64(uint8_t* p, uint64_t v)
{
    std::memcpy(p, &v, 8);
}
inline void putBe32(uint8_t* p, uint32_t v)
{
    putLe32(p, __builtin_bswap32(v));
}

} // namespace xb::cdx
