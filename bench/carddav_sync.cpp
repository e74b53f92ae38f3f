// Syncing 5,000 contacts with a local radicale: the first sync from a new address file
// (every card goes up), a sync with nothing changed, and one with 10 changed records.
// The server runs as shipped, with its writes waiting for the disk.
#include "bench_support.h"

#include "addressfile/createaddressfile.h"
#include "carddav/cardsync.h"
#include "exchange/importdestination.h"
#include "table/tapolloenv.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <benchmark/benchmark.h>

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

double Timed(SyncOptions& options, QString* summary)
{
    QElapsedTimer timer;
    timer.start();
    const SyncOutcome outcome = RunCardDavSync(options);
    *summary = outcome.error.isEmpty() ? outcome.Summary() : outcome.error;
    return timer.nsecsElapsed() / 1e9;
}

void BM_SyncFiveThousand(benchmark::State& state)
{
    BenchApplication();
    TApolloEnv env;
    QTemporaryDir dir;
    QFile users(dir.filePath(QStringLiteral("users")));
    users.open(QIODevice::WriteOnly);
    users.write("ann:secret\n");
    users.close();
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const int port = probe.serverPort();
    probe.close();
    QProcess server;
    server.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-m"), QStringLiteral("radicale"), QStringLiteral("--config"), QString(),
                  QStringLiteral("--server-hosts"), QStringLiteral("127.0.0.1:%1").arg(port),
                  QStringLiteral("--storage-filesystem-folder"), dir.filePath(QStringLiteral("storage")),
                  QStringLiteral("--auth-type"), QStringLiteral("htpasswd"), QStringLiteral("--auth-htpasswd-filename"),
                  dir.filePath(QStringLiteral("users")), QStringLiteral("--auth-htpasswd-encryption"),
                  QStringLiteral("plain"), QStringLiteral("--web-type"), QStringLiteral("none")});
    for (int i = 0; i < 200; ++i, QThread::msleep(50)) {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, quint16(port));
        if (socket.waitForConnected(100))
            break;
    }
    QProcess::execute(
        QStringLiteral("curl"),
        {QStringLiteral("-s"), QStringLiteral("-o"), QStringLiteral("/dev/null"), QStringLiteral("-u"),
         QStringLiteral("ann:secret"), QStringLiteral("-X"), QStringLiteral("MKCOL"),
         QStringLiteral("http://127.0.0.1:%1/ann/book/").arg(port), QStringLiteral("-d"),
         QStringLiteral("<mkcol xmlns=\"DAV:\" xmlns:C=\"urn:ietf:params:xml:ns:carddav\"><set><prop>"
                        "<resourcetype><collection/><C:addressbook/></resourcetype></prop></set></mkcol>")});
    const QString path = dir.filePath(QStringLiteral("A.DBF"));
    Fill(path);
    SyncOptions options;
    options.file = path;
    options.server = QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(port));
    options.user = QStringLiteral("ann");
    options.password = QStringLiteral("secret");
    QString first, unchanged, changed;
    for (auto _ : state) {
        state.counters["first_s"] = Timed(options, &first);
        state.counters["unchanged_s"] = Timed(options, &unchanged);
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
        state.counters["ten_changes_s"] = Timed(options, &changed);
    }
    state.SetLabel((first + QStringLiteral(" / ") + unchanged + QStringLiteral(" / ") + changed).toStdString());
    server.terminate();
    server.waitForFinished(10000);
}
BENCHMARK(BM_SyncFiveThousand)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
