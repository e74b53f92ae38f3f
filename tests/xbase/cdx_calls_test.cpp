// The index calls: progress reports, scopes, key texts, closing and reopening the
// index, the index file's letter case, a damaged index, and xbtool's index commands.
#include "support/file_size_limit.h"
#include "test_tables.h"

#include "xbase/cdx/cdx_index.h"
#include "xbase/cdx/index_file.h"
#include "xbase/engine.h"
#include "xbase/sx.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

void expectCurrentIndexClean()
{
    auto* index = dynamic_cast<xb::cdx::CdxIndex*>(xb::Engine::instance().current()->index());
    ASSERT_NE(index, nullptr);
    const auto report = index->check();
    EXPECT_TRUE(report.problems.empty()) << report.problems.front();
}

class IndexCalls : public ::testing::Test {
protected:
    void SetUp() override
    {
        path_ = dir_.file("people.dbf");
        ASSERT_TRUE(xbtest::createTable(path_, {"NAME:C:10", "CITY:C:8", "GONE:L:1"}));
        ASSERT_NE(sx_Use(path_.c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX), 0);
        const char* rows[][2] = {
            {"delta", "Rome"}, {"alpha", "Oslo"}, {"Charlie", "Rome"}, {"bravo", "Bern"}, {"ECHO", "Oslo"}};
        for (auto& r : rows) {
            sx_AppendBlank();
            sx_Replace("NAME", SX_EVAL_CHAR, r[0]);
            sx_Replace("CITY", SX_EVAL_CHAR, r[1]);
        }
        sx_Commit();
    }
    void TearDown() override
    {
        sx_SetGaugeHook({});
        sx_CloseAll();
    }
    std::vector<long> visit()
    {
        std::vector<long> out;
        for (sx_GoTop(); !sx_Eof(); sx_Skip(1))
            out.push_back(sx_RecNo());
        return out;
    }
    xbtest::TempDir dir_;
    std::string path_;
};

TEST_F(IndexCalls, ProgressRunsFromZeroToHundredForEachTag)
{
    std::vector<int> reports;
    sx_SetGaugeHook([&](int p) { reports.push_back(p); });
    ASSERT_EQ(sx_IndexTag("", "NAME", "UPPER(NAME)", 0, false, ""), 1);
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.front(), 0);
    EXPECT_EQ(reports.back(), 100);
    EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end()));
    ASSERT_EQ(sx_IndexTag("", "CITY", "UPPER(CITY+NAME)", 0, false, ""), 2);
    reports.clear();
    ASSERT_TRUE(sx_Reindex());
    EXPECT_EQ(std::count(reports.begin(), reports.end(), 0), 2) << "a restart for each tag";
    EXPECT_EQ(std::count(reports.begin(), reports.end(), 100), 2);
}

TEST_F(IndexCalls, SeveralTagsAtOnceFromOneReading)
{
    std::vector<int> reports;
    sx_SetGaugeHook([&](int p) { reports.push_back(p); });
    const sx_TagSpec twice[] = {{"CITY", "UPPER(NAME)", nullptr}, {"city", "CITY", nullptr}};
    EXPECT_EQ(sx_IndexTags("", twice, 2), 0);
    EXPECT_EQ(sx_LastError(), "the tag name city is given twice");
    const sx_TagSpec tags[] = {{"NAME", "UPPER(NAME)", nullptr}, {"CITY", "UPPER(CITY+NAME)", "CITY <> 'Bern'"}};
    ASSERT_EQ(sx_IndexTags("", tags, 2), 2);
    EXPECT_EQ(sx_IndexOrd(), 2) << "the last tag becomes the order";
    EXPECT_EQ(visit(), (std::vector<long>{2, 5, 3, 1}));
    sx_SetOrder(1);
    EXPECT_EQ(visit(), (std::vector<long>{2, 4, 3, 1, 5}));
    EXPECT_EQ(std::count(reports.begin(), reports.end(), 0), 2) << "a restart for each tag";
    expectCurrentIndexClean();
}

TEST_F(IndexCalls, ScopeBoundsTheOrderByKeyPrefixes)
{
    ASSERT_EQ(sx_IndexTag("", "NAME", "UPPER(NAME)", 0, false, ""), 1);
    EXPECT_EQ(visit(), (std::vector<long>{2, 4, 3, 1, 5}));
    ASSERT_TRUE(sx_SetScope("B", "D"));
    EXPECT_EQ(visit(), (std::vector<long>{4, 3, 1}));
    sx_GoBottom();
    EXPECT_EQ(sx_RecNo(), 1);
    sx_Skip(-1);
    EXPECT_EQ(sx_RecNo(), 3);
    EXPECT_FALSE(sx_Seek("E")) << "outside the scope";
    ASSERT_TRUE(sx_SetScope("", ""));
    EXPECT_EQ(visit().size(), 5u);
    sx_SetOrder(0);
    EXPECT_FALSE(sx_SetScope("A", "B")) << "record order has no keys";
}

TEST_F(IndexCalls, KeysOrdersAndTheIndexFile)
{
    EXPECT_EQ(sx_IndexName(1), "");
    ASSERT_EQ(sx_IndexTag("", "NAME", "UPPER(NAME)", 0, false, ""), 1);
    ASSERT_EQ(sx_IndexTag("", "CITY", "UPPER(CITY+NAME)", 0, false, ""), 2);
    EXPECT_EQ(sx_IndexOrd(), 2) << "the new tag becomes the order";
    EXPECT_EQ(sx_IndexName(1), dir_.file("people.cdx"));
    EXPECT_EQ(sx_TagName(2), "CITY");
    EXPECT_EQ(sx_TagArea("city"), 2);
    sx_Go(3);
    EXPECT_EQ(sx_IndexKey(), "ROME    CHARLIE   ");
    EXPECT_EQ(sx_KeyData(), sx_IndexKey());
    EXPECT_EQ(sx_IndexKeyField(), "UPPER(CITY+NAME)");
    EXPECT_EQ(sx_SetOrder(1), 2);
    EXPECT_EQ(sx_SetOrder(9), 1) << "an order beyond the tags changes nothing";
    EXPECT_EQ(sx_IndexOrd(), 1);
    EXPECT_EQ(sx_IndexTag("", "BAD", "NOSUCHFIELD", 0, false, ""), 0);
    EXPECT_EQ(sx_IndexTag("", "DESC", "NAME", 0, true, ""), 0) << "descending tags are refused";
    sx_CloseIndexes();
    EXPECT_EQ(sx_TagArea("NAME"), 0);
    EXPECT_EQ(sx_IndexOrd(), 0);
    EXPECT_EQ(sx_IndexOpen(""), 1);
    EXPECT_EQ(sx_TagArea("CITY"), 2);
    EXPECT_EQ(visit(), (std::vector<long>{2, 4, 3, 1, 5}));
}

TEST_F(IndexCalls, ConditionLeavesRecordsOutAndKeepsThemCurrent)
{
    ASSERT_EQ(sx_IndexTag("", "HERE", "UPPER(NAME)", 0, false, "!GONE"), 1) << sx_LastError();
    const unsigned char yes = 1, no = 0;
    sx_Go(4);
    sx_Replace("GONE", SX_EVAL_LOGICAL, &yes);
    sx_Commit();
    EXPECT_EQ(visit(), (std::vector<long>{2, 3, 1, 5}));
    sx_Go(4);
    sx_Replace("GONE", SX_EVAL_LOGICAL, &no);
    sx_Go(1);
    sx_Replace("GONE", SX_EVAL_LOGICAL, &yes);
    sx_Commit();
    EXPECT_EQ(visit(), (std::vector<long>{2, 4, 3, 5}));
    ASSERT_TRUE(sx_Reindex());
    EXPECT_EQ(visit(), (std::vector<long>{2, 4, 3, 5}));
}

TEST_F(IndexCalls, NumericKeysSortAndSeekAsNumbers)
{
    const double amounts[] = {12.5, -3, 100, 0, -250};
    ASSERT_TRUE(xbtest::createTable(dir_.file("sums.dbf"), {"AMT:N:8:2"}));
    ASSERT_NE(sx_Use(dir_.file("sums.dbf").c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX), 0);
    for (double a : amounts) {
        sx_AppendBlank();
        sx_Replace("AMT", SX_EVAL_NUMERIC, &a);
    }
    ASSERT_EQ(sx_IndexTag("", "AMT", "AMT", 0, false, ""), 1) << sx_LastError();
    EXPECT_EQ(visit(), (std::vector<long>{5, 2, 4, 1, 3}));
    EXPECT_TRUE(sx_Seek("12.5"));
    EXPECT_EQ(sx_RecNo(), 1);
    sx_SetSoftSeek(true);
    EXPECT_FALSE(sx_Seek("-4"));
    EXPECT_EQ(sx_RecNo(), 2) << "the next greater number";
    sx_SetSoftSeek(false);
}

TEST_F(IndexCalls, AnIndexFileInCapitalsIsFound)
{
    ASSERT_GT(sx_IndexTag("", "NAME", "UPPER(NAME)", 0, false, ""), 0);
    sx_CloseAll();
    fs::rename(dir_.file("people.cdx"), dir_.file("people.CDX"));
    ASSERT_NE(sx_Use(path_.c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX), 0);
    EXPECT_EQ(sx_TagArea("NAME"), 1);
    sx_AppendBlank();
    sx_Replace("NAME", SX_EVAL_CHAR, "aaron");
    sx_Commit();
    sx_SetOrder(1);
    sx_GoTop();
    EXPECT_EQ(sx_RecNo(), 6);
    EXPECT_FALSE(fs::exists(dir_.file("people.cdx")));
}

TEST_F(IndexCalls, ADamagedIndexIsReportedAndCanBeReplaced)
{
    ASSERT_GT(sx_IndexTag("", "NAME", "UPPER(NAME)", 0, false, ""), 0);
    sx_CloseAll();
    const std::string cdx = dir_.file("people.cdx");
    {
        std::fstream f(cdx, std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(0);
        const char junk[16] = {'\x7f', '\x7f', '\x7f', '\x7f', 0, 0, 0, 0, 0, 0, 0, 0, 9, 0};
        f.write(junk, sizeof junk);
    }
    int status = 0;
    const std::string out = xbtest::runCommand(std::string(ADDRINA_BIN_DIR) + "/xbtool check " + path_, &status);
    EXPECT_EQ(status >> 8, 1) << out;
    EXPECT_NE(out.find("damaged"), std::string::npos) << out;
    ASSERT_NE(sx_Use(path_.c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX), 0) << "the table still opens";
    EXPECT_EQ(sx_TagArea("NAME"), 0);
    EXPECT_EQ(sx_IndexTag("", "NAME", "UPPER(NAME)", 0, false, ""), 1) << sx_LastError();
    EXPECT_EQ(visit(), (std::vector<long>{2, 4, 3, 1, 5}));
}

// A pack whose tags cannot be rebuilt (the disk refuses the new index): the old
// tags are dropped at once, and the mark outlives the close, so the next
// exclusive open rebuilds them.
TEST(IndexPack, TagsThatCannotBeRebuiltAreDroppedAndRebuiltAtTheNextOpen)
{
    xbtest::TempDir dir;
    const std::string path = dir.file("wide.dbf"), stale = dir.file("wide.cdx") + ".stale";
    ASSERT_TRUE(xbtest::createTable(path, {"TEXT:C:40"}));
    ASSERT_NE(sx_Use(path.c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX), 0);
    for (int i = 1; i <= 300; ++i) {
        sx_AppendBlank();
        sx_Replace("TEXT", SX_EVAL_CHAR, ("record " + std::to_string(i)).c_str());
        if (i % 3 == 0)
            sx_Delete();
    }
    // Long keys make the index far larger than the table.
    ASSERT_NE(sx_IndexTag("", "WIDE", "TEXT+TEXT+TEXT+TEXT+TEXT+TEXT", 0, false, ""), 0) << sx_LastError();
    ASSERT_TRUE(sx_Commit());
    ASSERT_GT(fs::file_size(dir.file("wide.cdx")), fs::file_size(path));
    {
        FileSizeLimit full(static_cast<long long>(fs::file_size(path)));
        EXPECT_FALSE(sx_Pack());
        EXPECT_NE(sx_LastError().find("File too large"), std::string::npos) << sx_LastError();
        EXPECT_EQ(sx_RecCount(), 200);
        EXPECT_EQ(sx_TagArea("WIDE"), 0);
        sx_Close();
    }
    EXPECT_TRUE(fs::exists(stale));

    ASSERT_NE(sx_Use(path.c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX), 0) << sx_LastError();
    EXPECT_FALSE(fs::exists(stale));
    ASSERT_NE(sx_TagArea("WIDE"), 0);
    expectCurrentIndexClean();
    sx_CloseAll();
}

// A build whose keys go to disk in sorted runs fails like any index write when the
// disk refuses them, leaving the index as it was and nothing else in the folder; in
// memory the same build fits.
TEST(IndexFailure, SortedRunsTheDiskRefusesFailTheRebuildCleanly)
{
    xbtest::TempDir dir;
    const std::string path = dir.file("runs.dbf"), cdx = dir.file("runs.cdx");
    ASSERT_TRUE(xbtest::createTable(path, {"TEXT:C:40"}));
    ASSERT_NE(sx_Use(path.c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX), 0);
    for (int i = 1; i <= 2000; ++i) {
        sx_AppendBlank();
        sx_Replace("TEXT", SX_EVAL_CHAR, ("record " + std::to_string(i * 7919 % 2000)).c_str());
    }
    ASSERT_NE(sx_IndexTag("", "TEXT", "UPPER(TEXT)", 0, false, ""), 0) << sx_LastError();
    ASSERT_TRUE(sx_Commit());
    // Room for the new index, not for the runs, whose entries are packed less tightly.
    const auto room = static_cast<long long>(fs::file_size(cdx));
    {
        xbtest::KeyMemory little(4096);
        FileSizeLimit full(room);
        EXPECT_FALSE(sx_Reindex());
        EXPECT_NE(sx_LastError().find("File too large"), std::string::npos) << sx_LastError();
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.file("")), {}), 2) << "only the table and its index";
    ASSERT_NE(sx_TagArea("TEXT"), 0);
    expectCurrentIndexClean();
    {
        FileSizeLimit full(room);
        EXPECT_TRUE(sx_Reindex()) << sx_LastError();
    }
    expectCurrentIndexClean();
    sx_CloseAll();
}

// A rebuild stopped before it replaced the index leaves its half-written copy beside
// it; the next exclusive open, which no rebuild can be running beside, removes it.
TEST_F(IndexCalls, TheNextExclusiveOpenRemovesACopyAStoppedRebuildLeft)
{
    ASSERT_EQ(sx_IndexTag("", "NAME", "UPPER(NAME)", 0, false, ""), 1) << sx_LastError();
    sx_CloseAll();
    const std::string copy = dir_.file("people.cdx") + ".new";
    std::ofstream(copy) << "half a file";
    ASSERT_NE(sx_Use(path_.c_str(), "", SX_SHARED, SX_DRIVER_CDX), 0);
    sx_CloseAll();
    EXPECT_TRUE(fs::exists(copy)) << "another program may be rebuilding";
    ASSERT_NE(sx_Use(path_.c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX), 0);
    EXPECT_FALSE(fs::exists(copy));
    EXPECT_EQ(visit(), (std::vector<long>{1, 2, 3, 4, 5}));
}

// Index changes that fail after their table write (the disk refusing the index's
// pages, a damaged page on the way): the write reports it, the index is dropped for
// the session and marked, and the next exclusive open rebuilds it from the records.
TEST(IndexFailure, AChangeTheIndexCannotTakeMarksItForARebuild)
{
    xbtest::TempDir dir;
    const std::string path = dir.file("wide.dbf"), cdx = dir.file("wide.cdx"), stale = cdx + ".stale";
    ASSERT_TRUE(xbtest::createTable(path, {"TEXT:C:40"}));
    ASSERT_NE(sx_Use(path.c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX), 0);
    ASSERT_NE(sx_IndexTag("", "WIDE", "TEXT+TEXT+TEXT+TEXT+TEXT+TEXT", 0, false, ""), 0) << sx_LastError();
    ASSERT_TRUE(sx_Commit());
    long added = 0;
    {
        // Room for the table's records, none for the index to grow.
        FileSizeLimit full(static_cast<long long>(fs::file_size(cdx)));
        bool ok = true;
        while (ok && added < 200) {
            sx_AppendBlank();
            sx_Replace("TEXT", SX_EVAL_CHAR, ("record " + std::to_string(++added)).c_str());
            ok = sx_Commit();
        }
        ASSERT_FALSE(ok);
        EXPECT_NE(sx_LastError().find("out of date"), std::string::npos) << sx_LastError();
        EXPECT_EQ(sx_TagArea("WIDE"), 0) << "the tags are not used again this session";
        EXPECT_EQ(sx_RecCount(), added) << "the records reached the table before the index failed";
        sx_Close();
    }
    EXPECT_TRUE(fs::exists(stale)) << "the mark outlives the close";

    // A damaged page where the next key goes: the append is not made at all.
    {
        ASSERT_NE(sx_Use(path.c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX), 0) << sx_LastError();
        EXPECT_FALSE(fs::exists(stale)) << "rebuilt";
        sx_Close();
        auto file = xb::cdx::IndexFile::open(cdx, true);
        xb::cdx::Tag& tag = file->tag(0);
        uint32_t page = tag.header().root;
        while (!tag.node(page).leaf())
            page = tag.node(page).children.back();
        file.reset();
        std::fstream f(cdx, std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(page + 23);
        f.put(0); // no bytes per entry
    }
    ASSERT_NE(sx_Use(path.c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX), 0);
    sx_AppendBlank();
    sx_Replace("TEXT", SX_EVAL_CHAR, "zzz last");
    EXPECT_FALSE(sx_Commit());
    EXPECT_NE(sx_LastError().find("out of date"), std::string::npos) << sx_LastError();
    EXPECT_EQ(sx_RecCount(), added) << "the failed append added nothing";
    sx_Close();
    ASSERT_NE(sx_Use(path.c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX), 0);
    EXPECT_EQ(sx_RecCount(), added);
    ASSERT_NE(sx_TagArea("WIDE"), 0);
    expectCurrentIndexClean();
    sx_CloseAll();
}

TEST(IndexTool, CommandsBuildCheckSeekAndList)
{
    xbtest::TempDir dir;
    const std::string dbf = dir.file("small.dbf");
    fs::copy_file(xbtest::fixture("small.dbf"), dbf);
    fs::permissions(dbf, fs::perms::owner_write, fs::perm_options::add);
    const std::string tool = std::string(ADDRINA_BIN_DIR) + "/xbtool ";
    int status = 0;
    xbtest::runCommand(tool + "index " + dbf + " LNAME='UPPER(LNAME)+UPPER(FNAME)' ZIP='UPPER(ZIP)'", &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(xbtest::runCommand(tool + "seek " + dbf + " --tag lname --deleted off SMI", &status),
              "found 9 3 10 91 193\n");
    EXPECT_EQ(xbtest::runCommand(tool + "seek " + dbf + " --tag ZIP --soft on 99999"), "not found 6\n");
    EXPECT_EQ(xbtest::runCommand(tool + "seek " + dbf + " --tag ZIP A"), "not found eof\n");
    const std::string keys = xbtest::runCommand(tool + "keys " + dbf + " ZIP", &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(keys.substr(keys.rfind('\n', keys.size() - 2) + 1), "6\tK1A 0B1   |\n");
    const std::string check = xbtest::runCommand(tool + "check " + dbf, &status);
    EXPECT_EQ(status, 0) << check;
    xbtest::runCommand(tool + "set " + dbf + " 5 ZIP=00000", &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(xbtest::runCommand(tool + "seek " + dbf + " --tag ZIP 0").substr(0, 8), "found 5 ")
        << "the only zip below 1";
    xbtest::runCommand(tool + "check " + dbf, &status);
    EXPECT_EQ(status, 0) << "set kept the tags current";
    xbtest::runCommand(tool + "reindex " + dbf, &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(xbtest::runCommand(tool + "seek " + dbf + " --tag ZIP 0").substr(0, 8), "found 5 ");
}

} // namespace

// Tags added in one call that the disk cannot take partway through: the call fails, no
// half-built tag is offered, and the file stays marked out of date even when the disk has
// room again by the close, so no later open takes the unbuilt tags for good ones.
TEST(IndexFailure, TagsThatCannotAllBeBuiltAreNeverTakenForBuiltOnes)
{
    xbtest::TempDir dir;
    const std::string path = dir.file("wide.dbf"), cdx = dir.file("wide.cdx");
    ASSERT_TRUE(xbtest::createTable(path, {"TEXT:C:40"}));
    ASSERT_NE(sx_Use(path.c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX), 0);
    for (int i = 1; i <= 300; ++i) {
        sx_AppendBlank();
        sx_Replace("TEXT", SX_EVAL_CHAR, ("record " + std::to_string(i)).c_str());
    }
    ASSERT_NE(sx_IndexTag("", "SHORT", "TEXT", 0, false, ""), 0) << sx_LastError();
    ASSERT_TRUE(sx_Commit());
    {
        // Room for the first new tag, not for the wide one after it.
        FileSizeLimit full(static_cast<long long>(fs::file_size(cdx)) + 20000);
        const sx_TagSpec tags[] = {
            {"ONE", "TEXT", nullptr}, {"WIDE", "TEXT+TEXT+TEXT+TEXT+TEXT+TEXT", nullptr}, {"LAST", "TEXT", nullptr}};
        EXPECT_EQ(sx_IndexTags("", tags, 3), 0);
        EXPECT_NE(sx_LastError().find("cannot build tags in "), std::string::npos) << sx_LastError();
        EXPECT_NE(sx_LastError().find("File too large"), std::string::npos) << sx_LastError();
        EXPECT_EQ(sx_TagArea("WIDE"), 0);
        EXPECT_EQ(sx_TagArea("LAST"), 0);
    }
    sx_Close();
    EXPECT_TRUE(fs::exists(cdx + ".stale"));

    ASSERT_NE(sx_Use(path.c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX), 0) << sx_LastError();
    EXPECT_EQ(sx_TagArea("WIDE"), 0);
    EXPECT_EQ(sx_TagArea("LAST"), 0);
    sx_CloseAll();
}
