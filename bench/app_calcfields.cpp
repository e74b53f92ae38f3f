// Reading the address table with its calculated fields: the cost they add to every
// record that a scan, a grid page, a label run or a report reads.

#include "addressfile/addressschema.h"
#include "addressfile/createaddressfile.h"
#include "app/calcfields.h"
#include "table/opentablefile.h"
#include "table/tapollo.h"
#include "table/tdatasource.h"
#include "table/ttable.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int Records = 20000;

// One address file for every run, made on first use.
const QString& SampleFile()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString file = dir.filePath("BENCH.DBF");
        TTable table;
        TDataSource source;
        TApollo apollo;
        source.SetDataSet(&table);
        apollo.SetDataSource(&source);
        CreateAddressFile(file, table, apollo);
        OpenTableFile(file, table);
        for (int i = 0; i < Records; ++i) {
            table.Append();
            table.FieldByName("LNAME").SetAsString(QString("Name%1").arg(i));
            table.FieldByName("FNAME").SetAsString("Pat");
            table.FieldByName("MIDDLE").SetAsString("Q");
            table.FieldByName("CITY").SetAsString("Springfield");
            table.FieldByName("STATE").SetAsString("IL");
            table.FieldByName("ZIP").SetAsString("62701");
            table.FieldByName("DATE").SetAsString("20240315");
            table.FieldByName("ISDEL").SetAsBoolean(false);
            table.Post();
        }
        table.Close();
        return file;
    }();
    return path;
}

// state.range(0): 0 stored fields only, 1 with the calculated fields, 2 with the three
// name and place fields shown as well.
void BM_ScanAddressTable(benchmark::State& state)
{
    TTable table;
    DeclareAddressFields(table);
    std::unique_ptr<AddressCalcFields> calc;
    if (state.range(0) > 0) {
        calc = std::make_unique<AddressCalcFields>(table);
        table.OnCalcFields = [&calc](TTable&) { calc->Calculate("ABC1234"); };
        table.FieldByName("FullName").SetVisible(state.range(0) == 2);
    }
    OpenTableFile(SampleFile(), table);
    for (auto _ : state) {
        long n = 0;
        for (table.First(); !table.Eof(); table.Next())
            ++n;
        benchmark::DoNotOptimize(n);
    }
    state.SetItemsProcessed(state.iterations() * Records);
}
BENCHMARK(BM_ScanAddressTable)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace
