// Reading 100,000 vCards (as the vCard copy writes them) into address records, and the
// whole import as the shared import loop does it: the records appended to an address file
// without its index, then the 26 tags built anew.
#include "xbase_dbf_data.h"

#include "addressfile/addressschema.h"
#include "addressfile/createaddressfile.h"
#include "exchange/exportfields.h"
#include "exchange/vcardmapping.h"
#include "exchange/vcardreader.h"
#include "exchange/vcardwriter.h"
#include "table/opentablefile.h"
#include "table/tapollo.h"
#include "table/tapolloenv.h"
#include "table/tdatasource.h"
#include "table/tfield.h"
#include "table/ttable.h"

#include <QFile>
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

// Read, map, append every record to an address file without its index, rebuild the tags.
void BM_ImportVCardsWithRebuild(benchmark::State& state)
{
    const QByteArray& cards = Cards();
    TApolloEnv env;
    env.SetDeleted(true);
    QTemporaryDir dir;
    long count = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const QString path = dir.filePath(QStringLiteral("IMPORT%1.DBF").arg(count));
        TTable table;
        TDataSource source;
        TApollo apollo;
        source.SetDataSet(&table);
        apollo.SetDataSource(&source);
        CreateAddressFile(path, table, apollo);
        DeclareAddressFields(table);
        table.SetExclusive(true);
        OpenTableFile(path, table);
        apollo.CloseIndexes();
        QFile::remove(dir.filePath(QStringLiteral("IMPORT%1.CDX").arg(count)));
        state.ResumeTiming();

        if (CountVCards(cards).cards != kCards)
            state.SkipWithError("the preview did not count every card");
        VCardReader reader(cards);
        const ExportFieldSet fields(table);
        table.SetBatchInserts(true);
        count = 0;
        for (VCard card; reader.Next(card);) {
            const VCardRecord record = MapVCard(card);
            table.Append();
            for (int i = 0; i < ExportFieldCount; ++i)
                if (!record.values[static_cast<std::size_t>(i)].isEmpty())
                    fields[i].SetAsString(record.values[static_cast<std::size_t>(i)]);
            table.Post();
            ++count;
        }
        table.Commit();
        CreateIndexTags(table, apollo);
        table.Close();
    }
    state.counters["records"] = static_cast<double>(count);
}
BENCHMARK(BM_ImportVCardsWithRebuild)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
