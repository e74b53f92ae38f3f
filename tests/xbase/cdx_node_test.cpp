// The page codec: compressed leaves round-trip byte-exact keys through the cases
// that compression treats specially, and impossible pages are refused.
#include "xbase/cdx/bytes.h"
#include "xbase/cdx/node.h"
#include "xbase/cdx/tag_header.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace xb::cdx;

Node leafOf(int keyLen, const std::vector<std::pair<std::string, uint32_t>>& entries)
{
    Node n;
    n.attr = kAttrLeaf | kAttrRoot;
    n.keyLen = uint16_t(keyLen);
    for (const auto& [k, r] : entries) {
        std::string key = k;
        key.resize(size_t(keyLen), ' ');
        n.insertEntry(n.count(), reinterpret_cast<const uint8_t*>(key.data()), r);
    }
    return n;
}

Node roundTrip(const Node& n, uint8_t* page)
{
    encodeNode(n, page);
    return decodeNode(page, 1024, n.keyLen, n.pad);
}

TEST(CdxNode, LeafKeysSurviveCompressionExactly)
{
    // Blank keys, keys that are prefixes of each other, shared bytes running into
    // the previous key's blank tail, equal keys, and bytes above 127.
    Node n = leafOf(12, {{"", 3},
                         {"", 9},
                         {"A", 1},
                         {"A  B", 2},
                         {"AB", 4},
                         {"AB", 5},
                         {"\xDC"
                          "BER",
                          6},
                         {"ZZZZZZZZZZZZ", 7}});
    uint8_t page[kPageSize];
    Node back = roundTrip(n, page);
    EXPECT_EQ(back.keys, n.keys);
    EXPECT_EQ(back.recnos, n.recnos);
    EXPECT_TRUE(back.leaf());
    EXPECT_TRUE(back.root());
    EXPECT_EQ(getLe16(page + 12), kLeafSpace - leafBytes(n)) << "free space field";
}

TEST(CdxNode, SharedBytesStopAtThePreviousKeysTrailingBlanks)
{
    // "A  B" after "A": the blank after A lies in the first key's trailing blanks,
    // which other readers rebuild with zero bytes, so only "A" may be shared.
    Node n = leafOf(4, {{"A", 1}, {"A  B", 2}});
    uint8_t page[kPageSize];
    encodeNode(n, page);
    const uint8_t recBits = page[20], dupBits = page[21];
    const uint32_t second = getLe32(page + 24 + page[23]);
    EXPECT_EQ((second >> recBits) & ((1u << dupBits) - 1), 1u);
}

TEST(CdxNode, LargeRecordNumbersWidenTheEntries)
{
    Node small = leafOf(10, {{"K", 1}, {"L", 2}});
    Node large = leafOf(10, {{"K", 1}, {"L", 16000000}});
    uint8_t page[kPageSize];
    encodeNode(small, page);
    EXPECT_EQ(page[23], 3);
    Node back = roundTrip(large, page);
    EXPECT_EQ(page[23], 4);
    EXPECT_EQ(back.recnos, large.recnos);
}

TEST(CdxNode, NeighbouringLeavesMeasureAsTheLeafTheyMakeAndNoneGrowsByLosingAnEntry)
{
    // Shared bytes across the join, blank tails on either side of it, and a record
    // number that widens the joined leaf's entries.
    const std::vector<std::pair<std::string, uint32_t>> entries = {
        {"", 3}, {"AB", 9}, {"ABC D", 1}, {"ABCDE", 2}, {"ABCDE", 70000}, {"ABZ", 5}, {"B", 6}, {"BBBBBBBB", 8}};
    const Node whole = leafOf(8, entries);
    for (size_t cut = 0; cut <= entries.size(); ++cut) {
        const Node first = leafOf(8, {entries.begin(), entries.begin() + ptrdiff_t(cut)});
        const Node second = leafOf(8, {entries.begin() + ptrdiff_t(cut), entries.end()});
        const LeafPair sizes = measurePair(first, second);
        EXPECT_EQ(sizes.firstBytes, leafBytes(first));
        EXPECT_EQ(sizes.secondBytes, leafBytes(second));
        EXPECT_EQ(sizes.joinedBytes, leafBytes(whole)) << "cut at " << cut;
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        Node less = whole;
        less.eraseEntry(i);
        EXPECT_LE(leafBytes(less), leafBytes(whole)) << "without entry " << i;
    }
}

TEST(CdxNode, InteriorEntriesAreKeyThenBigEndianRecordAndChild)
{
    Node n;
    n.attr = kAttrRoot;
    n.keyLen = 3;
    n.insertEntry(0, reinterpret_cast<const uint8_t*>("ABC"), 0x01020304, 0x00000600);
    uint8_t page[kPageSize];
    encodeNode(n, page);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(page + 12), 3), "ABC");
    EXPECT_EQ(getBe32(page + 15), 0x01020304u);
    EXPECT_EQ(getBe32(page + 19), 0x600u);
    Node back = decodeNode(page, 512 * 4, 3, ' ');
    EXPECT_EQ(back.children, n.children);
}

TEST(CdxNode, ImpossiblePagesAreRefused)
{
    uint8_t page[kPageSize] = {};
    Node n = leafOf(10, {{"KEY", 1}, {"KEYS", 2}});
    encodeNode(n, page);
    uint8_t bad[kPageSize];
    std::copy(page, page + kPageSize, bad);
    putLe16(bad + 2, 400); // more entries than the page holds
    EXPECT_THROW(decodeNode(bad, 1024, 10, ' '), DamagedIndex);
    std::copy(page, page + kPageSize, bad);
    bad[23] = 0; // zero bytes per entry
    EXPECT_THROW(decodeNode(bad, 1024, 10, ' '), DamagedIndex);
    std::copy(page, page + kPageSize, bad);
    putLe16(bad, 7); // unknown node type
    EXPECT_THROW(decodeNode(bad, 1024, 10, ' '), DamagedIndex);
    std::copy(page, page + kPageSize, bad);
    bad[24] |= 0xF0; // the first entry claims shared bytes
    bad[25] = bad[26] = 0xFF;
    EXPECT_THROW(decodeNode(bad, 1024, 10, ' '), DamagedIndex);
    uint8_t header[kHeaderSize] = {};
    putLe16(header + 12, 0);
    EXPECT_THROW(TagHeader::decode(header), DamagedIndex) << "key length 0";
}

TEST(CdxNode, TagHeaderKeepsExpressionsAndFlags)
{
    TagHeader h;
    h.root = 1536;
    h.keyLen = 60;
    h.keyExpr = "UPPER(LNAME-FNAME)";
    h.forExpr = "!DELETED()";
    uint8_t block[kHeaderSize];
    h.encode(block);
    EXPECT_EQ(block[14] & kOptFor, kOptFor);
    EXPECT_EQ(getLe16(block + 510), h.keyExpr.size() + 1);
    TagHeader back = TagHeader::decode(block);
    EXPECT_EQ(back.keyExpr, h.keyExpr);
    EXPECT_EQ(back.forExpr, h.forExpr);
    EXPECT_EQ(back.root, 1536u);
    EXPECT_EQ(back.keyLen, 60);
}

} // namespace
