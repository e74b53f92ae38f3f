// Index files written by another xBase engine: every tag read key for key, orders
// with delete-marked records shown and hidden, seeks, the check, edits on a copy,
// and files of our own built from the same records.
#include "test_tables.h"

#include "xbase/cdx/cdx_index.h"
#include "xbase/cdx/cursor.h"
#include "xbase/engine.h"
#include "xbase/sx.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using xb::cdx::CdxIndex;

std::vector<long> numbers(const nlohmann::json& v)
{
    std::vector<long> out;
    for (const auto& n : v)
        out.push_back(n.get<int>());
    return out;
}

CdxIndex& currentIndex()
{
    auto* index = dynamic_cast<CdxIndex*>(xb::Engine::instance().current()->index());
    EXPECT_NE(index, nullptr);
    return *index;
}

// Record numbers in the current order, as navigation visits them.
std::vector<long> visit()
{
    std::vector<long> out;
    for (sx_GoTop(); !sx_Eof(); sx_Skip(1))
        out.push_back(sx_RecNo());
    return out;
}

std::vector<long> visitBackwards()
{
    std::vector<long> out;
    for (sx_GoBottom(); !sx_Bof() && !sx_Eof(); sx_Skip(-1))
        out.insert(out.begin(), sx_RecNo());
    return out;
}

// Every tag's order, with marked records shown and hidden, as the producing engine listed it.
void expectOrders(const nlohmann::json& json, bool backwardsToo)
{
    for (const auto& t : json["tags"]) {
        const nlohmann::json& tag = t;
        const std::string name = tag["name"].get<std::string>();
        const int order = sx_TagArea(name.c_str());
        ASSERT_GT(order, 0) << name;
        sx_SetOrder(order);
        EXPECT_EQ(sx_IndexKeyField(), tag["expr"].get<std::string>());
        sx_SetDeleted(false);
        EXPECT_EQ(visit(), numbers(tag["deleted_off"])) << name;
        sx_SetDeleted(true);
        EXPECT_EQ(visit(), numbers(tag["deleted_on"])) << name;
        if (backwardsToo) {
            EXPECT_EQ(visitBackwards(), numbers(tag["deleted_on"])) << name;
        }
    }
    sx_SetDeleted(false);
}

std::string copyFixture(const xbtest::TempDir& dir, const std::string& name, bool withIndex)
{
    const std::string dbf = dir.file(name + ".dbf");
    fs::copy_file(xbtest::fixture(name + ".dbf"), dbf);
    fs::permissions(dbf, fs::perms::owner_write, fs::perm_options::add);
    if (withIndex) {
        fs::copy_file(xbtest::fixture(name + ".cdx"), dir.file(name + ".cdx"));
        fs::permissions(dir.file(name + ".cdx"), fs::perms::owner_write, fs::perm_options::add);
    }
    return dbf;
}

void expectCheckPasses()
{
    const auto report = currentIndex().check();
    EXPECT_TRUE(report.problems.empty()) << report.problems.front();
}

class FixtureIndex : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override { json_ = xbtest::expectedJson(GetParam()); }
    void TearDown() override
    {
        sx_CloseAll();
        sx_SetDeleted(false);
        sx_SetExact(false);
        sx_SetSoftSeek(false);
    }
    void open(const std::string& path, int mode)
    {
        ASSERT_NE(sx_Use(path.c_str(), "", mode, SX_DRIVER_CDX), 0) << sx_LastError();
    }
    nlohmann::json json_;
};

TEST_P(FixtureIndex, EveryKeyReadsAsTheProducerListedIt)
{
    open(xbtest::fixture(GetParam() + ".dbf"), SX_READONLY);
    std::ifstream in(xbtest::fixture(GetParam() + "-keys.txt"), std::ios::binary);
    std::stringstream want;
    want << in.rdbuf();
    std::string got;
    CdxIndex& index = currentIndex();
    ASSERT_EQ(index.orderCount(), json_["tag_count"].get<int>());
    for (int n = 1; n <= index.orderCount(); ++n) {
        got += "== TAG " + index.orderName(n) + " : " + index.tag(n).header().keyExpr + "\n";
        const bool logical = index.keyMaker(n).type() == xb::ValueType::Logical;
        xb::cdx::Cursor c(index.tag(n));
        for (bool ok = c.first(); ok; ok = c.next()) {
            std::string key(reinterpret_cast<const char*>(c.key()), size_t(index.tag(n).keyLen()));
            got += std::to_string(c.recno()) + "\t" + (logical ? "." + key + "." : key) + "|\n";
        }
    }
    EXPECT_EQ(got, want.str());
    expectCheckPasses();
}

TEST_P(FixtureIndex, OrdersTagNamesAndSeeksMatchTheProducer)
{
    open(xbtest::fixture(GetParam() + ".dbf"), SX_READONLY);
    for (const auto& t : json_["tags"]) {
        const nlohmann::json& tag = t;
        EXPECT_EQ(sx_TagName(tag["order"].get<int>()), tag["name"].get<std::string>());
    }
    EXPECT_EQ(sx_TagArea("lname"), 2) << "tag names ignore case";
    EXPECT_EQ(sx_TagArea("NOSUCH"), 0);
    expectOrders(json_, true);
    for (const auto& s : json_["seeks"]) {
        const nlohmann::json& seek = s;
        const std::string key = xbtest::latin1(seek["key"].get<std::string>());
        const std::string what = seek["tag"].get<std::string>() + " '" + key + "' exact " +
                                 std::to_string(seek["exact"].get<bool>()) + " deleted " +
                                 std::to_string(seek["deleted"].get<bool>()) + " soft " +
                                 std::to_string(seek["softseek"].get<bool>());
        sx_SetOrder(sx_TagArea(seek["tag"].get<std::string>().c_str()));
        sx_SetExact(seek["exact"].get<bool>());
        sx_SetDeleted(seek["deleted"].get<bool>());
        sx_SetSoftSeek(seek["softseek"].get<bool>());
        EXPECT_EQ(sx_Seek(key.c_str()), seek["found"].get<bool>()) << what;
        EXPECT_EQ(sx_Found(), seek["found"].get<bool>()) << what;
        EXPECT_EQ(sx_Eof(), seek["eof"].get<bool>()) << what;
        EXPECT_EQ(sx_RecNo(), seek["recno"].get<int>()) << what;
        std::vector<long> after;
        for (int i = 0; i < 5 && !sx_Eof(); ++i, sx_Skip(1))
            after.push_back(sx_RecNo());
        EXPECT_EQ(after, numbers(seek["after"])) << what;
    }
}

TEST_P(FixtureIndex, EditsAppendsDeletesAndPackKeepACopyConsistent)
{
    xbtest::TempDir dir;
    open(copyFixture(dir, GetParam(), true), SX_EXCLUSIVE);
    sx_SetOrder(sx_TagArea("LNAME"));
    // Record 13 carries the producer's key bytes (its UPPER left the umlauts alone):
    // editing it must still find and replace its entries.
    sx_Go(13);
    sx_Replace("FNAME", SX_EVAL_CHAR, "Jurgen");
    sx_Go(1);
    sx_Replace("LNAME", SX_EVAL_CHAR, "Zyzzyva");
    sx_Commit();
    expectCheckPasses();
    for (int i = 0; i < 40; ++i) {
        sx_AppendBlank();
        const std::string name = "Appended" + std::to_string(i % 7);
        sx_Replace("LNAME", SX_EVAL_CHAR, name.c_str());
        const unsigned char no = 0;
        sx_Replace("ISDEL", SX_EVAL_LOGICAL, &no);
    }
    sx_Commit();
    expectCheckPasses();
    for (long r : {2L, 3L, 50L, 215L}) {
        sx_Go(r);
        sx_Delete();
    }
    sx_Go(10);
    sx_Recall();
    expectCheckPasses();
    sx_Pack();
    EXPECT_EQ(sx_RecCount(), 214 + 40 - 4 - 6);
    expectCheckPasses();
    sx_Close();
    open(dir.file(GetParam() + ".dbf"), SX_READONLY);
    expectCheckPasses();
    sx_SetOrder(sx_TagArea("LNAME"));
    sx_GoBottom();
    EXPECT_EQ(sx_GetTrimString("LNAME"), "Zyzzyva");
}

TEST_P(FixtureIndex, TagsBuiltHereListInTheProducersOrders)
{
    xbtest::TempDir dir;
    open(copyFixture(dir, GetParam(), false), SX_EXCLUSIVE);
    EXPECT_EQ(sx_TagArea("NAME"), 0) << "the index file is missing";
    for (const auto& t : json_["tags"]) {
        const nlohmann::json& tag = t;
        const std::string name = tag["name"].get<std::string>();
        const std::string expr = tag["expr"].get<std::string>();
        ASSERT_EQ(sx_IndexTag("", name.c_str(), expr.c_str(), 0, false, ""), tag["order"].get<int>()) << sx_LastError();
        EXPECT_EQ(sx_IndexOrd(), tag["order"].get<int>());
    }
    EXPECT_TRUE(fs::exists(dir.file(GetParam() + ".cdx")));
    expectCheckPasses();
    expectOrders(json_, false);
    ASSERT_TRUE(sx_Reindex());
    expectCheckPasses();
    expectOrders(json_, false);

    // Keys that do not fit the memory given, sorted in runs on disk and merged: the same file.
    const std::string cdx = dir.file(GetParam() + ".cdx");
    const std::string inMemory = xbtest::fileBytes(cdx);
    {
        xbtest::KeyMemory little(4096);
        ASSERT_TRUE(sx_Reindex()) << sx_LastError();
        expectCheckPasses();
    }
    sx_Commit();
    EXPECT_TRUE(xbtest::fileBytes(cdx) == inMemory);
    expectOrders(json_, false);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.file("")), {}), 2) << "only the table and its index";
}

TEST(FixtureIndexExtra, AMissingTagCanBeAddedToAnotherProgramsFile)
{
    xbtest::TempDir dir;
    const std::string dbf = copyFixture(dir, "nowebpage", true);
    ASSERT_NE(sx_Use(dbf.c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX), 0);
    EXPECT_EQ(sx_TagArea("WEBPAGE"), 0);
    EXPECT_EQ(sx_IndexTag("", "WEBPAGE", "UPPER(WEBPAGE)", 0, false, ""), 26);
    expectCheckPasses();
    sx_CloseAll();
    ASSERT_NE(sx_Use(dbf.c_str(), "", SX_READONLY, SX_DRIVER_CDX), 0);
    EXPECT_EQ(sx_TagArea("webpage"), 26);
    const nlohmann::json small = xbtest::expectedJson("small");
    sx_SetOrder(26);
    EXPECT_EQ(visit(), numbers(small["tags"][18]["deleted_off"]));
    sx_CloseAll();
}

INSTANTIATE_TEST_SUITE_P(Fixtures, FixtureIndex, ::testing::Values("small", "wide", "nowebpage"));

} // namespace
