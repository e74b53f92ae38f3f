// Appending 100,000 address records (blank record, then every field replaced).
#include "xbase_dbf_data.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <unistd.h>

namespace {

constexpr std::uint32_t kRecords = 100000;

void BM_Append100k(benchmark::State& state)
{
    const std::string dir =
        (std::filesystem::temp_directory_path() / ("xbase-bench-" + std::to_string(getpid()))).string();
    std::filesystem::create_directories(dir);
    const std::string path = dir + "/append.dbf";
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(path);
        if (!xbbench::createAddressTable(path) || !sx_Use(path.c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX)) {
            state.SkipWithError("cannot create the table");
            break;
        }
        state.ResumeTiming();
        xbbench::appendAddresses(kRecords);
        sx_Close();
    }
    state.counters["records"] = kRecords;
    state.counters["maxRSS_MB"] = xbbench::peakResidentMegabytes();
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    std::filesystem::remove_all(dir);
}

BENCHMARK(BM_Append100k)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
