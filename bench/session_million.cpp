// The address file at 100,000 and 1,000,000 records (26 tags) as the main window's
// session works it: opening it, jumping to the last record in name order, and counting
// the records of a last-name filter ("MIT" anywhere in it). Peak memory is a counter.
//
// The files are made once into a folder under the temporary folder and kept there for
// later runs; ADDRINA_BENCH_BOOKS names a folder that already holds A100K.DBF and
// A1M.DBF (each with its .CDX) instead.
#include "address_records.h"
#include "bench_support.h"
#include "platform/programdirectory.h"
#include "session/addresssession.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <filesystem>
#include <memory>
#include <string>

namespace {

namespace fs = std::filesystem;

// About 660 bytes of table and 150 of index per record, with room to spare.
constexpr std::uintmax_t kBytesPerRecord = 900;

fs::path BooksFolder()
{
    if (const char* given = std::getenv("ADDRINA_BENCH_BOOKS"))
        return given;
    const fs::path folder = fs::temp_directory_path() / "addrina-bench-books";
    fs::create_directories(folder);
    return folder;
}

std::string FileName(long records)
{
    return records >= 1000000 ? "A" + std::to_string(records / 1000000) + "M.DBF"
                              : "A" + std::to_string(records / 1000) + "K.DBF";
}

// The file of that many records, made when missing; "" with why in reason when the disk
// lacks room for it.
std::string Book(long records, std::string& reason)
{
    const fs::path path = BooksFolder() / FileName(records);
    if (fs::exists(path) && fs::exists(fs::path(path).replace_extension(".CDX")))
        return path.string();
    const std::uintmax_t needed = kBytesPerRecord * std::uintmax_t(records);
    if (fs::space(BooksFolder()).available < needed) {
        reason = "not enough free disk in " + BooksFolder().string() + " for the " + std::to_string(records) +
                 "-record file (" + std::to_string(needed >> 20) + " MB)";
        return {};
    }
    addressrecords::createTable(path.string());
    addressrecords::open(path.string());
    addressrecords::appendRecords(records);
    addressrecords::buildTags();
    sx_CloseAll();
    return path.string();
}

// A session with no window, its settings kept in a temporary folder.
struct Desk {
    Desk()
    {
        BenchApplication();
        SetProgramDirectory(settings.path());
    }
    QTemporaryDir settings;
    AddressSession session;
};

// A session holding the file open, or nullptr with the benchmark skipped.
std::unique_ptr<Desk> OpenDesk(benchmark::State& state)
{
    std::string reason;
    const std::string path = Book(state.range(0), reason);
    if (path.empty()) {
        state.SkipWithError(reason.c_str());
        return nullptr;
    }
    auto desk = std::make_unique<Desk>();
    desk->session.LastOpenedFile = QString::fromStdString(path);
    desk->session.CurrentOrderName = QStringLiteral("NAME");
    if (!desk->session.ReopenFile()) {
        state.SkipWithError("the address file does not open");
        return nullptr;
    }
    return desk;
}

void Finish(benchmark::State& state)
{
    state.counters["records"] = double(state.range(0));
    state.counters["peak_MB"] = PeakMegabytes();
}

// Opening as the window reopens a file: the table with its index, the order put back,
// the (empty) filter applied, the first record read.
void BM_OpenAddressFile(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<Desk> desk;
        state.ResumeTiming();
        desk = OpenDesk(state);
        if (!desk)
            return;
        state.PauseTiming();
        desk.reset();
        state.ResumeTiming();
    }
    Finish(state);
}

void BM_JumpToLastByName(benchmark::State& state)
{
    const std::unique_ptr<Desk> desk = OpenDesk(state);
    if (!desk)
        return;
    TTable& table = desk->session.TableBook;
    for (auto _ : state) {
        state.PauseTiming();
        table.First();
        state.ResumeTiming();
        table.Last();
    }
    Finish(state);
}

void BM_FilterCountLastNameContains(benchmark::State& state)
{
    const std::unique_ptr<Desk> desk = OpenDesk(state);
    if (!desk)
        return;
    long matches = 0;
    for (auto _ : state) {
        desk->session.Select.values[QueryField::LName] = QStringLiteral("$mit");
        matches = desk->session.ApplyFilter();
    }
    if (desk->session.FilterExpression() != QStringLiteral("\"MIT\"$UPPER(LNAME)"))
        state.SkipWithError("the filter is not the one measured");
    state.counters["matches"] = double(matches);
    Finish(state);
}

#define AT_BOTH_SIZES(bench) BENCHMARK(bench)->Unit(benchmark::kMillisecond)->Arg(100000)->Arg(1000000)
AT_BOTH_SIZES(BM_OpenAddressFile);
AT_BOTH_SIZES(BM_JumpToLastByName);
AT_BOTH_SIZES(BM_FilterCountLastNameContains);

} // namespace
