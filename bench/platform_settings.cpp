// The routines run per record or per key: showing a record date (once for every record a
// grid or report reads), reading one settings key (each read parses the whole file), and
// the Preferences dialog's Ok (thirty keys, each written to disk at once).
#include "platform/programdirectory.h"
#include "platform/recorddate.h"
#include "platform/settings.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QCoreApplication& application()
{
    static int argc = 1;
    static char name[] = "bench_platform_settings";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

// A settings file of typical size: the preferences, recent files and a few placements.
void writeTypicalSettings()
{
    for (int i = 0; i < 30; ++i)
        WriteSettingBool("Adding", QStringLiteral("Key%1").arg(i), i % 2 == 0);
    for (int i = 1; i <= 4; ++i)
        WriteSettingString("MRU", QStringLiteral("Item%1").arg(i), QStringLiteral("/home/user/DATA/ADD%1.DBF").arg(i));
    for (const char* window : {"TAddressMain", "TAddressBrowseForm", "TPreviewForm"})
        for (const char* key : {"Left", "Top", "Right", "Bottom"})
            WriteSettingInteger(QStringLiteral("%1_Placement").arg(window), key, 400);
}

void RecordDateDisplay(benchmark::State& state)
{
    application();
    const QString formats[] = {"m/d/yyyy", "DD.MM.YYYY"};
    const QString& format = formats[state.range(0)];
    int day = 0;
    for (auto _ : state) {
        const QString text = QStringLiteral("199704%1").arg(1 + day++ % 28, 2, 10, QLatin1Char('0'));
        benchmark::DoNotOptimize(RecordDateToDisplay(text, format));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(RecordDateDisplay)->Arg(0)->Arg(1);

void ReadOneKey(benchmark::State& state)
{
    application();
    QTemporaryDir dir;
    SetProgramDirectory(dir.path());
    writeTypicalSettings();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadSettingInteger("TPreviewForm_Placement", "Bottom", 0));
    SetProgramDirectory(QString());
}
BENCHMARK(ReadOneKey);

void WriteThirtyKeys(benchmark::State& state)
{
    application();
    QTemporaryDir dir;
    SetProgramDirectory(dir.path());
    writeTypicalSettings();
    for (auto _ : state)
        for (int i = 0; i < 30; ++i)
            WriteSettingBool("Adding", QStringLiteral("Key%1").arg(i), i % 3 == 0);
    SetProgramDirectory(QString());
}
BENCHMARK(WriteThirtyKeys)->Unit(benchmark::kMillisecond);

} // namespace
