// Reading 100,000 vCards (as the vCard copy writes them) into address records, and the
// whole import as the shared import loop does it: the records appended to an address file
// without its index, then the 26 tags built anew.
#include "xbase_dbf_data.h"

#include "addressfile/createaddressfile.h"
#include "exchange/exportfields.h"
#include "exchange/importdestination.h"
#include "exchange/importloop.h"
#include "exchange/vcardmapping.h"
#include "exchange/vcardreader.h"
#include "exchange/vcardsource.h"
#include "exchange/vcardwriter.h"
#include "table/tapolloenv.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr std::uint32_t kCards = 100000;

// The engine's generated address values, in the order the copies write them.
const QByteArray& Cards()
{
    static const QByteArray cards = [] {
        QByteArray out;
        const auto& fields = xbbench::addressFields();
        for (std::uint32_t n = 0; n < kCards; ++n) {
            const std::vector<std::string> raw = xbbench::addressValues(n);
            ExportValues values;
            for (int i = 0; i < ExportFieldCount; ++i)
                for (std::size_t f = 0; f < fields.size(); ++f)
                    if (QLatin1StringView(fields[f].name) == QLatin1StringView(ExportFieldNames()[i]))
                        values[static_cast<std::size_t>(i)] = QString::fromStdString(raw[f]);
            AppendVCard(values, out);
        }
        return out;
    }();
    return cards;
}

void BM_ReadVCards(benchmark::State& state)
{
    const QByteArray& cards = Cards();
    long mapped = 0;
    for (auto _ : state) {
        VCardReader reader(cards);
        mapped = 0;
        for (VCard card; reader.Next(card);)
            mapped += !MapVCard(card).values[ExLast].isEmpty();
    }
    state.counters["cards"] = static_cast<double>(mapped);
    state.counters["MB"] = static_cast<double>(cards.size()) / 1e6;
}
BENCHMARK(BM_ReadVCards)->Unit(benchmark::kMillisecond)->Iterations(3);

// The import as the dialog runs it: the preview count, the index dropped, the shared loop
// over the vCard source, the 26 tags built anew.
void BM_ImportVCardsWithRebuild(benchmark::State& state)
{
    const QByteArray& cards = Cards();
    TApolloEnv env;
    env.SetDeleted(true);
    QTemporaryDir dir;
    int run = 0;
    long count = 0;
    qint64 preview = 0, appends = 0, rebuild = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const QString path = dir.filePath(QStringLiteral("IMPORT%1.DBF").arg(++run));
        ImportDestination trio;
        CreateAddressFile(path, trio.Destination, trio.DestinationApollo);
        trio.OpenDestination(path);
        state.ResumeTiming();

        QElapsedTimer phase;
        phase.start();
        const CountedVCards counted = CountVCards(cards);
        if (counted.cards != kCards)
            state.SkipWithError("the preview did not count every card");
        preview += phase.restart();
        DropIndexForImport(trio.DestinationApollo);
        VCardImportSource source(cards, trio.Destination, counted.cards);
        ImportLoop loop(trio.Destination);
        count = loop.Run(source).imported;
        appends += phase.restart();
        RebuildIndexAfterImport(trio.Destination, trio.DestinationApollo, {});
        rebuild += phase.elapsed();
        trio.Destination.Close();
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["records"] = static_cast<double>(count);
    state.counters["preview_ms"] = static_cast<double>(preview) / runs;
    state.counters["appends_ms"] = static_cast<double>(appends) / runs;
    state.counters["rebuild_ms"] = static_cast<double>(rebuild) / runs;
}
BENCHMARK(BM_ImportVCardsWithRebuild)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
