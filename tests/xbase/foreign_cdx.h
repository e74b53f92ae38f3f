#pragma once
// Index pages packed the way other programs pack them: leaf entries with other bit
// widths, shared leading bytes that reach into the previous key's trailing blanks,
// and pages filled to within a few bytes. Our own encoding of the same entries can
// need more room than such a page has.

#include <cstdint>
#include <string>
#include <vector>

namespace xbtest {

struct LeafStyle {
    int bytes = 3;          // bytes of one entry's bit-packed part (more if recBits is 0 and the records need them)
    int recBits = 0;        // record-number bits; 0: whatever the counts leave
    int extraCountBits = 0; // duplicate and trailing counts get this many bits more than they need
    int slack = 0;          // bytes a page leaves free that would still hold another entry
};

struct ForeignEntry {
    std::string key;
    uint32_t recno;
};

// Leaf pages holding the sorted entries, each as full as the style allows, linked
// left to right; the first goes at offset firstPage, the rest follow.
std::vector<std::vector<uint8_t>> foreignLeaves(const std::vector<ForeignEntry>& entries, int keyLen, char pad,
                                                const LeafStyle& style, uint32_t firstPage);

// Rewrites every tag of the table's structural index (the table closed) in that
// style: new trees at the end of the file, each tag header's root pointed at its
// new tree and nothing else in it changed; the old pages stay behind unreferenced,
// as another program's abandoned pages would. The tag directory is rewritten too.
// Returns false with a message on failure.
bool repackIndex(const std::string& tablePath, const LeafStyle& style, std::string& error);
// The same for a closed index file on its own, every tag's keys padded with blanks.
bool repackIndexFile(const std::string& indexPath, const LeafStyle& style, std::string& error);

} // namespace xbtest
