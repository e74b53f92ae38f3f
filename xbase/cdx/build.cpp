// Bulk building of a tag: full leaves written left to right, then each interior
// level bottom-up, so a build touches every page once.
#include <cstring>

#include "xbase/cdx/key_stream.h"
#include "xbase/cdx/tag.h"

namespace xb::cdx {

namespace {

// The last entry of each node of one level, with the node's page.
struct Level {
    int keyLen;
    std::vector<uint8_t> keys;
    std::vector<uint32_t> recnos;
    std::vector<uint32_t> pages;

    void add(const Node& n)
    {
        keys.insert(keys.end(), n.key(n.count() - 1), n.key(n.count() - 1) + keyLen);
        recnos.push_back(n.recnos.back());
        pages.push_back(n.offset);
    }
    size_t size() const { return pages.size(); }
};

void link(PageFile& file, Node* prev, Node& next)
{
    if (prev) {
        prev->right = next.offset;
        next.left = prev->offset;
        file.markDirty(*prev);
    }
    file.markDirty(next);
}

} // namespace

void Tag::build(KeyStream& keys, const std::function<void(int)>& progress)
{
    freePages();
    const int kl = keyLen();
    const size_t entryBytes = size_t(leafEntryBytes(keys.maxRecno(), kl));
    Level level{kl, {}, {}, {}};
    // The leaf being filled: its keys gather here and move into the node when it is
    // full, each entry compressed once and the page encoded from that.
    std::vector<uint8_t> pending((kLeafSpace / entryBytes + 1) * size_t(kl));
    std::vector<Compression> comps;
    auto seal = [&](Node& leaf) {
        leaf.keys.assign(pending.data(), pending.data() + comps.size() * size_t(kl));
        leaf.stored.resize(kPageSize);
        encodeLeaf(leaf, comps.data(), leaf.stored.data());
        comps.clear();
    };
    Node* leaf = &file_.newNode(kAttrLeaf, kl, pad_);
    size_t used = 0;
    const size_t n = keys.size();
    const uint8_t* k;
    uint32_t recno;
    for (size_t i = 0; keys.next(k, recno); ++i) {
        const uint8_t* prev = comps.empty() ? nullptr : pending.data() + (comps.size() - 1) * size_t(kl);
        Compression c = compressEntry(prev, prev ? comps.back().trail : 0, k, kl, pad_);
        if (prev && used + entryBytes + size_t(kl) - c.dup - c.trail > kLeafSpace) {
            seal(*leaf);
            level.add(*leaf);
            Node* next = &file_.newNode(kAttrLeaf, kl, pad_);
            next->recnos.reserve(leaf->count());
            link(file_, leaf, *next);
            leaf = next;
            file_.trim();
            c.dup = 0;
            used = 0;
            if (progress && (level.size() & 63) == 0)
                progress(int(i * 100 / n));
        }
        std::memcpy(pending.data() + comps.size() * size_t(kl), k, size_t(kl));
        leaf->recnos.push_back(recno);
        used += entryBytes + size_t(kl) - c.dup - c.trail;
        comps.push_back(c);
    }
    seal(*leaf);
    touch(*leaf);
    if (leaf->count() == 0 || level.size() == 0) {
        setRoot(*leaf);
        ++version_;
        return;
    }
    level.add(*leaf);
    const size_t cap = interiorCapacity(kl);
    while (level.size() > 1) {
        const size_t count = level.size();
        const size_t nodes = (count + cap - 1) / cap;
        Level up{kl, {}, {}, {}};
        Node* prevNode = nullptr;
        for (size_t j = 0; j < nodes; ++j) {
            Node& in = file_.newNode(0, kl, pad_);
            for (size_t e = j * count / nodes; e < (j + 1) * count / nodes; ++e)
                in.insertEntry(in.count(), level.keys.data() + e * size_t(kl), level.recnos[e], level.pages[e]);
            link(file_, prevNode, in);
            up.add(in);
            prevNode = &in;
            file_.trim();
        }
        level = std::move(up);
    }
    setRoot(node(level.pages[0]));
    ++version_;
}

} // namespace xb::cdx
