#include "xbase/cdx/node.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "xbase/cdx/bytes.h"

namespace xb::cdx {

static_assert(std::endian::native == std::endian::little, "word-wise key comparisons assume a little-endian host");

void Node::insertEntry(size_t i, const uint8_t* key, uint32_t recno, uint32_t child)
{
    if (leaf() && sizeBound >= 0) {
        const int before = leafEntryBytes(recnoBound, keyLen);
        const int after = leafEntryBytes(std::max(recnoBound, recno), keyLen);
        sizeBound += keyLen + after + (after - before) * int(count());
    }
    recnoBound = std::max(recnoBound, recno);
    stored.clear();
    keys.insert(keys.begin() + ptrdiff_t(i * keyLen), key, key + keyLen);
    recnos.insert(recnos.begin() + ptrdiff_t(i), recno);
    if (!leaf())
        children.insert(children.begin() + ptrdiff_t(i), child);
}

void Node::eraseEntry(size_t i)
{
    // A leaf never grows by losing an entry: the next entry shares at least as many
    // bytes with its new neighbour as it gains back, so a known bound stays a bound.
    stored.clear();
    keys.erase(keys.begin() + ptrdiff_t(i * keyLen), keys.begin() + ptrdiff_t((i + 1) * keyLen));
    recnos.erase(recnos.begin() + ptrdiff_t(i));
    if (!leaf())
        children.erase(children.begin() + ptrdiff_t(i));
}

void Node::setKey(size_t i, const uint8_t* key, uint32_t recno)
{
    std::memcpy(keys.data() + i * keyLen, key, keyLen);
    recnos[i] = recno;
    stored.clear();
}

void Node::moveTailTo(size_t from, Node& other)
{
    sizeBound = other.sizeBound = -1;
    stored.clear();
    other.stored.clear();
    other.keys.insert(other.keys.begin(), keys.begin() + ptrdiff_t(from * keyLen), keys.end());
    other.recnos.insert(other.recnos.begin(), recnos.begin() + ptrdiff_t(from), recnos.end());
    keys.resize(from * keyLen);
    recnos.resize(from);
    if (!leaf()) {
        other.children.insert(other.children.begin(), children.begin() + ptrdiff_t(from), children.end());
        children.resize(from);
    }
}

void Node::absorb(Node& other)
{
    sizeBound = other.sizeBound = -1;
    stored.clear();
    other.stored.clear();
    keys.insert(keys.end(), other.keys.begin(), other.keys.end());
    recnos.insert(recnos.end(), other.recnos.begin(), other.recnos.end());
    children.insert(children.end(), other.children.begin(), other.children.end());
    other.keys.clear();
    other.recnos.clear();
    other.children.clear();
}

int compareEntry(const uint8_t* a, uint32_t ra, const uint8_t* b, uint32_t rb, int keyLen)
{
    int c = std::memcmp(a, b, size_t(keyLen));
    if (c != 0)
        return c;
    return ra < rb ? -1 : (ra > rb ? 1 : 0);
}

namespace {

int bitsFor(uint32_t v)
{
    int n = 1;
    while (n < 32 && (v >> n) != 0)
        ++n;
    return n;
}

// How the entries of one leaf are bit-packed: record number, duplicate count and
// trailing count, low bits first, in `bytes` little-endian bytes.
struct LeafLayout {
    int recBits, dupBits, trailBits, bytes;
};

LeafLayout layoutFor(uint32_t maxRecno, int keyLen)
{
    LeafLayout l{};
    l.dupBits = l.trailBits = bitsFor(uint32_t(keyLen));
    // At least three bytes, as other programs' leaves have; never fewer bits than needed.
    l.bytes = std::max(3, (bitsFor(maxRecno) + 2 * l.dupBits + 7) / 8);
    l.recBits = std::min(32, l.bytes * 8 - 2 * l.dupBits);
    return l;
}

LeafLayout layoutFor(const Node& leaf)
{
    uint32_t maxRec = 0;
    for (uint32_t r : leaf.recnos)
        maxRec = std::max(maxRec, r);
    return layoutFor(maxRec, leaf.keyLen);
}

size_t trailingPad(const uint8_t* key, int keyLen, uint8_t pad)
{
    size_t end = size_t(keyLen);
    // Eight bytes at a time through long blank tails.
    uint64_t pads;
    std::memset(&pads, pad, sizeof pads);
    while (end >= 8) {
        uint64_t word;
        std::memcpy(&word, key + end - 8, 8);
        if (word != pads)
            break;
        end -= 8;
    }
    while (end > 0 && key[end - 1] == pad)
        --end;
    return size_t(keyLen) - end;
}

// Calls f(dup, trail) for each entry in order.
template <typename F>
void forEachCompression(const Node& leaf, F f)
{
    size_t prevTrail = 0;
    for (size_t i = 0; i < leaf.count(); ++i) {
        Compression c =
            compressEntry(i == 0 ? nullptr : leaf.key(i - 1), prevTrail, leaf.key(i), leaf.keyLen, leaf.pad);
        f(c.dup, c.trail);
        prevTrail = c.trail;
    }
}

} // namespace

Compression compressEntry(const uint8_t* prev, size_t prevTrail, const uint8_t* key, int keyLen, uint8_t pad)
{
    Compression c{0, trailingPad(key, keyLen, pad)};
    if (!prev)
        return c;
    // Shared bytes never reach into the previous key's trailing pad bytes: some readers
    // rebuild those with another byte than the pad.
    const size_t limit = size_t(keyLen) - std::max(c.trail, prevTrail);
    while (c.dup + 8 <= limit) {
        uint64_t a, b;
        std::memcpy(&a, prev + c.dup, 8);
        std::memcpy(&b, key + c.dup, 8);
        if (a != b) {
            // Bytes load little-endian, so the lowest differing bit lies in the first differing byte.
            c.dup += size_t(std::countr_zero(a ^ b) / 8);
            return c;
        }
        c.dup += 8;
    }
    while (c.dup < limit && prev[c.dup] == key[c.dup])
        ++c.dup;
    return c;
}

int leafEntryBytes(uint32_t maxRecno, int keyLen)
{
    return layoutFor(maxRecno, keyLen).bytes;
}

bool fitsInPage(Node& n)
{
    if (!n.leaf())
        return n.count() <= interiorCapacity(n.keyLen);
    if (n.sizeBound >= 0 && size_t(n.sizeBound) <= kLeafSpace)
        return true;
    const size_t exact = leafBytes(n);
    n.sizeBound = int(exact);
    n.recnoBound = n.count() ? *std::max_element(n.recnos.begin(), n.recnos.end()) : 0;
    return exact <= kLeafSpace;
}

namespace {

// The key data of a leaf and what joining another leaf after it needs to know.
struct KeyData {
    size_t bytes = 0;
    size_t lastTrail = 0;
    uint32_t maxRecno = 0;
};

KeyData keyDataOf(const Node& leaf)
{
    KeyData d;
    forEachCompression(leaf, [&](size_t dup, size_t trail) {
        d.bytes += leaf.keyLen - dup - trail;
        d.lastTrail = trail;
    });
    for (uint32_t r : leaf.recnos)
        d.maxRecno = std::max(d.maxRecno, r);
    return d;
}

} // namespace

size_t leafBytes(const Node& leaf)
{
    const KeyData d = keyDataOf(leaf);
    return leaf.count() * size_t(leafEntryBytes(d.maxRecno, leaf.keyLen)) + d.bytes;
}

LeafPair measurePair(const Node& first, const Node& second)
{
    const KeyData a = keyDataOf(first), b = keyDataOf(second);
    LeafPair p;
    p.firstBytes = first.count() * size_t(leafEntryBytes(a.maxRecno, first.keyLen)) + a.bytes;
    p.secondBytes = second.count() * size_t(leafEntryBytes(b.maxRecno, second.keyLen)) + b.bytes;
    // Joined, the second's first entry shares its leading bytes with the first's last.
    const size_t shared =
        first.count() && second.count()
            ? compressEntry(first.key(first.count() - 1), a.lastTrail, second.key(0), first.keyLen, first.pad).dup
            : 0;
    p.joinedBytes =
        (first.count() + second.count()) * size_t(leafEntryBytes(std::max(a.maxRecno, b.maxRecno), first.keyLen)) +
        a.bytes + b.bytes - shared;
    return p;
}

void encodeNode(const Node& node, uint8_t* page)
{
    if (node.leaf() && node.stored.size() == kPageSize) {
        std::memcpy(page, node.stored.data(), kPageSize);
        putLe16(page, node.attr);
        putLe32(page + 4, node.left);
        putLe32(page + 8, node.right);
        return;
    }
    if (node.leaf()) {
        std::vector<Compression> comps;
        comps.reserve(node.count());
        forEachCompression(node, [&](size_t dup, size_t trail) { comps.push_back({dup, trail}); });
        encodeLeaf(node, comps.data(), page);
        return;
    }
    if (node.count() > interiorCapacity(node.keyLen))
        throw std::logic_error("index page overfilled");
    std::memset(page, 0, kPageSize);
    putLe16(page, node.attr);
    putLe16(page + 2, uint16_t(node.count()));
    putLe32(page + 4, node.left);
    putLe32(page + 8, node.right);
    uint8_t* p = page + 12;
    for (size_t i = 0; i < node.count(); ++i) {
        std::memcpy(p, node.key(i), node.keyLen);
        putBe32(p + node.keyLen, node.recnos[i]);
        putBe32(p + node.keyLen + 4, node.children[i]);
        p += node.keyLen + 8;
    }
}

void encodeLeaf(const Node& node, const Compression* comps, uint8_t* page)
{
    std::memset(page, 0, kPageSize);
    putLe16(page, node.attr);
    putLe16(page + 2, uint16_t(node.count()));
    putLe32(page + 4, node.left);
    putLe32(page + 8, node.right);
    LeafLayout l = layoutFor(node);
    const uint32_t recMask = l.recBits >= 32 ? 0xFFFFFFFFu : (1u << l.recBits) - 1;
    putLe32(page + 14, recMask);
    page[18] = uint8_t((1u << l.dupBits) - 1);
    page[19] = uint8_t((1u << l.trailBits) - 1);
    page[20] = uint8_t(l.recBits);
    page[21] = uint8_t(l.dupBits);
    page[22] = uint8_t(l.trailBits);
    page[23] = uint8_t(l.bytes);
    size_t end = kPageSize;
    const size_t infoEnd = 24 + node.count() * size_t(l.bytes);
    if (infoEnd > kPageSize)
        throw std::logic_error("index page overfilled");
    // The packed entries first, eight bytes at a time where the page has room: the bytes
    // past an entry's own are zero or belong to the next entry, and key data, written
    // after, lies beyond the last one.
    for (size_t i = 0; i < node.count(); ++i) {
        const uint64_t v = uint64_t(node.recnos[i]) | (uint64_t(comps[i].dup) << l.recBits) |
                           (uint64_t(comps[i].trail) << (l.recBits + l.dupBits));
        uint8_t* e = page + 24 + i * size_t(l.bytes);
        if (e + 8 <= page + kPageSize)
            putLe64(e, v);
        else
            for (int b = 0; b < l.bytes; ++b)
                e[b] = uint8_t(v >> (8 * b));
    }
    for (size_t i = 0; i < node.count(); ++i) {
        const size_t dup = comps[i].dup, trail = comps[i].trail;
        size_t len = node.keyLen - dup - trail;
        if (len > end - infoEnd)
            throw std::logic_error("index page overfilled");
        end -= len;
        std::memcpy(page + end, node.key(i) + dup, len);
    }
    putLe16(page + 12, uint16_t(end - 24 - node.count() * size_t(l.bytes)));
}

namespace {

void decodeLeaf(const uint8_t* page, Node& n, size_t count)
{
    const int recBits = page[20], dupBits = page[21], trailBits = page[22], bytes = page[23];
    if (bytes < 1 || bytes > 8 || recBits < 1 || recBits > 32 || dupBits > 16 || trailBits > 16 ||
        recBits + dupBits + trailBits > bytes * 8)
        throw DamagedIndex("leaf page with an impossible entry layout");
    if (24 + count * size_t(bytes) > kPageSize)
        throw DamagedIndex("leaf page with too many entries");
    const uint64_t recMask = (uint64_t(1) << recBits) - 1;
    const uint64_t dupMask = (uint64_t(1) << dupBits) - 1;
    const uint64_t trailMask = (uint64_t(1) << trailBits) - 1;
    const size_t kl = n.keyLen;
    n.keys.resize(count * kl);
    n.recnos.resize(count);
    size_t end = kPageSize;
    const size_t infoEnd = 24 + count * size_t(bytes);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* e = page + 24 + i * size_t(bytes);
        uint64_t v = 0;
        for (int b = 0; b < bytes; ++b)
            v |= uint64_t(e[b]) << (8 * b);
        size_t dup = size_t((v >> recBits) & dupMask);
        size_t trail = size_t((v >> (recBits + dupBits)) & trailMask);
        if (dup + trail > kl || (i == 0 && dup != 0))
            throw DamagedIndex("leaf entry with impossible counts");
        size_t len = kl - dup - trail;
        if (end < infoEnd + len)
            throw DamagedIndex("leaf key data overlaps the entries");
        end -= len;
        uint8_t* k = n.keys.data() + i * kl;
        if (dup)
            std::memcpy(k, k - kl, dup);
        std::memcpy(k + dup, page + end, len);
        std::memset(k + dup + len, n.pad, trail);
        n.recnos[i] = uint32_t(v & recMask);
    }
}

} // namespace

Node decodeNode(const uint8_t* page, uint32_t offset, int keyLen, uint8_t pad)
{
    if (keyLen < 1 || keyLen > kMaxKeyLen)
        throw DamagedIndex("impossible key length");
    Node n;
    n.offset = offset;
    n.attr = getLe16(page);
    n.keyLen = uint16_t(keyLen);
    n.pad = pad;
    if (n.attr > 3)
        throw DamagedIndex("page with unknown node type");
    const size_t count = getLe16(page + 2);
    n.left = getLe32(page + 4);
    n.right = getLe32(page + 8);
    if (n.leaf()) {
        decodeLeaf(page, n, count);
        n.stored.assign(page, page + kPageSize);
        return n;
    }
    if (count > interiorCapacity(keyLen))
        throw DamagedIndex("interior page with too many entries");
    n.keys.resize(count * size_t(keyLen));
    n.recnos.resize(count);
    n.children.resize(count);
    const uint8_t* p = page + 12;
    for (size_t i = 0; i < count; ++i) {
        std::memcpy(n.keys.data() + i * size_t(keyLen), p, size_t(keyLen));
        n.recnos[i] = getBe32(p + keyLen);
        n.children[i] = getBe32(p + keyLen + 4);
        p += keyLen + 8;
    }
    return n;
}

} // namespace xb::cdx
