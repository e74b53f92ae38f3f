// Full-scan filter counts over a 100,000-record address table.
#include "xbase_dbf_data.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace {

constexpr std::uint32_t kRecords = 100000;

// One generated table per run, opened exclusively in the current area.
class ScanTable {
public:
    ScanTable()
    {
        dir_ = (std::filesystem::temp_directory_path() / ("xbase-bench-" + std::to_string(getpid()))).string();
        std::filesystem::create_directories(dir_);
        const std::string path = dir_ + "/scan.dbf";
        if (!xbbench::createAddressTable(path) || !sx_Use(path.c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX))
            std::abort();
        xbbench::appendAddresses(kRecords);
        sx_SetDeleted(true);
    }
    ~ScanTable()
    {
        sx_CloseAll();
        std::filesystem::remove_all(dir_);
    }

private:
    std::string dir_;
};

// Made on first use and shared by every benchmark of the run.
void useScanTable()
{
    static ScanTable table;
}

void countWith(benchmark::State& state, const char* filter)
{
    useScanTable();
    long count = 0;
    for (auto _ : state) {
        count = sx_Query(filter);
        benchmark::DoNotOptimize(count);
    }
    state.counters["matches"] = static_cast<double>(count);
    state.counters["records"] = kRecords;
    state.counters["maxRSS_MB"] = xbbench::peakResidentMegabytes();
}

void BM_CountSubstringFilter(benchmark::State& state)
{
    countWith(state, "\"MIT\"$UPPER(LNAME).and. !ISDEL");
}
void BM_CountNotDeleted(benchmark::State& state)
{
    countWith(state, "!ISDEL");
}
void BM_CountPrefixAndFilter(benchmark::State& state)
{
    countWith(state, "UPPER(LNAME)=\"SMITH\" and UPPER(CITY+STATE)=\"BOSTON\".and. !ISDEL");
}

// Record by record, as a browse does: every visible record becomes current.
void BM_SkipThroughFilter(benchmark::State& state)
{
    useScanTable();
    sx_Query("!ISDEL");
    long count = 0;
    for (auto _ : state) {
        count = 0;
        for (sx_GoTop(); !sx_Eof(); sx_Skip(1))
            ++count;
        benchmark::DoNotOptimize(count);
    }
    state.counters["visited"] = static_cast<double>(count);
}

BENCHMARK(BM_SkipThroughFilter)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CountSubstringFilter)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CountNotDeleted)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CountPrefixAndFilter)->Unit(benchmark::kMillisecond);

} // namespace
