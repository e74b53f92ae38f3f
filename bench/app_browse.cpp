// The browse window over a 100,000-record address file ordered by last name under the
// main window's filter ("!ISDEL"): opening it with its first screen painted, scrolling a
// page, jumping to the last record (first time and again), moving a column, and stepping
// a row with the keyboard.

#include "app/addbrz.h"

#include "platform/programdirectory.h"
#include "table/opentablefile.h"
#include "table/tapollo.h"
#include "table/tdatasource.h"
#include "table/ttable.h"
#include "xbase/sx.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>
#include <random>

namespace {

constexpr int kRecords = 100000;

struct Book {
    Book()
    {
        // The window keeps its placement in the settings file: keep that one temporary.
        SetProgramDirectory(dir.path());
        path = dir.filePath("big.dbf");
        TApollo creator;
        creator.CreateNew(path, SX_DRIVER_CDX, 6);
        for (const char* name : {"LNAME", "FNAME", "CITY", "STATE", "TAG"})
            creator.CreateField(name, "C", 0, 20);
        creator.CreateField("ISDEL", "L", 0, 1);
        creator.CreateExec();
        Fill();
        table.AddField("LNAME", 20, "Last Name", 20);
        table.AddField("FNAME", 20, "First Name", 15);
        table.AddField("CITY", 20, "City", 15);
        table.AddField("STATE", 20, "State", 5);
        table.AddField("TAG", 20, {}, 0, false);
        table.AddField("ISDEL", 1, "Deleted", 0, false);
        table.SetExclusive(true);
        source.SetDataSet(&table);
        apollo.SetDataSource(&source);
        OpenTableFile(path, table);
        apollo.IndexTag("", "LNAME", "", false, 0, "UPPER(LNAME)+UPPER(FNAME)");
        apollo.Query("!ISDEL");
    }

    // Straight through the engine: the set-up is not what is measured.
    void Fill()
    {
        sx_Use(path.toLocal8Bit().constData(), "BROWSEFILL", SX_EXCLUSIVE, SX_DRIVER_CDX);
        std::string record(static_cast<std::size_t>(sx_RecSize()), ' ');
        std::mt19937 random(3);
        for (int i = 0; i < kRecords; ++i) {
            std::fill(record.begin(), record.end(), ' ');
            const std::string last = "NAME" + std::to_string(random() % 40000);
            const std::string first = "F" + std::to_string(i);
            record.replace(1, last.size(), last);
            record.replace(21, first.size(), first);
            record.replace(41, 6, "BOSTON");
            record.replace(61, 2, "MA");
            record[101] = i % 25 == 0 ? 'T' : 'F';
            sx_AppendBlank();
            sx_PutRecord(record.data());
        }
        sx_Close();
    }

    QTemporaryDir dir;
    QString path;
    TTable table;
    TDataSource source;
    TApollo apollo;
};

// Made on first use and dropped by main while the application still exists.
std::unique_ptr<Book>& BookSlot()
{
    static std::unique_ptr<Book> book;
    return book;
}

Book& TheBook()
{
    if (!BookSlot())
        BookSlot() = std::make_unique<Book>();
    return *BookSlot();
}

// Shows the form and paints the grid as the screen would.
struct ShownForm {
    explicit ShownForm(Book& book) : form(book.source, [] {})
    {
        form.resize(900, 700);
        form.show();
        Paint();
    }
    QTableView* Grid() const { return form.DBGrid; }
    // Renders the grid's visible cells, as a screen update would.
    void Paint() const { benchmark::DoNotOptimize(Grid()->viewport()->grab()); }

    TAddressBrowseForm form;
};

void BM_BrowseOpen(benchmark::State& state)
{
    Book& book = TheBook();
    for (auto _ : state) {
        book.table.First();
        ShownForm shown(book);
        benchmark::DoNotOptimize(shown.Grid()->model()->rowCount());
    }
}
BENCHMARK(BM_BrowseOpen)->Unit(benchmark::kMillisecond);

void BM_BrowseScrollPage(benchmark::State& state)
{
    Book& book = TheBook();
    book.table.First();
    ShownForm shown(book);
    QScrollBar* bar = shown.Grid()->verticalScrollBar();
    state.counters["rows"] = shown.Grid()->model()->rowCount();
    for (auto _ : state) {
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        if (bar->value() == bar->maximum())
            bar->setValue(0);
        shown.Paint();
    }
}
BENCHMARK(BM_BrowseScrollPage)->Unit(benchmark::kMicrosecond);

// A fresh window each time: the first jump finds every row up to the last record.
void BM_BrowseJumpToEnd(benchmark::State& state)
{
    Book& book = TheBook();
    for (auto _ : state) {
        state.PauseTiming();
        book.table.First();
        auto shown = std::make_unique<ShownForm>(book);
        state.ResumeTiming();
        shown->form.RecordLast->click();
        shown->Paint();
        state.PauseTiming();
        shown.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_BrowseJumpToEnd)->Unit(benchmark::kMillisecond);

void BM_BrowseJumpToEndAndBack(benchmark::State& state)
{
    Book& book = TheBook();
    book.table.First();
    ShownForm shown(book);
    for (auto _ : state) {
        shown.form.RecordLast->click();
        shown.Paint();
        shown.form.RecordFirst->click();
        shown.Paint();
    }
}
BENCHMARK(BM_BrowseJumpToEndAndBack)->Unit(benchmark::kMillisecond);

void BM_BrowseMoveColumn(benchmark::State& state)
{
    Book& book = TheBook();
    book.table.First();
    ShownForm shown(book);
    QHeaderView* header = shown.Grid()->horizontalHeader();
    for (auto _ : state) {
        header->moveSection(0, 1);
        shown.Paint();
    }
}
BENCHMARK(BM_BrowseMoveColumn)->Unit(benchmark::kMillisecond);

void BM_BrowseArrowDown(benchmark::State& state)
{
    Book& book = TheBook();
    book.table.First();
    ShownForm shown(book);
    shown.Grid()->setFocus();
    int steps = 0;
    for (auto _ : state) {
        QKeyEvent key(QEvent::KeyPress, ++steps % 500 ? Qt::Key_Down : Qt::Key_Home, Qt::NoModifier);
        QApplication::sendEvent(shown.Grid(), &key);
        shown.Paint();
    }
}
BENCHMARK(BM_BrowseArrowDown)->Unit(benchmark::kMicrosecond);

}  // namespace

// The application lives in main, so everything made for the benchmarks goes before it.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    BookSlot().reset();
    return 0;
}
