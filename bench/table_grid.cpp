// The grid model over a 100,000-record address-like file, ordered by last name and
// filtered like the main window ("!ISDEL"): the cost of the first screen, of a jump to a
// far page, and of the reload that follows posting one record.

#include "address_data.h"
#include "table/dbgridmodel.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kRecords = 100000;
constexpr int kPageRows = 40;

struct GridFixture {
    GridFixture()
    {
        path = dir.filePath("big.dbf");
        MakeBenchAddressFile(path, kRecords);
        OpenByLastName(path, table, source, apollo);
    }

    QTemporaryDir dir;
    QString path;
    TTable table;
    TDataSource source;
    TApollo apollo;
};

GridFixture& Fixture()
{
    static GridFixture fixture;
    return fixture;
}

void ReadPage(TDBGridModel& model, int firstRow)
{
    for (int r = firstRow; r < firstRow + kPageRows && r < model.rowCount(); ++r)
        for (int c = 0; c < model.columnCount(); ++c)
            benchmark::DoNotOptimize(model.data(model.index(r, c)));
}

// Opening a grid on the file and painting its first screen.
void BM_GridFirstScreen(benchmark::State& state)
{
    GridFixture& f = Fixture();
    for (auto _ : state) {
        TDBGridModel model;
        model.SetDataSource(&f.source);
        ReadPage(model, 0);
    }
}
BENCHMARK(BM_GridFirstScreen)->Unit(benchmark::kMillisecond);

// Scrolling down one chunk of rows at a time, as a view asks for them.
void BM_GridFetchChunk(benchmark::State& state)
{
    GridFixture& f = Fixture();
    TDBGridModel model;
    model.SetDataSource(&f.source);
    for (auto _ : state) {
        if (!model.canFetchMore({})) {
            state.PauseTiming();
            model.SetDataSource(&f.source);
            state.ResumeTiming();
        }
        model.fetchMore({});
        ReadPage(model, model.rowCount() - kPageRows);
    }
}
BENCHMARK(BM_GridFetchChunk)->Unit(benchmark::kMillisecond);

// Jumping to the last record: every row up to it is found.
void BM_GridToLastRecord(benchmark::State& state)
{
    GridFixture& f = Fixture();
    f.table.Last();
    for (auto _ : state) {
        TDBGridModel model;
        model.SetDataSource(&f.source);
        benchmark::DoNotOptimize(model.CurrentRow());
        ReadPage(model, model.rowCount() - kPageRows);
        state.counters["rows"] = model.rowCount();
    }
    f.table.First();
}
BENCHMARK(BM_GridToLastRecord)->Unit(benchmark::kMillisecond);

// Painting a screen whose records were read before.
void BM_GridRepaintSamePage(benchmark::State& state)
{
    GridFixture& f = Fixture();
    TDBGridModel model;
    model.SetDataSource(&f.source);
    ReadPage(model, 100);
    for (auto _ : state)
        ReadPage(model, 100);
}
BENCHMARK(BM_GridRepaintSamePage)->Unit(benchmark::kMicrosecond);

// Posting an edit that keeps the record's place (a tag), then repainting.
void BM_GridAfterPost(benchmark::State& state)
{
    GridFixture& f = Fixture();
    TDBGridModel model;
    model.SetDataSource(&f.source);
    f.table.First();
    ReadPage(model, 0);
    int n = 0;
    for (auto _ : state) {
        f.table.Edit();
        f.table.FieldByName("TAG").SetAsString(QString::number(++n % 1000));
        f.table.Post();
        ReadPage(model, 0);
    }
}
BENCHMARK(BM_GridAfterPost)->Unit(benchmark::kMicrosecond);

} // namespace
