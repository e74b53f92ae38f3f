#include "xbase/table.h"
#include "xbase/file_sync.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <thread>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace xb {
namespace {

constexpr std::size_t kCacheBytes = 256 * 1024;
// Exclusive use keeps the records visited out of file order in blocks of this size, the
// whole file as a walk in tag order visits it, up to a limit; past it, records not
// cached are read one at a time.
constexpr std::size_t kBlockBytes = 64 * 1024;
constexpr std::size_t kBlockCacheLimit = 64 * 1024 * 1024;
// A packed copy is written to "<table name>.pack" and six unique characters.
constexpr const char* kPackSuffix = ".pack";
constexpr std::size_t kPackUniqueChars = 6;
constexpr std::size_t kMaxHeaderBytes = 65535;
// Record locks live far past any real file data so they never block reads by
// programs that lock byte ranges of the records themselves.
constexpr off_t kRecordLockBase = 0x40000000;
constexpr off_t kAppendLockOffset = kRecordLockBase - 1;

std::string systemError(const std::string& what)
{
    return what + ": " + std::strerror(errno);
}

bool rangeLock(int fd, off_t offset, short type, bool wait)
{
    struct flock fl {};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = offset;
    fl.l_len = 1;
    return fcntl(fd, wait ? F_SETLKW : F_SETLK, &fl) == 0;
}

bool readFully(int fd, long long offset, void* out, std::size_t size, std::size_t& got)
{
    got = 0;
    auto* p = static_cast<char*>(out);
    while (got < size) {
        const ssize_t n = pread(fd, p + got, size - got, offset + static_cast<long long>(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    return true;
}

bool writeFully(int fd, long long offset, const void* data, std::size_t size)
{
    const auto* p = static_cast<const char*>(data);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = pwrite(fd, p + done, size - done, offset + static_cast<long long>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// False when another program's pack put a new file in place of the one opened
// before its lock was taken.
bool stillNamed(int fd, const std::string& path)
{
    struct stat opened {
    }, named{};
    return fstat(fd, &opened) == 0 && stat(path.c_str(), &named) == 0 && opened.st_dev == named.st_dev &&
           opened.st_ino == named.st_ino;
}

// The file a path names, a symlink followed: packing writes beside it.
std::string resolvedPath(const std::string& path)
{
    char* real = realpath(path.c_str(), nullptr);
    std::string resolved = real ? real : path;
    std::free(real);
    return resolved;
}

// Half-written packed copies a crash left beside the table. Only a program holding
// the table exclusively packs it, so with that lock held any copy is dead.
void removePackLeftovers(const std::string& table)
{
    const std::string path = resolvedPath(table);
    const std::size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const std::string prefix = path.substr(slash == std::string::npos ? 0 : slash + 1) + kPackSuffix;
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() == prefix.size() + kPackUniqueChars && name.compare(0, prefix.size(), prefix) == 0)
            unlinkat(dirfd(dir), name.c_str(), 0);
    }
    closedir(dir);
}

} // namespace

Table::Table(std::string path, OpenMode mode, int fd) : path_(std::move(path)), mode_(mode), fd_(fd) {}

Table::~Table()
{
    std::string error;
    commit(error);
    if (fd_ >= 0)
        ::close(fd_);
}

std::unique_ptr<Table> Table::open(const std::string& path, OpenMode mode, std::string& error)
{
    const int fd = ::open(path.c_str(), (mode == OpenMode::ReadOnly ? O_RDONLY : O_RDWR) | O_CLOEXEC);
    if (fd < 0) {
        error = systemError("cannot open " + path);
        return nullptr;
    }
    std::unique_ptr<Table> table(new Table(path, mode, fd));
    // Exclusive use takes the whole-file lock that every other open also asks for,
    // so two programs never both hold the table exclusively.
    if (flock(fd, (mode == OpenMode::Exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0 || !stillNamed(fd, path)) {
        error = path + " is in use by another program";
        return nullptr;
    }
    if (!table->loadHeader(error))
        return nullptr;
    if (mode == OpenMode::Exclusive)
        removePackLeftovers(path);
    return table;
}

std::unique_ptr<Table> Table::create(const std::string& path, DbfHeader header, std::string& error)
{
    if (!layoutFields(header, error))
        return nullptr;
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = systemError("cannot create " + path);
        return nullptr;
    }
    std::unique_ptr<Table> table(new Table(path, OpenMode::Exclusive, fd));
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        error = path + " is in use by another program";
        return nullptr;
    }
    header.recordCount = 0;
    table->header_ = std::move(header);
    table->stampToday();
    std::vector<unsigned char> bytes = buildDbfHeader(table->header_);
    bytes.push_back(static_cast<unsigned char>(kEndOfFile));
    if (ftruncate(fd, 0) != 0) {
        error = systemError("cannot create " + path);
        return nullptr;
    }
    if (!table->writeAt(0, bytes.data(), bytes.size(), error))
        return nullptr;
    return table;
}

bool Table::loadHeader(std::string& error)
{
    std::vector<unsigned char> bytes(kPrologueSize);
    std::size_t got = 0;
    if (!readFully(fd_, 0, bytes.data(), bytes.size(), got)) {
        error = systemError("cannot read " + path_);
        return false;
    }
    if (!parseDbfPrologue(bytes.data(), got, header_, error)) {
        error = path_ + ": " + error;
        return false;
    }
    bytes.resize(std::min<std::size_t>(header_.headerLength, kMaxHeaderBytes));
    if (!readFully(fd_, 0, bytes.data(), bytes.size(), got) || !parseDbfHeader(bytes.data(), got, header_, error)) {
        error = path_ + ": " + (error.empty() ? std::strerror(errno) : error);
        return false;
    }
    // A header that counts more records than the file holds (a copy cut short,
    // another program's crash) is read as the complete records present.
    struct stat st {};
    if (fstat(fd_, &st) == 0) {
        const long long data = std::max<long long>(0, st.st_size - header_.headerLength);
        const long long present = data / header_.recordLength;
        if (present < header_.recordCount)
            header_.recordCount = static_cast<std::uint32_t>(present);
    }
    forgetCachedRecords();
    return true;
}

void Table::forgetCachedRecords()
{
    ++changes_;
    cacheCount_ = 0;
    blocks_.clear();
    blockBytes_ = 0;
}

void Table::refresh()
{
    cacheCount_ = 0;
    if (mode_ == OpenMode::Exclusive)
        return;
    ++changes_;
    unsigned char count[4];
    std::size_t got = 0;
    if (readFully(fd_, 4, count, 4, got) && got == 4) {
        std::uint32_t n = std::uint32_t(count[0]) | std::uint32_t(count[1]) << 8 | std::uint32_t(count[2]) << 16 |
                          std::uint32_t(count[3]) << 24;
        struct stat st {};
        if (fstat(fd_, &st) == 0) {
            const long long present = std::max<long long>(0, st.st_size - header_.headerLength) / header_.recordLength;
            n = static_cast<std::uint32_t>(std::min<long long>(n, present));
        }
        header_.recordCount = n;
    }
}

int Table::fieldIndex(std::string_view name) const
{
    for (std::size_t i = 0; i < header_.fields.size(); ++i) {
        const std::string& f = header_.fields[i].name;
        if (f.size() == name.size() && std::equal(f.begin(), f.end(), name.begin(), [](char a, char b) {
                return a == std::toupper(static_cast<unsigned char>(b));
            }))
            return static_cast<int>(i);
    }
    return -1;
}

long long Table::recordOffset(long recno) const
{
    return header_.headerLength + static_cast<long long>(recno - 1) * header_.recordLength;
}

const char* Table::record(long recno)
{
    if (recno < 1 || recno > recordCount())
        return nullptr;
    const std::size_t len = header_.recordLength;
    if (recno > static_cast<long>(header_.recordCount))
        return pending_.data() + (recno - header_.recordCount - 1) * len;
    if (recno >= cacheFirst_ && recno < cacheFirst_ + cacheCount_)
        return cache_.data() + (recno - cacheFirst_) * len;
    if (mode_ == OpenMode::Exclusive)
        if (const char* bytes = readFromBlock(recno))
            return bytes;
    // A read that continues the cached run is a scan: each such read takes twice the
    // run before it, up to a big block, so that a scan restarted at every step (shared
    // use forgets the cache at each move) reads only a little ahead.
    if (cacheCount_ > 0 && recno == cacheFirst_ + cacheCount_) {
        const long most = static_cast<long>(std::max<std::size_t>(1, kCacheBytes / len));
        return readRun(recno, std::min(2 * cacheCount_, most), recno);
    }
    return readRun(recno, 1, recno);
}

// Reads count records from first (fewer at the end of the file) into the run cache.
const char* Table::readRun(long first, long count, long recno)
{
    const std::size_t len = header_.recordLength;
    const long n = std::min<long>(count, header_.recordCount - first + 1);
    if (cache_.size() < static_cast<std::size_t>(n) * len)
        cache_.resize(static_cast<std::size_t>(n) * len);
    std::size_t got = 0;
    if (!readFully(fd_, recordOffset(first), cache_.data(), static_cast<std::size_t>(n) * len, got) ||
        got < static_cast<std::size_t>(recno - first + 1) * len) {
        cacheCount_ = 0;
        return nullptr;
    }
    cacheFirst_ = first;
    cacheCount_ = static_cast<long>(got / len);
    return cache_.data() + (recno - first) * len;
}

// The record from its block of the file, read whole on the first visit; nullptr when the
// block cannot be read or would pass the cache's limit.
const char* Table::readFromBlock(long recno)
{
    const std::size_t len = header_.recordLength;
    const long perBlock = static_cast<long>(std::max<std::size_t>(1, kBlockBytes / len));
    const auto number = static_cast<std::size_t>((recno - 1) / perBlock);
    const long first = static_cast<long>(number) * perBlock + 1;
    if (number >= blocks_.size())
        blocks_.resize(number + 1);
    std::vector<char>& block = blocks_[number];
    const auto at = static_cast<std::size_t>(recno - first) * len;
    if (at < block.size())
        return block.data() + at;
    // Not read yet, or read while the file ended inside it.
    const long n = std::min<long>(perBlock, header_.recordCount - first + 1);
    const std::size_t size = static_cast<std::size_t>(n) * len;
    if (blockBytes_ - block.size() + size > kBlockCacheLimit)
        return nullptr;
    blockBytes_ -= block.size();
    block.resize(size);
    std::size_t got = 0;
    if (!readFully(fd_, recordOffset(first), block.data(), size, got) || got < size) {
        block.clear();
        block.shrink_to_fit();
        return nullptr;
    }
    blockBytes_ += size;
    return block.data() + at;
}

// A record written in place: its cached copies follow.
void Table::storeCached(long recno, const char* bytes)
{
    const std::size_t len = header_.recordLength;
    if (recno >= cacheFirst_ && recno < cacheFirst_ + cacheCount_)
        std::memcpy(cache_.data() + (recno - cacheFirst_) * len, bytes, len);
    if (blocks_.empty())
        return;
    const long perBlock = static_cast<long>(std::max<std::size_t>(1, kBlockBytes / len));
    const auto number = static_cast<std::size_t>((recno - 1) / perBlock);
    const auto at = static_cast<std::size_t>((recno - 1) % perBlock) * len;
    if (number < blocks_.size() && at < blocks_[number].size())
        std::memcpy(blocks_[number].data() + at, bytes, len);
}

bool Table::readRange(long first, long last, const std::function<void(long, const char*)>& visit) const
{
    if (first < 1 || last > recordCount())
        return false;
    const std::size_t len = header_.recordLength;
    const long onDisk = std::min<long>(last, static_cast<long>(header_.recordCount));
    const long perRead = static_cast<long>(std::max<std::size_t>(1, kCacheBytes / len));
    std::vector<char> buffer;
    long recno = first;
    while (recno <= onDisk) {
        const long n = std::min(perRead, onDisk - recno + 1);
        buffer.resize(static_cast<std::size_t>(n) * len);
        std::size_t got = 0;
        if (!readFully(fd_, recordOffset(recno), buffer.data(), buffer.size(), got) || got < buffer.size())
            return false;
        for (long i = 0; i < n; ++i)
            visit(recno + i, buffer.data() + static_cast<std::size_t>(i) * len);
        recno += n;
    }
    for (; recno <= last; ++recno)
        visit(recno, pending_.data() + static_cast<std::size_t>(recno - header_.recordCount - 1) * len);
    return true;
}

bool Table::writeAt(long long offset, const void* data, std::size_t size, std::string& error)
{
    if (writeFully(fd_, offset, data, size))
        return true;
    error = systemError("cannot write " + path_);
    return false;
}

void Table::stampToday()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    header_.year = local.tm_year + 1900;
    header_.month = local.tm_mon + 1;
    header_.day = local.tm_mday;
}

bool Table::writeCountAndDate(std::string& error)
{
    if (!stamped_) {
        stampToday();
        stamped_ = true;
    }
    unsigned char bytes[7];
    encodeDateAndCount(header_, bytes);
    return writeAt(1, bytes, sizeof bytes, error);
}

bool Table::writeRecord(long recno, const char* bytes, std::string& error)
{
    if (mode_ == OpenMode::ReadOnly) {
        error = path_ + " is open read-only";
        return false;
    }
    ++changes_;
    const char* current = record(recno);
    if (!current) {
        error = "record " + std::to_string(recno) + " does not exist";
        return false;
    }
    const std::size_t len = header_.recordLength;
    std::vector<char> before(current, current + len);
    bool stamped = true;
    if (recno > static_cast<long>(header_.recordCount)) {
        std::memcpy(pending_.data() + (recno - header_.recordCount - 1) * len, bytes, len);
    } else {
        if (!writeAt(recordOffset(recno), bytes, len, error))
            return false;
        storeCached(recno, bytes);
        // The record is written whatever becomes of the date: the index must follow it.
        if (!stamped_)
            stamped = writeCountAndDate(error);
    }
    if (observer_ && !observer_->recordWritten(recno, before.data(), bytes, error))
        return false;
    // A record on disk changed in place: that is its commit.
    const bool committed = recno > static_cast<long>(header_.recordCount) || notifyCommitted(error);
    return stamped && committed;
}

long Table::appendRecord(const char* bytes, std::string& error)
{
    if (mode_ == OpenMode::ReadOnly) {
        error = path_ + " is open read-only";
        return 0;
    }
    ++changes_;
    pending_.insert(pending_.end(), bytes, bytes + header_.recordLength);
    ++pendingCount_;
    // Shared tables write at once so that other programs see every record.
    if ((mode_ == OpenMode::Shared || pending_.size() >= kCacheBytes) && !commit(error)) {
        // This record was not added; earlier ones of the batch wait for the next commit.
        pending_.resize(pending_.size() - header_.recordLength);
        --pendingCount_;
        return 0;
    }
    const long recno = recordCount(); // after a shared commit, others' appends counted
    if (observer_ && !observer_->recordWritten(recno, nullptr, bytes, error)) {
        // Not on disk yet: the record is not added, as the caller is told. One
        // already written stays, and the index says it is out of date.
        if (pendingCount_ > 0) {
            pending_.resize(pending_.size() - header_.recordLength);
            --pendingCount_;
        }
        return 0;
    }
    // A record written already (shared use, a full batch) was committed before its
    // keys were added, so their write-back follows here.
    if (pendingCount_ == 0 && !notifyCommitted(error))
        return 0;
    return recno;
}

bool Table::notifyCommitted(std::string& error)
{
    return !observer_ || observer_->committed(error);
}

bool Table::commit(std::string& error)
{
    if (pendingCount_ == 0)
        return true;
    // Shared tables serialize appends between programs with a lock on one byte.
    const bool shared = mode_ == OpenMode::Shared;
    if (shared) {
        rangeLock(fd_, kAppendLockOffset, F_WRLCK, true);
        const long ours = pendingCount_;
        pendingCount_ = 0;
        refresh();
        pendingCount_ = ours;
    }
    const long first = static_cast<long>(header_.recordCount) + 1;
    pending_.push_back(kEndOfFile);
    bool ok = writeAt(recordOffset(first), pending_.data(), pending_.size(), error);
    pending_.pop_back();
    if (ok) {
        header_.recordCount += static_cast<std::uint32_t>(pendingCount_);
        ok = writeCountAndDate(error);
        // The records stay gathered for the next commit, so they count once.
        if (!ok)
            header_.recordCount -= static_cast<std::uint32_t>(pendingCount_);
    }
    if (shared)
        rangeLock(fd_, kAppendLockOffset, F_UNLCK, false);
    if (!ok)
        return false;
    pending_.clear();
    pendingCount_ = 0;
    return notifyCommitted(error);
}

bool Table::pack(const std::function<void(int)>& progress, std::string& error)
{
    if (mode_ != OpenMode::Exclusive) {
        error = "packing " + path_ + " needs exclusive use";
        return false;
    }
    if (!commit(error))
        return false;
    // The packed copy is made beside the table (a symlink followed) so that the
    // rename that puts it in place stays within one file system.
    const std::string target = resolvedPath(path_);
    std::string temp = target + kPackSuffix + std::string(kPackUniqueChars, 'X');
    const int fd = mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        error = systemError("cannot create a file beside " + path_);
        return false;
    }
    long kept = 0;
    if (!writePacked(fd, progress, kept, error) || (observer_ && !observer_->tableRewriting(error)) ||
        !replaceWith(fd, temp, target, error)) {
        ::close(fd);
        ::unlink(temp.c_str());
        return false;
    }
    header_.recordCount = static_cast<std::uint32_t>(kept);
    forgetCachedRecords();
    return !observer_ || observer_->tableRewritten(progress, error);
}

// The table's header bytes (count and date brought up to date), the records
// without a delete mark, and the end-of-file mark, into the empty file fd.
bool Table::writePacked(int fd, const std::function<void(int)>& progress, long& kept, std::string& error)
{
    struct stat st {};
    if (fstat(fd_, &st) == 0)
        (void)fchmod(fd, st.st_mode & 07777);
    const std::size_t len = header_.recordLength;
    std::vector<char> out(header_.headerLength);
    std::size_t got = 0;
    if (!readFully(fd_, 0, out.data(), out.size(), got) || got < out.size()) {
        error = systemError("cannot read " + path_);
        return false;
    }
    long long written = 0;
    auto drain = [&] {
        if (!writeFully(fd, written, out.data(), out.size())) {
            error = systemError("cannot write beside " + path_);
            return false;
        }
        written += static_cast<long long>(out.size());
        out.clear();
        return true;
    };
    const long total = recordCount();
    kept = 0;
    int lastPercent = -1;
    for (long recno = 1; recno <= total; ++recno) {
        const char* r = record(recno);
        if (!r) {
            error = systemError("cannot read " + path_);
            return false;
        }
        if (r[0] != '*') {
            ++kept;
            out.insert(out.end(), r, r + len);
            if (out.size() >= kCacheBytes && !drain())
                return false;
        }
        const int percent = static_cast<int>(recno * 100 / total);
        if (progress && percent != lastPercent)
            progress(lastPercent = percent);
    }
    if (progress && lastPercent != 100)
        progress(100); // an empty table reports its end too
    out.push_back(kEndOfFile);
    if (!drain())
        return false;
    if (!stamped_) {
        stampToday();
        stamped_ = true;
    }
    DbfHeader packed = header_;
    packed.recordCount = static_cast<std::uint32_t>(kept);
    unsigned char countAndDate[7];
    encodeDateAndCount(packed, countAndDate);
    if (!writeFully(fd, 1, countAndDate, sizeof countAndDate)) {
        error = systemError("cannot write beside " + path_);
        return false;
    }
    return true;
}

// Puts the finished file fd (at temp) in the table's place. It is locked before it
// gets the table's name, so no other program can take it in between.
bool Table::replaceWith(int fd, const std::string& temp, const std::string& target, std::string& error)
{
    if (flock(fd, LOCK_EX | LOCK_NB) != 0 || fsync(fd) != 0) {
        error = systemError("cannot finish packing " + path_);
        return false;
    }
    if (std::rename(temp.c_str(), target.c_str()) != 0) {
        error = systemError("cannot replace " + path_);
        return false;
    }
    syncFolderOf(target); // the rename itself made durable
    ::close(fd_);
    fd_ = fd;
    return true;
}

bool Table::setStructuralIndexFlag(bool present, std::string& error)
{
    if (mode_ == OpenMode::ReadOnly) {
        error = path_ + " is open read-only";
        return false;
    }
    const std::uint8_t flags =
        present ? (header_.tableFlags | kFlagStructuralIndex) : (header_.tableFlags & ~kFlagStructuralIndex);
    if (!writeAt(28, &flags, 1, error))
        return false;
    header_.tableFlags = flags;
    return true;
}

bool Table::lockRecord(long recno, int timeoutSeconds)
{
    if (mode_ != OpenMode::Shared)
        return true;
    if (std::find(lockedRecords_.begin(), lockedRecords_.end(), recno) != lockedRecords_.end())
        return true;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(std::max(0, timeoutSeconds));
    while (!rangeLock(fd_, kRecordLockBase + recno, F_WRLCK, false)) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    lockedRecords_.push_back(recno);
    return true;
}

void Table::unlockRecord(long recno)
{
    for (auto it = lockedRecords_.begin(); it != lockedRecords_.end();) {
        if (recno == 0 || *it == recno) {
            rangeLock(fd_, kRecordLockBase + *it, F_UNLCK, false);
            it = lockedRecords_.erase(it);
        } else {
            ++it;
        }
    }
}

} // namespace xb
