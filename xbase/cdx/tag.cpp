#include "xbase/cdx/tag.h"

#include <cstring>

namespace xb::cdx {

namespace {

// First entry not less than (key, recno).
size_t lowerBound(const Node& n, const uint8_t* key, uint32_t recno)
{
    size_t lo = 0, hi = n.count();
    while (lo < hi) {
        size_t mid = (lo + hi) / 2;
        if (compareEntry(n.key(mid), n.recnos[mid], key, recno, n.keyLen) < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

// Merging only well below a full page keeps a delete followed by an insert from
// merging and splitting the same pages back and forth.
constexpr size_t kMergeLeafBytes = kLeafSpace * 3 / 4;

} // namespace

Tag::Tag(PageFile& file, std::string name, uint32_t headerOffset, TagHeader header)
    : file_(file), name_(std::move(name)), headerOffset_(headerOffset), header_(std::move(header))
{}

void Tag::writeHeader()
{
    uint8_t block[kHeaderSize];
    header_.encode(block);
    file_.writeLate(headerOffset_, block, kHeaderSize);
}

void Tag::touch(Node& n)
{
    file_.markDirty(n);
}

void Tag::setRoot(Node& n)
{
    n.attr |= kAttrRoot;
    touch(n);
    header_.root = n.offset;
    writeHeader();
}

std::vector<Tag::Step> Tag::pathTo(const uint8_t* key, uint32_t recno)
{
    std::vector<Step> path;
    Node* n = &root();
    if (!n->root())
        throw DamagedIndex("tag root page not marked as root");
    for (int depth = 0; depth < kMaxDepth; ++depth) {
        size_t i = lowerBound(*n, key, recno);
        if (n->leaf()) {
            path.push_back({n, i});
            return path;
        }
        if (n->count() == 0)
            throw DamagedIndex("empty interior page");
        if (i == n->count())
            i = n->count() - 1;
        path.push_back({n, i});
        n = &node(n->children[i]);
    }
    throw DamagedIndex("index tree too deep");
}

void Tag::fixMax(std::vector<Step>& path, size_t level)
{
    for (size_t l = level; l > 0; --l) {
        Node& child = *path[l].node;
        Step& up = path[l - 1];
        const size_t last = child.count() - 1;
        if (up.node->recnos[up.index] == child.recnos[last] &&
            std::memcmp(up.node->key(up.index), child.key(last), child.keyLen) == 0)
            return;
        up.node->setKey(up.index, child.key(last), child.recnos[last]);
        touch(*up.node);
        if (up.index + 1 != up.node->count())
            return;
    }
}

void Tag::insert(const uint8_t* key, uint32_t recno)
{
    auto path = pathTo(key, recno);
    // An entry that would open a page may as well close its left neighbour: entries
    // arriving in order (a run of equal keys growing with each append) then fill
    // pages completely instead of splitting them in halves that stay half empty.
    if (path.size() > 1 && path.back().index == 0 && path[path.size() - 2].index > 0) {
        Step& up = path[path.size() - 2];
        --up.index;
        Node& left = node(up.node->children[up.index]);
        path.back() = Step{&left, left.count()};
    }
    Step& leaf = path.back();
    leaf.node->insertEntry(leaf.index, key, recno);
    touch(*leaf.node);
    const bool atEnd = leaf.index + 1 == leaf.node->count();
    if (atEnd)
        fixMax(path, path.size() - 1);
    if (!fitsInPage(*leaf.node))
        split(path, path.size() - 1, atEnd);
    ++version_;
    file_.trim();
}

namespace {

// Moves the first entry of b to the end of a.
void shiftLeft(Node& a, Node& b)
{
    Node rest;
    rest.attr = b.attr;
    rest.keyLen = b.keyLen;
    rest.pad = b.pad;
    b.moveTailTo(1, rest);
    a.absorb(b);
    b.absorb(rest);
}

} // namespace

void Tag::split(std::vector<Step>& path, size_t level, bool appending)
{
    Node& n = *path[level].node;
    Node* r = &file_.newNode(n.attr & kAttrLeaf, n.keyLen, n.pad);
    // A page that overflows at its end (keys arriving in order, such as records with
    // equal keys being appended) stays full and starts a new one; others split in the
    // middle.
    n.moveTailTo(appending ? n.count() - 1 : n.count() / 2, *r);
    while (n.count() > 1 && !fitsInPage(n))
        n.moveTailTo(n.count() - 1, *r);
    while (r->count() > 1 && !fitsInPage(*r)) {
        shiftLeft(n, *r);
        if (!fitsInPage(n)) {
            n.moveTailTo(n.count() - 1, *r);
            break;
        }
    }
    // Another program may pack a page tighter than this engine encodes it, and one
    // change can give a parent several new children: the overflow goes on to as
    // many new pages as it takes.
    std::vector<Node*> parts{&n, r};
    while (!fitsInPage(*parts.back())) {
        Node& full = *parts.back();
        Node& next = file_.newNode(n.attr & kAttrLeaf, n.keyLen, n.pad);
        full.moveTailTo(full.count() / 2, next);
        while (full.count() > 1 && !fitsInPage(full))
            full.moveTailTo(full.count() - 1, next);
        parts.push_back(&next);
    }
    const uint32_t after = n.right;
    for (size_t i = 1; i < parts.size(); ++i) {
        parts[i - 1]->right = parts[i]->offset;
        parts[i]->left = parts[i - 1]->offset;
        touch(*parts[i]);
    }
    parts.back()->right = after;
    if (after != kNoPage) {
        Node& a = node(after);
        a.left = parts.back()->offset;
        touch(a);
    }
    touch(n);
    if (n.root()) {
        n.attr &= uint16_t(~kAttrRoot);
        Node& top = file_.newNode(kAttrRoot, n.keyLen, n.pad);
        for (Node* p : parts)
            top.insertEntry(top.count(), p->key(p->count() - 1), p->recnos.back(), p->offset);
        setRoot(top);
        if (!fitsInPage(top)) {
            std::vector<Step> above{{&top, 0}};
            split(above, 0, false);
        }
        return;
    }
    Step& up = path[level - 1];
    up.node->setKey(up.index, n.key(n.count() - 1), n.recnos.back());
    for (size_t i = 1; i < parts.size(); ++i)
        up.node->insertEntry(up.index + i, parts[i]->key(parts[i]->count() - 1), parts[i]->recnos.back(),
                             parts[i]->offset);
    touch(*up.node);
    if (!fitsInPage(*up.node))
        split(path, level - 1, appending && up.index + parts.size() == up.node->count());
}

bool Tag::remove(const uint8_t* key, uint32_t recno)
{
    auto path = pathTo(key, recno);
    Step& leaf = path.back();
    Node& n = *leaf.node;
    if (leaf.index >= n.count() || compareEntry(n.key(leaf.index), n.recnos[leaf.index], key, recno, n.keyLen) != 0)
        return false;
    n.eraseEntry(leaf.index);
    touch(n);
    if (leaf.index == n.count() && n.count() > 0)
        fixMax(path, path.size() - 1);
    if (!fitsInPage(n))
        split(path, path.size() - 1, false);
    else
        rebalance(path, path.size() - 1);
    ++version_;
    file_.trim();
    return true;
}

void Tag::unlink(Node& n)
{
    if (n.left != kNoPage) {
        Node& l = node(n.left);
        l.right = n.right;
        touch(l);
    }
    if (n.right != kNoPage) {
        Node& r = node(n.right);
        r.left = n.left;
        touch(r);
    }
}

Node& Tag::sibling(const std::vector<Step>& path, size_t level, uint32_t offset)
{
    // A damaged parent may name a page of the path itself, or a page of another level:
    // joining such a page would free a page still in use.
    for (size_t l = 0; l <= level; ++l)
        if (path[l].node->offset == offset)
            throw DamagedIndex("index page named twice in the tree");
    Node& s = node(offset);
    if (s.leaf() != path[level].node->leaf())
        throw DamagedIndex("index pages of different levels side by side");
    return s;
}

bool Tag::tryMerge(Node& into, Node& from)
{
    if (into.leaf()) {
        const LeafPair sizes = measurePair(into, from);
        if (sizes.firstBytes + sizes.secondBytes > kMergeLeafBytes || sizes.joinedBytes > kLeafSpace)
            return false;
    } else if (into.count() + from.count() > interiorCapacity(into.keyLen) * 3 / 4) {
        return false;
    }
    into.absorb(from);
    unlink(from);
    touch(into);
    return true;
}

void Tag::rebalance(std::vector<Step>& path, size_t level)
{
    Node& n = *path[level].node;
    if (level == 0) {
        Node* top = &n;
        for (int depth = 0; !top->leaf() && top->count() == 1; ++depth) {
            // A damaged root may name itself, or a page above it, as its only child.
            if (depth > kMaxDepth || top->children[0] == top->offset)
                throw DamagedIndex("index tree loops back on itself");
            Node& child = node(top->children[0]);
            file_.freeNode(top->offset);
            setRoot(child);
            top = &child;
        }
        if (!top->leaf() && top->count() == 0) {
            top->attr = kAttrRoot | kAttrLeaf;
            top->children.clear();
            touch(*top);
        }
        return;
    }
    Step& up = path[level - 1];
    Node& parent = *up.node;
    if (n.count() == 0) {
        unlink(n);
        file_.freeNode(n.offset);
        parent.eraseEntry(up.index);
        touch(parent);
        if (up.index == parent.count() && parent.count() > 0) {
            up.index = parent.count() - 1;
            fixMax(path, level - 1);
        }
        rebalance(path, level - 1);
        return;
    }
    if (up.index + 1 < parent.count()) {
        Node& right = sibling(path, level, parent.children[up.index + 1]);
        if (tryMerge(n, right)) {
            file_.freeNode(right.offset);
            parent.eraseEntry(up.index); // n's old maximum; n now ends where right ended
            parent.children[up.index] = n.offset;
            touch(parent);
            rebalance(path, level - 1);
            return;
        }
    }
    if (up.index > 0) {
        Node& left = sibling(path, level, parent.children[up.index - 1]);
        if (tryMerge(left, n)) {
            file_.freeNode(n.offset);
            parent.eraseEntry(up.index - 1);
            parent.children[up.index - 1] = left.offset;
            touch(parent);
            rebalance(path, level - 1);
        }
    }
}

void Tag::collectPages(uint32_t offset, int depth, std::vector<uint32_t>& out)
{
    if (depth > kMaxDepth)
        throw DamagedIndex("index tree too deep");
    out.push_back(offset);
    Node& n = node(offset);
    if (n.leaf())
        return;
    std::vector<uint32_t> children = n.children;
    for (uint32_t c : children)
        collectPages(c, depth + 1, out);
}

void Tag::freePages()
{
    std::vector<uint32_t> pages;
    collectPages(header_.root, 0, pages);
    for (uint32_t p : pages)
        file_.freeNode(p);
    ++version_;
}

} // namespace xb::cdx
