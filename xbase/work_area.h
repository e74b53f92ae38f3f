#pragma once
// A work area: one open table with its current record, navigation under the
// current order, the query filter and the engine's delete switch.
//
// The current record lives in a buffer. Changes to it (field replaces, a pending
// append) reach the table on flush(): when the area moves, commits or closes, or
// appends again. commit() also writes the table's gathered appends, which every
// move, whole-record write, delete mark and recall does; a run of appends alone is
// written in batches.

#include "xbase/expression.h"
#include "xbase/order.h"
#include "xbase/settings.h"
#include "xbase/structural_index.h"
#include "xbase/table.h"
#include "xbase/visible_set.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace xb {

class WorkArea {
public:
    WorkArea(std::unique_ptr<Table> table, std::string alias, const EngineSettings& settings);
    ~WorkArea();

    Table& table() { return *table_; }
    const std::string& alias() const { return alias_; }

    // Moving. Moves skip records the filter hides and, with the delete switch on,
    // marked ones. Past either end the area stands on the phantom record
    // (recordCount() + 1, all blanks) with eof() set; bof() is set by a move
    // backwards past the first record, which stays current.
    bool goTop();
    bool goBottom();
    bool skip(long count);
    bool go(long recno); // any existing record, visible or not
    bool bof() const { return bof_; }
    bool eof() const { return eof_; }
    long recno() const { return recno_; }
    long recordCount() const; // every record, a pending append included

    // Is the record let through by the filter and the delete switch?
    bool visible(long recno);
    long countVisible();

    // The current record.
    const char* record() const { return buffer_.data(); }
    char* editRecord();                // marks the buffer changed
    bool putRecord(const char* bytes); // writes through; a new record waits for the commit
    bool appendBlank();                // a blank record, added at the end on flush
    bool setDeleteMark(bool marked);
    bool flush();
    bool commit();
    bool pack(const std::function<void(int)>& progress);
    EvalContext context() const;

    // The filter: "" clears it. A bad expression fails and keeps the old filter.
    bool setFilter(const std::string& text);
    const std::string& filterText() const { return filterText_; }

    // Orders: 0 is record order, 1.. the tags of the structural index.
    void setIndex(std::unique_ptr<StructuralIndex> index);
    StructuralIndex* index() { return index_.get(); }
    int orderNumber() const { return orderNumber_; }
    bool setOrder(int number);
    Order& order();
    // Positions on the first visible record whose key in the current order
    // begins with key (or equals it, padded, with the exact switch on); found()
    // tells whether it did. Without a match: the first visible record after the
    // key when softSeek is on, else the phantom record.
    bool seek(const std::string& key);
    bool found() const { return found_; }

    const std::string& lastError() const { return error_; }

private:
    bool fail(const std::string& message);
    bool load(long recno);
    void toPhantom();
    long visibleFrom(long recno, bool forward);
    bool goEnd(bool top);
    VisibleStamp stamp() const;

    std::unique_ptr<Table> table_;
    std::string alias_;
    const EngineSettings& settings_;
    NaturalOrder natural_;
    std::unique_ptr<StructuralIndex> index_;
    int orderNumber_ = 0;
    std::unique_ptr<Expression> filter_;
    std::string filterText_;
    VisibleSet visibleSet_;
    std::vector<char> buffer_;
    long recno_ = 0;
    bool bof_ = false;
    bool eof_ = false;
    bool found_ = false;
    bool dirty_ = false;
    bool appending_ = false;
    std::string error_;
};

} // namespace xb
