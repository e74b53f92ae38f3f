#include "foreign_cdx.h"

#include "xbase/cdx/cdx_index.h"
#include "xbase/cdx/cursor.h"
#include "xbase/engine.h"
#include "xbase/sx.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace xbtest {
namespace {

constexpr size_t kPage = 512;

int bitsFor(uint32_t v)
{
    int n = 1;
    while (n < 32 && (v >> n) != 0)
        ++n;
    return n;
}

void putLe(uint8_t* p, uint64_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}

void putBe32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (24 - 8 * i));
}

struct Level {
    std::vector<std::string> keys; // each page's last entry
    std::vector<uint32_t> recnos;
    std::vector<uint32_t> pages;
};

struct Tree {
    std::vector<std::vector<uint8_t>> pages; // consecutive, from the first offset on
    uint32_t root;
};

// Interior levels above the leaves, each page as full as it goes.
Tree foreignTree(const std::vector<ForeignEntry>& entries, int keyLen, char pad, const LeafStyle& style,
                 uint32_t firstPage)
{
    Tree t;
    t.pages = foreignLeaves(entries, keyLen, pad, style, firstPage);
    Level level;
    {
        size_t at = 0;
        for (size_t p = 0; p < t.pages.size(); ++p) {
            const size_t count = size_t(t.pages[p][2] | (t.pages[p][3] << 8));
            at += count;
            const ForeignEntry& last = entries[at - 1];
            level.keys.push_back(last.key);
            level.recnos.push_back(last.recno);
            level.pages.push_back(firstPage + uint32_t(p * kPage));
        }
    }
    const size_t cap = (kPage - 12) / size_t(keyLen + 8);
    while (level.pages.size() > 1) {
        Level up;
        for (size_t start = 0; start < level.pages.size(); start += cap) {
            const size_t end = std::min(level.pages.size(), start + cap);
            std::vector<uint8_t> page(kPage, 0);
            const uint32_t self = firstPage + uint32_t(t.pages.size() * kPage);
            putLe(page.data() + 2, end - start, 2);
            putLe(page.data() + 4, start == 0 ? 0xFFFFFFFFu : self - kPage, 4);
            putLe(page.data() + 8, end == level.pages.size() ? 0xFFFFFFFFu : self + kPage, 4);
            uint8_t* e = page.data() + 12;
            for (size_t i = start; i < end; ++i, e += keyLen + 8) {
                std::copy(level.keys[i].begin(), level.keys[i].end(), e);
                putBe32(e + keyLen, level.recnos[i]);
                putBe32(e + keyLen + 4, level.pages[i]);
            }
            up.keys.push_back(level.keys[end - 1]);
            up.recnos.push_back(level.recnos[end - 1]);
            up.pages.push_back(self);
            t.pages.push_back(std::move(page));
        }
        level = std::move(up);
    }
    t.root = level.pages.front();
    std::vector<uint8_t>& root = t.pages[(t.root - firstPage) / kPage];
    root[0] |= 1;
    return t;
}

} // namespace

std::vector<std::vector<uint8_t>> foreignLeaves(const std::vector<ForeignEntry>& entries, int keyLen, char pad,
                                                const LeafStyle& style, uint32_t firstPage)
{
    const int countBits = bitsFor(uint32_t(keyLen)) + style.extraCountBits;
    uint32_t maxRecno = 0;
    for (const ForeignEntry& e : entries)
        maxRecno = std::max(maxRecno, e.recno);
    // Given record-number bits are kept to; otherwise entries grow to what the record numbers need.
    const int bytes = style.recBits ? style.bytes : std::max(style.bytes, (bitsFor(maxRecno) + 2 * countBits + 7) / 8);
    const int recBits = style.recBits ? style.recBits : std::min(32, bytes * 8 - 2 * countBits);
    if (recBits + 2 * countBits > bytes * 8 || (recBits < 32 && maxRecno >> recBits))
        throw std::invalid_argument("record " + std::to_string(maxRecno) + " does not fit the entry layout");
    std::vector<std::vector<uint8_t>> pages;
    size_t i = 0;
    do {
        std::vector<uint8_t> page(kPage, 0);
        const uint32_t self = firstPage + uint32_t(pages.size() * kPage);
        page[0] = 2;
        putLe(page.data() + 4, pages.empty() ? 0xFFFFFFFFu : self - kPage, 4);
        putLe(page.data() + 14, recBits >= 32 ? 0xFFFFFFFFu : (1u << recBits) - 1, 4);
        page[18] = uint8_t((1u << countBits) - 1);
        page[19] = page[18];
        page[20] = uint8_t(recBits);
        page[21] = page[22] = uint8_t(countBits);
        page[23] = uint8_t(bytes);
        size_t end = kPage, count = 0;
        const std::string* prev = nullptr;
        for (; i < entries.size(); ++i) {
            const std::string& key = entries[i].key;
            size_t trail = 0;
            while (trail < size_t(keyLen) && key[size_t(keyLen) - 1 - trail] == pad)
                ++trail;
            // Shared bytes may run on into the previous key's trailing blanks.
            size_t dup = 0;
            while (prev && dup + trail < size_t(keyLen) && (*prev)[dup] == key[dup])
                ++dup;
            const size_t len = size_t(keyLen) - dup - trail;
            const size_t infoEnd = 24 + (count + 1) * size_t(bytes);
            if (count > 0 && infoEnd + len + size_t(style.slack) > end)
                break;
            const uint64_t v =
                uint64_t(entries[i].recno) | (uint64_t(dup) << recBits) | (uint64_t(trail) << (recBits + countBits));
            putLe(page.data() + 24 + count * size_t(bytes), v, bytes);
            end -= len;
            std::copy(key.begin() + long(dup), key.begin() + long(dup + len), page.begin() + long(end));
            ++count;
            prev = &key;
        }
        putLe(page.data() + 2, count, 2);
        putLe(page.data() + 12, end - 24 - count * size_t(bytes), 2);
        putLe(page.data() + 8, i < entries.size() ? self + kPage : 0xFFFFFFFFu, 4);
        pages.push_back(std::move(page));
    } while (i < entries.size());
    return pages;
}

namespace {

struct TagTree {
    uint32_t header;
    int keyLen;
    char pad;
    std::vector<ForeignEntry> entries;
};

TagTree entriesOf(xb::cdx::Tag& tag, uint32_t header)
{
    TagTree t{header, tag.keyLen(), char(tag.pad()), {}};
    xb::cdx::Cursor c(tag);
    for (bool ok = c.first(); ok; ok = c.next())
        t.entries.push_back({std::string(reinterpret_cast<const char*>(c.key()), size_t(tag.keyLen())), c.recno()});
    return t;
}

// New trees for the tags (and the directory, header 0) at the end of the closed file.
bool writeTrees(const std::string& indexPath, const std::vector<TagTree>& trees, const LeafStyle& style,
                std::string& error)
{
    std::fstream f(indexPath, std::ios::in | std::ios::out | std::ios::binary);
    f.seekg(0, std::ios::end);
    if (!f) {
        error = "cannot open " + indexPath;
        return false;
    }
    uint32_t at = (uint32_t(f.tellg()) + kPage - 1) / kPage * kPage;
    for (const TagTree& t : trees) {
        // The directory's record numbers are header offsets: they take what bits they need.
        LeafStyle s = style;
        if (t.header == 0)
            s.recBits = 0;
        Tree tree;
        try {
            tree = foreignTree(t.entries, t.keyLen, t.pad, s, at);
        } catch (const std::invalid_argument& e) {
            error = e.what();
            return false;
        }
        f.seekp(at);
        for (const auto& page : tree.pages)
            f.write(reinterpret_cast<const char*>(page.data()), long(page.size()));
        uint8_t root[4];
        putLe(root, tree.root, 4);
        f.seekp(t.header);
        f.write(reinterpret_cast<const char*>(root), 4);
        at += uint32_t(tree.pages.size() * kPage);
    }
    f.close();
    if (!f) {
        error = "cannot write " + indexPath;
        return false;
    }
    return true;
}

} // namespace

bool repackIndexFile(const std::string& indexPath, const LeafStyle& style, std::string& error)
{
    std::vector<TagTree> trees;
    {
        auto file = xb::cdx::IndexFile::open(indexPath, true);
        for (size_t i = 0; i < file->tagCount(); ++i)
            trees.push_back(entriesOf(file->tag(i), file->tag(i).headerOffset()));
        trees.push_back(entriesOf(file->directory(), 0));
    }
    return writeTrees(indexPath, trees, style, error);
}

bool repackIndex(const std::string& tablePath, const LeafStyle& style, std::string& error)
{
    std::vector<TagTree> trees;
    if (!sx_Use(tablePath.c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX)) {
        error = sx_LastError();
        return false;
    }
    // Through the table, so that every tag knows its pad byte.
    auto* index = dynamic_cast<xb::cdx::CdxIndex*>(xb::Engine::instance().current()->index());
    if (!index || !index->usable()) {
        error = "no usable index";
        sx_Close();
        return false;
    }
    for (int i = 1; i <= index->orderCount(); ++i)
        trees.push_back(entriesOf(index->tag(i), index->tag(i).headerOffset()));
    const std::string indexPath = index->path();
    sx_Close();
    {
        auto file = xb::cdx::IndexFile::open(indexPath, true);
        trees.push_back(entriesOf(file->directory(), 0));
    }
    return writeTrees(indexPath, trees, style, error);
}

} // namespace xbtest
