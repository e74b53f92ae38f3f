// Opening the template picker: reading the shipped catalogue of 134 sheets and filling
// the tree with its seven categories. Should take well under 20 ms. The catalogue is the
// one the build puts beside the benchmark.
#include "labels/tzintlabelfile.h"

#include <QApplication>
#include <QTreeWidget>
#include <benchmark/benchmark.h>

namespace {

QApplication& application()
{
    static int argc = 1;
    static char name[] = "bench_labels_catalog";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

void BM_FillCatalogTree(benchmark::State& state)
{
    application();
    int nodes = 0;
    for (auto _ : state) {
        QTreeWidget tree;
        TZintLabelFile::FillCatalogTree(QCoreApplication::applicationDirPath() + QStringLiteral("/adr.tpl"), &tree);
        nodes = 0;
        for (int i = 0; i < tree.topLevelItemCount(); ++i)
            nodes += tree.topLevelItem(i)->childCount();
    }
    state.counters["templates"] = nodes;
}
BENCHMARK(BM_FillCatalogTree)->Unit(benchmark::kMillisecond);

} // namespace
