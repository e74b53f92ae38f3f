// The browse window over a 100,000-record address file ordered by last name under the
// main window's filter ("!ISDEL"): opening it with its first screen painted, scrolling a
// page, jumping to the last record (first time and again), moving a column, and stepping
// a row with the keyboard.

#include "address_data.h"
#include "app/addbrz.h"

#include "platform/programdirectory.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kRecords = 100000;

struct Book {
    Book()
    {
        // The window keeps its placement in the settings file: keep that one temporary.
        SetProgramDirectory(dir.path());
        path = dir.filePath("big.dbf");
        MakeBenchAddressFile(path, kRecords);
        table.AddField("LNAME", 20, "Last Name", 20);
        table.AddField("FNAME", 20, "First Name", 15);
        table.AddField("CITY", 20, "City", 15);
        table.AddField("STATE", 20, "State", 5);
        table.AddField("TAG", 20, {}, 0, false);
        table.AddField("ISDEL", 1, "Deleted", 0, false);
        OpenByLastName(path, table, source, apollo);
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

} // namespace

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
