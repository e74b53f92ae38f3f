// Tables on disk: the bytes we write, appends and their header count, changes,
// pack, and what other programs' tables may look like.
#include "support/file_size_limit.h"
#include "test_tables.h"

#include "xbase/engine.h"
#include "xbase/sx.h"
#include "xbase/table.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <thread>
#include <vector>

namespace {

std::string fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

unsigned headerCount(const std::string& bytes)
{
    return static_cast<unsigned char>(bytes[4]) | static_cast<unsigned char>(bytes[5]) << 8 |
           static_cast<unsigned char>(bytes[6]) << 16 |
           static_cast<unsigned>(static_cast<unsigned char>(bytes[7])) << 24;
}

void appendPerson(const char* name, double amount, bool flag)
{
    sx_AppendBlank();
    sx_Replace("NAME", SX_EVAL_CHAR, name);
    sx_Replace("AMOUNT", SX_EVAL_NUMERIC, &amount);
    sx_Replace("FLAG", SX_EVAL_LOGICAL, &flag);
    sx_Commit();
}

class TableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path_ = dir_.file("people.dbf");
        ASSERT_TRUE(xbtest::createTable(path_, {"NAME:C:12", "AMOUNT:N:8:2", "FLAG:L:1", "BORN:D:8"}))
            << sx_LastError();
    }
    void TearDown() override
    {
        sx_CloseAll();
        sx_SetDeleted(false);
    }
    int open(int mode = SX_EXCLUSIVE) { return sx_Use(path_.c_str(), "", mode, SX_DRIVER_CDX); }

    xbtest::TempDir dir_;
    std::string path_;
};

TEST_F(TableTest, NewTableHasAFoxProHeaderAndEndMark)
{
    const std::string b = fileBytes(path_);
    ASSERT_EQ(b.size(), 32u + 4 * 32 + 1 + 1);
    EXPECT_EQ(static_cast<unsigned char>(b[0]), 0x03);
    const std::time_t now = std::time(nullptr);
    std::tm today{};
    localtime_r(&now, &today);
    EXPECT_EQ(static_cast<unsigned char>(b[1]), today.tm_year);
    EXPECT_EQ(b[2], today.tm_mon + 1);
    EXPECT_EQ(headerCount(b), 0u);
    EXPECT_EQ(static_cast<unsigned char>(b[8]) | static_cast<unsigned char>(b[9]) << 8, 161);
    EXPECT_EQ(static_cast<unsigned char>(b[10]), 1 + 12 + 8 + 1 + 8);
    EXPECT_EQ(b[28], 0);
    EXPECT_EQ(b[29], 0x03);
    EXPECT_EQ(b[160], 0x0D);
    EXPECT_EQ(b[161], 0x1A);
}

TEST_F(TableTest, HeaderCountIsRightAfterEveryAppend)
{
    ASSERT_NE(open(), 0);
    for (int i = 1; i <= 5; ++i) {
        appendPerson("x", i, false);
        const std::string b = fileBytes(path_);
        EXPECT_EQ(headerCount(b), static_cast<unsigned>(i));
        EXPECT_EQ(b.size(), 161u + 30u * i + 1);
        EXPECT_EQ(b.back(), 0x1A);
    }
}

TEST_F(TableTest, ValuesRoundTripThroughTheFile)
{
    ASSERT_NE(open(), 0);
    appendPerson("M\xFCller", 1234.567, true);
    sx_AppendBlank();
    EXPECT_EQ(sx_RecCount(), 2); // the pending append counts
    EXPECT_EQ(sx_RecNo(), 2);
    EXPECT_TRUE(sx_Replace("born", SX_EVAL_DATE, "19970428"));
    EXPECT_FALSE(sx_Replace("BORN", SX_EVAL_DATE, "19971332"));
    EXPECT_FALSE(sx_Replace("AMOUNT", SX_EVAL_CHAR, "12abc"));
    EXPECT_FALSE(sx_Replace("NOSUCH", SX_EVAL_CHAR, "x"));
    const double huge = 1e12;
    EXPECT_TRUE(sx_Replace("AMOUNT", SX_EVAL_NUMERIC, &huge));
    sx_Close();

    ASSERT_NE(open(SX_READONLY), 0);
    EXPECT_EQ(sx_RecCount(), 2);
    sx_Go(1);
    EXPECT_EQ(sx_GetString("NAME"), "M\xFCller      ");
    EXPECT_EQ(sx_GetTrimString("NAME"), "M\xFCller");
    EXPECT_EQ(sx_GetString("AMOUNT"), " 1234.57");
    EXPECT_TRUE(sx_GetLogical("FLAG"));
    EXPECT_EQ(sx_GetDateString("BORN"), "");
    sx_Go(2);
    EXPECT_EQ(sx_GetString("AMOUNT"), "********"); // too wide for the field
    EXPECT_EQ(sx_GetString("FLAG"), " ");
    EXPECT_EQ(sx_GetDateString("BORN"), "04/28/97");
    const bool century = sx_SetCentury(true);
    const int format = sx_SetDateFormat(4);
    EXPECT_EQ(sx_GetDateString("BORN"), "28.04.1997");
    sx_SetDateFormat(format);
    sx_SetCentury(century);
    EXPECT_EQ(sx_FieldOffset("AMOUNT"), 13);
    EXPECT_EQ(sx_FieldDecimals("AMOUNT"), 2);
    EXPECT_EQ(sx_FieldNum("flag"), 3);
    EXPECT_EQ(sx_FieldName(4), "BORN");

    const char name[] = "Nobody";
    EXPECT_FALSE(sx_Replace("NAME", SX_EVAL_CHAR, name)); // read-only
    sx_AppendBlank();
    EXPECT_EQ(sx_RecCount(), 2);
}

TEST_F(TableTest, WholeRecordsDeleteMarksAndPack)
{
    ASSERT_NE(open(), 0);
    for (int i = 1; i <= 10; ++i)
        appendPerson(("p" + std::to_string(i)).c_str(), i, i % 2);
    std::vector<char> rec(static_cast<std::size_t>(sx_RecSize()));
    sx_Go(4);
    sx_GetRecord(rec.data());
    rec[1] = 'Q';
    sx_PutRecord(rec.data());
    for (long r : {2, 3, 7}) {
        sx_Go(r);
        sx_Delete();
        EXPECT_TRUE(sx_Deleted());
    }
    sx_Go(7);
    sx_Recall();
    EXPECT_FALSE(sx_Deleted());

    std::vector<int> progress;
    sx_SetGaugeHook([&](int p) { progress.push_back(p); });
    sx_Pack();
    sx_SetGaugeHook(nullptr);
    ASSERT_FALSE(progress.empty());
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_EQ(progress.back(), 100);

    EXPECT_EQ(sx_RecCount(), 8);
    std::vector<std::string> names;
    for (sx_GoTop(); !sx_Eof(); sx_Skip(1))
        names.push_back(sx_GetTrimString("NAME"));
    EXPECT_EQ(names, (std::vector<std::string>{"p1", "Q4", "p5", "p6", "p7", "p8", "p9", "p10"}));
    sx_Close();
    const std::string b = fileBytes(path_);
    EXPECT_EQ(headerCount(b), 8u);
    EXPECT_EQ(b.size(), 161u + 8 * 30 + 1);
}

TEST_F(TableTest, OtherProgramsTablesOpen)
{
    ASSERT_NE(open(), 0);
    for (int i = 0; i < 3; ++i)
        appendPerson("x", i, false);
    sx_Close();
    std::string b = fileBytes(path_);

    // No end-of-file mark, and a header count beyond the records present.
    std::string cut = b.substr(0, b.size() - 1);
    cut[4] = 9;
    std::ofstream(path_, std::ios::binary | std::ios::trunc) << cut;
    ASSERT_NE(open(), 0) << sx_LastError();
    EXPECT_EQ(sx_RecCount(), 3);
    appendPerson("y", 4, true);
    sx_Close();
    b = fileBytes(path_);
    EXPECT_EQ(headerCount(b), 4u);
    EXPECT_EQ(b.back(), 0x1A);

    // A garbage file and an empty one fail with a message.
    std::ofstream(dir_.file("junk.dbf"), std::ios::binary) << "not a table at all, not at all, no";
    EXPECT_EQ(sx_Use(dir_.file("junk.dbf").c_str(), "", SX_READONLY, SX_DRIVER_CDX), 0);
    EXPECT_FALSE(sx_LastError().empty());
    std::ofstream(dir_.file("empty.dbf"), std::ios::binary).flush();
    EXPECT_EQ(sx_Use(dir_.file("empty.dbf").c_str(), "", SX_READONLY, SX_DRIVER_CDX), 0);
    EXPECT_EQ(sx_Use(dir_.file("missing.dbf").c_str(), "", SX_READONLY, SX_DRIVER_CDX), 0);
}

// Observes the single write path.
class Recorder : public xb::TableObserver {
public:
    bool recordWritten(long recno, const char* before, const char* after, std::string&) override
    {
        events.push_back(std::to_string(recno) + (before ? std::string(":") + before[0] : ":new") + ">" + after[0]);
        return true;
    }
    bool tableRewritten(const std::function<void(int)>&, std::string&) override
    {
        events.push_back("rewritten");
        return true;
    }
    bool committed(std::string&) override
    {
        events.push_back("committed");
        return true;
    }
    std::vector<std::string> events;
};

TEST_F(TableTest, EveryWriteReachesTheObserver)
{
    std::string error;
    auto table = xb::Table::open(path_, xb::OpenMode::Exclusive, error);
    ASSERT_TRUE(table) << error;
    Recorder recorder;
    table->setObserver(&recorder);
    std::string rec(static_cast<std::size_t>(table->recordLength()), ' ');
    EXPECT_EQ(table->appendRecord(rec.data(), error), 1);
    rec[0] = '*';
    EXPECT_TRUE(table->writeRecord(1, rec.data(), error)); // still gathered: no commit yet
    EXPECT_TRUE(table->commit(error));
    rec[0] = ' ';
    EXPECT_TRUE(table->writeRecord(1, rec.data(), error)); // written in place: its own commit
    rec[0] = '*';
    EXPECT_TRUE(table->writeRecord(1, rec.data(), error));
    EXPECT_FALSE(table->writeRecord(2, rec.data(), error));
    EXPECT_TRUE(table->pack(nullptr, error));
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"1:new> ", "1: >*", "committed", "1:*> ", "committed", "1: >*",
                                                         "committed", "rewritten"}));
    EXPECT_EQ(table->recordCount(), 0);

    EXPECT_TRUE(table->setStructuralIndexFlag(true, error));
    table.reset();
    EXPECT_EQ(fileBytes(path_)[28], 1);
}

// Records read in every order give their own bytes: scans fetch big blocks, jumps
// small groups, and the groups' edges (and the table's short last group) must not
// shift a record.
TEST_F(TableTest, RecordsReadInAnyOrderGiveTheirOwnBytes)
{
    std::string error;
    auto table = xb::Table::open(path_, xb::OpenMode::Exclusive, error);
    ASSERT_TRUE(table) << error;
    const long count = 20000; // past one big block, ending inside a small group
    std::string rec(static_cast<std::size_t>(table->recordLength()), ' ');
    auto fill = [&](long recno) {
        const std::string digits = std::to_string(recno);
        std::fill(rec.begin() + 1, rec.end(), ' ');
        std::copy(digits.begin(), digits.end(), rec.begin() + 1);
        return rec.data();
    };
    for (long r = 1; r <= count; ++r)
        ASSERT_EQ(table->appendRecord(fill(r), error), r) << error;
    ASSERT_TRUE(table->commit(error)) << error;
    table.reset();
    table = xb::Table::open(path_, xb::OpenMode::Exclusive, error);
    ASSERT_TRUE(table) << error;

    std::vector<long> visits = {count, 1, 137, 136, 135, count - 1, 2};
    for (long r = 1; r <= count; ++r)
        visits.push_back(r);
    for (long r = count; r >= 1; r -= 7)
        visits.push_back(r);
    for (long r = 1, step = 7919; visits.size() < 3u * count; r = (r + step) % count + 1)
        visits.push_back(r);
    for (const long r : visits) {
        const char* bytes = table->record(r);
        ASSERT_NE(bytes, nullptr) << "record " << r;
        ASSERT_EQ(std::string(bytes, rec.size()), std::string(fill(r), rec.size())) << "record " << r;
    }
    EXPECT_EQ(table->record(count + 1), nullptr);
    EXPECT_EQ(table->record(0), nullptr);
}

// Record recno as the read-path tests write it: its number, the mark, blanks.
std::string numbered(long recno, std::size_t length, char mark = '.')
{
    std::string rec(length, ' ');
    const std::string digits = std::to_string(recno) + mark;
    std::copy(digits.begin(), digits.end(), rec.begin() + 1);
    rec.back() = mark;
    return rec;
}

std::unique_ptr<xb::Table> numberedTable(const std::string& path, long count, xb::OpenMode mode)
{
    std::string error;
    auto table = xb::Table::open(path, xb::OpenMode::Exclusive, error);
    if (!table)
        return nullptr;
    const std::size_t len = static_cast<std::size_t>(table->recordLength());
    for (long r = 1; r <= count; ++r)
        table->appendRecord(numbered(r, len).data(), error);
    EXPECT_TRUE(table->commit(error)) << error;
    table.reset();
    return xb::Table::open(path, mode, error);
}

std::string recordText(xb::Table& table, long recno)
{
    const char* bytes = table.record(recno);
    return bytes ? std::string(bytes, static_cast<std::size_t>(table.recordLength())) : "(unreadable)";
}

TEST_F(TableTest, RecordsVisitedOutOfOrderFollowWritesAppendsAndPack)
{
    const long count = 5000; // two whole blocks of the file cache and a part of a third
    auto table = numberedTable(path_, count, xb::OpenMode::Exclusive);
    ASSERT_TRUE(table);
    const std::size_t len = static_cast<std::size_t>(table->recordLength());
    const long perBlock = 65536 / static_cast<long>(len);
    for (const long r : {count, perBlock, perBlock + 1, 1L, 2 * perBlock, 2 * perBlock + 1, count - 1})
        EXPECT_EQ(recordText(*table, r), numbered(r, len)) << r;

    std::string error;
    ASSERT_TRUE(table->writeRecord(perBlock + 1, numbered(perBlock + 1, len, 'w').data(), error)) << error;
    EXPECT_EQ(recordText(*table, 7), numbered(7, len));
    EXPECT_EQ(recordText(*table, perBlock + 1), numbered(perBlock + 1, len, 'w'));
    EXPECT_EQ(recordText(*table, perBlock), numbered(perBlock, len));

    // Appends past the part of the last block read so far.
    for (long r = count + 1; r <= count + 10; ++r)
        ASSERT_EQ(table->appendRecord(numbered(r, len, 'a').data(), error), r) << error;
    EXPECT_EQ(recordText(*table, count + 3), numbered(count + 3, len, 'a'));
    ASSERT_TRUE(table->commit(error)) << error;
    EXPECT_EQ(recordText(*table, count + 10), numbered(count + 10, len, 'a'));
    EXPECT_EQ(recordText(*table, count), numbered(count, len));
    EXPECT_EQ(table->record(count + 11), nullptr);

    // Pack renumbers: record 2 is old record 3 after record 2 goes.
    std::string marked = numbered(2, len);
    marked[0] = '*';
    ASSERT_TRUE(table->writeRecord(2, marked.data(), error)) << error;
    ASSERT_TRUE(table->pack({}, error)) << error;
    EXPECT_EQ(recordText(*table, count + 9), numbered(count + 10, len, 'a'));
    EXPECT_EQ(recordText(*table, 2), numbered(3, len));
    EXPECT_EQ(recordText(*table, perBlock), numbered(perBlock + 1, len, 'w'));
}

// Shared use forgets what it read whenever the area moves to a record (go, top,
// bottom), so another program's change made between two visits is seen.
TEST_F(TableTest, SharedAreasSeeAnotherProgramsChangeAtTheNextVisit)
{
    ASSERT_TRUE(numberedTable(path_, 300, xb::OpenMode::Shared));
    const int reader = open(SX_SHARED);
    const int writer = sx_Use(path_.c_str(), "OTHER", SX_SHARED, SX_DRIVER_CDX);
    ASSERT_NE(reader, 0);
    ASSERT_NE(writer, 0) << sx_LastError();
    const std::size_t len = static_cast<std::size_t>(sx_RecSize());
    auto recordAt = [len](long recno) {
        std::string rec(len, ' ');
        sx_Go(recno);
        sx_GetRecord(rec.data());
        return rec;
    };
    for (const long r : {299L, 137L, 136L, 1L}) { // 300 is the last record
        sx_Select(reader);
        sx_Go(r);
        sx_Skip(1);
        sx_Select(writer);
        for (const long changed : {r, r + 1}) {
            sx_Go(changed);
            ASSERT_TRUE(sx_PutRecord(numbered(changed, len, 'x').data())) << sx_LastError();
        }
        sx_Select(reader);
        EXPECT_EQ(recordAt(r + 1), numbered(r + 1, len, 'x')) << r + 1;
        EXPECT_EQ(recordAt(r), numbered(r, len, 'x')) << r;
    }
}

// Past the cache's limit records still read right, one at a time.
TEST_F(TableTest, RecordsOfATableLargerThanTheFileCacheReadInAnyOrder)
{
    std::vector<std::string> wide;
    for (int i = 0; i < 16; ++i)
        wide.push_back("F" + std::to_string(i) + ":C:254");
    const std::string path = dir_.file("wide.dbf");
    ASSERT_TRUE(xbtest::createTable(path, wide)) << sx_LastError();
    const long count = 17000; // about 69 MB
    auto table = numberedTable(path, count, xb::OpenMode::Exclusive);
    ASSERT_TRUE(table);
    const std::size_t len = static_cast<std::size_t>(table->recordLength());
    long checked = 0;
    for (long r = 1, i = 0; i < count; r = (r + 7919 - 1) % count + 1, ++i)
        checked += recordText(*table, r) == numbered(r, len);
    EXPECT_EQ(checked, count);
    EXPECT_EQ(recordText(*table, count), numbered(count, len));
}

TEST_F(TableTest, RangesReadAtOnceByTwoThreadsIncludeUnwrittenAppends)
{
    std::string error;
    auto table = xb::Table::open(path_, xb::OpenMode::Exclusive, error);
    ASSERT_TRUE(table) << error;
    std::string rec(static_cast<std::size_t>(table->recordLength()), ' ');
    auto fill = [&](long recno) {
        const std::string digits = std::to_string(recno);
        std::fill(rec.begin() + 1, rec.end(), ' ');
        std::copy(digits.begin(), digits.end(), rec.begin() + 1);
        return std::string(rec);
    };
    const long onDisk = 9000, pending = 5;
    for (long r = 1; r <= onDisk + pending; ++r) {
        ASSERT_EQ(table->appendRecord(fill(r).data(), error), r) << error;
        if (r == onDisk) {
            ASSERT_TRUE(table->commit(error)) << error;
        }
    }

    // Each thread checks its own range; the second one ends among the appends
    // still held in memory.
    const long split = 4321;
    std::vector<long> mismatches(2, 0), visited(2, 0);
    bool read[2] = {false, false};
    auto check = [&](int part, long first, long last) {
        long expected = first;
        read[static_cast<std::size_t>(part)] = table->readRange(first, last, [&](long recno, const char* bytes) {
            std::string digits = std::to_string(recno);
            digits.resize(rec.size() - 1, ' ');
            if (recno != expected++ || std::string(bytes + 1, rec.size() - 1) != digits)
                ++mismatches[static_cast<std::size_t>(part)];
            ++visited[static_cast<std::size_t>(part)];
        });
    };
    std::thread other(check, 1, split + 1, onDisk + pending);
    check(0, 1, split);
    other.join();
    EXPECT_TRUE(read[0] && read[1]);
    EXPECT_EQ(visited[0], split);
    EXPECT_EQ(visited[1], onDisk + pending - split);
    EXPECT_EQ(mismatches[0] + mismatches[1], 0);

    long calls = 0;
    auto count = [&](long, const char*) { ++calls; };
    EXPECT_FALSE(table->readRange(0, 3, count));
    EXPECT_FALSE(table->readRange(1, onDisk + pending + 1, count));
    EXPECT_EQ(calls, 0);
}

// A write the disk refuses is reported; the record is then either kept for the
// next commit (exclusive use) or not added at all (shared use), never counted twice.
TEST_F(TableTest, WritesTheDiskRefusesAreReportedAndNeitherLostNorDoubled)
{
    ASSERT_GT(open(SX_EXCLUSIVE), 0);
    appendPerson("Ames", 1, true);
    appendPerson("Baker", 2, false);
    {
        FileSizeLimit full(static_cast<long long>(std::filesystem::file_size(path_)));
        EXPECT_TRUE(sx_AppendBlank());
        EXPECT_TRUE(sx_Replace("NAME", SX_EVAL_CHAR, "Kept"));
        EXPECT_FALSE(sx_Commit());
        EXPECT_NE(sx_LastError().find("File too large"), std::string::npos) << sx_LastError();
        EXPECT_FALSE(sx_Commit());
        EXPECT_EQ(sx_RecCount(), 3);
        EXPECT_EQ(headerCount(fileBytes(path_)), 2u);
    }
    EXPECT_TRUE(sx_Commit()) << sx_LastError();
    sx_Close();

    ASSERT_GT(open(SX_SHARED), 0);
    std::vector<char> record(static_cast<std::size_t>(sx_RecSize()), ' ');
    std::copy_n("Refused", 7, record.begin() + 1);
    {
        FileSizeLimit full(static_cast<long long>(std::filesystem::file_size(path_)));
        EXPECT_TRUE(sx_AppendBlank());
        EXPECT_FALSE(sx_PutRecord(record.data()));
        EXPECT_EQ(sx_RecCount(), 3);
    }
    std::copy_n("Added  ", 7, record.begin() + 1);
    EXPECT_TRUE(sx_AppendBlank());
    EXPECT_TRUE(sx_PutRecord(record.data())) << sx_LastError();
    EXPECT_TRUE(sx_Commit());
    sx_Close();

    ASSERT_GT(open(SX_READONLY), 0);
    std::vector<std::string> names;
    for (sx_GoTop(); !sx_Eof(); sx_Skip(1))
        names.push_back(sx_GetTrimString("NAME"));
    EXPECT_EQ(names, (std::vector<std::string>{"Ames", "Baker", "Kept", "Added"}));
    EXPECT_EQ(headerCount(fileBytes(path_)), 4u);
}

TEST_F(TableTest, CreationStepsAndStructureCopies)
{
    const std::string other = dir_.file("other.dbf");
    ASSERT_NE(sx_CreateNew(other.c_str(), "XXXXXXXXXX", SX_DRIVER_CDX, 2), 0);
    sx_CreateField("A", "C", 5, 0);
    EXPECT_FALSE(sx_CreateExec()); // one field of the two promised
    EXPECT_FALSE(std::filesystem::exists(other));

    ASSERT_NE(sx_CreateNew(other.c_str(), "XXXXXXXXXX", SX_DRIVER_CDX, 1), 0);
    sx_CreateField("BAD NAME", "C", 5, 0);
    EXPECT_FALSE(sx_CreateExec());
    EXPECT_NE(sx_LastError().find("BAD NAME"), std::string::npos);

    ASSERT_NE(open(), 0);
    appendPerson("kept out", 1, true);
    const std::string copy = dir_.file("copy.dbf");
    ASSERT_TRUE(sx_CopyStructure(copy.c_str(), "XXXXXXXXXX"));
    ASSERT_NE(sx_Use(copy.c_str(), "", SX_READONLY, SX_DRIVER_CDX), 0);
    EXPECT_EQ(sx_RecCount(), 0);
    EXPECT_EQ(sx_FieldCount(), 4);
    EXPECT_EQ(sx_FieldWidth("AMOUNT"), 8);
    EXPECT_EQ(sx_FieldDecimals("AMOUNT"), 2);
}

TEST_F(TableTest, AreasAndAliases)
{
    const int a = open(SX_SHARED);
    ASSERT_NE(a, 0);
    EXPECT_EQ(sx_WorkArea("people"), a);
    EXPECT_EQ(sx_WorkArea("PEOPLE"), a);
    EXPECT_EQ(sx_Use(path_.c_str(), "People", SX_SHARED, SX_DRIVER_CDX), 0); // alias taken
    const int b = sx_Use(path_.c_str(), "SECOND", SX_SHARED, SX_DRIVER_CDX);
    ASSERT_NE(b, 0);
    EXPECT_NE(a, b);
    EXPECT_EQ(sx_Select(a), b);
    EXPECT_EQ(sx_Select(b), a);
    sx_Close();
    EXPECT_EQ(sx_WorkArea("SECOND"), 0);
    EXPECT_EQ(sx_RecCount(), 0);
    EXPECT_FALSE(sx_LastError().empty()); // nothing open in this area
    const std::string longName(300, 'x');
    EXPECT_EQ(sx_Use(longName.c_str(), "", SX_SHARED, SX_DRIVER_CDX), 0);
    EXPECT_NE(sx_LastError().find("255"), std::string::npos);
}

// The property the program sets at start reads back; no other is kept.
TEST(SetupCalls, OnlyTheStartPropertyIsKept)
{
    const long before = sx_SysProp(1009, 0);
    EXPECT_EQ(sx_SysProp(1009, 7), 0);
    EXPECT_EQ(sx_SysProp(1009, before), 7);
    EXPECT_EQ(sx_SysProp(1010, 5), 0);
    EXPECT_EQ(sx_SysProp(1010, 0), 0) << "not kept";
}

} // namespace
