// Importing 100,000 records into an empty address file, with the rebuild of its 26 tags:
// from a delimited text file (about 19 MB, every field of the main window filled) and
// from another DBF table. A pass through the event loop every 40 ms, as the dialogs do.
#include "addressfile/createaddressfile.h"
#include "kept_output.h"

#include "exchange/asciicolumns.h"
#include "exchange/importdestination.h"
#include "exchange/importline.h"
#include "exchange/importloop.h"
#include "exchange/importtargets.h"
#include "exchange/importtext.h"
#include "exchange/tablesource.h"
#include "table/opentablefile.h"
#include "table/tapollo.h"
#include "table/tdatasource.h"
#include "table/tfield.h"
#include "table/ttable.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <ctime>

namespace {

constexpr int kRecords = 100000;

// An empty address file, open for an import.
struct EmptyAddressFile : ImportDestination {
    explicit EmptyAddressFile(const QString& path)
    {
        QFile::remove(path);
        QFile::remove(QString(path).replace(".DBF", ".CDX"));
        CreateAddressFile(path, Destination, DestinationApollo);
        OpenDestination(path);
    }
};

QString CsvLine(int i)
{
    const QString n = QString::number(i);
    const QStringList values = {"Lastname" + QString::number(i % 40000),
                                "First" + n,
                                "Q",
                                "Dr.",
                                "Manager",
                                "\"Firm " + n + ", Inc.\"",
                                n + " Main Street",
                                "Suite " + n,
                                "Springfield",
                                "MA",
                                QString::number(10000 + i % 90000),
                                "USA",
                                "555-123-" + n,
                                "555-987-" + n,
                                "555-555-" + n,
                                "p" + n + "@example.org",
                                "CUST",
                                "Met at the fair",
                                "example.org/" + n};
    return values.join(QLatin1Char(',')) + QLatin1Char('\n');
}

QString MakeCsv(const QString& folder)
{
    const QString path = folder + "/contacts.csv";
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    for (int i = 0; i < kRecords; ++i)
        file.write(CsvLine(i).toUtf8());
    return path;
}

// The process's processor time in milliseconds (every thread): on a busy machine the
// wall clock mostly measures waiting for a core.
double CpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Processor time of the appends, the rebuild and the event loop's passes (milliseconds,
// summed over the iterations).
struct Phases {
    double appends = 0;
    double rebuild = 0;
    double events = 0;
};

ImportResult ImportAndRebuild(ImportDestination& trio, ImportSource& source, Phases& phases)
{
    const double start = CpuMs();
    DropIndexForImport(trio.DestinationApollo);
    ImportLoop loop(trio.Destination);
    loop.LetInputThrough = [&] {
        const double before = CpuMs();
        QCoreApplication::processEvents();
        phases.events += CpuMs() - before;
    };
    const ImportResult result = loop.Run(source);
    const double appended = CpuMs();
    phases.appends += appended - start;
    RebuildIndexAfterImport(trio.Destination, trio.DestinationApollo, {});
    phases.rebuild += CpuMs() - appended;
    return result;
}

void Report(benchmark::State& state, const Phases& phases)
{
    const double runs = static_cast<double>(state.iterations());
    state.counters["appends_ms"] = phases.appends / runs;
    state.counters["rebuild_ms"] = phases.rebuild / runs;
    state.counters["events_ms"] = phases.events / runs;
}

void BM_ImportCsv100k(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString csv = MakeCsv(folder.path());
    const QString path = folder.path() + "/ADDR.DBF";
    Phases phases;
    for (auto _ : state) {
        state.PauseTiming();
        EmptyAddressFile trio(path);
        state.ResumeTiming();
        ImportText text;
        text.Load(csv);
        const auto targets = ImportTargets(trio.Destination);
        AsciiImportSource source(text, targets, false);
        if (ImportAndRebuild(trio, source, phases).imported != kRecords)
            state.SkipWithError("records missing");
        trio.Destination.Close();
    }
    KeepOutput({path, QString(path).replace(".DBF", ".CDX")});
    Report(state, phases);
    state.counters["MB"] = static_cast<double>(QFile(csv).size()) / 1e6;
}

void BM_ImportDbf100k(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString sourcePath = folder.path() + "/SOURCE.DBF";
    {
        // The source: an address file filled by the text import.
        EmptyAddressFile trio(sourcePath);
        ImportText text;
        text.Load(MakeCsv(folder.path()));
        AsciiImportSource source(text, ImportTargets(trio.Destination), false);
        Phases unused;
        ImportAndRebuild(trio, source, unused);
    }
    const QString path = folder.path() + "/ADDR.DBF";
    Phases phases;
    for (auto _ : state) {
        state.PauseTiming();
        EmptyAddressFile trio(path);
        TTable from;
        TDataSource fromSource;
        TApollo fromApollo;
        from.SetReadOnly(true);
        fromSource.SetDataSet(&from);
        fromApollo.SetDataSource(&fromSource);
        state.ResumeTiming();
        OpenTableFile(sourcePath, from);
        std::vector<TablePair> pairs;
        for (TField* field : ImportTargets(trio.Destination))
            pairs.push_back({from.FindField(field->FieldName()), field});
        TableImportSource source(from, fromApollo.RecCount(), pairs);
        if (ImportAndRebuild(trio, source, phases).imported != kRecords)
            state.SkipWithError("records missing");
        trio.Destination.Close();
    }
    Report(state, phases);
}

// The text side alone: reading, decoding and splitting every line.
void BM_SplitCsv100k(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString csv = MakeCsv(folder.path());
    long values = 0;
    for (auto _ : state) {
        ImportText text;
        text.Load(csv);
        QStringView line;
        QStringList split;
        while (text.NextLine(line)) {
            SplitImportLine(line, split);
            values += split.size();
        }
    }
    benchmark::DoNotOptimize(values);
}

BENCHMARK(BM_SplitCsv100k)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ImportCsv100k)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ImportDbf100k)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
