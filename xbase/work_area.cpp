#include "xbase/work_area.h"

#include <cstring>

namespace xb {

WorkArea::WorkArea(std::unique_ptr<Table> table, std::string alias, const EngineSettings& settings)
    : table_(std::move(table)), alias_(std::move(alias)), settings_(settings), natural_(*table_),
      buffer_(static_cast<std::size_t>(table_->recordLength()), ' ')
{
    goTop();
}

WorkArea::~WorkArea()
{
    commit();
    table_->setObserver(nullptr);
}

bool WorkArea::fail(const std::string& message)
{
    error_ = message;
    return false;
}

long WorkArea::recordCount() const
{
    return table_->recordCount() + (appending_ ? 1 : 0);
}

EvalContext WorkArea::context() const
{
    return EvalContext{buffer_.data(), recno_, recordCount(), settings_.exact};
}

VisibleStamp WorkArea::stamp() const
{
    return VisibleStamp{table_->changes(), table_->recordCount(), settings_.deleted, settings_.exact};
}

bool WorkArea::visible(long recno)
{
    if (visibleSet_.current(stamp()))
        return visibleSet_.contains(recno);
    const char* rec = table_->record(recno);
    if (!rec)
        return false;
    if (settings_.deleted && rec[0] == '*')
        return false;
    return !filter_ || filter_->evalLogical(EvalContext{rec, recno, table_->recordCount(), settings_.exact});
}

long WorkArea::countVisible()
{
    flush();
    if (table_->mode() == OpenMode::Shared)
        table_->refresh();
    const long n = table_->recordCount();
    if (!filter_ && !settings_.deleted)
        return n;
    const VisibleStamp now = stamp();
    if (visibleSet_.current(now) || visibleSet_.take(*table_, filterText_, now))
        return visibleSet_.count();
    long count = 0;
    for (long r = 1; r <= n; ++r)
        count += visible(r);
    return count;
}

void WorkArea::toPhantom()
{
    recno_ = table_->recordCount() + 1;
    std::fill(buffer_.begin(), buffer_.end(), ' ');
    eof_ = true;
}

bool WorkArea::load(long recno)
{
    const char* rec = table_->record(recno);
    if (!rec) {
        toPhantom();
        return fail("cannot read record " + std::to_string(recno) + " of " + table_->path());
    }
    std::memcpy(buffer_.data(), rec, buffer_.size());
    recno_ = recno;
    eof_ = false;
    return true;
}

// From recno (inclusive) onwards in the current order, the first visible record.
long WorkArea::visibleFrom(long recno, bool forward)
{
    Order& o = order();
    while (recno && !visible(recno))
        recno = forward ? o.next(recno) : o.prev(recno);
    return recno;
}

bool WorkArea::goTop()
{
    return goEnd(true);
}
bool WorkArea::goBottom()
{
    return goEnd(false);
}

bool WorkArea::goEnd(bool top)
{
    if (!commit())
        return false;
    if (table_->mode() == OpenMode::Shared)
        table_->refresh();
    const long r = visibleFrom(top ? order().first() : order().last(), top);
    bof_ = r == 0;
    if (!r) {
        toPhantom();
        return true;
    }
    return load(r);
}

bool WorkArea::skip(long count)
{
    if (!commit())
        return false;
    if (count == 0)
        return eof_ ? true : load(recno_);
    Order& o = order();
    bof_ = false;
    for (; count > 0; --count) {
        if (eof_)
            return true;
        const long r = visibleFrom(o.next(recno_), true);
        if (!r) {
            toPhantom();
            return true;
        }
        if (!load(r))
            return false;
    }
    for (; count < 0; ++count) {
        const long r = visibleFrom(eof_ ? o.last() : o.prev(recno_), false);
        if (!r) {
            bof_ = true;
            // Before the first record: stay on the first visible one.
            if (eof_) {
                const long top = visibleFrom(o.first(), true);
                return top ? load(top) : true;
            }
            return true;
        }
        if (!load(r))
            return false;
    }
    return true;
}

bool WorkArea::go(long recno)
{
    if (!commit())
        return false;
    if (table_->mode() == OpenMode::Shared)
        table_->refresh();
    bof_ = false;
    if (recno < 1 || recno > table_->recordCount()) {
        toPhantom();
        return true;
    }
    return load(recno);
}

char* WorkArea::editRecord()
{
    dirty_ = true;
    return buffer_.data();
}

bool WorkArea::flush()
{
    if (!dirty_)
        return true;
    dirty_ = false;
    if (appending_) {
        appending_ = false;
        const long recno = table_->appendRecord(buffer_.data(), error_);
        if (!recno)
            return false;
        recno_ = recno;
        eof_ = false;
        return true;
    }
    if (eof_)
        return fail("there is no current record to write");
    // The set follows this area's own rewrites; anything else makes it stale.
    const bool followed = visibleSet_.current(stamp());
    if (!table_->writeRecord(recno_, buffer_.data(), error_))
        return false;
    if (followed)
        visibleSet_.update(recno_, visible(recno_), stamp());
    return true;
}

bool WorkArea::commit()
{
    return flush() && table_->commit(error_);
}

// Written through to the table at once; a new record joins the table's run of
// gathered appends, which the next commit (or a move) puts on disk.
bool WorkArea::putRecord(const char* bytes)
{
    std::memcpy(editRecord(), bytes, buffer_.size());
    return flush();
}

bool WorkArea::appendBlank()
{
    if (!flush())
        return false;
    if (table_->mode() == OpenMode::ReadOnly)
        return fail(table_->path() + " is open read-only");
    std::fill(buffer_.begin(), buffer_.end(), ' ');
    recno_ = table_->recordCount() + 1;
    appending_ = true;
    dirty_ = true;
    bof_ = eof_ = false;
    return true;
}

bool WorkArea::setDeleteMark(bool marked)
{
    if (eof_ && !appending_)
        return fail("there is no current record");
    editRecord()[0] = marked ? '*' : ' ';
    return commit();
}

bool WorkArea::pack(const std::function<void(int)>& progress)
{
    if (!commit())
        return false;
    if (!table_->pack(progress, error_))
        return false;
    return goTop();
}

bool WorkArea::setFilter(const std::string& text)
{
    if (text.find_first_not_of(' ') == std::string::npos) {
        filter_.reset();
        filterText_.clear();
        visibleSet_.clear();
        return true;
    }
    std::string message;
    auto e = Expression::compile(text, table_->fields(), message);
    if (!e)
        return fail(message);
    if (e->type() != ValueType::Logical)
        return fail("a filter must be a logical expression");
    filter_ = std::move(e);
    filterText_ = text;
    visibleSet_.clear();
    return true;
}

void WorkArea::setIndex(std::unique_ptr<StructuralIndex> index)
{
    flush();
    table_->setObserver(index.get());
    index_ = std::move(index);
    orderNumber_ = 0;
}

bool WorkArea::setOrder(int number)
{
    if (number < 0 || number > (index_ ? index_->orderCount() : 0))
        return fail("there is no order " + std::to_string(number));
    if (!flush())
        return false;
    orderNumber_ = number;
    return true;
}

Order& WorkArea::order()
{
    if (orderNumber_ > 0 && index_) {
        if (Order* o = index_->order(orderNumber_))
            return *o;
    }
    return natural_;
}

bool WorkArea::seek(const std::string& key)
{
    if (!commit())
        return false;
    found_ = false;
    bof_ = false;
    Order& o = order();
    const long r = visibleFrom(o.seek(key), true);
    if (r) {
        const std::string k = o.keyOf(r);
        if (settings_.exact) {
            std::string padded = key;
            if (padded.size() < k.size())
                padded.resize(k.size(), ' ');
            found_ = k == padded;
        } else {
            found_ = k.compare(0, key.size(), key) == 0;
        }
    }
    if (found_ || (r && settings_.softSeek))
        return load(r);
    toPhantom();
    return true;
}

} // namespace xb
