// Two processes on one table: exclusive use, record locks, and a process killed
// while it appends or packs.
#include "test_tables.h"

#include "xbase/cdx/cdx_index.h"
#include "xbase/engine.h"
#include "xbase/sx.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Runs body in a child process that reports progress by writing one byte per step
// to the returned pipe; the child never returns into the test.
template <typename Body>
pid_t spawn(Body body, int& readEnd)
{
    int fds[2];
    if (pipe(fds) != 0)
        return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        body(fds[1]);
        _exit(0);
    }
    close(fds[1]);
    readEnd = fds[0];
    return pid;
}

void signalStep(int fd)
{
    const char b = 1;
    (void)!write(fd, &b, 1);
}

bool waitStep(int fd)
{
    char b;
    return read(fd, &b, 1) == 1;
}

class ProcessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path_ = dir_.file("shared.dbf");
        ASSERT_TRUE(xbtest::createTable(path_, {"SEQ:N:8", "TEXT:C:40"}));
    }
    void TearDown() override { sx_CloseAll(); }
    xbtest::TempDir dir_;
    std::string path_;
};

TEST_F(ProcessTest, OnlyOneProgramHoldsATableExclusively)
{
    int fd = -1;
    const pid_t child = spawn(
        [&](int out) {
            sx_Use(path_.c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX);
            signalStep(out);
            pause();
        },
        fd);
    ASSERT_TRUE(waitStep(fd));
    EXPECT_EQ(sx_Use(path_.c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX), 0);
    EXPECT_NE(sx_LastError().find("in use"), std::string::npos);
    EXPECT_EQ(sx_Use(path_.c_str(), "", SX_SHARED, SX_DRIVER_CDX), 0);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    close(fd);
    EXPECT_NE(sx_Use(path_.c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX), 0) << sx_LastError();
}

TEST_F(ProcessTest, RecordLocksWaitForTheTimeout)
{
    ASSERT_NE(sx_Use(path_.c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX), 0);
    for (int i = 0; i < 3; ++i)
        sx_AppendBlank();
    sx_Close();

    int fd = -1;
    const pid_t child = spawn(
        [&](int out) {
            sx_Use(path_.c_str(), "", SX_SHARED, SX_DRIVER_CDX);
            sx_Rlock(2);
            signalStep(out);
            pause();
        },
        fd);
    ASSERT_TRUE(waitStep(fd));
    ASSERT_NE(sx_Use(path_.c_str(), "", SX_SHARED, SX_DRIVER_CDX), 0);
    const int previous = sx_SetLockTimeout(1);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(sx_Rlock(2));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(900));
    EXPECT_TRUE(sx_Rlock(1));
    EXPECT_TRUE(sx_Rlock(3));
    sx_Unlock(0);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    close(fd);
    EXPECT_TRUE(sx_Rlock(2)); // the dead holder's lock is gone
    sx_SetLockTimeout(previous);
}

TEST_F(ProcessTest, SharedAppendsFromTwoProgramsAllArrive)
{
    auto appendMany = [this](const char* who) {
        sx_Use(path_.c_str(), who, SX_SHARED, SX_DRIVER_CDX);
        for (int i = 0; i < 300; ++i) {
            sx_AppendBlank();
            sx_Replace("TEXT", SX_EVAL_CHAR, who);
            sx_Commit();
        }
        sx_Close();
    };
    int fd = -1;
    const pid_t child = spawn([&](int) { appendMany("CHILD"); }, fd);
    appendMany("PARENT");
    int status = 0;
    waitpid(child, &status, 0);
    close(fd);
    ASSERT_NE(sx_Use(path_.c_str(), "", SX_READONLY, SX_DRIVER_CDX), 0);
    EXPECT_EQ(sx_RecCount(), 600);
    EXPECT_EQ(sx_Query("TRIM(TEXT) == \"CHILD\""), 300);
    EXPECT_EQ(sx_Query("TRIM(TEXT) == \"PARENT\""), 300);
}

TEST_F(ProcessTest, KilledAppenderLeavesOnlyWholeRecordsCounted)
{
    // Kill the appender after a different number of finished appends each round,
    // usually in the middle of the next one.
    for (int round = 0; round < 25; ++round) {
        const int target = 1 + round * 37 % 400;
        int fd = -1;
        const pid_t child = spawn(
            [&](int out) {
                sx_Use(path_.c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX);
                for (;;) {
                    sx_GoBottom();
                    const double next = sx_RecCount() + 1;
                    sx_AppendBlank();
                    sx_Replace("SEQ", SX_EVAL_NUMERIC, &next);
                    sx_Replace("TEXT", SX_EVAL_CHAR, std::string(40, 'a' + static_cast<int>(next) % 26).c_str());
                    sx_Commit();
                    signalStep(out);
                }
            },
            fd);
        int done = 0;
        while (done < target && waitStep(fd))
            ++done;
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        close(fd);

        ASSERT_NE(sx_Use(path_.c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX), 0) << sx_LastError();
        const long count = sx_RecCount();
        EXPECT_GE(count, done); // appends that finished are never lost
        long recno = 0;
        for (sx_GoTop(); !sx_Eof(); sx_Skip(1)) {
            ++recno;
            ASSERT_EQ(sx_EvalNumeric("SEQ"), recno) << "round " << round;
            ASSERT_EQ(sx_GetString("TEXT"), std::string(40, 'a' + static_cast<int>(recno) % 26));
        }
        EXPECT_EQ(recno, count);
        sx_Close();
    }
}

void appendNumbered(double seq)
{
    sx_AppendBlank();
    sx_Replace("SEQ", SX_EVAL_NUMERIC, &seq);
    sx_Replace("TEXT", SX_EVAL_CHAR, ("record " + std::to_string(static_cast<long>(seq))).c_str());
    sx_Commit();
}

// An index whose writer stopped before closing it may disagree with the records
// (pages torn by a crash): it carries a mark that makes the next exclusive open
// rebuild it, and that a clean close removes.
TEST_F(ProcessTest, AnIndexItsWriterLeftOpenIsRebuiltByTheNextExclusiveOpen)
{
    namespace fs = std::filesystem;
    const std::string stale = dir_.file("shared.cdx") + ".stale";
    ASSERT_NE(sx_Use(path_.c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX), 0);
    ASSERT_NE(sx_IndexTag("", "TEXT", "UPPER(TEXT)", 0, false, ""), 0) << sx_LastError();
    sx_Close();
    EXPECT_FALSE(fs::exists(stale));
    ASSERT_NE(sx_Use(path_.c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX), 0);
    EXPECT_FALSE(fs::exists(stale));
    appendNumbered(1);
    EXPECT_TRUE(fs::exists(stale));
    sx_Close();
    EXPECT_FALSE(fs::exists(stale));

    int fd = -1;
    const pid_t child = spawn(
        [&](int out) {
            sx_Use(path_.c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX);
            for (int i = 2; i <= 300; ++i)
                appendNumbered(i);
            signalStep(out);
            for (;;)
                pause();
        },
        fd);
    ASSERT_TRUE(waitStep(fd));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    close(fd);
    ASSERT_TRUE(fs::exists(stale));

    // Stand in for a torn index: the first record's text changes behind its back.
    {
        std::fstream dbf(path_, std::ios::in | std::ios::out | std::ios::binary);
        unsigned char header[10];
        dbf.read(reinterpret_cast<char*>(header), sizeof header);
        const int headerLength = header[8] | header[9] << 8;
        dbf.seekp(headerLength + 1 + 8);
        dbf.write("changed", 7);
    }

    ASSERT_NE(sx_Use(path_.c_str(), "", SX_READONLY, SX_DRIVER_CDX), 0) << sx_LastError();
    EXPECT_EQ(sx_TagArea("TEXT"), 0);
    sx_Close();

    ASSERT_NE(sx_Use(path_.c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX), 0) << sx_LastError();
    EXPECT_FALSE(fs::exists(stale));
    auto* index = dynamic_cast<xb::cdx::CdxIndex*>(xb::Engine::instance().current()->index());
    ASSERT_NE(index, nullptr);
    const auto report = index->check();
    EXPECT_TRUE(report.problems.empty()) << report.problems.front();
    sx_SetOrder(sx_TagArea("TEXT"));
    EXPECT_TRUE(sx_Seek("CHANGED"));
    EXPECT_EQ(sx_RecNo(), 1);
    EXPECT_EQ(sx_RecCount(), 300);
    sx_Close();
}

ino_t inodeOf(const std::string& path)
{
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

TEST_F(ProcessTest, KilledPackLeavesEveryLiveRecordOnce)
{
    namespace fs = std::filesystem;
    constexpr int kRecords = 3000;
    ASSERT_NE(sx_Use(path_.c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX), 0);
    for (int i = 1; i <= kRecords; ++i) {
        const double seq = i;
        sx_AppendBlank();
        sx_Replace("SEQ", SX_EVAL_NUMERIC, &seq);
        sx_Replace("TEXT", SX_EVAL_CHAR, ("record " + std::to_string(i)).c_str());
        if (i % 3 == 0)
            sx_Delete();
    }
    ASSERT_NE(sx_IndexTag("", "TEXT", "UPPER(TEXT)", 0, false, ""), 0) << sx_LastError();
    sx_Close();
    const std::string cdx = dir_.file("shared.cdx");
    ASSERT_TRUE(fs::exists(cdx));
    const std::string savedDbf = dir_.file("saved.dbf"), savedCdx = dir_.file("saved.cdx");
    fs::copy_file(path_, savedDbf);
    fs::copy_file(cdx, savedCdx);
    auto restore = [&] {
        fs::copy_file(savedDbf, path_, fs::copy_options::overwrite_existing);
        fs::copy_file(savedCdx, cdx, fs::copy_options::overwrite_existing);
    };

    // A pack run here finds the progress step at which the packed file has taken
    // the table's name; the kill points straddle it.
    int calls = 0, firstAfterRename = 0;
    const ino_t before = inodeOf(path_);
    sx_SetGaugeHook([&](int) {
        ++calls;
        if (!firstAfterRename && inodeOf(path_) != before)
            firstAfterRename = calls;
    });
    ASSERT_NE(sx_Use(path_.c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX), 0);
    sx_Pack();
    sx_Close();
    sx_SetGaugeHook(nullptr);
    ASSERT_GT(firstAfterRename, 2);
    ASSERT_GT(calls, firstAfterRename);

    for (const int killAt : {1, firstAfterRename / 2, firstAfterRename - 1, firstAfterRename, calls}) {
        restore();
        int fd = -1;
        const pid_t child = spawn(
            [&](int) {
                int seen = 0;
                sx_SetGaugeHook([&](int) {
                    if (++seen == killAt)
                        raise(SIGKILL);
                });
                sx_Use(path_.c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX);
                sx_Pack();
            },
            fd);
        int status = 0;
        waitpid(child, &status, 0);
        close(fd);
        ASSERT_TRUE(WIFSIGNALED(status)) << "killed at step " << killAt;
        const bool packed = killAt >= firstAfterRename;

        // Once the packed table is in place, the old index's record numbers are
        // wrong: a reader that cannot rebuild it is refused the index.
        ASSERT_NE(sx_Use(path_.c_str(), "", SX_READONLY, SX_DRIVER_CDX), 0) << sx_LastError();
        EXPECT_EQ(sx_TagArea("TEXT") == 0, packed) << "killed at step " << killAt;
        sx_Close();

        ASSERT_NE(sx_Use(path_.c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX), 0) << sx_LastError();
        auto* index = dynamic_cast<xb::cdx::CdxIndex*>(xb::Engine::instance().current()->index());
        ASSERT_NE(index, nullptr) << "killed at step " << killAt;
        const auto report = index->check();
        EXPECT_TRUE(report.problems.empty()) << "killed at step " << killAt << ": " << report.problems.front();
        EXPECT_NE(sx_TagArea("TEXT"), 0) << "killed at step " << killAt;
        EXPECT_FALSE(fs::exists(cdx + ".stale")) << "killed at step " << killAt;
        sx_SetOrder(0);
        sx_SetDeleted(false);
        std::map<long, int> seen;
        for (sx_GoTop(); !sx_Eof(); sx_Skip(1))
            ++seen[static_cast<long>(sx_EvalNumeric("SEQ"))];
        EXPECT_EQ(sx_RecCount(), packed ? kRecords * 2 / 3 : kRecords) << "killed at step " << killAt;
        for (long i = 1; i <= kRecords; ++i)
            ASSERT_EQ(seen[i], i % 3 || !packed ? 1 : 0) << "record " << i << ", killed at step " << killAt;
        sx_Close();
        // The exclusive open cleared away the half-written copy a kill left behind.
        for (const auto& entry : fs::directory_iterator(fs::path(path_).parent_path()))
            EXPECT_EQ(entry.path().filename().string().find(".pack"), std::string::npos) << entry.path();
    }
}

} // namespace
