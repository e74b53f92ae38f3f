// Damaged index files: every page decoder, the walk over a whole file and the
// changes written into one must report damage, never crash, hang or read or write
// out of bounds. The input is a whole index file of one tag, a few pages long (the
// seeds are such files the engine wrote); its last byte picks the key length for
// decoding each page alone. A tag that checks sound before the changes must check
// sound after them. Larger files only repeat the same pages and would slow every run.
#include "xbase/cdx/check.h"
#include "xbase/cdx/cursor.h"
#include "xbase/cdx/index_file.h"
#include "xbase/cdx/tag_header.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace xb::cdx;

// Each page on its own, decoded as leaf or interior node, and encoded again when it
// decoded: as read, and anew once its entries changed.
void decodePages(const uint8_t* data, size_t size)
{
    if (size < 1)
        return;
    const int keyLen = 1 + data[size - 1] % kMaxKeyLen;
    for (size_t at = 0; at + kPageSize <= size; at += kPageSize) {
        try {
            Node n = decodeNode(data + at, uint32_t(at), keyLen, ' ');
            uint8_t out[kPageSize];
            encodeNode(n, out);
            if (n.count() > 0) {
                n.eraseEntry(0);
                if (fitsInPage(n))
                    encodeNode(n, out);
            }
        } catch (const DamagedIndex&) {
        }
        if (at + kHeaderSize <= size) {
            try {
                TagHeader::decode(data + at);
            } catch (const DamagedIndex&) {
            }
        }
    }
}

// The input in a file of its own; -1 when it cannot be made.
int fileOf(const uint8_t* data, size_t size)
{
    const int fd = memfd_create("cdx", 0);
    if (fd >= 0 && write(fd, data, size) != ssize_t(size)) {
        close(fd);
        return -1;
    }
    return fd;
}

std::string pathOf(int fd)
{
    return "/proc/self/fd/" + std::to_string(fd);
}

// The input as a whole index file: open, walk every tag both ways, check.
void walkFile(const uint8_t* data, size_t size)
{
    const int fd = fileOf(data, size);
    if (fd < 0)
        return;
    try {
        auto f = IndexFile::open(pathOf(fd), true);
        std::unordered_set<uint32_t> pages;
        for (size_t i = 0; i < f->tagCount(); ++i) {
            Tag& t = f->tag(i);
            Cursor c(t);
            int steps = 0;
            for (bool ok = c.first(); ok && steps < 100000; ok = c.next())
                ++steps;
            for (bool ok = c.last(); ok && steps < 200000; ok = c.prev())
                ++steps;
            CheckResult r;
            checkTag(t, pages, r, nullptr);
        }
    } catch (const std::exception&) {
    }
    close(fd);
}

// Every tag checked together, with the directory; empty when the whole file is sound
// and no free page is also a tag header's.
std::vector<std::string> problemsOf(IndexFile& f)
{
    std::unordered_set<uint32_t> pages;
    CheckResult r;
    checkTag(f.directory(), pages, r, nullptr);
    for (size_t i = 0; i < f.tagCount(); ++i) {
        const uint32_t header = f.tag(i).headerOffset();
        if (f.file().isFree(header) || f.file().isFree(header + kPageSize) || !pages.insert(header).second ||
            !pages.insert(header + kPageSize).second)
            r.problems.push_back("tag header on a free or shared page");
        checkTag(f.tag(i), pages, r, nullptr);
    }
    return r.problems;
}

// The input as an index file taken for writing: in every tag some entries removed
// and new ones (keys made of the input's own bytes) added, through a small cache so
// that pages go out and come back; then written, read again and checked.
void editFile(const uint8_t* data, size_t size)
{
    if (size == 0)
        return;
    const int fd = fileOf(data, size);
    if (fd < 0)
        return;
    bool wasSound = false;
    try {
        {
            auto f = IndexFile::open(pathOf(fd), false);
            wasSound = problemsOf(*f).empty();
            f->file().setCacheLimit(8);
            for (size_t i = 0; i < f->tagCount() && i < 4; ++i) {
                Tag& t = f->tag(i);
                const size_t kl = size_t(t.keyLen());
                std::vector<std::pair<std::vector<uint8_t>, uint32_t>> gone;
                Cursor c(t);
                int n = 0;
                for (bool ok = c.first(); ok && n < 96; ok = c.next(), ++n)
                    if (n % 3 == 0)
                        gone.emplace_back(std::vector<uint8_t>(c.key(), c.key() + kl), c.recno());
                for (auto& [key, recno] : gone)
                    t.remove(key.data(), recno);
                std::vector<uint8_t> key(kl);
                for (uint32_t j = 0; j < 64; ++j) {
                    for (size_t b = 0; b < kl; ++b)
                        key[b] = data[(j * 31 + b) % size];
                    // A tag holds each entry once: one the input already has is left out.
                    const uint32_t recno = 0xF0000000u + j;
                    if (c.seekEntry(key.data(), recno) && c.recno() == recno &&
                        std::equal(key.begin(), key.end(), c.key()))
                        continue;
                    t.insert(key.data(), recno);
                }
            }
            f->flush();
        }
        auto f = IndexFile::open(pathOf(fd), true);
        const auto problems = problemsOf(*f);
        if (wasSound && !problems.empty()) {
            std::fprintf(stderr, "a sound index file was damaged by changes: %s\n", problems.front().c_str());
            std::abort();
        }
    } catch (const std::runtime_error& e) {
        // Damage found on the way is reported; a sound file must take the changes.
        if (wasSound) {
            std::fprintf(stderr, "a sound index file refused changes: %s\n", e.what());
            std::abort();
        }
    }
    close(fd);
}

// The directory and one tag, each a header and a root, and room for that tag to split.
constexpr size_t kMaxInput = 2 * kHeaderSize + 4 * kPageSize;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > kMaxInput)
        return 0;
    decodePages(data, size);
    walkFile(data, size);
    editFile(data, size);
    return 0;
}
