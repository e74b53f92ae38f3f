// Finding duplicates: 100,000 and 1,000,000 contacts made in memory (every twentieth a
// copy of an earlier one in other spellings) turned into match keys and grouped at
// "likely"; the 100,000-record address file read through the session and grouped; and
// the check an import makes, its 100,000 contacts looked up among the file's. Peak
// memory is a counter (the process's high-water mark, so the 100,000 runs come first).
#include "address_records.h"
#include "bench_support.h"
#include "duplicates/contactreader.h"
#include "duplicates/duplicatefinder.h"
#include "session/addresssession.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

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

// What "Skip contacts already in the file" adds to an import of 100,000 records.
void BM_ImportCheck(benchmark::State& state)
{
    BenchApplication();
    AddressSession session;
    session.OpenAddressFile(AddressFile(), true);
    long skipped = 0;
    for (auto _ : state) {
        const ContactIndex known(FileKeys(session));
        skipped = 0;
        for (long i = 1; i <= 100000; ++i)
            skipped += known.Match(KeysOf(Made(i), QStringLiteral("US")), MatchLevel::Likely) != nullptr;
    }
    state.counters["skipped"] = double(skipped);
}

} // namespace

BENCHMARK(BM_GroupMadeContacts)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_GroupAddressFile)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ImportCheck)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_GroupMadeContacts)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(1);
