// Copying the 96,000 live records of a 100,000-record address file (every 25th record is
// deleted), in name order, to each kind of target: the comma-delimited text file, a new DBF
// table, standard CSV and vCard.
#include "address_data.h"
#include "kept_output.h"
#include "xbase_dbf_data.h"

#include "addressfile/addressschema.h"
#include "addressfile/createaddressfile.h"
#include "exchange/copyoutdbf.h"
#include "exchange/exportcopy.h"
#include "exchange/exportfields.h"
#include "table/opentablefile.h"
#include "table/tapolloenv.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr std::uint32_t kRecords = 100000;

// Written straight through the engine, since making it is not what is measured.
void FillAddressFile(const QString& path)
{
    const std::string file = path.toStdString();
    xbbench::createAddressTable(file);
    sx_Use(file.c_str(), "BENCHFILL", SX_EXCLUSIVE, SX_DRIVER_CDX);
    const auto& fields = xbbench::addressFields();
    for (std::uint32_t n = 0; n < kRecords; ++n) {
        std::vector<std::string> values = xbbench::addressValues(n);
        values[20] = n % 25 == 0 ? "T" : "F";
        sx_AppendBlank();
        for (std::size_t i = 0; i < fields.size(); ++i)
            if (!values[i].empty())
                sx_Replace(fields[i].name, SX_EVAL_CHAR, values[i].c_str());
    }
    sx_Commit();
    sx_Close();
}

// Opened as the main window opens it, ordered by name.
struct BigBook {
    TApolloEnv env;
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("BIG.DBF"));
    TTable table;
    TDataSource source;
    TApollo apollo;

    BigBook()
    {
        FillAddressFile(path);
        env.SetDeleted(true);
        DeclareAddressFields(table);
        OpenByLastName(path, table, source, apollo);
        CreateIndexTags(table, apollo);
        apollo.Query(QStringLiteral("!ISDEL"));
        apollo.SetOrder(apollo.TagArea(QStringLiteral("NAME")));
    }
};

BigBook& Book()
{
    static BigBook book;
    return book;
}

void CopyText(benchmark::State& state, CopyOutKind kind, const char* name)
{
    BigBook& book = Book();
    const QString target = book.dir.filePath(QLatin1StringView(name));
    CopyOutcome done;
    for (auto _ : state) {
        ExportWalk walk(book.table, book.apollo);
        done = CopyToTextFile(walk, book.table, kind, target);
    }
    if (done.failed || done.copied != 96000)
        state.SkipWithError("the copy did not copy the 96,000 live records");
    state.counters["records"] = static_cast<double>(done.copied);
    state.counters["MB"] = static_cast<double>(QFile(target).size()) / 1e6;
}

void BM_ExportText(benchmark::State& state)
{
    CopyText(state, CopyOutKind::Ascii, "COPY.TXT");
}
BENCHMARK(BM_ExportText)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ExportCsv(benchmark::State& state)
{
    CopyText(state, CopyOutKind::Csv, "copy.csv");
}
BENCHMARK(BM_ExportCsv)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ExportVCard(benchmark::State& state)
{
    CopyText(state, CopyOutKind::VCard, "copy.vcf");
}
BENCHMARK(BM_ExportVCard)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ExportDbf(benchmark::State& state)
{
    BigBook& book = Book();
    const QString target = book.dir.filePath(QStringLiteral("COPY.DBF"));
    CopyOutcome done;
    for (auto _ : state) {
        ExportWalk walk(book.table, book.apollo);
        TTable Table1;
        done = CopyToDbf(walk, book.table, book.apollo, Table1, target);
    }
    KeepOutput({target});
    if (done.failed || done.copied != 96000)
        state.SkipWithError("the copy did not copy the 96,000 live records");
    state.counters["records"] = static_cast<double>(done.copied);
    state.counters["MB"] = static_cast<double>(QFile(target).size()) / 1e6;
}
BENCHMARK(BM_ExportDbf)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

namespace {

// The walk alone, reading the 20 values of every record: what every kind pays before writing.
void BM_ExportWalkOnly(benchmark::State& state)
{
    BigBook& book = Book();
    long copied = 0;
    for (auto _ : state) {
        ExportWalk walk(book.table, book.apollo);
        const ExportFieldSet fields(book.table);
        ExportValues values;
        copied = walk.Run([&] { fields.Read(values); });
    }
    state.counters["records"] = static_cast<double>(copied);
}
BENCHMARK(BM_ExportWalkOnly)->Unit(benchmark::kMillisecond)->Iterations(3);

// The walk just after the file is opened, before any record of it was read: what the first
// copy of a session pays.
void BM_ExportWalkAfterOpening(benchmark::State& state)
{
    BigBook& book = Book();
    long copied = 0;
    for (auto _ : state) {
        state.PauseTiming();
        book.table.Close();
        OpenTableFile(book.path, book.table);
        book.apollo.Query(QStringLiteral("!ISDEL"));
        book.apollo.SetOrder(book.apollo.TagArea(QStringLiteral("NAME")));
        state.ResumeTiming();
        ExportWalk walk(book.table, book.apollo);
        const ExportFieldSet fields(book.table);
        ExportValues values;
        copied = walk.Run([&] { fields.Read(values); });
    }
    if (copied != 96000)
        state.SkipWithError("the walk did not visit the 96,000 live records");
    state.counters["records"] = static_cast<double>(copied);
}
BENCHMARK(BM_ExportWalkAfterOpening)->Unit(benchmark::kMillisecond)->Iterations(3);

// Moving through the records without reading a value.
void BM_ExportMovesOnly(benchmark::State& state)
{
    BigBook& book = Book();
    long copied = 0;
    for (auto _ : state) {
        ExportWalk walk(book.table, book.apollo);
        copied = walk.Run([] {});
    }
    state.counters["records"] = static_cast<double>(copied);
}
BENCHMARK(BM_ExportMovesOnly)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
