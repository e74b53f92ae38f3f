// Opening the template picker: reading the shipped catalogue of 134 sheets and filling
// the tree with its seven categories. Should take well under 20 ms. The catalogue is the
// one the build puts beside the benchmark.
#include "bench_support.h"
#include "labels/bklsel.h"

#include <QTreeWidget>
#include <benchmark/benchmark.h>

namespace {

void BM_FillCatalogTree(benchmark::State& state)
{
    BenchApplication();
    int nodes = 0;
    for (auto _ : state) {
        QTreeWidget tree;
        FillCatalogTree(QCoreApplication::applicationDirPath() + QStringLiteral("/adr.tpl"), &tree);
        nodes = 0;
        for (int i = 0; i < tree.topLevelItemCount(); ++i)
            nodes += tree.topLevelItem(i)->childCount();
    }
    state.counters["templates"] = nodes;
}
BENCHMARK(BM_FillCatalogTree)->Unit(benchmark::kMillisecond);

} // namespace
