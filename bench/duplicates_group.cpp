// Finding duplicates: 100,000 and 1,000,000 contacts made in memory (every twentieth a
// copy of an earlier one in other spellings) turned into match keys and grouped at
// "likely"; the 100,000-record address file read through the session and grouped; and
// the check an import makes, as a share of the import's own time. Peak memory is a
// counter (the process's high-water mark, so the 100,000 runs come first).
#include "address_records.h"
#include "bench_support.h"
#include "duplicates/contactreader.h"
#include "duplicates/duplicatefinder.h"
#include "exchange/asciicolumns.h"
#include "exchange/importdestination.h"
#include "exchange/importtext.h"
#include "exchange/knowncontacts.h"
#include "session/addresssession.h"
#include "table/tfield.h"

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <ctime>
#include <optional>

namespace {

Contact Made(long i)
{
    const bool copy = i % 20 == 0;
    const long person = copy ? i - 7 : i;
    // A cheap generator: seeding a Mersenne twister per contact would cost more than the keys.
    std::minstd_rand rng(unsigned(person) * 2654435761u + 1);
    Contact c;
    c.position = i;
    c.last = QString::fromLatin1(addressrecords::kLast[rng() % std::size(addressrecords::kLast)]);
    c.first = QString::fromLatin1(addressrecords::kFirst[rng() % std::size(addressrecords::kFirst)]);
    const unsigned number = rng() % 9999, zip = 10000 + rng() % 89999, phone = rng() % 10000000;
    c.street = QString::number(number) + (copy ? QStringLiteral(" MAIN ST.") : QStringLiteral(" Main Street"));
    c.zip = QString::number(zip);
    c.phones = {copy ? QStringLiteral("+1 312 %1").arg(phone) : QStringLiteral("(312) %1").arg(phone)};
    c.email = QStringLiteral("p%1@example.com").arg(person);
    if (copy)
        c.first = c.first.toUpper();
    return c;
}

std::vector<MatchKeys> MadeKeys(long count)
{
    std::vector<MatchKeys> keys;
    keys.reserve(std::size_t(count));
    for (long i = 1; i <= count; ++i)
        keys.push_back(KeysOf(Made(i), QStringLiteral("US")));
    return keys;
}

void BM_GroupMadeContacts(benchmark::State& state)
{
    std::size_t groups = 0;
    for (auto _ : state)
        groups = FindDuplicateGroups(MadeKeys(state.range(0)), MatchLevel::Likely).size();
    state.counters["groups"] = double(groups);
    state.counters["peak_MB"] = PeakMegabytes();
}

// The benchmark's own 100,000-record address file, made once per run.
const QString& AddressFile()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString file = dir.path() + QStringLiteral("/A100K.DBF");
        addressrecords::createTable(file.toStdString());
        addressrecords::open(file.toStdString());
        addressrecords::appendRecords(100000);
        addressrecords::buildTags();
        sx_CloseAll();
        return file;
    }();
    return path;
}

std::vector<MatchKeys> FileKeys(AddressSession& session)
{
    session.Apollo1.Query(QStringLiteral("!ISDEL"));
    return ReadMatchKeys(session.TableBook, QStringLiteral("US"));
}

void BM_GroupAddressFile(benchmark::State& state)
{
    BenchApplication();
    AddressSession session;
    session.OpenAddressFile(AddressFile(), true);
    std::size_t groups = 0;
    for (auto _ : state)
        groups = FindDuplicateGroups(FileKeys(session), MatchLevel::Likely).size();
    state.counters["groups"] = double(groups);
    state.counters["peak_MB"] = PeakMegabytes();
}

// The 100,000 made contacts as an import's text: first and last name, street, ZIP, phone
// and e-mail a line.
QString MadeCsv(const QString& folder)
{
    const QString path = folder + QStringLiteral("/contacts.csv");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    for (long i = 1; i <= 100000; ++i) {
        const Contact c = Made(i);
        file.write(
            QStringList{c.first, c.last, c.street, c.zip, c.phones.front(), c.email}.join(QLatin1Char(',')).toUtf8() +
            '\n');
    }
    return path;
}

// Wall and processor time from its making on, in milliseconds.
struct Stopwatch {
    static double CpuMs()
    {
        timespec t{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
    }
    std::chrono::steady_clock::time_point wall = std::chrono::steady_clock::now();
    double cpu = CpuMs();
    std::pair<double, double> Elapsed() const
    {
        return {std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wall).count(),
                CpuMs() - cpu};
    }
};

// The import of the text into a fresh copy of the address file, its tags rebuilt, with
// or without the check: wall and processor time, the contacts it skipped and the processor
// time the reading of the file's contacts took.
std::pair<double, double> TimedImport(const QString& folder, const QString& csv, bool check, long& skipped,
                                      double& readingCpu)
{
    const QString path = folder + QStringLiteral("/IMPORT.DBF");
    for (const char* ext : {".DBF", ".CDX"}) {
        const QString from = QString(AddressFile()).replace(QStringLiteral(".DBF"), QString::fromLatin1(ext));
        QFile::remove(QString(path).replace(QStringLiteral(".DBF"), QString::fromLatin1(ext)));
        QFile::copy(from, QString(path).replace(QStringLiteral(".DBF"), QString::fromLatin1(ext)));
    }
    ImportDestination trio;
    trio.OpenDestination(path);
    std::vector<TField*> columns;
    for (const char* name : {"FNAME", "LNAME", "STREET", "ZIP", "PHONE", "EMAIL"})
        columns.push_back(&trio.Destination.FieldByName(QString::fromLatin1(name)));
    const Stopwatch watch;
    ImportText text;
    text.Load(csv);
    AsciiImportSource source(text, columns, false);
    std::optional<SkipKnownSource> skipping;
    if (check) {
        const Stopwatch reading;
        skipping.emplace(source, KnownContacts(trio.Destination, trio.DestinationApollo), MatchLevel::Likely);
        readingCpu = reading.Elapsed().second;
    }
    DropIndexForImport(trio.DestinationApollo);
    ImportLoop(trio.Destination).Run(skipping ? static_cast<ImportSource&>(*skipping) : source);
    RebuildIndexAfterImport(trio.Destination, trio.DestinationApollo, {});
    const auto elapsed = watch.Elapsed();
    skipped = skipping ? long(skipping->Skipped().size()) : 0;
    trio.Destination.Close();
    return elapsed;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// What "Skip contacts already in the file" adds to an import of 100,000 records into the
// 100,000-record file, as a share of the plain import's time: imports with and without the
// check taken in turns, medians of five pairs.
void BM_ImportCheck(benchmark::State& state)
{
    BenchApplication();
    QTemporaryDir folder;
    const QString csv = MadeCsv(folder.path());
    std::vector<double> plainWall, plainCpu, wallShare, cpuShare, readingCpu;
    long skipped = 0;
    double reading = 0;
    for (auto _ : state)
        for (int round = 0; round < 5; ++round) {
            const auto [wall, cpu] = TimedImport(folder.path(), csv, false, skipped, reading);
            const auto [checkedWall, checkedCpu] = TimedImport(folder.path(), csv, true, skipped, reading);
            readingCpu.push_back(reading);
            plainWall.push_back(wall);
            plainCpu.push_back(cpu);
            wallShare.push_back(100 * (checkedWall - wall) / wall);
            cpuShare.push_back(100 * (checkedCpu - cpu) / cpu);
        }
    state.counters["import_ms"] = Median(plainWall);
    state.counters["import_cpu_ms"] = Median(plainCpu);
    state.counters["check_wall_%"] = Median(wallShare);
    state.counters["check_cpu_%"] = Median(cpuShare);
    state.counters["reading_cpu_ms"] = Median(readingCpu);
    state.counters["skipped"] = double(skipped);
}

// The check alone, for profiling: the file's contacts keyed, then every line of the text
// keyed and looked up, with no import around it.
void BM_CheckAlone(benchmark::State& state)
{
    BenchApplication();
    QTemporaryDir folder;
    const QString csv = MadeCsv(folder.path());
    ImportDestination trio;
    trio.OpenDestination(AddressFile());
    std::vector<TField*> columns;
    for (const char* name : {"FNAME", "LNAME", "STREET", "ZIP", "PHONE", "EMAIL"})
        columns.push_back(&trio.Destination.FieldByName(QString::fromLatin1(name)));
    ImportText text;
    text.Load(csv);
    long lines = 0;
    std::vector<double> fileCpu, linesCpu;
    for (auto _ : state) {
        AsciiImportSource source(text, columns, false);
        const Stopwatch file;
        SkipKnownSource skipping(source, KnownContacts(trio.Destination, trio.DestinationApollo), MatchLevel::Likely);
        fileCpu.push_back(file.Elapsed().second);
        const Stopwatch reading;
        std::vector<ImportValue> values;
        for (lines = 0; skipping.Next(values); ++lines)
            values.clear();
        linesCpu.push_back(reading.Elapsed().second);
    }
    state.counters["lines"] = double(lines);
    state.counters["file_cpu_ms"] = Median(fileCpu);
    state.counters["lines_cpu_ms"] = Median(linesCpu);
    trio.Destination.Close();
}

} // namespace

BENCHMARK(BM_GroupMadeContacts)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_GroupAddressFile)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ImportCheck)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_CheckAlone)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_GroupMadeContacts)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(1);
