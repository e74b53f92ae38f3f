#include "xbase/cdx/cdx_index.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>

#include <fcntl.h>
#include <unistd.h>

#include "xbase/cdx/check.h"
#include "xbase/cdx/cursor.h"
#include "xbase/cdx/key_pipe.h"
#include "xbase/cdx/merged_keys.h"
#include "xbase/codepage.h"
#include "xbase/file_sync.h"
#include "xbase/parallel.h"

namespace xb::cdx {

namespace fs = std::filesystem;

namespace {

const uint8_t* bytes(const std::string& s)
{
    return reinterpret_cast<const uint8_t*>(s.data());
}

std::string lower(std::string s)
{
    for (char& c : s)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// Key bytes for a message: trailing blanks dropped, other bytes outside printable
// ASCII as \xNN.
std::string describeKey(const uint8_t* key, size_t len)
{
    while (len > 0 && key[len - 1] == ' ')
        --len;
    std::string out = "\"";
    for (size_t i = 0; i < len; ++i) {
        if (key[i] >= 0x20 && key[i] < 0x7F) {
            out += char(key[i]);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", key[i]);
            out += hex;
        }
    }
    return out + "\"";
}

// Tag names ignore letter case.
bool sameTagName(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
    });
}

constexpr size_t kMaxReported = 10;

// Passes over the table that each hold their keys in memory, as long as it takes no
// more than this many; past it, one pass whose keys go to disk in sorted runs.
constexpr size_t kMaxPasses = 2;
std::atomic<size_t> gKeyMemory{size_t(64) << 20};
// Below this many records a second reading thread costs more than it saves.
constexpr long kSplitRecords = 20000;

// True when the stored key becomes the expected one by upper-casing: written by a
// program whose UPPER folds fewer letters.
bool foldsTo(const uint8_t* stored, const uint8_t* expected, size_t len)
{
    for (size_t i = 0; i < len; ++i)
        if (stored[i] != expected[i] && xb::upperCp1252(stored[i]) != expected[i])
            return false;
    return true;
}

// Memory a record takes in a pass over tags: each tag's entry while gathered, and
// the working memory of one tag's sort at a time.
size_t passBytesPerRecord(const CdxIndex::Fill* tags, size_t count)
{
    size_t bytes = 0, sorting = 0;
    for (size_t i = 0; i < count; ++i) {
        const int kl = tags[i].keys->keyLen();
        bytes += size_t(kl) + 4;
        sorting = std::max(sorting, sortOverhead(kl));
    }
    return bytes + sorting;
}

std::string folderOf(const std::string& path)
{
    const fs::path folder = fs::path(path).parent_path();
    return folder.empty() ? std::string(".") : folder.string();
}

} // namespace

void setKeyMemory(size_t bytes)
{
    gKeyMemory = bytes;
}

size_t keyMemory()
{
    return gKeyMemory;
}

std::string indexPathFor(const std::string& tablePath)
{
    const fs::path table(tablePath);
    const fs::path dir = table.has_parent_path() ? table.parent_path() : fs::path(".");
    const std::string base = table.stem().string();
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() == base.size() + 4 && name.compare(0, base.size(), base) == 0 &&
            lower(name.substr(base.size())) == ".cdx")
            return (dir / name).string();
    }
    const std::string ext = table.extension().string();
    const bool upperCase = ext.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") != std::string::npos;
    return (table.has_parent_path() ? (dir / (base + (upperCase ? ".CDX" : ".cdx")))
                                    : fs::path(base + (upperCase ? ".CDX" : ".cdx")))
        .string();
}

CdxIndex::~CdxIndex()
{
    try {
        flush();
        if (!mustRebuild_)
            clearStale();
    } catch (const std::exception&) {
        // Nothing to report to from here; the table's commits have written back
        // everything but the last uncommitted changes, and the mark stays.
    }
}

std::unique_ptr<CdxIndex> CdxIndex::open(Table& table, const std::string& path)
{
    std::unique_ptr<CdxIndex> index(new CdxIndex(table, path));
    // A copy a stopped rebuild left: with the table held exclusively, no rebuild runs.
    if (table.mode() == OpenMode::Exclusive)
        std::remove(index->freshPath().c_str());
    try {
        index->file_ = IndexFile::open(path, table.mode() == OpenMode::ReadOnly);
        std::string error;
        if (!index->attachTags(error))
            index->refuse(error);
    } catch (const std::exception& e) {
        index->refuse(std::string("the index file ") + path + " is missing or damaged: " + e.what());
    }
    if (index->file_ && fs::exists(index->stalePath()))
        index->repairStale();
    return index;
}

void CdxIndex::refuse(const std::string& problem)
{
    problem_ = problem;
    file_.reset();
    tags_.clear();
}

// The program that last changed the index stopped before closing it, or a pack
// stopped before rebuilding the tags: the pages may disagree with the records.
void CdxIndex::repairStale()
{
    if (table_.mode() != OpenMode::Exclusive) {
        refuse("the index file " + path_ + " may be out of date: the program that last changed " + table_.path() +
               " stopped before closing it; open the table exclusively to rebuild it");
        return;
    }
    std::string error;
    if (!rebuild(nullptr, error))
        refuse(error);
}

bool CdxIndex::markStale(std::string& error)
{
    if (markedStale_)
        return true;
    const std::string marker = stalePath();
    const int fd = ::open(marker.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const bool synced = fd >= 0 && fsync(fd) == 0;
    if (fd >= 0)
        ::close(fd);
    if (!synced) {
        error = "cannot write " + marker + ": " + std::strerror(errno);
        return false;
    }
    syncFolderOf(marker);
    markedStale_ = true;
    return true;
}

void CdxIndex::clearStale()
{
    if (markedStale_)
        std::remove(stalePath().c_str());
    markedStale_ = false;
}

void CdxIndex::markStaleBeforeWriting()
{
    if (table_.mode() != OpenMode::Exclusive)
        return;
    file_->file().setBeforeFirstWrite([this] {
        std::string error;
        if (!markStale(error))
            throw std::runtime_error(error);
    });
}

bool CdxIndex::tableRewriting(std::string& error)
{
    if (!file_)
        return true;
    // Until a rebuild succeeds, the tags may hold the old record numbers.
    mustRebuild_ = true;
    return markStale(error);
}

std::unique_ptr<CdxIndex> CdxIndex::create(Table& table, const std::string& path, std::string& error)
{
    std::unique_ptr<CdxIndex> index(new CdxIndex(table, path));
    try {
        index->file_ = IndexFile::create(path);
    } catch (const std::exception& e) {
        error = e.what();
        return nullptr;
    }
    return index;
}

bool CdxIndex::attachTags(std::string& error)
{
    tags_.clear();
    // Changes from the table's writes reach the file only after the table's commit.
    file_->file().setHoldChanges(true);
    markStaleBeforeWriting();
    for (size_t i = 0; i < file_->tagCount(); ++i) {
        Tag& t = file_->tag(i);
        auto keys = KeyMaker::compile(t.header().keyExpr, t.header().forExpr, table_.fields(), error);
        if (!keys) {
            error = "tag " + t.name() + ": " + error;
            return false;
        }
        if (keys->keyLen() != t.keyLen()) {
            error = "tag " + t.name() + " has keys of " + std::to_string(t.keyLen()) +
                    " bytes where its expression gives " + std::to_string(keys->keyLen());
            return false;
        }
        t.setPad(keys->pad());
        auto order = std::make_unique<TagOrder>(t, *keys, table_);
        tags_.push_back(TagEntry{&t, std::move(keys), std::move(order)});
    }
    return true;
}

Order* CdxIndex::order(int number)
{
    return number >= 1 && number <= orderCount() ? tags_[size_t(number - 1)].order.get() : nullptr;
}

std::string CdxIndex::orderName(int number) const
{
    return number >= 1 && number <= orderCount() ? tags_[size_t(number - 1)].tag->name() : std::string();
}

int CdxIndex::find(std::string_view name) const
{
    if (!file_)
        return 0;
    const int i = file_->find(name);
    return i < 0 ? 0 : i + 1;
}

void CdxIndex::flush()
{
    if (file_)
        file_->flush();
}

bool CdxIndex::recordWritten(long recno, const char* before, const char* after, std::string& error)
{
    if (!file_)
        return true;
    const long count = table_.recordCount();
    try {
        for (auto& t : tags_) {
            const bool hadKey = before && t.keys->make(before, recno, count, oldKey_);
            const bool hasKey = t.keys->make(after, recno, count, key_);
            if (hadKey && hasKey && oldKey_ == key_)
                continue;
            if (hadKey && !removeEntry(*t.tag, oldKey_, uint32_t(recno))) {
                error = "tag " + t.tag->name() + " of " + path_ + " lacks record " + std::to_string(recno);
                return giveUp(error);
            }
            if (hasKey)
                t.tag->insert(bytes(key_), uint32_t(recno));
        }
    } catch (const std::exception& e) {
        error = std::string("cannot update ") + path_ + ": " + e.what();
        return giveUp(error);
    }
    return true;
}

bool CdxIndex::committed(std::string& error)
{
    if (!file_)
        return true;
    try {
        flush();
    } catch (const std::exception& e) {
        error = std::string("cannot write ") + path_ + ": " + e.what();
        return giveUp(error);
    }
    return true;
}

bool CdxIndex::giveUp(std::string& error)
{
    // The tags may hold part of the change, or pages written only in part: none of
    // them are used again before a rebuild from the records.
    mustRebuild_ = true;
    std::string markError;
    if (markStale(markError))
        error += "; the index is out of date until it is rebuilt, which the next exclusive open of the table does";
    else
        error += "; " + markError + ", so rebuild the index (reindex) before using it again";
    refuse(error);
    return false;
}

bool CdxIndex::removeEntry(Tag& tag, const std::string& key, uint32_t recno)
{
    if (tag.remove(bytes(key), recno))
        return true;
    // Another program may have computed the key otherwise (its UPPER folding fewer
    // letters, say): the record's entry is then found by its number.
    Cursor c(tag);
    for (bool ok = c.first(); ok; ok = c.next())
        if (c.recno() == recno) {
            const std::vector<uint8_t> stored(c.key(), c.key() + tag.keyLen());
            return tag.remove(stored.data(), recno);
        }
    return false;
}

std::vector<GatheredKeys> CdxIndex::gatherKeys(const Fill* tags, size_t count, RunFile& runs, const Progress& progress)
{
    const long n = table_.recordCount();
    const int parts = partsFor(size_t(n), kSplitRecords);
    // Each part holds its share of the memory; the first takes the others' rests
    // after its own.
    const size_t maxEntries = std::max<size_t>(1, keyMemory() / size_t(parts) / passBytesPerRecord(tags, count));
    std::vector<std::vector<KeySorter>> found(static_cast<size_t>(parts));
    runParts(parts, [&](int part) {
        const long first = n * part / parts + 1, last = n * (part + 1) / parts;
        // Expressions keep scratch buffers, so another thread evaluates copies of its own.
        std::vector<std::unique_ptr<KeyMaker>> copies;
        std::vector<const KeyMaker*> makers;
        for (size_t i = 0; i < count; ++i) {
            if (part == 0) {
                makers.push_back(tags[i].keys);
                continue;
            }
            std::string error;
            const TagHeader& h = tags[i].tag->header();
            copies.push_back(KeyMaker::compile(h.keyExpr, h.forExpr, table_.fields(), error));
            if (!copies.back())
                throw std::runtime_error(error);
            makers.push_back(copies.back().get());
        }
        const size_t expected = part == 0 ? std::min(size_t(n), maxEntries * size_t(parts))
                                          : std::min(size_t(last - first + 1), maxEntries);
        std::vector<KeySorter>& keys = found[size_t(part)];
        keys.reserve(count);
        for (const KeyMaker* m : makers)
            keys.emplace_back(m->keyLen(), maxEntries, expected, runs);
        std::string key;
        int reported = 0;
        const bool read = table_.readRange(first, last, [&](long r, const char* rec) {
            for (size_t i = 0; i < count; ++i)
                if (makers[i]->make(rec, r, n, key))
                    keys[i].add(bytes(key), uint32_t(r));
            const int percent = int((r - first + 1) * 80 / (last - first + 1));
            if (part == 0 && progress && percent != reported)
                progress(reported = percent);
        });
        if (!read)
            throw std::runtime_error("cannot read the records of " + table_.path());
    });
    std::vector<GatheredKeys> gathered;
    for (size_t i = 0; i < count; ++i)
        gathered.push_back(found[0][i].take());
    for (int part = 1; part < parts; ++part)
        for (size_t i = 0; i < count; ++i) {
            GatheredKeys more = found[size_t(part)][i].take();
            gathered[i].rest.append(std::move(more.rest));
            gathered[i].runs.insert(gathered[i].runs.end(), more.runs.begin(), more.runs.end());
        }
    return gathered;
}

void CdxIndex::fill(const std::vector<Fill>& tags, const Progress& progress)
{
    const size_t records = size_t(std::max(1L, table_.recordCount()));
    std::vector<size_t> ends;
    for (size_t start = 0; start < tags.size(); start = ends.back()) {
        size_t end = start + 1;
        while (end < tags.size() && passBytesPerRecord(tags.data() + start, end + 1 - start) * records <= keyMemory())
            ++end;
        ends.push_back(end);
    }
    if (ends.size() > kMaxPasses)
        ends = {tags.size()};
    RunFile runs(folderOf(path_));
    const bool twoCores = partsFor(records, size_t(kSplitRecords)) == 2;
    size_t start = 0;
    for (const size_t end : ends) {
        // The pass over the records counts as the first tag's progress; each tag
        // reports from 0 to 100 in turn.
        if (progress)
            progress(0);
        std::vector<GatheredKeys> gathered = gatherKeys(tags.data() + start, end - start, runs, progress);
        std::vector<std::optional<MergedKeys>> merged(end - start);
        auto sortKeysOf = [&](size_t i) {
            if (i < end)
                merged[i - start].emplace(std::move(gathered[i - start]), &runs);
        };
        sortKeysOf(start);
        for (size_t i = start; i < end; ++i) {
            if (progress && i > start)
                progress(0);
            MergedKeys& keys = *merged[i - start];
            // With a second core, the next tag's keys are sorted while this tag's pages
            // are written, and runs are merged there too.
            std::optional<KeyPipe> pipe;
            if (twoCores && keys.merges())
                pipe.emplace(keys, tags[i].keys->keyLen());
            const int parts = twoCores && (pipe || i + 1 < end) ? 2 : 1;
            runParts(parts, [&](int part) {
                if (part == 1) {
                    if (pipe)
                        pipe->pump();
                    sortKeysOf(i + 1);
                    return;
                }
                try {
                    tags[i].tag->build(pipe ? static_cast<KeyStream&>(*pipe) : keys, nullptr);
                } catch (...) {
                    if (pipe)
                        pipe->close();
                    throw;
                }
            });
            pipe.reset();
            merged[i - start].reset();
            if (parts == 1)
                sortKeysOf(i + 1);
            if (progress)
                progress(100);
        }
        start = end;
    }
}

int CdxIndex::addTags(const std::vector<NewTag>& wanted, const Progress& progress, std::string& error)
{
    if (wanted.empty()) {
        error = "no tags to add";
        return 0;
    }
    std::vector<std::unique_ptr<KeyMaker>> makers;
    for (size_t i = 0; i < wanted.size(); ++i) {
        const std::string_view name = wanted[i].name;
        if (name.empty() || name.size() > size_t(kTagNameLen) || !std::isalpha(static_cast<unsigned char>(name[0]))) {
            error = "a tag name takes 1 to 10 letters, digits or underscores, the first a letter";
            return 0;
        }
        // A later tag of the same name would replace the earlier one while it is built.
        for (size_t j = 0; j < i; ++j)
            if (sameTagName(wanted[j].name, name)) {
                error = "the tag name " + std::string(name) + " is given twice";
                return 0;
            }
        makers.push_back(KeyMaker::compile(wanted[i].keyExpr, wanted[i].forExpr, table_.fields(), error));
        if (!makers.back())
            return 0;
    }
    try {
        if (!file_) {
            // A missing or damaged file is replaced by a new one.
            file_ = IndexFile::create(path_);
            problem_.clear();
            markStaleBeforeWriting();
        }
        std::vector<Fill> work;
        for (size_t i = 0; i < wanted.size(); ++i) {
            TagHeader h;
            h.keyLen = uint16_t(makers[i]->keyLen());
            h.keyExpr = wanted[i].keyExpr;
            h.forExpr = wanted[i].forExpr;
            work.push_back({&file_->addTag(wanted[i].name, h, makers[i]->pad()), makers[i].get()});
        }
        // The table is committed, so a build may write its pages as the cache fills.
        file_->file().setHoldChanges(false);
        fill(work, progress);
        file_->flush();
        if (!attachTags(error))
            return 0;
    } catch (const std::exception& e) {
        error = (wanted.size() == 1 ? "cannot build tag " + std::string(wanted[0].name)
                                    : std::string("cannot build tags")) +
                " in " + path_ + ": " + e.what();
        // The file names tags that were not built, or built in part: it is rebuilt whole.
        if (file_)
            giveUp(error);
        return 0;
    }
    return find(wanted.back().name);
}

bool CdxIndex::rebuild(const Progress& progress, std::string& error)
{
    if (!file_)
        return true;
    const std::string fresh = freshPath();
    try {
        {
            auto out = IndexFile::create(fresh);
            std::vector<Fill> work;
            for (auto& t : tags_) {
                TagHeader h;
                h.keyLen = uint16_t(t.keys->keyLen());
                h.keyExpr = t.tag->header().keyExpr;
                h.forExpr = t.tag->header().forExpr;
                work.push_back({&out->addTag(t.tag->name(), h, t.keys->pad()), t.keys.get()});
            }
            fill(work, progress);
            out->flush();
        }
        tags_.clear();
        file_.reset();
        if (std::rename(fresh.c_str(), path_.c_str()) != 0)
            throw std::runtime_error("cannot replace " + path_ + ": " + std::strerror(errno));
        syncFolderOf(path_);
        file_ = IndexFile::open(path_, false);
        if (!attachTags(error))
            return false;
        // The fresh file agrees with the records, whoever left the mark.
        std::remove(stalePath().c_str());
        markedStale_ = mustRebuild_ = false;
    } catch (const std::exception& e) {
        std::remove(fresh.c_str());
        error = std::string("cannot rebuild ") + path_ + ": " + e.what();
        if (!file_) {
            // Whatever the old file holds, it is no longer current.
            problem_ = error;
            tags_.clear();
        }
        return false;
    }
    return true;
}

bool CdxIndex::tableRewritten(const Progress& progress, std::string& error)
{
    if (rebuild(progress, error))
        return true;
    // The old tags point at the old record numbers: none are better than those.
    refuse(error);
    return false;
}

CdxIndex::CheckReport CdxIndex::check()
{
    CheckReport report;
    std::vector<std::string>& problems = report.problems;
    size_t foreignCase = 0;
    if (!file_) {
        problems.push_back(problem_.empty() ? "no index file" : problem_);
        return report;
    }
    try {
        file_->flush();
        std::unordered_set<uint32_t> pages;
        CheckResult dir;
        checkTag(file_->directory(), pages, dir, nullptr);
        for (auto& p : dir.problems)
            problems.push_back("tag directory: " + p);
        for (size_t i = 0; i < file_->tagCount(); ++i) {
            pages.insert(file_->tag(i).headerOffset());
            pages.insert(file_->tag(i).headerOffset() + kPageSize);
        }
        for (auto& t : tags_) {
            if (problems.size() >= kMaxReported)
                break;
            const Fill f{t.tag, t.keys.get()};
            RunFile runs(folderOf(path_));
            MergedKeys want(std::move(gatherKeys(&f, 1, runs, nullptr)[0]), &runs);
            const uint8_t* wantKey = nullptr;
            uint32_t wantRecno = 0;
            CheckResult r;
            size_t at = 0, wrong = 0;
            const std::string& name = t.tag->name();
            checkTag(*t.tag, pages, r, [&](const uint8_t* key, uint32_t recno) {
                const int kl = t.keys->keyLen();
                if (!want.next(wantKey, wantRecno)) {
                    if (wrong++ < 3)
                        problems.push_back("tag " + name + ": extra entry for record " + std::to_string(recno) + " " +
                                           describeKey(key, size_t(kl)));
                } else if (recno == wantRecno && std::memcmp(key, wantKey, size_t(kl)) != 0 &&
                           foldsTo(key, wantKey, size_t(kl))) {
                    ++foreignCase;
                } else if (recno != wantRecno || std::memcmp(key, wantKey, size_t(kl)) != 0) {
                    if (wrong++ < 3)
                        problems.push_back("tag " + name + ", entry " + std::to_string(at + 1) + ": record " +
                                           std::to_string(recno) + " " + describeKey(key, size_t(kl)) +
                                           " where record " + std::to_string(wantRecno) + " " +
                                           describeKey(wantKey, size_t(kl)) + " belongs");
                }
                ++at;
            });
            for (auto& p : r.problems)
                problems.push_back(p);
            if (r.ok() && at < want.size())
                problems.push_back("tag " + name + " lacks " + std::to_string(want.size() - at) + " of " +
                                   std::to_string(want.size()) + " entries");
        }
    } catch (const std::exception& e) {
        problems.push_back(std::string("damaged: ") + e.what());
    }
    if (problems.size() > kMaxReported)
        problems.resize(kMaxReported);
    report.foreignCase = foreignCase;
    if (foreignCase)
        report.notes.push_back(std::to_string(foreignCase) +
                               " keys hold letters in another case than this engine's UPPER gives, as another program "
                               "wrote them; they sort alike, and a reindex writes them anew");
    return report;
}

} // namespace xb::cdx

namespace xb {

std::unique_ptr<StructuralIndex> openStructuralIndex(Table& table, std::string& error)
{
    (void)error;
    return cdx::CdxIndex::open(table, cdx::indexPathFor(table.path()));
}

} // namespace xb
