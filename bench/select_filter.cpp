// Filters and tag-all on a 20,000-record address file: applying a filter (build, test,
// query and count) for a few typical patterns, and tagging every match of a filter that
// selects about a fifth of the file.
#include "bench_support.h"
#include "select/selection.h"
#include "select/tagall.h"

#include "table/controlsscope.h"
#include "table/opentablefile.h"
#include "table/tapollo.h"
#include "table/tapolloenv.h"
#include "table/tdatasource.h"
#include "table/ttable.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kRecords = 20000;

// The fixture address file grown to kRecords with records of five states.
struct BigBook {
    QTemporaryDir dir;
    TApolloEnv env;
    TTable table;
    TDataSource source;
    TApollo apollo;

    BigBook()
    {
        const QString path = dir.filePath(QStringLiteral("big.dbf"));
        CopyFixtureBook(path);
        env.SetDeleted(true);
        table.SetExclusive(true);
        source.SetDataSet(&table);
        apollo.SetDataSource(&source);
        if (!OpenTableFile(path, table))
            qFatal("cannot open the fixture copy");
        static const char* states[] = {"CA", "NY", "TX", "MA", "OH"};
        ControlsScope quiet(table);
        for (int i = 0; table.CurrentRecNo() < kRecords; ++i) {
            table.Append();
            table.FieldByName(QStringLiteral("LNAME")).SetAsString(QStringLiteral("Name%1").arg(i));
            table.FieldByName(QStringLiteral("STATE")).SetAsString(QLatin1StringView(states[i % 5]));
            table.FieldByName(QStringLiteral("CODES"))
                .SetAsString(i % 3 ? QStringLiteral("XMAS") : QStringLiteral("VIP"));
            table.Post();
        }
    }
};

BigBook& book()
{
    BenchApplication();
    static BigBook b;
    return b;
}

void BM_ApplyFilter(benchmark::State& state, QueryField field, const char* pattern)
{
    BigBook& b = book();
    Selection selection;
    long matches = 0;
    for (auto _ : state) {
        selection.values[field] = QString::fromLatin1(pattern);
        matches = selection.ApplyFilter(b.apollo, QStringLiteral("VJY355E"));
    }
    state.counters["matches"] = static_cast<double>(matches);
    state.counters["records"] = kRecords;
}
BENCHMARK_CAPTURE(BM_ApplyFilter, last_name, QueryField::LName, "name1")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ApplyFilter, two_states, QueryField::State, "CA;NY")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ApplyFilter, code_contains, QueryField::Codes, "$VI")->Unit(benchmark::kMillisecond);

void BM_TagAll(benchmark::State& state)
{
    BigBook& b = book();
    Selection selection;
    selection.values[QueryField::State] = QStringLiteral("TX");
    selection.ApplyFilter(b.apollo, QString());
    long tagged = 0;
    int run = 0;
    for (auto _ : state) {
        // A fresh id each run, so every run writes every match.
        TTagAllRecords dialog(b.table, QStringLiteral("B%1").arg(++run));
        dialog.Run();
        tagged = dialog.Tagged();
    }
    state.counters["tagged"] = static_cast<double>(tagged);
    state.counters["records/s"] =
        benchmark::Counter(static_cast<double>(tagged) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TagAll)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
