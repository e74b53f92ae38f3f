// The xbtool command, run as a separate program the way people use it.
#include "test_tables.h"

#include "xbase/cdx/cursor.h"
#include "xbase/cdx/index_file.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

// Quotes an argument for the shell.
std::string quoted(const std::string& s)
{
    std::string out = "'";
    for (char c : s)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

struct Result {
    std::string out;
    int status;
};

Result xbtool(const std::vector<std::string>& args, const std::string& input = {})
{
    std::string command = std::string(ADDRINA_BIN_DIR) + "/xbtool";
    for (const std::string& a : args)
        command += " " + quoted(a);
    if (!input.empty())
        command = "printf '%s' " + quoted(input) + " | " + command;
    Result r;
    r.out = xbtest::runCommand(command + " 2>&1", &r.status);
    return r;
}

TEST(Xbtool, CountsOfTheFixtureFilters)
{
    const nlohmann::json filters = xbtest::expectedJson("small")["filters"];
    for (const auto& item : filters) {
        const nlohmann::json& o = item;
        if (!o["ok"].get<bool>())
            continue;
        const std::string expr = o["expr"].get<std::string>();
        const std::string exact = o["exact"].get<bool>() ? "on" : "off";
        const Result on = xbtool({"count", xbtest::fixture("small.dbf"), "--filter", expr, "--exact", exact});
        EXPECT_EQ(on.status, 0) << expr << on.out;
        EXPECT_EQ(on.out, std::to_string(o["count"].get<int>()) + "\n") << expr;
        const Result off =
            xbtool({"count", xbtest::fixture("small.dbf"), "--filter", expr, "--deleted", "off", "--exact", exact});
        EXPECT_EQ(off.out, std::to_string(o["count_deleted_off"].get<int>()) + "\n") << expr;
    }
}

TEST(Xbtool, TagsInInfoAndListOrder)
{
    const Result info = xbtool({"info", xbtest::fixture("small.dbf")});
    EXPECT_NE(info.out.find("  NAME\tUPPER(LNAME-FNAME)\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("  NOTISDEL\t!ISDEL\n"), std::string::npos) << info.out;

    for (const auto& item : xbtest::expectedJson("small")["tags"]) {
        const nlohmann::json& tag = item;
        if (tag["name"].get<std::string>() != "LNAME")
            continue;
        std::string want;
        for (const auto& r : tag["deleted_on"])
            want += std::to_string(r.get<int>()) + "\n";
        const Result list = xbtool({"list", xbtest::fixture("small.dbf"), "--tag", "lname", "--fields", "TAG"});
        std::string got;
        for (std::size_t pos = 0; pos < list.out.size();) {
            const std::size_t end = list.out.find('\n', pos);
            got += list.out.substr(pos, list.out.find('\t', pos) - pos) + "\n";
            pos = end + 1;
        }
        EXPECT_EQ(got, want);
    }
    EXPECT_NE(xbtool({"list", xbtest::fixture("small.dbf"), "--tag", "NOPE"}).out.find("no tag NOPE"),
              std::string::npos);
}

TEST(Xbtool, CreateAppendChangeAndList)
{
    xbtest::TempDir dir;
    const std::string t = dir.file("people.dbf");
    ASSERT_EQ(xbtool({"create", t, "NAME:C:12", "AMOUNT:N:8:2", "OK:L:1", "BORN:D:8"}).status, 0);
    const Result appended = xbtool({"append", t}, "Müller\t12.5\tT\t19970428\nSmith\n\n€uro\t-1\tF\n");
    EXPECT_EQ(appended.status, 0) << appended.out;
    EXPECT_EQ(appended.out, "3\n");
    EXPECT_EQ(xbtool({"set", t, "2", "name=Jürgen", "AMOUNT=3"}).status, 0);
    EXPECT_EQ(xbtool({"delete", t, "3"}).status, 0);
    EXPECT_EQ(xbtool({"list", t}).out, "1\tMüller\t12.50\tT\t19970428\n2\tJürgen\t3.00\t\t\n");
    EXPECT_EQ(xbtool({"list", t, "--deleted", "off", "--fields", "name,ok"}).out,
              "1\tMüller\tT\n2\tJürgen\t\n3\t€uro\tF\n");
    EXPECT_EQ(xbtool({"count", t, "--filter", "\"ü\" $ NAME"}).out, "2\n");
    EXPECT_EQ(xbtool({"eval", t, "1", "UPPER(NAME)"}).out, "MÜLLER      \n");
    EXPECT_EQ(xbtool({"eval", t, "1", "AMOUNT * 2"}).out, "25\n");
    EXPECT_EQ(xbtool({"eval", t, "1", "OK .and. RECNO() = 1"}).out, ".T.\n");
    EXPECT_EQ(xbtool({"recall", t, "3"}).status, 0);
    EXPECT_EQ(xbtool({"count", t}).out, "3\n");
    EXPECT_EQ(xbtool({"delete", t, "1", "3"}).status, 0);
    EXPECT_EQ(xbtool({"pack", t}).out, "2 records removed, 1 remain\n");
    EXPECT_EQ(xbtool({"list", t, "--deleted", "off"}).out, "1\tJürgen\t3.00\t\t\n");
    const Result info = xbtool({"info", t});
    EXPECT_NE(info.out.find("records:        1"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("  AMOUNT     N    8  2"), std::string::npos) << info.out;
}

// A copy of the fixture whose index another program built in bulk, its leaves
// packed to the last bytes.
std::string copyOfBulkFixture(const xbtest::TempDir& dir)
{
    const std::string t = dir.file("t.dbf");
    std::filesystem::copy_file(xbtest::fixture("bulk3k.dbf"), t);
    std::filesystem::copy_file(xbtest::fixture("bulk3k.cdx"), dir.file("t.cdx"));
    return t;
}

// The bytes of the index file's header and of every tag header but their first
// twelve (root, free list, version).
std::string headersWithoutRoots(const std::string& cdx)
{
    std::vector<uint32_t> at{0};
    {
        auto index = xb::cdx::IndexFile::open(cdx, true);
        for (size_t i = 0; i < index->tagCount(); ++i)
            at.push_back(index->tag(i).headerOffset());
    }
    std::ifstream in(cdx, std::ios::binary);
    std::string out;
    for (uint32_t offset : at) {
        std::string block(1024, '\0');
        in.seekg(offset + 12);
        in.read(block.data(), 1024 - 12);
        out += block;
    }
    return out;
}

// Every tag's keys and record numbers, as xbtool lists them.
std::string allKeys(const std::string& table)
{
    std::string out;
    for (const char* tag : {"NAME", "LNAME", "FNAME", "CITY", "ZIP", "EMAIL", "STATEZIP", "DELETED", "ISDEL"})
        out += xbtool({"keys", table, tag}).out;
    return out;
}

TEST(Xbtool, EveryWriteKeepsAnotherProgramsIndexSound)
{
    xbtest::TempDir dir;
    const std::string t = copyOfBulkFixture(dir);
    std::string line;
    for (int f = 0; f < 22; ++f)
        line += (f ? "\t" : "") + std::string(f == 20 ? "F" : "Zed");
    const std::vector<std::vector<std::string>> writes = {
        {"set", t, "77", "LNAME=Changed77"},
        {"set", t, "1500", "FNAME=Mary Ann", "CITY=Salem", "ZIP=01970", "EMAIL=m@example.com"},
        {"delete", t, "5", "77", "2999"},
        {"recall", t, "77"},
        {"pack", t},
    };
    std::string remain;
    const std::string headers = headersWithoutRoots(dir.file("t.cdx"));
    for (const auto& args : writes) {
        const Result w = xbtool(args);
        ASSERT_EQ(w.status, 0) << args[0] << ": " << w.out;
        if (args[0] == "pack")
            remain = w.out.substr(w.out.find(", ") + 2);
        else
            EXPECT_TRUE(headersWithoutRoots(dir.file("t.cdx")) == headers) << "the other program's header bytes stay";
        const Result check = xbtool({"check", t});
        ASSERT_EQ(check.status, 0) << args[0] << ": " << check.out;
    }
    std::string lines;
    for (int i = 0; i < 500; ++i)
        lines += "Appended" + std::to_string(i % 37) + "\tAnn\n";
    const Result appended = xbtool({"append", t}, lines);
    ASSERT_EQ(appended.status, 0) << appended.out;
    const Result check = xbtool({"check", t});
    EXPECT_EQ(check.status, 0) << check.out;
    ASSERT_EQ(remain.substr(remain.find(' ')), " remain\n");
    EXPECT_NE(check.out.find(std::to_string(std::stol(remain) + 500) + " records"), std::string::npos) << check.out;
    // The orders equal a fresh rebuild's.
    const std::string before = allKeys(t);
    ASSERT_EQ(xbtool({"reindex", t}).status, 0);
    EXPECT_EQ(allKeys(t), before);
}

// A tag that lacks a record (another program's damage) cannot take that record's
// change: the write fails with a status, the index is marked out of date, and the
// next exclusive open rebuilds it so that it agrees with the table again.
TEST(Xbtool, AWriteTheIndexCannotTakeFailsAndTheIndexIsRebuiltNextTime)
{
    xbtest::TempDir dir;
    const std::string t = copyOfBulkFixture(dir);
    {
        auto index = xb::cdx::IndexFile::open(dir.file("t.cdx"), false);
        xb::cdx::Tag& tag = index->tag(size_t(index->find("FNAME")));
        xb::cdx::Cursor c(tag);
        for (bool ok = c.first(); ok && c.recno() != 40; ok = c.next()) {
        }
        ASSERT_EQ(c.recno(), 40u);
        const std::vector<uint8_t> key(c.key(), c.key() + tag.keyLen());
        ASSERT_TRUE(tag.remove(key.data(), 40));
    }
    const Result set = xbtool({"set", t, "40", "FNAME=Zachary"});
    EXPECT_NE(set.status, 0) << set.out;
    EXPECT_NE(set.out.find("lacks record 40"), std::string::npos) << set.out;
    EXPECT_NE(set.out.find("out of date"), std::string::npos) << set.out;
    EXPECT_EQ(xbtool({"eval", t, "40", "FNAME"}).out, "Zachary                       \n") << "the table has the change";
    const Result readOnly = xbtool({"check", t});
    EXPECT_NE(readOnly.status, 0) << "a read-only open refuses the marked index: " << readOnly.out;
    ASSERT_EQ(xbtool({"set", t, "41", "FNAME=Yolanda"}).status, 0) << "an exclusive open rebuilds it";
    const Result check = xbtool({"check", t});
    EXPECT_EQ(check.status, 0) << check.out;
    EXPECT_EQ(xbtool({"seek", t, "--tag", "FNAME", "ZACHARY"}).out.rfind("found 40", 0), 0u);
}

TEST(Xbtool, ErrorsAreMessagesWithAFailingStatus)
{
    xbtest::TempDir dir;
    const std::string t = dir.file("t.dbf");
    ASSERT_EQ(xbtool({"create", t, "NAME:C:5", "N:N:3"}).status, 0);
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, "usage"},
        {{"frobnicate", t}, "unknown command"},
        {{"count", dir.file("missing.dbf")}, "cannot open"},
        {{"count", t, "--filter", "NAME ="}, "bad filter"},
        {{"count", t, "--filter", "NOSUCH = 1"}, "NOSUCH"},
        {{"count", t, "--deleted", "maybe"}, "on or off"},
        {{"count", t, "--colour", "red"}, "unknown option"},
        {{"list", t, "--tag", "NAME"}, "no index tags"},
        {{"list", t, "--fields", "NAME,NOPE"}, "NOPE"},
        {{"set", t, "1", "NAME=x"}, "does not exist"},
        {{"eval", t, "x", "NAME"}, "not a valid record number"},
        {{"create", dir.file("u.dbf"), "NAME:C"}, "NAME:TYPE:WIDTH"},
        {{"create", dir.file("u.dbf"), "NAME:Q:5"}, "cannot be created"},
    };
    for (const auto& [args, message] : cases) {
        const Result r = xbtool(args);
        EXPECT_NE(r.status, 0) << r.out;
        EXPECT_NE(r.out.find(message), std::string::npos) << r.out;
    }
    Result r = xbtool({"append", t}, "ab✓\t1\n");
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.out.find("U+2713"), std::string::npos) << r.out;
    r = xbtool({"append", t}, "a\t1\textra\n");
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.out.find("line 1"), std::string::npos) << r.out;
    r = xbtool({"append", t}, "a\tnotanumber\n");
    EXPECT_NE(r.status, 0);
    r = xbtool({"append", t}, std::string("\xff\xfe\n"));
    EXPECT_NE(r.out.find("UTF-8"), std::string::npos) << r.out;
    EXPECT_EQ(xbtool({"count", t}).out, "0\n"); // nothing half-appended
}

} // namespace

TEST(Xbtool, CheckOffersTheReindexForKeysAnotherProgramUpperCasedOtherwise)
{
    xbtest::TempDir dir;
    const std::string dbf = dir.file("other.dbf");
    for (const char* ext : {".dbf", ".cdx"}) {
        const std::string copy = dir.file(std::string("other") + ext);
        std::filesystem::copy_file(xbtest::fixture(std::string("small") + ext), copy);
        std::filesystem::permissions(copy, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    }
    const Result before = xbtool({"check", dbf});
    EXPECT_EQ(before.status, 0);
    EXPECT_NE(before.out.find("to write them anew: xbtool reindex " + dbf + "\n"), std::string::npos) << before.out;
    ASSERT_EQ(xbtool({"reindex", dbf}).status, 0);
    const Result after = xbtool({"check", dbf});
    EXPECT_EQ(after.status, 0);
    EXPECT_EQ(after.out.find("xbtool reindex"), std::string::npos) << after.out;
}
