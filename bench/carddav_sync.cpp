// Syncing 5,000 contacts with a local CardDAV server: the first sync from a new address
// file (every card goes up), a sync with nothing changed, and one with 10 changed records,
// each timed by the wall clock and by the CPU time of this program and of the server.
// The servers are radicale and xandikos, each started privately with its storage on
// /dev/shm, so the figures are the programs' and not the machine's disk; set
// ADDRINA_BENCH_SERVER_DIR to another folder (e.g. /tmp) to include a disk.
//   build/bin/bench_carddav_sync --benchmark_repetitions=3
#include "bench_support.h"

#include "addressfile/createaddressfile.h"
#include "carddav/cardsync.h"
#include "exchange/importdestination.h"
#include "support/carddav_server.h"
#include "table/tapolloenv.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <benchmark/benchmark.h>
#include <ctime>
#include <unistd.h>

namespace {

constexpr int kContacts = 5000;

void Fill(const QString& path)
{
    ImportDestination book;
    CreateAddressFile(path, book.Destination, book.DestinationApollo);
    book.OpenDestination(path);
    TTable& table = book.Destination;
    ExportFieldSet fields(table);
    table.SetBatchInserts(true);
    for (int n = 1; n <= kContacts; ++n) {
        table.Append();
        for (int i = 0; i < ExportFieldCount; ++i)
            fields[i].SetAsString(QStringLiteral("%1 %2").arg(QLatin1String(ExportFieldNames()[i])).arg(n));
        fields[ExMiddle].SetAsString(QStringLiteral("M"));
        fields[ExDate].SetAsString(QStringLiteral("20240102"));
        table.FieldByName(QStringLiteral("ISDEL")).SetAsBoolean(false);
        table.Post();
    }
    table.SetBatchInserts(false);
}

double ClientCpu()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + t.tv_nsec / 1e9;
}

// User and system time of a process, from /proc/<pid>/stat.
double ProcessCpu(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    return (fields.value(11).toDouble() + fields.value(12).toDouble()) / double(sysconf(_SC_CLK_TCK));
}

void Timed(benchmark::State& state, const char* name, SyncOptions& options, qint64 serverPid, QString* summary)
{
    QElapsedTimer timer;
    timer.start();
    const double client = ClientCpu(), server = ProcessCpu(serverPid);
    const SyncOutcome outcome = RunCardDavSync(options);
    const std::string n(name);
    state.counters[n + "_s"] = timer.nsecsElapsed() / 1e9;
    state.counters[n + "_client_cpu_s"] = ClientCpu() - client;
    state.counters[n + "_server_cpu_s"] = ProcessCpu(serverPid) - server;
    *summary = outcome.error.isEmpty() ? outcome.Summary() : outcome.error;
}

QString ServerBase()
{
    const QString chosen = qEnvironmentVariable("ADDRINA_BENCH_SERVER_DIR");
    if (!chosen.isEmpty())
        return chosen;
    return QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm") : QString();
}

void BM_SyncFiveThousand(benchmark::State& state)
{
    BenchApplication();
    TApolloEnv env;
    QString first, unchanged, changed;
    for (auto _ : state) {
        state.PauseTiming();
        TestCardDavServer server(TestCardDavServer::Kind(state.range(0)), ServerBase());
        if (!server.Error().isEmpty()) {
            state.SkipWithError(server.Error().toStdString().c_str());
            break;
        }
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("A.DBF"));
        Fill(path);
        SyncOptions options;
        options.file = path;
        options.server = QUrl(server.Url());
        options.user = QString::fromLatin1(TestCardDavServer::User);
        options.password = QString::fromLatin1(TestCardDavServer::Password);
        state.ResumeTiming();
        Timed(state, "first", options, server.Pid(), &first);
        Timed(state, "unchanged", options, server.Pid(), &unchanged);
        {
            ImportDestination book;
            book.OpenDestination(path);
            for (long recNo = 100; recNo < 110; ++recNo) {
                book.Destination.GotoRecord(recNo);
                book.Destination.Edit();
                book.Destination.FieldByName(QStringLiteral("CITY")).SetAsString(QStringLiteral("Changed"));
                book.Destination.Post();
            }
        }
        Timed(state, "ten_changes", options, server.Pid(), &changed);
    }
    state.SetLabel((first + QStringLiteral(" / ") + unchanged + QStringLiteral(" / ") + changed).toStdString());
}
BENCHMARK(BM_SyncFiveThousand)
    ->ArgName("xandikos")
    ->Arg(int(TestCardDavServer::Kind::Radicale))
    ->Arg(int(TestCardDavServer::Kind::Xandikos))
    ->Unit(benchmark::kSecond)
    ->Iterations(1);

} // namespace
