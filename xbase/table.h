#pragma once
// One DBF table file: its header, record I/O through a block cache, and the single
// write path. Every append, record change (delete marks and recalls included) and
// pack goes through writeRecord / appendRecord / pack, which tell the observer (the
// structural index) so that its tags stay current.
//
// Appends to a table in exclusive use are gathered in memory and written in one
// go by commit() (also when the batch fills, and on close); every other change is
// written at once. Crash safety: the records and the end-of-file mark are written
// first, then the record count in the header. A process killed in between leaves
// a header that counts only records that are fully on disk; the orphan bytes past
// them are overwritten by the next append.

#include "xbase/dbf_header.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace xb {

enum class OpenMode { Shared, ReadOnly, Exclusive };

// Told of every change that reached the table file.
class TableObserver {
public:
    virtual ~TableObserver() = default;
    // A record was appended (before == nullptr) or rewritten. Both buffers are
    // recordLength bytes, delete mark first. False with a message fails the write.
    virtual bool recordWritten(long recno, const char* before, const char* after, std::string& error) = 0;
    // Pack is about to put its rewritten file in place; from then until
    // tableRewritten has run, the observer's record numbers are out of date.
    virtual bool tableRewriting(std::string& error)
    {
        (void)error;
        return true;
    }
    // Pack rewrote the file and renumbered records: rebuild from the table.
    virtual bool tableRewritten(const std::function<void(int percent)>& progress, std::string& error) = 0;
    // Every change told so far is on disk, records first and then the record
    // count: the observer writes its own changes back now, never earlier than the
    // table, so a crash leaves it at most one batch of appends ahead of the records.
    virtual bool committed(std::string& error) = 0;
};

class Table {
public:
    ~Table();
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    static std::unique_ptr<Table> open(const std::string& path, OpenMode mode, std::string& error);
    // Writes a new empty table (the header's fields laid out by layoutFields) and
    // opens it exclusively. An existing file is replaced only if it can be locked.
    static std::unique_ptr<Table> create(const std::string& path, DbfHeader header, std::string& error);

    const std::string& path() const { return path_; }
    OpenMode mode() const { return mode_; }
    const DbfHeader& header() const { return header_; }
    const std::vector<DbfField>& fields() const { return header_.fields; }
    int fieldIndex(std::string_view name) const; // any case; -1 when absent
    int recordLength() const { return header_.recordLength; }
    long recordCount() const { return static_cast<long>(header_.recordCount) + pendingCount_; }

    // Pointer to the record's bytes in the cache, valid until the next call on the
    // table; nullptr when out of range or unreadable. In exclusive use, where no other
    // program can change the file, records come from a cache of the file's blocks (kept
    // until the file is packed or closed, up to a limit). Otherwise, and past the limit,
    // a record that continues a scan comes with a run of the ones after it, and one
    // visited out of file order (a seek, a step in tag order) costs one record-sized read.
    const char* record(long recno);
    // Calls visit for records first..last in order through a buffer of its own,
    // so that threads may read separate ranges at once while nothing writes.
    // False when a record cannot be read.
    bool readRange(long first, long last, const std::function<void(long recno, const char* bytes)>& visit) const;
    // Shared mode: re-reads the record count other programs may have changed, and
    // forgets cached records.
    void refresh();
    // Goes up with every change this table makes and, outside exclusive use, with every
    // refresh (other programs may have changed any record): answers taken from the
    // records hold while it stays the same.
    unsigned long changes() const { return changes_; }

    bool writeRecord(long recno, const char* bytes, std::string& error);
    long appendRecord(const char* bytes, std::string& error); // new record number, 0 on failure
    bool commit(std::string& error);                          // writes gathered appends and their count
    // Removes delete-marked records (exclusive use only), then asks the observer
    // to rebuild. progress gets 0..100. The kept records go to a new file beside
    // the table that replaces it in one rename, so a crash leaves either the old
    // table or the packed one.
    bool pack(const std::function<void(int)>& progress, std::string& error);

    void setObserver(TableObserver* observer) { observer_ = observer; }
    TableObserver* observer() const { return observer_; }
    // Byte 28, bit 0: a structural index belongs to this table.
    bool setStructuralIndexFlag(bool present, std::string& error);
    bool hasStructuralIndex() const { return header_.tableFlags & kFlagStructuralIndex; }

    // Record locks: operating-system locks, retried until timeoutSeconds pass.
    // Exclusive and read-only tables need none and always succeed.
    bool lockRecord(long recno, int timeoutSeconds);
    void unlockRecord(long recno); // 0 releases every lock

private:
    Table(std::string path, OpenMode mode, int fd);
    bool loadHeader(std::string& error);
    bool writeAt(long long offset, const void* data, std::size_t size, std::string& error);
    bool writeCountAndDate(std::string& error);
    void stampToday();
    bool notifyCommitted(std::string& error);
    bool writePacked(int fd, const std::function<void(int)>& progress, long& kept, std::string& error);
    bool replaceWith(int fd, const std::string& temp, const std::string& target, std::string& error);
    long long recordOffset(long recno) const;
    const char* readRun(long first, long count, long recno);
    const char* readFromBlock(long recno);
    void storeCached(long recno, const char* bytes);
    void forgetCachedRecords();

    std::string path_;
    OpenMode mode_;
    int fd_ = -1;
    DbfHeader header_;
    TableObserver* observer_ = nullptr;
    bool stamped_ = false; // last-update date written this session
    std::vector<char> cache_;
    long cacheFirst_ = 0; // record number of the first cached record
    long cacheCount_ = 0;
    // Exclusive use: blocks of the file by number, each holding the records read with it.
    std::vector<std::vector<char>> blocks_;
    std::size_t blockBytes_ = 0;
    std::vector<long> lockedRecords_;
    std::vector<char> pending_; // appended records not yet written
    long pendingCount_ = 0;
    unsigned long changes_ = 0;
};

} // namespace xb
