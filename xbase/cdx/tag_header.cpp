#include "xbase/cdx/tag_header.h"

#include <algorithm>
#include <cstring>

#include "xbase/cdx/bytes.h"
#include "xbase/cdx/node.h"

namespace xb::cdx {

namespace {
constexpr size_t kPool = 512; // expression pool: key expression, NUL, FOR expression, NUL
}

TagHeader TagHeader::decode(const uint8_t* b)
{
    TagHeader h;
    h.root = getLe32(b);
    h.freeList = getLe32(b + 4);
    h.version = getLe32(b + 8);
    h.keyLen = getLe16(b + 12);
    h.options = b[14];
    h.descending = getLe16(b + 502) != 0;
    if (h.keyLen < 1 || h.keyLen > kMaxKeyLen)
        throw DamagedIndex("tag header with an impossible key length");
    if (h.root % kPageSize != 0 || h.root < 2 * kPageSize)
        throw DamagedIndex("tag header with a misplaced root");
    const char* pool = reinterpret_cast<const char*>(b + 512);
    size_t keyEnd = strnlen(pool, kPool);
    h.keyExpr.assign(pool, keyEnd);
    if (keyEnd + 1 < kPool)
        h.forExpr.assign(pool + keyEnd + 1, strnlen(pool + keyEnd + 1, kPool - keyEnd - 1));
    h.stored.assign(b, b + kHeaderSize);
    return h;
}

void TagHeader::encode(uint8_t* b) const
{
    if (stored.size() == kHeaderSize) {
        std::memcpy(b, stored.data(), kHeaderSize);
        putLe32(b, root);
        putLe32(b + 4, freeList);
        putLe32(b + 8, version);
        return;
    }
    std::memset(b, 0, kHeaderSize);
    putLe32(b, root);
    putLe32(b + 4, freeList);
    putLe32(b + 8, version);
    putLe16(b + 12, keyLen);
    b[14] = uint8_t(forExpr.empty() ? options & ~kOptFor : options | kOptFor);
    b[15] = 1; // signature
    putLe16(b + 502, descending ? 1 : 0);
    const size_t keyPool = keyExpr.size() + 1;
    const size_t forPool = forExpr.size() + 1;
    putLe16(b + 504, uint16_t(forExpr.empty() ? keyPool : keyPool + forPool));
    putLe16(b + 506, uint16_t(forPool));
    putLe16(b + 510, uint16_t(keyPool));
    std::memcpy(b + 512, keyExpr.data(), std::min(keyExpr.size(), kPool - 2));
    size_t forAt = std::min(keyPool, kPool - 1);
    std::memcpy(b + 512 + forAt, forExpr.data(), std::min(forExpr.size(), kPool - forAt - 1));
}

} // namespace xb::cdx
