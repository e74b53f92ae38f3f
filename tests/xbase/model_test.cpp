// Thousands of random appends, edits, delete marks, recalls, packs and reopenings
// against a plain in-memory model of the records.
#include "test_tables.h"

#include "xbase/sx.h"

#include <gtest/gtest.h>
#include <random>

namespace {

struct Row {
    std::string name; // blank-padded to the field width
    bool deleted = false;
};

std::string padded(std::string s)
{
    s.resize(20, ' ');
    return s;
}

void expectSame(const std::vector<Row>& model, int step)
{
    ASSERT_EQ(sx_RecCount(), static_cast<long>(model.size())) << "step " << step;
    for (std::size_t i = 0; i < model.size(); ++i) {
        sx_Go(static_cast<long>(i + 1));
        ASSERT_EQ(sx_GetString("NAME"), model[i].name) << "step " << step << " record " << i + 1;
        ASSERT_EQ(sx_Deleted(), model[i].deleted) << "step " << step << " record " << i + 1;
    }
}

TEST(TableModel, RandomChangesMatchAPlainModel)
{
    xbtest::TempDir dir;
    const std::string path = dir.file("model.dbf");
    ASSERT_TRUE(xbtest::createTable(path, {"NAME:C:20", "N:N:6"}));
    ASSERT_NE(sx_Use(path.c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX), 0);
    std::mt19937 rng(20261207);
    std::vector<Row> model;
    auto pick = [&] { return static_cast<long>(rng() % model.size()) + 1; };
    for (int step = 0; step < 4000; ++step) {
        const unsigned op = rng() % 100;
        const std::string name = "n" + std::to_string(rng() % 100000);
        if (op < 45 || model.empty()) {
            // Runs of appends stay gathered until something else happens.
            sx_AppendBlank();
            sx_Replace("NAME", SX_EVAL_CHAR, name.c_str());
            model.push_back({padded(name), false});
        } else if (op < 70) {
            const long r = pick();
            sx_Go(r);
            sx_Replace("NAME", SX_EVAL_CHAR, name.c_str());
            model[static_cast<std::size_t>(r - 1)].name = padded(name);
        } else if (op < 82) {
            const long r = pick();
            sx_Go(r);
            sx_Delete();
            model[static_cast<std::size_t>(r - 1)].deleted = true;
        } else if (op < 90) {
            const long r = pick();
            sx_Go(r);
            sx_Recall();
            model[static_cast<std::size_t>(r - 1)].deleted = false;
        } else if (op < 93) {
            sx_Pack();
            std::erase_if(model, [](const Row& row) { return row.deleted; });
        } else if (op < 95) {
            sx_Close();
            ASSERT_NE(sx_Use(path.c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX), 0) << sx_LastError();
        } else {
            std::vector<char> rec(static_cast<std::size_t>(sx_RecSize()));
            const long r = pick();
            sx_Go(r);
            sx_GetRecord(rec.data());
            std::copy(name.begin(), name.end(), rec.begin() + 1);
            std::fill(rec.begin() + 1 + static_cast<long>(name.size()), rec.begin() + 21, ' ');
            sx_PutRecord(rec.data());
            model[static_cast<std::size_t>(r - 1)].name = padded(name);
        }
        if (step % 500 == 499)
            expectSame(model, step);
    }
    expectSame(model, -1);
    sx_SetDeleted(true);
    long visible = 0;
    for (sx_GoTop(); !sx_Eof(); sx_Skip(1))
        ++visible;
    EXPECT_EQ(visible, std::count_if(model.begin(), model.end(), [](const Row& r) { return !r.deleted; }));
    sx_SetDeleted(false);
    sx_CloseAll();
}

} // namespace
