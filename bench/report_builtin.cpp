// Report 1 over a 100,000-record address file (about 2,000 pages): printed to a PDF file,
// and recorded for the preview up to the first page shown.
#include "addressfile/createaddressfile.h"
#include "bench_support.h"
#include "platform/printers.h"
#include "platform/programdirectory.h"
#include "report/builtinreports.h"
#include "report/reportrecords.h"
#include "report/tcanvasreport.h"
#include "report/tpreviewform.h"
#include "report/treportfiler.h"
#include "session/addresssession.h"
#include "xbase/sx.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <random>
#include <string>

namespace {

constexpr int Records = 100000;

// An address file of generated records, written straight through the engine.
struct AddressFile {
    QTemporaryDir dir;
    QString path;

    AddressFile()
    {
        SetProgramDirectory(dir.path());
        path = dir.filePath(QStringLiteral("big.dbf"));
        {
            AddressSession maker;
            CreateAddressFile(path, maker.TableBook, maker.Apollo1);
        }
        sx_Use(path.toLocal8Bit().constData(), "BENCHFILL", SX_EXCLUSIVE, SX_DRIVER_CDX);
        std::string record(static_cast<std::size_t>(sx_RecSize()), ' ');
        const auto put = [&record](const char* field, const std::string& value) {
            const auto width = static_cast<std::size_t>(sx_FieldWidth(field));
            record.replace(static_cast<std::size_t>(sx_FieldOffset(field)), std::min(width, value.size()),
                           value.substr(0, width));
        };
        std::mt19937 random(5);
        for (int i = 0; i < Records; ++i) {
            std::fill(record.begin(), record.end(), ' ');
            put("LNAME", "Name" + std::to_string(random() % 40000));
            put("FNAME", "First" + std::to_string(i));
            put("MIDDLE", "Q");
            put("STREET", std::to_string(i % 9000) + " Main Street");
            put("CITY", "Springfield");
            put("STATE", "IL");
            put("ZIP", "62704");
            put("PHONE", "(217) 555-0100");
            put("ISDEL", "F");
            sx_AppendBlank();
            sx_PutRecord(record.data());
        }
        sx_Commit();
        sx_Close();
    }
};

AddressFile& File()
{
    static AddressFile file;
    return file;
}

void Open(AddressSession& session)
{
    session.LastOpenedFile = File().path;
    session.ReopenFile();
    PositionReportRecords(session.Apollo1, session.TableBook, 1, RunChoice::All, false, 0);
}

void BM_Report1ToPdf(benchmark::State& state)
{
    BenchApplication();
    File();
    int pages = 0;
    qint64 bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        AddressSession session;
        Open(session);
        state.ResumeTiming();
        TReportPrinter printer;
        printer.Printer().SetPrinter(PdfFilePrinterName);
        printer.Printer().SetPdfFileName(File().dir.filePath(QStringLiteral("report1.pdf")));
        printer.Printer().SetPaperSize(1, 0, 0);
        TableRecords records(session.TableBook);
        printer.OnPrint = [&](TBaseReport& r) { PrintBuiltInReport(r, records, BuiltInReportOptions{}); };
        printer.RunReport();
        pages = printer.CurrentPage();
        bytes = QFileInfo(File().dir.filePath(QStringLiteral("report1.pdf"))).size();
    }
    state.counters["pages"] = pages;
    state.counters["pdf_MB"] = bytes / 1e6;
    state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_Report1ToPdf)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_Report1PreviewToFirstPage(benchmark::State& state)
{
    BenchApplication();
    File();
    for (auto _ : state) {
        state.PauseTiming();
        AddressSession session;
        Open(session);
        state.ResumeTiming();
        QByteArray stream;
        TReportFiler filer;
        filer.Printer().SetPaperSize(1, 0, 0);
        filer.SetStreamMode(smUser);
        filer.SetStream(&stream);
        TableRecords records(session.TableBook);
        filer.OnPrint = [&](TBaseReport& r) { PrintBuiltInReport(r, records, BuiltInReportOptions{}); };
        filer.RunReport();
        TPreviewForm form;
        form.FilePreview1.SetStream(&stream);
        form.SetZoomMode(TPreviewForm::ZoomPageWidth);
        form.show();
        benchmark::DoNotOptimize(form.PageImage().constBits());
        state.counters["stream_MB"] = stream.size() / 1e6;
    }
    state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_Report1PreviewToFirstPage)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
