// B+tree tags on raw byte keys: random inserts and deletes against an ordered set,
// with the structural check after every batch, across several interior levels,
// page reuse through the free list, and a close and reopen.
#include "foreign_cdx.h"
#include "test_tables.h"

#include "xbase/cdx/check.h"
#include "xbase/cdx/cursor.h"
#include "xbase/cdx/index_file.h"
#include "xbase/cdx/merged_keys.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <random>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace xb::cdx;
using Entry = std::pair<std::string, uint32_t>;

std::string randomKey(std::mt19937& rng, int keyLen)
{
    // Few distinct leading letters and blank tails: many shared prefixes, duplicate
    // keys and trailing blanks, the cases the leaf compression has to get right.
    std::string k(size_t(keyLen), ' ');
    const int used = int(rng() % unsigned(keyLen + 1));
    for (int i = 0; i < used; ++i)
        k[size_t(i)] = char('A' + rng() % 3);
    return k;
}

std::vector<Entry> walk(Tag& tag)
{
    std::vector<Entry> out;
    Cursor c(tag);
    for (bool ok = c.first(); ok; ok = c.next())
        out.emplace_back(std::string(reinterpret_cast<const char*>(c.key()), size_t(tag.keyLen())), c.recno());
    return out;
}

void expectSound(Tag& tag, const std::set<Entry>& model)
{
    std::unordered_set<uint32_t> pages;
    CheckResult r;
    checkTag(tag, pages, r, nullptr);
    ASSERT_TRUE(r.ok()) << r.problems.front();
    EXPECT_EQ(r.entries, model.size());
    EXPECT_EQ(walk(tag), std::vector<Entry>(model.begin(), model.end()));
}

const uint8_t* bytes(const std::string& s)
{
    return reinterpret_cast<const uint8_t*>(s.data());
}

Tag& newTag(IndexFile& f, const char* name, int keyLen)
{
    TagHeader h;
    h.keyLen = uint16_t(keyLen);
    h.keyExpr = "K";
    return f.addTag(name, h, ' ');
}

// Inserts (with new record numbers) and removals of random entries, the same in
// the tag and the model; insertShare of every 6 steps insert.
template <typename MakeKey>
void randomEdits(Tag& tag, std::set<Entry>& model, std::mt19937& rng, uint32_t& nextRec, int steps,
                 unsigned insertShare, MakeKey makeKey)
{
    for (int i = 0; i < steps; ++i) {
        if (model.empty() || rng() % 6 < insertShare) {
            Entry e{makeKey(), nextRec++};
            tag.insert(bytes(e.first), e.second);
            model.insert(e);
        } else {
            auto it = model.begin();
            std::advance(it, rng() % model.size());
            ASSERT_TRUE(tag.remove(bytes(it->first), it->second));
            model.erase(it);
        }
    }
}

class RandomEdits : public ::testing::TestWithParam<int> {};

TEST_P(RandomEdits, TreeMatchesOrderedSetAfterEveryBatch)
{
    const int keyLen = GetParam();
    xbtest::TempDir dir;
    const std::string path = dir.file("t.cdx");
    std::mt19937 rng(4711u + unsigned(keyLen));
    std::set<Entry> model;
    uint32_t nextRec = 1;
    {
        auto f = IndexFile::create(path);
        f->file().setCacheLimit(64); // small, so eviction and write-back run constantly
        Tag& tag = newTag(*f, "T", keyLen);
        for (int batch = 0; batch < 12; ++batch) {
            randomEdits(tag, model, rng, nextRec, 400, 4, [&] { return randomKey(rng, keyLen); });
            expectSound(tag, model);
        }
        EXPECT_FALSE(tag.remove(bytes(std::string(size_t(keyLen), 'Z')), 1)) << "absent entry";
    }
    auto f = IndexFile::open(path, false);
    ASSERT_EQ(f->tagCount(), 1u);
    expectSound(f->tag(0), model);
}

// Key length 80 gives five entries per interior page, so a few thousand entries make
// a tree of several interior levels.
INSTANTIATE_TEST_SUITE_P(KeyLengths, RandomEdits, ::testing::Values(1, 10, 80));

// Trees another program packed: the same random edits starting from a tag whose
// pages were rewritten full to the last bytes, with other entry layouts, shared
// bytes running into the previous key's trailing blanks, and unreferenced old
// pages left behind. Our encoding of such a page can need more than a page.
struct ForeignCase {
    int keyLen;
    xbtest::LeafStyle style;
};

class ForeignStart : public ::testing::TestWithParam<ForeignCase> {};

// Two blank-padded fields in one key, the second often empty, as in a key of last
// and first names: the other program's shared bytes run on into the first field's blanks.
std::string twoFieldKey(std::mt19937& rng, int keyLen)
{
    const int half = keyLen / 2;
    std::string k = randomKey(rng, half);
    if (rng() % 2)
        return k + std::string(size_t(keyLen - half), ' ');
    return k + randomKey(rng, keyLen - half);
}

TEST_P(ForeignStart, EditsKeepTheTreeSoundOnDisk)
{
    const ForeignCase fc = GetParam();
    xbtest::TempDir dir;
    const std::string path = dir.file("t.cdx");
    std::mt19937 rng(90210u + unsigned(fc.keyLen));
    std::set<Entry> model;
    uint32_t nextRec = 1;
    {
        auto f = IndexFile::create(path);
        Tag& tag = newTag(*f, "T", fc.keyLen);
        randomEdits(tag, model, rng, nextRec, 2000, 6, [&] { return twoFieldKey(rng, fc.keyLen); });
    }
    std::string error;
    ASSERT_TRUE(xbtest::repackIndexFile(path, fc.style, error)) << error;
    for (int round = 0; round < 3; ++round) {
        auto f = IndexFile::open(path, false);
        f->file().setCacheLimit(32); // pages go out, and come back in, all the time
        Tag& tag = f->tag(0);
        expectSound(tag, model);
        randomEdits(tag, model, rng, nextRec, 600, 3, [&] { return twoFieldKey(rng, fc.keyLen); });
        expectSound(tag, model);
    }
    auto f = IndexFile::open(path, true);
    expectSound(f->tag(0), model);
}

INSTANTIATE_TEST_SUITE_P(Layouts, ForeignStart,
                         ::testing::Values(ForeignCase{10, {3, 12, 0, 0}}, ForeignCase{1, {2, 0, 0, 0}},
                                           ForeignCase{60, {3, 0, 0, 2}}, ForeignCase{60, {4, 12, 2, 0}},
                                           ForeignCase{240, {5, 0, 0, 0}}));

// Pairs of a short key and the same key with one byte at its far end: the other
// program stores the second as that one byte after the first one's trailing
// blanks, we store all the blanks again, some thirty pages' worth for one page.
// With 240-byte keys an interior page holds two entries, so the split climbs.
TEST(CdxTree, ForeignPageThatWouldFillManyPagesOfOursSplitsIntoThem)
{
    for (const bool insertAtEnd : {true, false}) {
        SCOPED_TRACE(insertAtEnd ? "insert" : "remove");
        xbtest::TempDir dir;
        const std::string path = dir.file("t.cdx");
        const int kl = 240;
        uint32_t root = 0;
        {
            auto f = IndexFile::create(path);
            root = newTag(*f, "T", kl).header().root;
        }
        std::vector<xbtest::ForeignEntry> entries;
        for (size_t j = 1; j <= 100; ++j) {
            std::string shortKey(j, 'A');
            shortKey.resize(size_t(kl), ' ');
            std::string longKey = shortKey;
            longKey.back() = 'B';
            entries.push_back({shortKey, uint32_t(2 * j)});
            entries.push_back({longKey, uint32_t(2 * j + 1)});
        }
        auto pages = xbtest::foreignLeaves(entries, kl, ' ', {3, 0, 0, 0}, root);
        ASSERT_GT(pages.size(), 1u);
        std::vector<uint8_t>& page = pages.front();
        const size_t held = size_t(page[2] | (page[3] << 8));
        ASSERT_GT(held, 60u);
        page[0] = 3; // the root, and a leaf
        std::fill(page.begin() + 8, page.begin() + 12, 0xFF);
        const int fd = ::open(path.c_str(), O_WRONLY);
        ASSERT_EQ(pwrite(fd, page.data(), page.size(), off_t(root)), ssize_t(page.size()));
        ::close(fd);
        std::set<Entry> model;
        for (size_t i = 0; i < held; ++i)
            model.emplace(entries[i].key, entries[i].recno);
        struct stat before {};
        ASSERT_EQ(stat(path.c_str(), &before), 0);
        {
            auto f = IndexFile::open(path, false);
            Tag& tag = f->tag(0);
            expectSound(tag, model);
            if (insertAtEnd) {
                const std::string last(size_t(kl), 'Z');
                tag.insert(bytes(last), 1);
                model.emplace(last, 1);
            } else {
                const Entry gone = *std::next(model.begin(), 5);
                ASSERT_TRUE(tag.remove(bytes(gone.first), gone.second));
                model.erase(gone);
            }
            expectSound(tag, model);
        }
        struct stat after {};
        ASSERT_EQ(stat(path.c_str(), &after), 0);
        EXPECT_GT(after.st_size, before.st_size + 20 * off_t(kPageSize)) << "the entries went to many pages";
        auto f = IndexFile::open(path, true);
        expectSound(f->tag(0), model);
    }
}

// Files differ in what ends the free list: 0 here, all bits set in some other
// programs' files. A file keeps its own mark, so that its program never takes the
// end of the list for a page.
TEST(CdxTree, TheFreeListEndsWithTheMarkTheFileUses)
{
    xbtest::TempDir dir;
    const std::string path = dir.file("t.cdx");
    auto key = [](int i) { return std::to_string(100000 + i) + std::string(34, 'k'); };
    {
        auto f = IndexFile::create(path);
        Tag& tag = newTag(*f, "T", 40);
        for (int i = 0; i < 600; ++i)
            tag.insert(bytes(key(i)), uint32_t(i + 1));
    }
    auto freeListWord = [&](uint32_t at) {
        uint8_t b[4] = {};
        const int fd = ::open(path.c_str(), O_RDONLY);
        EXPECT_EQ(pread(fd, b, 4, off_t(at)), 4);
        ::close(fd);
        return uint32_t(b[0] | (b[1] << 8) | (b[2] << 16) | (uint32_t(b[3]) << 24));
    };
    {
        const uint8_t none[4] = {0xFF, 0xFF, 0xFF, 0xFF};
        const int fd = ::open(path.c_str(), O_WRONLY);
        ASSERT_EQ(pwrite(fd, none, 4, 4), 4); // the file header's free list
        ::close(fd);
    }
    {
        auto f = IndexFile::open(path, false);
        for (int i = 0; i < 600; ++i)
            ASSERT_TRUE(f->tag(0).remove(bytes(key(i)), uint32_t(i + 1)));
        f->flush();
        ASSERT_GT(f->file().freeCount(), 10u);
    }
    size_t chain = 0;
    uint32_t at = freeListWord(4);
    for (; at != 0 && at != kNoPage && chain < 1000; ++chain)
        at = freeListWord(at);
    EXPECT_EQ(at, kNoPage) << "the last free page links to the file's mark";
    {
        auto f = IndexFile::open(path, false);
        EXPECT_EQ(f->file().freeCount(), chain);
        for (int i = 0; i < 1200; ++i)
            f->tag(0).insert(bytes(key(i)), uint32_t(i + 1));
        f->flush();
        ASSERT_EQ(f->file().freeCount(), 0u);
    }
    EXPECT_EQ(freeListWord(4), kNoPage) << "an empty list is the file's mark again";
}

TEST(CdxTree, EmptyingATreeLeavesOneRootLeafAndReusesPages)
{
    xbtest::TempDir dir;
    const std::string path = dir.file("t.cdx");
    auto f = IndexFile::create(path);
    Tag& tag = newTag(*f, "T", 80);
    std::vector<std::string> keys;
    for (int i = 0; i < 3000; ++i)
        keys.push_back(std::to_string(100000 + i * 7 % 3000) + std::string(74, 'x'));
    for (size_t i = 0; i < keys.size(); ++i)
        tag.insert(bytes(keys[i]), uint32_t(i + 1));
    f->flush();
    struct stat full {};
    ASSERT_EQ(stat(path.c_str(), &full), 0);
    for (size_t i = 0; i < keys.size(); ++i)
        ASSERT_TRUE(tag.remove(bytes(keys[i]), uint32_t(i + 1)));
    expectSound(tag, {});
    EXPECT_TRUE(tag.root().leaf());
    const size_t freed = f->file().freeCount();
    EXPECT_GT(freed, 100u);
    f.reset();
    f = IndexFile::open(path, false);
    EXPECT_EQ(f->file().freeCount(), freed) << "the free list survives closing";
    Tag& reopened = f->tag(0);
    expectSound(reopened, {});
    for (size_t i = 0; i < keys.size(); ++i)
        reopened.insert(bytes(keys[i]), uint32_t(i + 1));
    f->flush();
    struct stat again {};
    ASSERT_EQ(stat(path.c_str(), &again), 0);
    EXPECT_LE(again.st_size, full.st_size) << "freed pages are used again";
}

TEST(CdxTree, AParentNamingOneLeafTwiceIsDamageWhenAnEntryGoes)
{
    // Joining the leaf with its "neighbour" would free the page the tree still uses.
    xbtest::TempDir dir;
    const std::string path = dir.file("t.cdx");
    std::vector<std::string> keys;
    uint32_t root = 0;
    {
        auto f = IndexFile::create(path);
        Tag& tag = newTag(*f, "T", 80);
        for (int i = 0; i < 20; ++i)
            keys.push_back(std::to_string(100 + i) + std::string(77, 'x'));
        for (size_t i = 0; i < keys.size(); ++i)
            tag.insert(bytes(keys[i]), uint32_t(i + 1));
        ASSERT_FALSE(tag.root().leaf());
        root = tag.root().offset;
        f->flush();
    }
    const int fd = ::open(path.c_str(), O_RDWR);
    uint8_t child[4];
    ASSERT_EQ(pread(fd, child, 4, root + 12 + 84), 4);
    ASSERT_EQ(pwrite(fd, child, 4, root + 12 + 88 + 84), 4);
    ::close(fd);
    auto f = IndexFile::open(path, false);
    EXPECT_THROW(f->tag(0).remove(bytes(keys[0]), 1), DamagedIndex);
}

// Keys beyond the memory given go to disk in sorted runs, merged again as the tag is built.
TEST(CdxTree, BulkBuildFromSortedRunsEqualsInsertsAndStaysEditable)
{
    xbtest::TempDir dir;
    auto f = IndexFile::create(dir.file("t.cdx"));
    Tag& built = newTag(*f, "BUILT", 30);
    std::mt19937 rng(99);
    RunFile runs(dir.file(""));
    KeySorter sorter(30, 700, 700, runs);
    std::set<Entry> model;
    for (uint32_t r = 1; r <= 5000; ++r) {
        std::string k = r % 3 ? randomKey(rng, 30) : std::string(30, ' ');
        sorter.add(bytes(k), r);
        model.emplace(k, r);
    }
    GatheredKeys gathered = sorter.take();
    EXPECT_EQ(gathered.runs.size(), 7u);
    MergedKeys sorted(std::move(gathered), &runs);
    EXPECT_EQ(sorted.size(), 5000u);
    int last = -1;
    built.build(sorted, [&](int p) {
        EXPECT_GE(p, last);
        last = p;
    });
    expectSound(built, model);
    for (uint32_t r = 5001; r <= 6000; ++r) {
        std::string k = randomKey(rng, 30);
        built.insert(bytes(k), r);
        model.emplace(k, r);
    }
    expectSound(built, model);
}

// A bulk build encodes each leaf as it fills it: the page must be the one any leaf
// of the same entries is written as, with long runs of equal and blank keys.
TEST(CdxTree, BulkBuiltLeavesAreTheLeavesAnyWriteWouldGive)
{
    xbtest::TempDir dir;
    const std::string path = dir.file("t.cdx");
    std::mt19937 rng(7);
    RunFile runs(dir.file(""));
    {
        auto f = IndexFile::create(path);
        for (const int keyLen : {1, 10, 80}) {
            KeySorter sorter(keyLen, 100000, 20000, runs);
            for (uint32_t r = 1; r <= 20000; ++r) {
                const std::string k = r % 5 ? randomKey(rng, keyLen) : std::string(size_t(keyLen), ' ');
                sorter.add(bytes(k), r * 7919 % 20011);
            }
            MergedKeys sorted(sorter.take(), nullptr);
            newTag(*f, ("K" + std::to_string(keyLen)).c_str(), keyLen).build(sorted, nullptr);
        }
        f->flush();
    }
    auto f = IndexFile::open(path, true);
    for (size_t t = 0; t < 3; ++t) {
        Tag& tag = f->tag(t);
        size_t leaves = 0;
        for (uint32_t at = tag.root().offset;;) {
            Node& n = f->file().node(at, tag.keyLen(), ' ');
            if (!n.leaf()) {
                at = n.children.front();
                continue;
            }
            for (; at != kNoPage; ++leaves) {
                Node leaf = f->file().node(at, tag.keyLen(), ' ');
                uint8_t written[kPageSize], anew[kPageSize];
                f->file().read(at, written, kPageSize);
                leaf.stored.clear();
                encodeNode(leaf, anew);
                ASSERT_EQ(std::memcmp(written, anew, kPageSize), 0) << "leaf at " << at;
                at = leaf.right;
            }
            break;
        }
        EXPECT_GT(leaves, 20u);
    }
}

// An index held back for its table writes nothing when its cache fills, however
// many pages the changes touch, and everything at the flush; one not held back
// writes as it evicts.
TEST(CdxTree, HeldChangesReachTheFileOnlyAtTheFlush)
{
    for (const bool hold : {true, false}) {
        xbtest::TempDir dir;
        const std::string path = dir.file("t.cdx");
        auto f = IndexFile::create(path);
        Tag& tag = newTag(*f, "T", 10);
        f->flush();
        struct stat before {};
        ASSERT_EQ(stat(path.c_str(), &before), 0);
        f->file().setCacheLimit(16);
        f->file().setHoldChanges(hold);
        std::mt19937 rng(7);
        std::set<Entry> model;
        for (uint32_t r = 1; r <= 3000; ++r) {
            Entry e{randomKey(rng, 10), r};
            tag.insert(bytes(e.first), e.second);
            model.insert(e);
        }
        struct stat during {};
        ASSERT_EQ(stat(path.c_str(), &during), 0);
        EXPECT_EQ(during.st_size == before.st_size, hold) << "held: " << hold;
        f->flush();
        expectSound(tag, model);
        f.reset();
        auto reopened = IndexFile::open(path, true);
        expectSound(reopened->tag(0), model);
    }
}

TEST(CdxTree, CursorFindsItsPlaceAfterTheTagChanged)
{
    xbtest::TempDir dir;
    auto f = IndexFile::create(dir.file("t.cdx"));
    Tag& tag = newTag(*f, "T", 4);
    for (uint32_t r = 1; r <= 9; ++r)
        tag.insert(bytes(std::string("K00") + char('0' + r)), r);
    Cursor c(tag);
    ASSERT_TRUE(c.seekPrefix(bytes(std::string("K005")), 4));
    EXPECT_EQ(c.recno(), 5u);
    ASSERT_TRUE(tag.remove(bytes(std::string("K005")), 5));
    ASSERT_TRUE(c.next());
    EXPECT_EQ(c.recno(), 6u) << "the removed entry's successor";
    ASSERT_TRUE(tag.remove(bytes(std::string("K006")), 6));
    ASSERT_TRUE(c.prev());
    EXPECT_EQ(c.recno(), 4u);
    EXPECT_FALSE(c.seekPrefix(bytes(std::string("K1")), 2)) << "past the last key";
    ASSERT_TRUE(c.seekPastPrefix(bytes(std::string("K00")), 3) || !c.valid());
    EXPECT_FALSE(c.valid());
}

} // namespace
