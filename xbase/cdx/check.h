#pragma once
// Structural check of a tag: every page decodes, entries ascend within and across
// pages, each interior entry equals the last entry below it, all leaves lie at one
// depth, sibling links match the tree, only the root carries the root mark, and no
// page is used twice or also listed as free.

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

#include "xbase/cdx/tag.h"

namespace xb::cdx {

struct CheckResult {
    std::vector<std::string> problems; // the first few, described
    size_t entries = 0;
    bool ok() const { return problems.empty(); }
};

// `pages` collects the pages of every tag checked, to catch pages shared between tags.
// visit gets every entry in tag order.
void checkTag(Tag& tag, std::unordered_set<uint32_t>& pages, CheckResult& result,
              const std::function<void(const uint8_t* key, uint32_t recno)>& visit);

} // namespace xb::cdx
