#pragma once
// The pages of one index file behind a bounded cache of decoded nodes.
//
// Changed nodes stay in memory until flush(), which writes them in an order that
// keeps the file readable: node pages first, then the tag headers that point at
// them, then the file header (free list, tag directory) last. A full cache is
// trimmed only between operations, so node references stay valid within one.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "xbase/cdx/node.h"

namespace xb::cdx {

class PageFile {
public:
    ~PageFile();
    PageFile(const PageFile&) = delete;
    PageFile& operator=(const PageFile&) = delete;

    // Throw std::runtime_error when the file cannot be opened or created.
    static std::unique_ptr<PageFile> open(const std::string& path, bool readOnly);
    static std::unique_ptr<PageFile> create(const std::string& path);

    const std::string& path() const { return path_; }
    bool readOnly() const { return readOnly_; }
    uint32_t size() const { return size_; }

    // Raw bytes; throws DamagedIndex when the range lies outside the file.
    void read(uint32_t offset, uint8_t* out, size_t len) const;
    // Bytes written at flush after every node, in descending offset order, so that the
    // file header at offset 0 goes last.
    void writeLate(uint32_t offset, const uint8_t* data, size_t len);
    void dropLate(uint32_t offset) { late_.erase(offset); }

    // The node stored at offset, decoded for this key length and pad byte.
    Node& node(uint32_t offset, int keyLen, uint8_t pad);
    Node& newNode(uint16_t attr, int keyLen, uint8_t pad);
    void markDirty(Node& n);
    // Returns a node's page to the free list.
    void freeNode(uint32_t offset);
    // Consecutive fresh pages at the end of the file (tag headers take two).
    uint32_t appendPages(int count);

    uint32_t freeHead() const { return freePages_.empty() ? listEnd_ : freePages_.back(); }
    // Reads the free-list chain that starts at head (0 or kNoPage: none). The file's
    // own mark for "no page" ends the list from then on, as the program that wrote
    // the file reads it.
    void loadFreeList(uint32_t head);
    size_t freeCount() const { return freePages_.size(); }
    bool isFree(uint32_t offset) const;

    void flush();
    // Called first by every flush, so the owner can queue its headers with writeLate.
    void setBeforeFlush(std::function<void()> f) { beforeFlush_ = std::move(f); }
    // Called once, before the first page this object writes, so the owner can leave
    // word that the file is being changed; a throw stops the write and the call is
    // made again by the next one.
    void setBeforeFirstWrite(std::function<void()> f) { beforeFirstWrite_ = std::move(f); }
    // Drops least recently used nodes when the cache holds more than its limit.
    void trim();
    void setCacheLimit(size_t nodes) { cacheLimit_ = nodes; }
    // While set, a full cache drops only unchanged nodes and changed ones wait for
    // flush(): an index whose pages must not reach the disk before its table's commit
    // may outgrow the limit by one batch of changes.
    void setHoldChanges(bool hold) { holdChanges_ = hold; }

private:
    PageFile(std::string path, int fd, bool readOnly, uint32_t size);
    uint32_t allocate();
    void writeRaw(uint32_t offset, const uint8_t* data, size_t len);

    struct Cached {
        std::unique_ptr<Node> node;
        uint64_t lastUse = 0;
    };

    std::string path_;
    int fd_ = -1;
    bool readOnly_ = false;
    uint32_t size_ = 0;
    uint64_t clock_ = 0;
    size_t cacheLimit_ = 4096;
    bool holdChanges_ = false;
    std::unordered_map<uint32_t, Cached> cache_;
    std::vector<uint32_t> dirty_;     // pages marked dirty since the last flush (freed ones included)
    std::vector<uint32_t> freePages_; // last element is the list head
    std::unordered_set<uint32_t> freeSet_;
    std::function<void()> beforeFlush_;
    std::function<void()> beforeFirstWrite_;
    bool freeListChanged_ = false;
    uint32_t listEnd_ = 0; // what ends the free list: 0, or kNoPage in some files
    // The entries at the bottom of freePages_ whose pages already hold their link.
    size_t freeWritten_ = 0;
    bool modified_ = false; // anything to write at the next flush
    std::map<uint32_t, std::vector<uint8_t>> late_;
};

} // namespace xb::cdx
