// The face work of printing one label: composing its lines from the current record and
// laying them out in points, on the first catalogue sheet (1 x 2-5/8 in). Printing
// 10,000 labels does this 10,000 times, so one face should cost well under 10 us.
#include "bench_support.h"
#include "labels/labelface.h"
#include "labels/tzintlabelfile.h"

#include "table/opentablefile.h"
#include "table/tapolloenv.h"
#include "table/ttable.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A copy of the fixture address file standing on a full record.
struct Face {
    QTemporaryDir dir;
    TApolloEnv env;
    TTable table;
    TZintLabelFile setup;
    LabelFace face;

    Face()
    {
        const QString path = dir.filePath(QStringLiteral("book.dbf"));
        CopyFixtureBook(path);
        table.SetExclusive(true);
        if (!OpenTableFile(path, table))
            qFatal("cannot open the fixture copy");
        const std::pair<const char*, const char*> fields[] = {{"PREFIX", "Mrs"},
                                                              {"FNAME", "Margarethe"},
                                                              {"MIDDLE", "K"},
                                                              {"LNAME", "Östergård"},
                                                              {"TITLE", "Purchasing Manager"},
                                                              {"ORG", "Nordic Paper Supplies"},
                                                              {"STREET", "12 Harbour Road"},
                                                              {"STREET2", "Unit 4"},
                                                              {"CITY", "Springfield"},
                                                              {"STATE", "IL"},
                                                              {"ZIP", "62701-1234"},
                                                              {"COUNTRY", "United States"}};
        table.Append();
        for (const auto& [field, value] : fields)
            table.FieldByName(QLatin1StringView(field)).SetAsString(QString::fromUtf8(value));
        table.Post();
        setup.LoadTemplate(QCoreApplication::applicationDirPath() + QStringLiteral("/adr.tpl"), QString(), true);
    }
};

void BM_ComposeAndLayOutFace(benchmark::State& state, bool upperCase, bool centredFit)
{
    BenchApplication();
    Face face;
    face.setup.UpperCase = upperCase;
    face.setup.AdjustFontSizeToFit = centredFit;
    face.setup.Alignment = centredFit ? taCenter : taLeftJustify;
    face.face.style = face.setup.Face();
    face.face.SetDataTable(&face.table);
    int lines = 0;
    for (auto _ : state) {
        face.face.BuildLines();
        const FaceLayout layout = face.face.Layout();
        benchmark::DoNotOptimize(layout.lines.data());
        lines = static_cast<int>(layout.count.had);
    }
    state.counters["lines"] = lines;
    state.counters["faces/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK_CAPTURE(BM_ComposeAndLayOutFace, plain, false, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ComposeAndLayOutFace, upper_case, true, false)->Unit(benchmark::kMicrosecond);
// The fit measures every line at the face's size and again at the fitted one.
BENCHMARK_CAPTURE(BM_ComposeAndLayOutFace, centred_fit, false, true)->Unit(benchmark::kMicrosecond);

} // namespace
