// The structural index on a 100,000-record address file with all 26 tags:
// building the tags, packing out 3% deleted records (with the rebuild), appending
// records one by one with every tag kept current, seeking, and stepping through
// the file in tag order under a filter.
//
// Each figure is printed per run; the index size and peak memory are counters.
#include "address_records.h"
#include "xbase/cdx/cdx_index.h"
#include "xbase/engine.h"
#include "xbase/sx.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
constexpr long kRecords = 100000;

using addressrecords::appendRecords;
using addressrecords::buildTags;
using addressrecords::createTable;
using addressrecords::open;

std::string benchDir()
{
    const fs::path dir = fs::temp_directory_path() / "addrina-bench-cdx";
    fs::create_directories(dir);
    return dir.string();
}

// The 100,000-record file without an index, made once.
const std::string& plainTable()
{
    static const std::string path = [] {
        const std::string p = benchDir() + "/PLAIN.DBF";
        createTable(p);
        open(p);
        appendRecords(kRecords);
        sx_CloseAll();
        return p;
    }();
    return path;
}

std::string copyOfPlain(const std::string& name)
{
    const std::string p = benchDir() + "/" + name;
    fs::remove(fs::path(p).replace_extension(".CDX"));
    fs::copy_file(plainTable(), p, fs::copy_options::overwrite_existing);
    return p;
}

void reportSizeAndMemory(benchmark::State& state, const std::string& dbf)
{
    state.counters["cdx_MB"] = double(fs::file_size(fs::path(dbf).replace_extension(".CDX"))) / 1e6;
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    state.counters["peak_rss_MB"] = double(ru.ru_maxrss) / 1024.0;
}

// CPU seconds of every thread of the process so far.
double processCpuSeconds()
{
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    return double(ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) + double(ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) * 1e-6;
}

// Builds read and sort on two threads, so their CPU time is reported across all threads.
// The argument is the memory for keys in MB: at 8 the keys go to disk in sorted runs.
void BM_Build26Tags(benchmark::State& state)
{
    const size_t saved = xb::cdx::keyMemory();
    xb::cdx::setKeyMemory(size_t(state.range(0)) << 20);
    std::string dbf;
    double cpu = 0;
    for (auto _ : state) {
        state.PauseTiming();
        sx_CloseAll();
        dbf = copyOfPlain("BUILD.DBF");
        open(dbf);
        state.ResumeTiming();
        const double before = processCpuSeconds();
        buildTags();
        sx_Commit();
        cpu += processCpuSeconds() - before;
    }
    sx_CloseAll();
    xb::cdx::setKeyMemory(saved);
    state.counters["all_threads_cpu_s"] = cpu / double(state.iterations());
    reportSizeAndMemory(state, dbf);
}
BENCHMARK(BM_Build26Tags)->Unit(benchmark::kMillisecond)->Iterations(3)->Arg(64)->Arg(8)->ArgName("key_MB");

// The look an open takes for keys another program upper-cased otherwise: every tag
// walked against keys made anew from the records.
void BM_ForeignCaseKeysOf26Tags(benchmark::State& state)
{
    sx_CloseAll();
    const std::string dbf = copyOfPlain("LOOK.DBF");
    open(dbf);
    buildTags();
    sx_Commit();
    long found = 0;
    for (auto _ : state)
        found = sx_ForeignCaseKeys();
    sx_CloseAll();
    state.counters["foreign_keys"] = double(found);
}
BENCHMARK(BM_ForeignCaseKeysOf26Tags)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PackAfterDeleting3Percent(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        sx_CloseAll();
        const std::string dbf = copyOfPlain("PACK.DBF");
        open(dbf);
        buildTags();
        sx_SetOrder(0);
        for (long r = 17; r <= kRecords; r += 33) {
            sx_Go(r);
            sx_Delete();
        }
        sx_Commit();
        state.ResumeTiming();
        sx_Pack();
    }
    sx_CloseAll();
}
BENCHMARK(BM_PackAfterDeleting3Percent)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Append100kWith26Tags(benchmark::State& state)
{
    std::string dbf;
    for (auto _ : state) {
        state.PauseTiming();
        sx_CloseAll();
        dbf = benchDir() + "/APPEND.DBF";
        createTable(dbf);
        open(dbf);
        buildTags();
        state.ResumeTiming();
        appendRecords(kRecords);
    }
    state.counters["us_per_record"] =
        benchmark::Counter(double(kRecords) * 1e-6, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    sx_CloseAll();
    reportSizeAndMemory(state, dbf);
}
BENCHMARK(BM_Append100kWith26Tags)->Unit(benchmark::kSecond)->Iterations(1);

// The same appends without an index: the table's own share of the figure above.
void BM_Append100kWithoutTags(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        sx_CloseAll();
        const std::string dbf = benchDir() + "/NOTAGS.DBF";
        createTable(dbf);
        open(dbf);
        state.ResumeTiming();
        appendRecords(kRecords);
    }
    sx_CloseAll();
}
BENCHMARK(BM_Append100kWithoutTags)->Unit(benchmark::kSecond)->Iterations(1);

void BM_Seek(benchmark::State& state)
{
    sx_CloseAll();
    const std::string dbf = copyOfPlain("SEEK.DBF");
    open(dbf);
    buildTags();
    sx_SetOrder(sx_TagArea("LNAME"));
    std::vector<std::string> keys;
    for (long i = 1; i <= 1000; ++i) {
        sx_Go(i * 97);
        keys.push_back(sx_IndexKey().substr(0, 12));
    }
    size_t n = 0;
    long found = 0;
    if (state.range(0) == 0) {
        for (auto _ : state)
            found += sx_Seek(keys[n++ % keys.size()].c_str());
    } else {
        // The index's part alone: finding the first entry for the key, without the work
        // area reading the record it lands on.
        auto* index = dynamic_cast<xb::cdx::CdxIndex*>(xb::Engine::instance().current()->index());
        xb::Order& order = index->tagOrder(sx_IndexOrd());
        for (auto _ : state)
            found += order.seek(keys[n++ % keys.size()]) != 0;
    }
    benchmark::DoNotOptimize(found);
    sx_CloseAll();
}
BENCHMARK(BM_Seek)->Unit(benchmark::kMicrosecond)->Arg(0)->Arg(1)->ArgName("index_only");

// What a browse grid does to reach its last row: every record visited one by one
// in name order, a filter hiding about one in fifty.
void BM_SkipInTagOrderWithFilter(benchmark::State& state)
{
    sx_CloseAll();
    const std::string dbf = copyOfPlain("SKIP.DBF");
    open(dbf);
    buildTags();
    sx_SetOrder(sx_TagArea("LNAME"));
    const long visible = sx_Query("TRIM(TAG) <> \"TAG1\"");
    long visited = 0;
    for (auto _ : state) {
        visited = 0;
        for (sx_GoTop(); !sx_Eof(); sx_Skip(1))
            ++visited;
    }
    if (visited != visible)
        state.SkipWithError("the walk missed records");
    state.counters["us_per_record"] = benchmark::Counter(
        double(visited) * 1e-6, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    sx_CloseAll();
}
BENCHMARK(BM_SkipInTagOrderWithFilter)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
