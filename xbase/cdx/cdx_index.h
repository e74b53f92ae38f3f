#pragma once
// The structural compound index of one table: its tags as orders, kept current
// through every write of the table, built in bulk, rebuilt after a pack, and
// checked against keys recomputed from the records.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "xbase/cdx/index_file.h"
#include "xbase/cdx/key_maker.h"
#include "xbase/cdx/key_sorter.h"
#include "xbase/cdx/tag_order.h"
#include "xbase/structural_index.h"

namespace xb::cdx {

using Progress = std::function<void(int percent)>;

// The index file beside a table: same base name, extension .cdx in any letter case
// (an existing file wins; a new one follows the case of the table's extension).
std::string indexPathFor(const std::string& tablePath);

// Memory for the keys a build holds at once (64 MB unless set), the working memory of
// their sort included; keys beyond it go to a temporary file in sorted runs.
void setKeyMemory(size_t bytes);
size_t keyMemory();

class CdxIndex final : public StructuralIndex {
public:
    ~CdxIndex() override;
    // The table's index file at path. A missing or damaged file still gives an index,
    // one without tags whose problem() says why, so that the table opens and its tags
    // can be built anew (adding the first tag replaces the file).
    static std::unique_ptr<CdxIndex> open(Table& table, const std::string& path);
    // A new empty index file; nullptr and a message on failure.
    static std::unique_ptr<CdxIndex> create(Table& table, const std::string& path, std::string& error);

    const std::string& problem() const { return problem_; }
    bool usable() const { return file_ != nullptr; }

    int orderCount() const override { return int(tags_.size()); }
    Order* order(int number) override;
    std::string orderName(int number) const override;
    std::string path() const override { return file_ ? path_ : std::string(); }

    bool recordWritten(long recno, const char* before, const char* after, std::string& error) override;
    // Marks the index out of date (a synced file beside it) until the rebuild after
    // the pack has replaced it; an open that finds the mark rebuilds every tag.
    bool tableRewriting(std::string& error) override;
    bool tableRewritten(const Progress& progress, std::string& error) override;
    bool committed(std::string& error) override;

    // Order (1-based) of the named tag, any case; 0 when absent.
    int find(std::string_view name) const;
    const KeyMaker& keyMaker(int number) const { return *tags_[size_t(number - 1)].keys; }
    TagOrder& tagOrder(int number) { return *tags_[size_t(number - 1)].order; }
    Tag& tag(int number) { return *tags_[size_t(number - 1)].tag; }

    struct NewTag {
        std::string_view name;
        std::string keyExpr;
        std::string forExpr;
    };
    // Adds ascending tags (each replacing one of the same name) built from every
    // record, reading the records once per group of tags rather than once per tag;
    // the order of the last, 0 with a message on failure. progress goes 0..100 for
    // each tag in turn.
    int addTags(const std::vector<NewTag>& tags, const Progress& progress, std::string& error);
    // Rebuilds every tag from its expression into a fresh file.
    bool rebuild(const Progress& progress, std::string& error);
    // Every tag walked and compared with keys recomputed from the records.
    struct CheckReport {
        std::vector<std::string> problems; // the first differences; none when all is well
        std::vector<std::string> notes;    // harmless findings
        size_t foreignCase = 0;            // keys another program upper-cased otherwise
    };
    CheckReport check();
    void flush();

    // A tag to build and its keys.
    struct Fill {
        Tag* tag;
        const KeyMaker* keys;
    };

private:
    struct TagEntry {
        Tag* tag;
        std::unique_ptr<KeyMaker> keys;
        std::unique_ptr<TagOrder> order;
    };
    CdxIndex(Table& table, std::string path) : table_(table), path_(std::move(path)) {}
    bool attachTags(std::string& error);
    // Leaves the index without tags, problem() saying why.
    void refuse(const std::string& problem);
    void repairStale();
    // "<index>.stale" stands while the index may disagree with the records: from the
    // first write-back of an exclusive session to its clean close, and across a pack.
    std::string stalePath() const { return path_ + ".stale"; }
    // A rebuild writes the fresh file here and renames it over the index.
    std::string freshPath() const { return path_ + ".new"; }
    bool markStale(std::string& error);
    void clearStale();
    // Exclusive use only: shared writers could not agree on who clears the mark.
    void markStaleBeforeWriting();
    // Builds the tags from the records, reading the table once per group of tags.
    void fill(const std::vector<Fill>& tags, const Progress& progress);
    // Each tag's keys for every record, those beyond memory (the tags' share of
    // keyMemory()) in sorted runs in runs; progress goes from 0 to 80. Throws when a
    // record cannot be read or a run written.
    std::vector<GatheredKeys> gatherKeys(const Fill* tags, size_t count, RunFile& runs, const Progress& progress);
    bool removeEntry(Tag& tag, const std::string& key, uint32_t recno);
    // After a change the index could not take: marks it out of date, drops its tags
    // for the rest of the session, and adds to error what becomes of it; false.
    bool giveUp(std::string& error);

    Table& table_;
    std::string path_;
    std::string problem_;
    std::unique_ptr<IndexFile> file_;
    std::vector<TagEntry> tags_;
    std::string key_, oldKey_;
    bool markedStale_ = false; // this index wrote the mark
    bool mustRebuild_ = false; // the table was rewritten; only a rebuild clears the mark
};

} // namespace xb::cdx
