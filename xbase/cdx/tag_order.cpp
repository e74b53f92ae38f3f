#include "xbase/cdx/tag_order.h"

#include <cstring>

namespace xb::cdx {

namespace {
const uint8_t* bytes(const std::string& s)
{
    return reinterpret_cast<const uint8_t*>(s.data());
}
} // namespace

void TagOrder::setScope(std::string low, std::string high)
{
    low_ = keys_.seekKey(low);
    high_ = keys_.seekKey(high);
    if (low.empty())
        low_.clear();
    if (high.empty())
        high_.clear();
}

template <typename F>
long TagOrder::guarded(F move)
{
    try {
        return move() ? here() : 0;
    } catch (const std::exception& e) {
        damage_ = e.what();
        return 0;
    }
}

long TagOrder::here()
{
    const uint8_t* k = cursor_.key();
    if (!low_.empty() && std::memcmp(k, low_.data(), std::min(low_.size(), size_t(tag_.keyLen()))) < 0)
        return 0;
    if (!high_.empty() && std::memcmp(k, high_.data(), std::min(high_.size(), size_t(tag_.keyLen()))) > 0)
        return 0;
    return long(cursor_.recno());
}

long TagOrder::first()
{
    return guarded([&] { return low_.empty() ? cursor_.first() : cursor_.seekPrefix(bytes(low_), low_.size()); });
}

long TagOrder::last()
{
    return guarded([&] {
        if (high_.empty())
            return cursor_.last();
        return cursor_.seekPastPrefix(bytes(high_), high_.size()) ? cursor_.prev() : cursor_.last();
    });
}

TagOrder::Place TagOrder::place(long recno)
{
    if (cursor_.current() && cursor_.recno() == uint32_t(recno))
        return Place::OnIt;
    const char* rec = table_.record(recno);
    // A record the FOR condition leaves out has no place in the order.
    if (!rec || !keys_.make(rec, recno, table_.recordCount(), key_))
        return Place::Nowhere;
    if (!cursor_.seekEntry(bytes(key_), uint32_t(recno)))
        return Place::Nowhere;
    const bool same = cursor_.recno() == uint32_t(recno) && std::memcmp(cursor_.key(), key_.data(), key_.size()) == 0;
    return same ? Place::OnIt : Place::After;
}

long TagOrder::next(long recno)
{
    return guarded([&] {
        switch (place(recno)) {
        case Place::OnIt:
            return cursor_.next();
        case Place::After:
            return true;
        case Place::Nowhere:
            break;
        }
        return false;
    });
}

long TagOrder::prev(long recno)
{
    return guarded([&] {
        switch (place(recno)) {
        case Place::OnIt:
        case Place::After:
            return cursor_.prev();
        case Place::Nowhere:
            break;
        }
        return cursor_.last();
    });
}

long TagOrder::seek(std::string_view key)
{
    const std::string k = keys_.seekKey(key);
    return guarded([&] { return cursor_.seekPrefix(bytes(k), k.size()); });
}

std::string TagOrder::keyOf(long recno)
{
    const char* rec = table_.record(recno);
    return rec ? keys_.display(rec, recno, table_.recordCount()) : std::string();
}

} // namespace xb::cdx
