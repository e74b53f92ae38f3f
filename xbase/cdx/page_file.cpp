#include "xbase/cdx/page_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

#include "xbase/cdx/bytes.h"

namespace xb::cdx {

namespace {

std::runtime_error ioError(const std::string& what, const std::string& path)
{
    return std::runtime_error(what + " " + path + ": " + std::strerror(errno));
}

} // namespace

PageFile::PageFile(std::string path, int fd, bool readOnly, uint32_t size)
    : path_(std::move(path)), fd_(fd), readOnly_(readOnly), size_(size)
{}

PageFile::~PageFile()
{
    if (fd_ >= 0)
        ::close(fd_);
}

std::unique_ptr<PageFile> PageFile::open(const std::string& path, bool readOnly)
{
    int fd = ::open(path.c_str(), (readOnly ? O_RDONLY : O_RDWR) | O_CLOEXEC);
    if (fd < 0)
        throw ioError("cannot open", path);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || st.st_size > 0xFFFFFE00LL) {
        ::close(fd);
        throw std::runtime_error("cannot use " + path);
    }
    return std::unique_ptr<PageFile>(new PageFile(path, fd, readOnly, uint32_t(st.st_size)));
}

std::unique_ptr<PageFile> PageFile::create(const std::string& path)
{
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        throw ioError("cannot create", path);
    return std::unique_ptr<PageFile>(new PageFile(path, fd, false, 0));
}

void PageFile::read(uint32_t offset, uint8_t* out, size_t len) const
{
    if (uint64_t(offset) + len > size_)
        throw DamagedIndex("reference past the end of the index file");
    size_t done = 0;
    while (done < len) {
        ssize_t n = ::pread(fd_, out + done, len - done, off_t(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw ioError("cannot read", path_);
        done += size_t(n);
    }
}

void PageFile::writeRaw(uint32_t offset, const uint8_t* data, size_t len)
{
    size_t done = 0;
    while (done < len) {
        ssize_t n = ::pwrite(fd_, data + done, len - done, off_t(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw ioError("cannot write", path_);
        done += size_t(n);
    }
}

void PageFile::writeLate(uint32_t offset, const uint8_t* data, size_t len)
{
    late_[offset].assign(data, data + len);
    modified_ = true;
}

Node& PageFile::node(uint32_t offset, int keyLen, uint8_t pad)
{
    auto it = cache_.find(offset);
    if (it != cache_.end()) {
        Node& n = *it->second.node;
        if (n.keyLen != keyLen || n.pad != pad)
            throw DamagedIndex("page shared by two tags");
        it->second.lastUse = ++clock_;
        return n;
    }
    if (offset % kPageSize != 0 || offset < 2 * kPageSize)
        throw DamagedIndex("misplaced page reference");
    if (isFree(offset))
        throw DamagedIndex("reference to a free page");
    uint8_t page[kPageSize];
    read(offset, page, kPageSize);
    auto n = std::make_unique<Node>(decodeNode(page, offset, keyLen, pad));
    Node& ref = *n;
    cache_[offset] = Cached{std::move(n), ++clock_};
    return ref;
}

uint32_t PageFile::appendPages(int count)
{
    uint32_t at = (size_ + kPageSize - 1) / kPageSize * kPageSize;
    if (uint64_t(at) + uint64_t(count) * kPageSize > 0xFFFFFE00ULL)
        throw std::runtime_error("index file too large");
    size_ = at + uint32_t(count) * kPageSize;
    return at;
}

uint32_t PageFile::allocate()
{
    if (freePages_.empty())
        return appendPages(1);
    uint32_t off = freePages_.back();
    freePages_.pop_back();
    freeWritten_ = std::min(freeWritten_, freePages_.size());
    freeSet_.erase(off);
    freeListChanged_ = true;
    return off;
}

Node& PageFile::newNode(uint16_t attr, int keyLen, uint8_t pad)
{
    auto n = std::make_unique<Node>();
    n->offset = allocate();
    n->attr = attr;
    n->keyLen = uint16_t(keyLen);
    n->pad = pad;
    Node& ref = *n;
    cache_[ref.offset] = Cached{std::move(n), ++clock_};
    markDirty(ref);
    return ref;
}

void PageFile::markDirty(Node& n)
{
    if (!n.dirty)
        dirty_.push_back(n.offset);
    n.dirty = true;
    modified_ = true;
}

void PageFile::freeNode(uint32_t offset)
{
    cache_.erase(offset);
    freePages_.push_back(offset);
    freeSet_.insert(offset);
    freeListChanged_ = true;
    modified_ = true;
}

bool PageFile::isFree(uint32_t offset) const
{
    return freeSet_.count(offset) != 0;
}

void PageFile::loadFreeList(uint32_t head)
{
    std::vector<uint32_t> chain;
    uint32_t at = head;
    while (at != 0 && at != kNoPage) {
        if (at % kPageSize != 0 || at < 2 * kPageSize || chain.size() > size_ / kPageSize)
            throw DamagedIndex("broken free-page list");
        chain.push_back(at);
        uint8_t next[4];
        read(at, next, 4);
        at = getLe32(next);
    }
    listEnd_ = at;
    freePages_.assign(chain.rbegin(), chain.rend());
    freeWritten_ = freePages_.size();
    freeSet_ = std::unordered_set<uint32_t>(chain.begin(), chain.end());
    if (freeSet_.size() != chain.size())
        throw DamagedIndex("broken free-page list");
    freeListChanged_ = false;
}

void PageFile::flush()
{
    if (readOnly_ || !modified_)
        return;
    if (beforeFirstWrite_) {
        beforeFirstWrite_();
        beforeFirstWrite_ = nullptr;
    }
    if (beforeFlush_)
        beforeFlush_();
    std::sort(dirty_.begin(), dirty_.end());
    // Neighbouring pages (a bulk build writes nothing else) go out in one write.
    constexpr size_t kRunPages = 128;
    std::vector<uint8_t> run;
    run.reserve(kRunPages * kPageSize);
    uint32_t runStart = 0;
    auto writeRun = [&] {
        if (!run.empty())
            writeRaw(runStart, run.data(), run.size());
        run.clear();
    };
    for (uint32_t off : dirty_) {
        auto it = cache_.find(off);
        if (it == cache_.end() || !it->second.node->dirty)
            continue; // freed since, or a repeat
        if (run.size() == kRunPages * kPageSize || (!run.empty() && off != runStart + run.size()))
            writeRun();
        if (run.empty())
            runStart = off;
        run.resize(run.size() + kPageSize);
        encodeNode(*it->second.node, run.data() + run.size() - kPageSize);
        it->second.node->dirty = false;
    }
    writeRun();
    dirty_.clear();
    uint8_t page[kPageSize];
    if (freeListChanged_) {
        // Each free page links to the one below it on the stack, which stays put while
        // the page is on it: only pages added since the last flush need writing.
        std::memset(page, 0, kPageSize);
        for (size_t i = freeWritten_; i < freePages_.size(); ++i) {
            putLe32(page, i == 0 ? listEnd_ : freePages_[i - 1]);
            writeRaw(freePages_[i], page, kPageSize);
        }
        freeWritten_ = freePages_.size();
        freeListChanged_ = false;
    }
    for (auto it = late_.rbegin(); it != late_.rend(); ++it)
        writeRaw(it->first, it->second.data(), it->second.size());
    late_.clear();
    modified_ = false;
}

void PageFile::trim()
{
    if (cache_.size() <= cacheLimit_)
        return;
    std::vector<std::pair<uint64_t, uint32_t>> byAge;
    byAge.reserve(cache_.size());
    bool dirtyVictim = false;
    for (auto& [off, c] : cache_)
        if (!holdChanges_ || !c.node->dirty)
            byAge.emplace_back(c.lastUse, off);
    const size_t drop = std::min(byAge.size(), cache_.size() - cacheLimit_ * 3 / 4);
    std::nth_element(byAge.begin(), byAge.begin() + ptrdiff_t(drop), byAge.end());
    for (size_t i = 0; i < drop; ++i)
        dirtyVictim |= cache_[byAge[i].second].node->dirty;
    // Writing one changed node early could leave a parent pointing at a page not yet
    // written, so a changed victim writes everything, in the safe order.
    if (dirtyVictim)
        flush();
    for (size_t i = 0; i < drop; ++i)
        cache_.erase(byAge[i].second);
}

} // namespace xb::cdx
