#include "xbase/cdx/cursor.h"

#include <cstring>

namespace xb::cdx {

// Walks down to the first entry for which less(entry) is false.
template <typename Less>
bool Cursor::descend(Less less)
{
    Node* n = &tag_.root();
    for (int depth = 0; depth < kMaxDepth; ++depth) {
        size_t lo = 0, hi = n->count();
        while (lo < hi) {
            size_t mid = (lo + hi) / 2;
            if (less(*n, mid))
                lo = mid + 1;
            else
                hi = mid;
        }
        if (n->leaf()) {
            leaf_ = n->offset;
            index_ = lo;
            return load();
        }
        if (lo == n->count()) {
            valid_ = false;
            return false;
        }
        n = &tag_.node(n->children[lo]);
    }
    throw DamagedIndex("index tree too deep");
}

bool Cursor::load()
{
    for (int hops = 0;; ++hops) {
        Node& n = tag_.node(leaf_);
        if (index_ < n.count()) {
            key_.assign(n.key(index_), n.key(index_) + n.keyLen);
            recno_ = n.recnos[index_];
            version_ = tag_.version();
            valid_ = true;
            return true;
        }
        if (n.right == kNoPage || hops > kMaxDepth)
            break;
        leaf_ = n.right;
        index_ = 0;
    }
    valid_ = false;
    return false;
}

bool Cursor::first()
{
    return descend([](const Node&, size_t) { return false; });
}

bool Cursor::last()
{
    Node* n = &tag_.root();
    for (int depth = 0; depth < kMaxDepth; ++depth) {
        if (n->count() == 0) {
            valid_ = false;
            return false;
        }
        if (n->leaf()) {
            leaf_ = n->offset;
            index_ = n->count() - 1;
            return load();
        }
        n = &tag_.node(n->children.back());
    }
    throw DamagedIndex("index tree too deep");
}

bool Cursor::seekPrefix(const uint8_t* key, size_t len)
{
    return descend([&](const Node& n, size_t i) { return std::memcmp(n.key(i), key, len) < 0; });
}

bool Cursor::seekPastPrefix(const uint8_t* key, size_t len)
{
    return descend([&](const Node& n, size_t i) { return std::memcmp(n.key(i), key, len) <= 0; });
}

bool Cursor::seekEntry(const uint8_t* key, uint32_t recno)
{
    return descend(
        [&](const Node& n, size_t i) { return compareEntry(n.key(i), n.recnos[i], key, recno, n.keyLen) < 0; });
}

// After the tag changed, stands on the first entry not less than the remembered one;
// true when that is still the remembered entry itself.
bool Cursor::refind()
{
    std::vector<uint8_t> key = key_;
    uint32_t recno = recno_;
    if (!seekEntry(key.data(), recno))
        return false;
    return recno_ == recno && key_ == key;
}

// A damaged file could lead a walk in circles; entries that do not move on in
// order stop it.
void Cursor::rememberPrevious()
{
    prevKey_.assign(key_.begin(), key_.end());
    prevRecno_ = recno_;
}

void Cursor::expectOrder(int direction) const
{
    if (valid_ && compareEntry(key_.data(), recno_, prevKey_.data(), prevRecno_, tag_.keyLen()) * direction <= 0)
        throw DamagedIndex("entries out of order in tag " + tag_.name());
}

bool Cursor::stepForward()
{
    rememberPrevious();
    ++index_;
    load();
    expectOrder(1);
    return valid_;
}

bool Cursor::stepBack()
{
    rememberPrevious();
    for (int hops = 0;; ++hops) {
        if (index_ > 0) {
            --index_;
            load();
            expectOrder(-1);
            return valid_;
        }
        Node& n = tag_.node(leaf_);
        if (n.left == kNoPage || hops > kMaxDepth)
            break;
        leaf_ = n.left;
        index_ = tag_.node(leaf_).count();
    }
    valid_ = false;
    return false;
}

bool Cursor::next()
{
    if (!valid_)
        return false;
    if (version_ != tag_.version()) {
        bool same = refind();
        if (!valid_ || !same)
            return valid_;
    }
    return stepForward();
}

bool Cursor::prev()
{
    if (!valid_)
        return false;
    if (version_ != tag_.version()) {
        refind();
        if (!valid_)
            return last();
    }
    return stepBack();
}

} // namespace xb::cdx
