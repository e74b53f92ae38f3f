#pragma once
// One 512-byte page of a compact compound index, decoded. Leaves hold (key, record
// number) entries; interior nodes add the child page each entry leads to, the entry's
// key being the greatest key below that child.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace xb::cdx {

constexpr uint32_t kPageSize = 512;
constexpr uint32_t kNoPage = 0xFFFFFFFFu;
constexpr int kMaxKeyLen = 240;

// Thrown when bytes read from an index file cannot be a valid index.
class DamagedIndex : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum : uint16_t { kAttrRoot = 1, kAttrLeaf = 2 };

struct Node {
    uint32_t offset = 0;
    uint16_t attr = 0;
    uint32_t left = kNoPage;
    uint32_t right = kNoPage;
    uint16_t keyLen = 0;
    uint8_t pad = ' ';         // the byte that trailing-count compression stands for
    std::vector<uint8_t> keys; // count() * keyLen bytes
    std::vector<uint32_t> recnos;
    std::vector<uint32_t> children; // interior nodes only
    // Leaves: an upper bound of leafBytes() kept through insertions, -1 when unknown,
    // so that most insertions need no full size computation.
    int sizeBound = -1;
    uint32_t recnoBound = 0; // while sizeBound is known: the greatest record number
    bool dirty = false;      // changed since it was last written
    // Leaves: the page as read, kept while its entries stay as they are, so that a
    // change of links or root mark writes it back as it was. Another program's page
    // may hold more than this engine's encoding of the same entries would fit.
    std::vector<uint8_t> stored;

    bool leaf() const { return attr & kAttrLeaf; }
    bool root() const { return attr & kAttrRoot; }
    size_t count() const { return recnos.size(); }
    const uint8_t* key(size_t i) const { return keys.data() + i * keyLen; }

    void insertEntry(size_t i, const uint8_t* key, uint32_t recno, uint32_t child = 0);
    void eraseEntry(size_t i);
    void setKey(size_t i, const uint8_t* key, uint32_t recno);
    // Moves the entries from index `from` on to the front of `other`.
    void moveTailTo(size_t from, Node& other);
    // Appends all of `other`'s entries and leaves it empty.
    void absorb(Node& other);
};

// Bytes of a leaf page available for entries and key data.
constexpr size_t kLeafSpace = kPageSize - 24;

// Entries an interior node of this key length can hold.
inline size_t interiorCapacity(int keyLen)
{
    return (kPageSize - 12) / size_t(keyLen + 8);
}

// Bytes the compressed form of a leaf needs; it fits in a page when <= kLeafSpace.
size_t leafBytes(const Node& leaf);
bool fitsInPage(Node& n);

// The sizes of two neighbouring leaves and of the one leaf they would make joined,
// without building it.
struct LeafPair {
    size_t firstBytes, secondBytes, joinedBytes;
};
LeafPair measurePair(const Node& first, const Node& second);

// How one entry compresses after the previous entry of its leaf (prev == nullptr for
// the first; prevTrail is that entry's trail): leading bytes shared with it, and
// trailing pad bytes.
struct Compression {
    size_t dup;
    size_t trail;
};
Compression compressEntry(const uint8_t* prev, size_t prevTrail, const uint8_t* key, int keyLen, uint8_t pad);
// Bytes of the bit-packed part of each entry, for leaves whose record numbers do not
// exceed maxRecno.
int leafEntryBytes(uint32_t maxRecno, int keyLen);

// Decodes a page; throws DamagedIndex when the bytes are inconsistent.
Node decodeNode(const uint8_t* page, uint32_t offset, int keyLen, uint8_t pad);
// Encodes a node: a leaf as read when its entries are unchanged, else anew.
// Throws std::logic_error for a node that does not fit, rather than writing a
// page whose key data overruns its entries.
void encodeNode(const Node& node, uint8_t* page);

// Encodes a leaf anew, its entries compressed as comps gives, one per entry in order.
void encodeLeaf(const Node& leaf, const Compression* comps, uint8_t* page);

// Compares two keys of equal length, then record numbers.
int compareEntry(const uint8_t* a, uint32_t ra, const uint8_t* b, uint32_t rb, int keyLen);

} // namespace xb::cdx
