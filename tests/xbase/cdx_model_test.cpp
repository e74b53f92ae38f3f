// The index against a simple in-memory model: random appends, edits, deletes,
// recalls, packs and reopenings through the engine calls; after every batch the
// check passes and every tag lists the records in the model's sort. The same runs
// start from index files another program packed (the bulk-built fixture, and our
// own files with their pages packed tighter and with other bit widths), and every
// batch is compared with a fresh rebuild.
#include "addressfile/addresslayout.h"
#include "foreign_cdx.h"
#include "test_tables.h"

#include "xbase/cdx/cdx_index.h"
#include "xbase/cdx/cursor.h"
#include "xbase/engine.h"
#include "xbase/sx.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <random>

namespace {

xb::cdx::CdxIndex* currentIndex()
{
    return dynamic_cast<xb::cdx::CdxIndex*>(xb::Engine::instance().current()->index());
}

// Every tag's entries, key bytes and record number, in tag order.
std::vector<std::vector<std::pair<std::string, uint32_t>>> allEntries(xb::cdx::CdxIndex& index)
{
    std::vector<std::vector<std::pair<std::string, uint32_t>>> out;
    for (int i = 1; i <= index.orderCount(); ++i) {
        xb::cdx::Tag& tag = index.tag(i);
        xb::cdx::Cursor c(tag);
        out.emplace_back();
        for (bool ok = c.first(); ok; ok = c.next())
            out.back().emplace_back(std::string(reinterpret_cast<const char*>(c.key()), size_t(tag.keyLen())),
                                    c.recno());
    }
    return out;
}

// The current area's index is clean, and a copy of the files as they are on disk
// holds the same entries, both as read and after a rebuild.
void expectSameAsFreshRebuild(const std::string& table)
{
    sx_Commit();
    xb::cdx::CdxIndex* index = currentIndex();
    ASSERT_NE(index, nullptr);
    ASSERT_TRUE(index->usable()) << index->problem();
    const auto report = index->check();
    ASSERT_TRUE(report.problems.empty()) << report.problems.front();
    const auto entries = allEntries(*index);
    namespace fs = std::filesystem;
    const fs::path copy = fs::path(table).parent_path() / "rebuilt";
    fs::create_directories(copy);
    fs::copy_file(table, copy / "t.dbf", fs::copy_options::overwrite_existing);
    fs::copy_file(index->path(), copy / "t.cdx", fs::copy_options::overwrite_existing);
    const int area = sx_Select(0);
    sx_Select(area);
    ASSERT_NE(sx_Use((copy / "t.dbf").c_str(), "REBUILT", SX_EXCLUSIVE, SX_DRIVER_CDX), 0) << sx_LastError();
    const auto onDisk = currentIndex()->check();
    const auto read = allEntries(*currentIndex());
    const bool rebuiltOk = sx_Reindex();
    const auto rebuilt = allEntries(*currentIndex());
    sx_Close();
    sx_Select(area);
    ASSERT_TRUE(onDisk.problems.empty()) << "as written: " << onDisk.problems.front();
    ASSERT_TRUE(rebuiltOk);
    ASSERT_EQ(entries.size(), rebuilt.size());
    for (size_t t = 0; t < entries.size(); ++t) {
        ASSERT_TRUE(entries[t] == read[t]) << "tag " << index->orderName(int(t + 1)) << " reads otherwise from disk";
        ASSERT_TRUE(entries[t] == rebuilt[t]) << "tag " << index->orderName(int(t + 1)) << " differs from a rebuild";
    }
}

constexpr size_t kNameWidth = 40;

struct Row {
    std::string lname, fname, born; // born: yyyymmdd or empty
    double amt = 0;
    bool isdel = false;
    bool marked = false;
};

std::string upperPadded(const std::string& s)
{
    std::string out = s;
    out.resize(kNameWidth, ' ');
    for (char& c : out)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

// What each tag orders by, written out plainly for the model.
struct ModelTag {
    const char* name;
    const char* expr;
    std::string (*key)(const Row&);
};

std::string amountKey(const Row& r)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%020.2f", r.amt + 1e12); // all positive, fixed width: sorts as numbers do
    return buf;
}

const ModelTag kTags[] = {
    {"NAME", "UPPER(LNAME-FNAME)",
     [](const Row& r) {
         std::string l = upperPadded(r.lname);
         const size_t kept = l.find_last_not_of(' ') + 1;
         std::string k = l.substr(0, kept) + upperPadded(r.fname);
         k.resize(2 * kNameWidth, ' ');
         return k;
     }},
    {"LNAME", "UPPER(LNAME)+UPPER(FNAME)", [](const Row& r) { return upperPadded(r.lname) + upperPadded(r.fname); }},
    {"DELETED", "DELETED()", [](const Row& r) { return std::string(r.marked ? "T" : "F"); }},
    {"ISDEL", "ISDEL", [](const Row& r) { return std::string(r.isdel ? "T" : "F"); }},
    {"NOTISDEL", "!ISDEL", [](const Row& r) { return std::string(r.isdel ? "F" : "T"); }},
    {"AMT", "AMT", amountKey},
    {"BORN", "BORN", [](const Row& r) { return r.born.empty() ? std::string(8, ' ') : r.born; }},
};

class Model {
public:
    Model(const std::string& path, unsigned seed) : path_(path), rng_(seed) {}

    void open() { ASSERT_NE(sx_Use(path_.c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX), 0) << sx_LastError(); }

    void createWithTags()
    {
        ASSERT_TRUE(xbtest::createTable(path_, {"LNAME:C:40", "FNAME:C:40", "ISDEL:L:1", "AMT:N:9:2", "BORN:D:8"}));
        open();
        for (const ModelTag& t : kTags)
            ASSERT_GT(sx_IndexTag("", t.name, t.expr, 0, false, ""), 0) << sx_LastError();
    }

    std::string name()
    {
        static const char* parts[] = {"de", "La", "smith", "SMI", "o'", "Mc", "van ", "ann", "X", ""};
        std::string s;
        const int n = int(rng_() % 4);
        for (int i = 0; i < n; ++i)
            s += parts[rng_() % 10];
        return s.substr(0, kNameWidth);
    }

    void setField(Row& row, int which)
    {
        switch (which) {
        case 0:
            row.lname = name();
            sx_Replace("LNAME", SX_EVAL_CHAR, row.lname.c_str());
            break;
        case 1:
            row.fname = name();
            sx_Replace("FNAME", SX_EVAL_CHAR, row.fname.c_str());
            break;
        case 2: {
            row.isdel = rng_() % 2;
            const unsigned char v = row.isdel;
            sx_Replace("ISDEL", SX_EVAL_LOGICAL, &v);
            break;
        }
        case 3:
            row.amt = double(int(rng_() % 200001) - 100000) / 100.0;
            sx_Replace("AMT", SX_EVAL_NUMERIC, &row.amt);
            break;
        default: {
            char d[9];
            std::snprintf(d, sizeof d, "%04u%02u%02u", unsigned(1900 + rng_() % 150), unsigned(1 + rng_() % 12),
                          unsigned(1 + rng_() % 28));
            row.born = rng_() % 5 ? std::string(d) : std::string();
            sx_Replace("BORN", SX_EVAL_DATE, row.born.empty() ? "        " : row.born.c_str());
        }
        }
    }

    void append()
    {
        sx_AppendBlank();
        rows_.emplace_back();
        for (int f = 0; f < 5; ++f)
            if (rng_() % 4)
                setField(rows_.back(), f);
    }

    long pick() { return long(rng_() % rows_.size()) + 1; }

    void step()
    {
        const unsigned op = rng_() % 100;
        if (rows_.empty() || op < 45)
            return append();
        const long r = pick();
        Row& row = rows_[size_t(r - 1)];
        sx_Go(r);
        if (op < 75) {
            setField(row, int(rng_() % 5));
        } else if (op < 88) {
            sx_Delete();
            row.marked = true;
        } else if (op < 96) {
            sx_Recall();
            row.marked = false;
        } else if (op < 98 && packing_) {
            sx_Pack();
            std::erase_if(rows_, [](const Row& x) { return x.marked; });
        } else {
            sx_Close();
            open();
        }
    }

    void expectIndexMatches()
    {
        sx_Commit();
        auto* index = currentIndex();
        ASSERT_NE(index, nullptr);
        const auto report = index->check();
        ASSERT_TRUE(report.problems.empty()) << report.problems.front();
        ASSERT_EQ(sx_RecCount(), long(rows_.size()));
        for (const ModelTag& t : kTags) {
            std::vector<long> want(rows_.size());
            for (size_t i = 0; i < want.size(); ++i)
                want[i] = long(i + 1);
            std::stable_sort(want.begin(), want.end(),
                             [&](long a, long b) { return t.key(rows_[size_t(a - 1)]) < t.key(rows_[size_t(b - 1)]); });
            sx_SetOrder(sx_TagArea(t.name));
            std::vector<long> got;
            for (sx_GoTop(); !sx_Eof(); sx_Skip(1))
                got.push_back(sx_RecNo());
            ASSERT_EQ(got, want) << t.name;
        }
    }

    std::vector<Row> rows_;
    // A pack rebuilds the index in our own encoding: runs that start from another
    // program's pages pack only in their last batch, so those pages see the changes.
    bool packing_ = true;

private:
    std::string path_;
    std::mt19937 rng_;
};

void runModel(unsigned seed, int startRecords, int batches, int stepsPerBatch,
              const xbtest::LeafStyle* repack = nullptr)
{
    xbtest::TempDir dir;
    const std::string table = dir.file("t.dbf");
    Model m(table, seed);
    m.createWithTags();
    sx_SetDeleted(false);
    for (int i = 0; i < startRecords; ++i)
        m.append();
    m.expectIndexMatches();
    if (repack) {
        sx_Close();
        std::string error;
        ASSERT_TRUE(xbtest::repackIndex(table, *repack, error)) << error;
        m.open();
        m.expectIndexMatches();
    }
    for (int b = 0; b < batches && !::testing::Test::HasFatalFailure(); ++b) {
        m.packing_ = !repack || b == batches - 1;
        for (int s = 0; s < stepsPerBatch; ++s)
            m.step();
        m.expectIndexMatches();
        if (repack)
            expectSameAsFreshRebuild(table);
    }
    sx_CloseAll();
}

TEST(CdxModel, SmallFileUnderRandomChanges)
{
    runModel(20261207u, 0, 12, 150);
}

// Pages packed to the last bytes the way other programs pack them, with entry
// layouts this engine does not write: three bytes with only ten record-number bits
// for the long keys (appends soon outgrow them), two bytes for one-byte keys,
// twelve record-number bits in four bytes, five bytes with wider counts.
TEST(CdxModel, ForeignPackedPagesUnderRandomChanges)
{
    const xbtest::LeafStyle styles[] = {{3, 0, 0, 0}, {2, 0, 0, 0}, {4, 12, 0, 2}, {5, 0, 1, 0}};
    unsigned seed = 777u;
    for (const xbtest::LeafStyle& style : styles) {
        SCOPED_TRACE("entry bytes " + std::to_string(style.bytes));
        runModel(seed++, 900, 5, 200, &style);
        if (::testing::Test::HasFatalFailure())
            return;
    }
}

// 80-byte keys put five entries in an interior page: 3000 records make a tree of
// five levels, so splits and merges reach well above the leaves.
TEST(CdxModel, LargeFileUnderRandomChanges)
{
    runModel(424242u, 3000, 6, 400);
}

// Enough records that building reads the table and sorts the keys in two
// threads at once: a rebuild, a tag added to the full file, and a pack.
TEST(CdxModel, BuildsLargeEnoughToSplitTheWork)
{
    xbtest::TempDir dir;
    Model m(dir.file("big.dbf"), 99991u);
    m.createWithTags();
    sx_SetDeleted(false);
    for (int i = 0; i < 30000; ++i)
        m.append();
    ASSERT_TRUE(sx_Reindex()) << sx_LastError();
    m.expectIndexMatches();
    {
        // Runs on disk from both reading threads, merged while the pages are written.
        xbtest::KeyMemory little(size_t(1) << 20);
        ASSERT_TRUE(sx_Reindex()) << sx_LastError();
        m.expectIndexMatches();
    }

    ASSERT_GT(sx_IndexTag("", "LNAME2", "UPPER(LNAME)+UPPER(FNAME)", 0, false, ""), 0) << sx_LastError();
    sx_SetOrder(sx_TagArea("LNAME2"));
    std::vector<long> added;
    for (sx_GoTop(); !sx_Eof(); sx_Skip(1))
        added.push_back(sx_RecNo());
    sx_SetOrder(sx_TagArea("LNAME"));
    std::vector<long> existing;
    for (sx_GoTop(); !sx_Eof(); sx_Skip(1))
        existing.push_back(sx_RecNo());
    EXPECT_EQ(added, existing);

    for (long r = 3; r <= long(m.rows_.size()); r += 5) {
        sx_Go(r);
        sx_Delete();
        m.rows_[size_t(r - 1)].marked = true;
    }
    sx_Pack();
    std::erase_if(m.rows_, [](const Row& x) { return x.marked; });
    m.expectIndexMatches();
    sx_CloseAll();
}

} // namespace

namespace {

// Random writes to a copy of the fixture whose 26 tags another program built in
// bulk, its leaves full to the last few bytes: appends, edits of every field (each
// one a key of some tag), delete marks, recalls, and a pack at the end.
class FixtureRun {
public:
    explicit FixtureRun(unsigned seed) : rng_(seed) {}

    std::string value(const addresslayout::FieldSpec& f)
    {
        if (f.type[0] == 'L')
            return rng_() % 2 ? "T" : "F";
        static const char* words[] = {"Delgado",  "DELGADO", "Dempsey", "Mary Ann",  "Jo",   "o'Neil",
                                      "van Dyke", "Z",       "",        "M\xFCller", "a  b", "Smith"};
        std::string s = words[rng_() % std::size(words)];
        if (rng_() % 2)
            s += std::to_string(rng_() % 100000);
        if (rng_() % 8 == 0)
            s = std::string(size_t(f.width), char('A' + rng_() % 26));
        return s.substr(0, size_t(f.width));
    }

    void setField(const addresslayout::FieldSpec& f)
    {
        const std::string v = value(f);
        if (f.type[0] == 'L') {
            const unsigned char b = v == "T";
            ASSERT_TRUE(sx_Replace(f.name, SX_EVAL_LOGICAL, &b)) << sx_LastError();
        } else {
            ASSERT_TRUE(sx_Replace(f.name, SX_EVAL_CHAR, v.c_str())) << sx_LastError();
        }
    }

    void step()
    {
        const unsigned op = rng_() % 100;
        const long count = sx_RecCount();
        if (op < 25) {
            ASSERT_TRUE(sx_AppendBlank()) << sx_LastError();
            for (const auto& f : addresslayout::kFields)
                if (rng_() % 3)
                    setField(f);
            return;
        }
        sx_Go(long(rng_() % unsigned(count)) + 1);
        if (op < 75) {
            // Every field in turn, so that every tag sees edits.
            setField(addresslayout::kFields[field_++ % addresslayout::kFields.size()]);
        } else if (op < 88) {
            sx_Delete();
        } else {
            sx_Recall();
        }
    }

private:
    std::mt19937 rng_;
    size_t field_ = 0;
};

TEST(CdxModel, BulkBuiltFixtureUnderRandomChanges)
{
    xbtest::TempDir dir;
    const std::string table = dir.file("t.dbf");
    std::filesystem::copy_file(xbtest::fixture("bulk3k.dbf"), table);
    std::filesystem::copy_file(xbtest::fixture("bulk3k.cdx"), dir.file("t.cdx"));
    ASSERT_NE(sx_Use(table.c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX), 0) << sx_LastError();
    sx_SetDeleted(false);
    FixtureRun run(31337u);
    for (int batch = 0; batch < 8 && !HasFatalFailure(); ++batch) {
        for (int s = 0; s < 120 && !HasFatalFailure(); ++s)
            run.step();
        expectSameAsFreshRebuild(table);
    }
    ASSERT_TRUE(sx_Pack()) << sx_LastError();
    expectSameAsFreshRebuild(table);
    sx_CloseAll();
}

} // namespace
