#include "xbase/cdx/check.h"

#include <cstring>

namespace xb::cdx {

namespace {

constexpr size_t kMaxProblems = 10;

struct Walk {
    Tag& tag;
    std::unordered_set<uint32_t>& pages;
    CheckResult& result;

    bool full() const { return result.problems.size() >= kMaxProblems; }
    void problem(uint32_t page, const std::string& what)
    {
        if (!full())
            result.problems.push_back("tag " + tag.name() + ", page " + std::to_string(page) + ": " + what);
    }
};

} // namespace

void checkTag(Tag& tag, std::unordered_set<uint32_t>& pages, CheckResult& result,
              const std::function<void(const uint8_t*, uint32_t)>& visit)
{
    Walk w{tag, pages, result};
    const int kl = tag.keyLen();
    std::vector<uint32_t> level{tag.header().root};
    // The entry each node of the level must end with, from its parent (none for the root).
    std::vector<std::vector<uint8_t>> wantKey{{}};
    std::vector<uint32_t> wantRec{0};
    for (int depth = 0; !level.empty(); ++depth) {
        if (depth > kMaxDepth)
            return w.problem(level.front(), "tree too deep");
        std::vector<uint32_t> below;
        std::vector<std::vector<uint8_t>> belowKey;
        std::vector<uint32_t> belowRec;
        std::vector<uint8_t> prevKey;
        uint32_t prevRec = 0;
        bool levelIsLeaf = false;
        for (size_t i = 0; i < level.size() && !w.full(); ++i) {
            const uint32_t at = level[i];
            if (!pages.insert(at).second)
                return w.problem(at, "page used twice");
            if (tag.file().isFree(at))
                w.problem(at, "page in use is also listed as free");
            Node* n;
            try {
                n = &tag.node(at);
            } catch (const DamagedIndex& e) {
                return w.problem(at, e.what());
            }
            if (i == 0)
                levelIsLeaf = n->leaf();
            if (n->leaf() != levelIsLeaf)
                w.problem(at, "leaves at different depths");
            if (n->root() != (depth == 0))
                w.problem(at, depth == 0 ? "root not marked as root" : "root mark below the root");
            if (n->left != (i == 0 ? kNoPage : level[i - 1]))
                w.problem(at, "wrong left sibling link");
            if (n->right != (i + 1 == level.size() ? kNoPage : level[i + 1]))
                w.problem(at, "wrong right sibling link");
            if (n->count() == 0 && !(depth == 0 && n->leaf()))
                w.problem(at, "empty page");
            for (size_t e = 0; e < n->count(); ++e) {
                if ((e > 0 || !prevKey.empty()) &&
                    compareEntry(prevKey.data(), prevRec, n->key(e), n->recnos[e], kl) >= 0)
                    w.problem(at, "entries out of order at entry " + std::to_string(e));
                prevKey.assign(n->key(e), n->key(e) + kl);
                prevRec = n->recnos[e];
                if (n->leaf()) {
                    ++result.entries;
                    if (visit)
                        visit(n->key(e), n->recnos[e]);
                } else {
                    below.push_back(n->children[e]);
                    belowKey.push_back(prevKey);
                    belowRec.push_back(prevRec);
                }
            }
            if (!wantKey[i].empty() && n->count() > 0 &&
                (n->recnos.back() != wantRec[i] ||
                 std::memcmp(n->key(n->count() - 1), wantKey[i].data(), size_t(kl)) != 0))
                w.problem(at, "parent entry differs from the page's last entry");
        }
        if (w.full())
            return;
        level = std::move(below);
        wantKey = std::move(belowKey);
        wantRec = std::move(belowRec);
        tag.file().trim();
    }
}

} // namespace xb::cdx
