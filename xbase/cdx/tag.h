#pragma once
// One tag of a compound index: a B+tree of (key, record number) entries ordered by
// key bytes, then record number. Leaves are linked left and right on every level.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "xbase/cdx/node.h"
#include "xbase/cdx/page_file.h"
#include "xbase/cdx/tag_header.h"

namespace xb::cdx {

class KeyStream;

class Tag {
public:
    Tag(PageFile& file, std::string name, uint32_t headerOffset, TagHeader header);

    const std::string& name() const { return name_; }
    uint32_t headerOffset() const { return headerOffset_; }
    const TagHeader& header() const { return header_; }
    TagHeader& header() { return header_; }
    int keyLen() const { return header_.keyLen; }
    // Byte that trailing compression stands for: blank for character keys, 0 otherwise.
    uint8_t pad() const { return pad_; }
    void setPad(uint8_t pad) { pad_ = pad; }
    // Changes with every modification, so cursors know to find their place again.
    uint64_t version() const { return version_; }

    void insert(const uint8_t* key, uint32_t recno);
    // False when the entry is not there.
    bool remove(const uint8_t* key, uint32_t recno);
    // Replaces every entry by the keys in order, written bottom-up; progress gets 0..100.
    void build(KeyStream& keys, const std::function<void(int)>& progress);
    // Returns every page of the tree, the root included, to the free list.
    void freePages();

    Node& node(uint32_t offset) { return file_.node(offset, header_.keyLen, pad_); }
    Node& root() { return node(header_.root); }
    PageFile& file() { return file_; }
    // Queues the header for the next flush.
    void writeHeader();

private:
    struct Step {
        Node* node;
        size_t index;
    };
    std::vector<Step> pathTo(const uint8_t* key, uint32_t recno);
    void touch(Node& n);
    void fixMax(std::vector<Step>& path, size_t level);
    void split(std::vector<Step>& path, size_t level, bool appending);
    void rebalance(std::vector<Step>& path, size_t level);
    bool tryMerge(Node& into, Node& from);
    // The neighbour of the path's node at `level` that its parent names at `offset`.
    Node& sibling(const std::vector<Step>& path, size_t level, uint32_t offset);
    void unlink(Node& n);
    void setRoot(Node& n);
    void collectPages(uint32_t offset, int depth, std::vector<uint32_t>& out);

    PageFile& file_;
    std::string name_;
    uint32_t headerOffset_;
    TagHeader header_;
    uint8_t pad_ = ' ';
    uint64_t version_ = 0;
};

// Deepest tree accepted; deeper means a cycle in a damaged file.
constexpr int kMaxDepth = 32;

} // namespace xb::cdx
