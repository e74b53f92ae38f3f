// A 10,000-label run as the report canvas sees it: 334 pages of 30 address blocks (four
// lines each). Recording it into the preview's stream, drawing one page of it in the
// preview at page width, opening the preview on it, and printing it to a PDF file.
#include "bench_support.h"
#include "platform/printers.h"
#include "platform/programdirectory.h"
#include "report/tcanvasreport.h"
#include "report/tpreviewform.h"
#include "report/treportfiler.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int Pages = 334;
constexpr int BlocksPerPage = 30;

// 3 across, 10 down, like a sheet of address labels.
void DrawLabels(TBaseReport& r)
{
    r.SetFont(QStringLiteral("Arial"), 10);
    int label = 0;
    for (int page = 1; page <= Pages; ++page) {
        if (page > 1)
            r.StartNewPage();
        for (int block = 0; block < BlocksPerPage; ++block, ++label) {
            const double x = 0.2 + (block % 3) * 2.75;
            const double y = 0.7 + (block / 3) * 1.0;
            r.SetCursor(x, y);
            r.PrintLeftAt(QStringLiteral("Mr. John Q. Smith %1").arg(label), x);
            r.SetCursor(x, y + 0.17);
            r.PrintLeftAt(QStringLiteral("Acme Corporation"), x);
            r.SetCursor(x, y + 0.34);
            r.PrintLeftAt(QStringLiteral("1234 Main Street, Suite %1").arg(block), x);
            r.SetCursor(x, y + 0.51);
            r.PrintLeftAt(QStringLiteral("Springfield, IL  62704"), x);
        }
    }
}

QByteArray Recorded()
{
    QByteArray stream;
    TReportFiler filer;
    filer.Printer().SetPaperSize(1, 0, 0);
    filer.SetStreamMode(smUser);
    filer.SetStream(&stream);
    filer.OnPrint = DrawLabels;
    filer.RunReport();
    return stream;
}

const QByteArray& SharedStream()
{
    static const QByteArray stream = Recorded();
    return stream;
}

void BM_Record334Pages(benchmark::State& state)
{
    BenchApplication();
    qsizetype bytes = 0;
    for (auto _ : state) {
        const QByteArray stream = Recorded();
        bytes = stream.size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["stream_MB"] = bytes / 1e6;
}
BENCHMARK(BM_Record334Pages)->Unit(benchmark::kMillisecond);

void BM_ReplayOnePageAtPageWidth(benchmark::State& state)
{
    BenchApplication();
    QByteArray stream = SharedStream();
    TFilePreview preview;
    preview.SetStream(&stream);
    preview.Start();
    preview.ShowPage(Pages / 2);
    // Page width in a 900-pixel-wide window.
    preview.SetZoomFactor(100.0 * (880 - 2 * 0.025 * 8.5 * preview.ScreenDpi()) / (8.5 * preview.ScreenDpi()));
    for (auto _ : state) {
        const QImage page = preview.RenderPage();
        benchmark::DoNotOptimize(page.constBits());
    }
    state.counters["zoom"] = preview.ZoomFactor();
}
BENCHMARK(BM_ReplayOnePageAtPageWidth)->Unit(benchmark::kMillisecond);

void BM_OpenPreviewToFirstPage(benchmark::State& state)
{
    BenchApplication();
    QTemporaryDir dir;
    SetProgramDirectory(dir.path()); // where the window keeps its placement
    QByteArray stream = SharedStream();
    for (auto _ : state) {
        TPreviewForm form;
        form.FilePreview1.SetStream(&stream);
        form.SetZoomMode(TPreviewForm::ZoomPageWidth);
        form.show(); // reads the stream and draws page 1
        benchmark::DoNotOptimize(form.PageImage().constBits());
        state.PauseTiming();
        form.hide();
        state.ResumeTiming();
    }
    SetProgramDirectory(QString());
}
BENCHMARK(BM_OpenPreviewToFirstPage)->Unit(benchmark::kMillisecond);

void BM_Print334PagesToPdf(benchmark::State& state)
{
    BenchApplication();
    QTemporaryDir dir;
    for (auto _ : state) {
        TReportPrinter printer;
        printer.Printer().SetPrinter(PdfFilePrinterName);
        printer.Printer().SetPdfFileName(dir.filePath(QStringLiteral("labels.pdf")));
        printer.Printer().SetPaperSize(1, 0, 0);
        printer.OnPrint = DrawLabels;
        printer.RunReport();
    }
    state.counters["pdf_MB"] = QFileInfo(dir.filePath(QStringLiteral("labels.pdf"))).size() / 1e6;
}
BENCHMARK(BM_Print334PagesToPdf)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace
