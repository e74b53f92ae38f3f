// Damaged index files: every page decoder and the walk over a whole file must
// report damage, never crash, hang or read out of bounds.
#include "xbase/cdx/check.h"
#include "xbase/cdx/cursor.h"
#include "xbase/cdx/index_file.h"
#include "xbase/cdx/tag_header.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

using namespace xb::cdx;

// Each page on its own, decoded as leaf or interior node for a key length taken
// from the input, and encoded again when it decoded.
void decodePages(const uint8_t* data, size_t size) {
  if (size < 1) return;
  const int keyLen = 1 + data[0] % kMaxKeyLen;
  for (size_t at = 1; at + kPageSize <= size; at += kPageSize) {
    try {
      Node n = decodeNode(data + at, uint32_t(at), keyLen, ' ');
      uint8_t out[kPageSize];
      if (fitsInPage(n)) encodeNode(n, out);
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

// The input as a whole index file: open, walk every tag both ways, check.
void walkFile(const uint8_t* data, size_t size) {
  const int fd = memfd_create("cdx", 0);
  if (fd < 0) return;
  if (write(fd, data, size) == ssize_t(size)) {
    const std::string path = "/proc/self/fd/" + std::to_string(fd);
    try {
      auto f = IndexFile::open(path, true);
      std::unordered_set<uint32_t> pages;
      for (size_t i = 0; i < f->tagCount(); ++i) {
        Tag& t = f->tag(i);
        Cursor c(t);
        int steps = 0;
        for (bool ok = c.first(); ok && steps < 100000; ok = c.next()) ++steps;
        for (bool ok = c.last(); ok && steps < 200000; ok = c.prev()) ++steps;
        CheckResult r;
        checkTag(t, pages, r, nullptr);
      }
    } catch (const std::exception&) {
    }
  }
  close(fd);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  decodePages(data, size);
  walkFile(data, size);
  return 0;
}
