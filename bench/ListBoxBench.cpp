// A list box of 30,000 entries on the Qt widget set: filling it, sorting it and scrolling
// through it must show no visible pause (well under a tenth of a second each).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListView>
#include <QScrollBar>
#include <memory>
#include <random>

#include "vcl50/Forms.h"
#include "vcl50/StdCtrls.h"
#include "vcl50/qt/QtPeer.h"
#include "vcl50/qt/QtScreenshot.h"
#include "vcl50/qt/QtWidgetSet.h"

namespace {

constexpr int Entries = 30000;

std::vector<AnsiString> FieldNames()
{
    std::mt19937 random(7);
    std::vector<AnsiString> names;
    names.reserve(Entries);
    for (int i = 0; i < Entries; ++i)
        names.push_back("FIELD_" + std::to_string(random() % 1000000) + "_" + std::to_string(i));
    return names;
}

// A shown form with one list box; the widget set's peers exist for the whole benchmark.
struct ShownList {
    ShownList()
    {
        TQtWidgetSet::EnsureApplication();
        SetWidgetSet(std::make_unique<TQtWidgetSet>());
        form = ConstructUnique<TForm>(nullptr, 0);
        form->SetClientWidth(345);
        form->SetClientHeight(255);
        list = new TListBox(form.get());
        list->SetParent(form.get());
        list->SetBounds(8, 25, 144, 185);
        list->SetMultiSelect(true);
        form->Show();
    }
    ~ShownList()
    {
        form.reset();
        QApplication::processEvents();
        SetWidgetSet(nullptr);
    }
    QListView* View() const { return static_cast<QListView*>(QtPeer::WidgetOf(list)); }

    std::unique_ptr<TForm> form;
    TListBox* list;
};

void Fill(TListBox* list, const std::vector<AnsiString>& names)
{
    list->Items()->BeginUpdate();
    for (const AnsiString& name : names)
        list->Items()->Add(name);
    list->Items()->EndUpdate();
}

void BM_FillUnsorted(benchmark::State& state)
{
    ShownList shown;
    std::vector<AnsiString> names = FieldNames();
    for (auto _ : state) {
        shown.list->Clear();
        Fill(shown.list, names);
        QApplication::processEvents();
    }
    state.counters["entries"] = shown.list->Items()->Count();
}
BENCHMARK(BM_FillUnsorted)->Unit(benchmark::kMillisecond);

void BM_FillSorted(benchmark::State& state)
{
    ShownList shown;
    shown.list->SetSorted(true);
    std::vector<AnsiString> names = FieldNames();
    for (auto _ : state) {
        shown.list->Clear();
        Fill(shown.list, names);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_FillSorted)->Unit(benchmark::kMillisecond);

// A sorted list filled with no update bracket: each addition finds its place and is shown.
void BM_FillSortedOneByOne(benchmark::State& state)
{
    ShownList shown;
    shown.list->SetSorted(true);
    std::vector<AnsiString> names = FieldNames();
    for (auto _ : state) {
        state.PauseTiming();
        shown.list->Clear();
        QApplication::sendPostedEvents();
        state.ResumeTiming();
        for (const AnsiString& name : names)
            shown.list->Items()->Add(name);
        QApplication::sendPostedEvents();
    }
}
BENCHMARK(BM_FillSortedOneByOne)->Unit(benchmark::kMillisecond);

void BM_SortFilled(benchmark::State& state)
{
    ShownList shown;
    std::vector<AnsiString> names = FieldNames();
    for (auto _ : state) {
        state.PauseTiming();
        shown.list->SetSorted(false);
        shown.list->Clear();
        Fill(shown.list, names);
        state.ResumeTiming();
        shown.list->SetSorted(true);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_SortFilled)->Unit(benchmark::kMillisecond);

// Scrolling page by page from top to bottom, each page painted.
void BM_ScrollThrough(benchmark::State& state)
{
    ShownList shown;
    Fill(shown.list, FieldNames());
    QListView* view = shown.View();
    QScrollBar* bar = view->verticalScrollBar();
    int pages = 0;
    for (auto _ : state) {
        for (int value = 0; value <= bar->maximum(); value += bar->pageStep() * 50) {
            bar->setValue(value);
            QImage image = QtScreenshot::RenderClientArea(view, view->width(), view->height());
            benchmark::DoNotOptimize(image.bits());
            ++pages;
        }
    }
    state.counters["pages"] = benchmark::Counter(pages, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ScrollThrough)->Unit(benchmark::kMillisecond);

// Selecting every entry and showing it: the view's selection is built in ranges.
void BM_SelectAll(benchmark::State& state)
{
    ShownList shown;
    Fill(shown.list, FieldNames());
    for (auto _ : state) {
        shown.list->Items()->BeginUpdate();
        for (int i = 0; i < Entries; ++i)
            shown.list->SetSelected(i, true);
        shown.list->Items()->EndUpdate();
        QApplication::sendPostedEvents();  // the view shows the selection
        state.PauseTiming();
        for (int i = 0; i < Entries; ++i)
            shown.list->SetSelected(i, false);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SelectAll)->Unit(benchmark::kMillisecond);

// Entries added one by one with no update bracket, as moving all fields over does: the view
// gathers the notices and refreshes once.
void BM_AddOneByOne(benchmark::State& state)
{
    ShownList shown;
    std::vector<AnsiString> names = FieldNames();
    for (auto _ : state) {
        state.PauseTiming();
        shown.list->Clear();
        QApplication::sendPostedEvents();
        state.ResumeTiming();
        for (const AnsiString& name : names)
            shown.list->Items()->Add(name);
        QApplication::sendPostedEvents();
    }
}
BENCHMARK(BM_AddOneByOne)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
