// Batch label printing: 10,000 address records on the first catalogue sheet (3 x 10 per
// sheet, 334 sheets) through addrina-print into a PDF file, written by the project's own
// PDF writer in the standard fonts. Targets: under 0.3 s and under 60 MB peak memory.
// bench/labels_vs_glabels.py times the whole command beside gLabels. Build addrina-print
// first; it runs as a child process, and its peak resident size is reported as peak_MB
// and its processor time per run as cpu_s. The preview of the same 10,000 labels (all
// 334 sheets recorded, the preview opened on its first page) has the target of 3 s. Every
// run counts the labels that lose lines; the print runs with the template's face at its
// size (/0, --no-fit) and shrunk to fit as addrina-print does by default (/1).
#include "bench_support.h"
#include "labels/labelcatalog.h"
#include "labels/labelface.h"
#include "labels/labelrun.h"
#include "labels/tzintlabelfile.h"
#include "report/tfileprinter.h"
#include "report/treportfiler.h"
#include "table/opentablefile.h"
#include "table/tapolloenv.h"
#include "table/ttable.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {

constexpr int kRecords = 10000;

// The fixture address file grown to kRecords full addresses.
struct BigBook {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("big.dbf"));

    BigBook()
    {
        CopyFixtureBook(path);
        TApolloEnv env;
        TTable table;
        table.SetExclusive(true);
        if (!OpenTableFile(path, table))
            qFatal("cannot open the fixture copy");
        table.DisableControls();
        for (long i = table.CurrentRecNo(); table.CurrentRecNo() < kRecords; ++i) {
            table.Append();
            const std::pair<const char*, QString> fields[] = {
                {"FNAME", QStringLiteral("Jane%1").arg(i)},
                {"LNAME", QStringLiteral("Sample%1").arg(i % 997)},
                {"ORG", QStringLiteral("Acme Mailing Co")},
                {"STREET", QStringLiteral("%1 Main Street").arg(i)},
                {"CITY", QStringLiteral("Springfield")},
                {"STATE", QStringLiteral("IL")},
                {"ZIP", QStringLiteral("627%1").arg(i % 100, 2, 10, QLatin1Char('0'))}};
            for (const auto& [field, value] : fields)
                table.FieldByName(QLatin1StringView(field)).SetAsString(value);
            table.Post();
        }
        table.EnableControls();
    }
};

void BM_PrintTenThousandLabelsToPdf(benchmark::State& state)
{
    BenchApplication();
    BigBook book;
    const QString tool = QCoreApplication::applicationDirPath() + QStringLiteral("/addrina-print");
    if (!QFile::exists(tool)) {
        state.SkipWithError("build addrina-print first");
        return;
    }
    // The children of earlier benchmarks count in the process's totals: only this one's time is taken.
    rusage before{};
    getrusage(RUSAGE_CHILDREN, &before);
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        QProcess print;
        print.start(tool, {"labels", book.path, "--template", "5160", state.range(0) ? "--fit" : "--no-fit", "-o",
                           book.dir.filePath("out.pdf")});
        print.waitForFinished(120000);
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
        if (print.exitCode() != 0)
            state.SkipWithError(print.readAllStandardError().constData());
    }
    rusage children{};
    getrusage(RUSAGE_CHILDREN, &children);
    state.counters["peak_MB"] = static_cast<double>(children.ru_maxrss) / 1024;
    // CPU seconds per run, which a busy machine does not inflate the way it does wall time.
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    state.counters["cpu_s"] = (seconds(children.ru_utime) + seconds(children.ru_stime) - seconds(before.ru_utime) -
                               seconds(before.ru_stime)) /
                              static_cast<double>(std::max<benchmark::IterationCount>(1, state.iterations()));
    state.counters["pdf_MB"] = static_cast<double>(QFileInfo(book.dir.filePath("out.pdf")).size()) / 1e6;
}
BENCHMARK(BM_PrintTenThousandLabelsToPdf)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(3);

void BM_PreviewTenThousandLabels(benchmark::State& state)
{
    BenchApplication();
    BigBook book;
    TZintLabelFile setup;
    if (!setup.LoadTemplate(QCoreApplication::applicationDirPath() + QStringLiteral("/adr.tpl"), QStringLiteral("5160"),
                            false)) {
        state.SkipWithError("build the label catalogue first");
        return;
    }
    TApolloEnv env;
    TTable table;
    if (!OpenTableFile(book.path, table))
        qFatal("cannot open the grown book");
    LabelFace face;
    face.style = setup.Face();
    face.SetDataTable(&table);
    LabelRunOptions options;
    int pages = 0;
    for (auto _ : state) {
        table.First();
        QByteArray stream;
        TReportFiler filer;
        filer.SetStreamMode(smUser);
        filer.SetStream(&stream);
        SetLabelPaper(filer, setup);
        filer.OnPrint = [&](TBaseReport& r) { DrawLabels(r, face, table, setup, options, {}); };
        filer.RunReport();
        TFilePreview preview;
        preview.SetStream(&stream);
        preview.Start();
        preview.ShowPage(1);
        benchmark::DoNotOptimize(preview.RenderPage());
        pages = preview.PageCount();
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_PreviewTenThousandLabels)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
