// The fields verb on a dataset of 30,000 fields of which 15,000 are exported, on the headless
// widget set: the whole verb on the closed dataset (opened, the dialog filled, cancelled, closed
// again), ">>", "<<", ">" of 1,000 names, a drop of 1,000 names, and closing the dataset alone.
// Goal: each well under 50 ms.

#include <benchmark/benchmark.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <functional>
#include <random>

#include "dialogs/Kfieldseditdlg.h"
#include "editors/Kexpdsgn.h"
#include "host/DesignHost.h"
#include "rowcastb5/Kxmlexport.h"
#include "vcl50/Formresources.h"
#include "vcl50/Input.h"
#include "vcl50/Interaction.h"
#include "vcldb50/Db.h"

namespace {

constexpr int FieldTotal = 30000;
constexpr int Moved = 1000;

double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A wide table: its fields in random order; every other one is exported, stored in other case.
class TWideDataSet : public TDataSet {
public:
    using TDataSet::TDataSet;
    // Made once: the fake's own name making is no part of what is measured.
    static const std::vector<AnsiString>& Names()
    {
        static const std::vector<AnsiString> names = [] {
            std::mt19937 random(11);
            std::vector<AnsiString> made;
            for (int i = 0; i < FieldTotal; ++i)
                made.push_back("Field_" + std::to_string(random() % 1000000) + "_" + std::to_string(i));
            return made;
        }();
        return names;
    }

protected:
    void InternalOpen() override
    {
        for (const AnsiString& name : Names())
            CreateField(name);
    }
};

struct TWideExport {
    TWideExport()
    {
        std::ostringstream form;
        form << std::ifstream(FIELDSEDIT_DFM).rdbuf();
        RegisterFormResource("TFMKFIELDSEDITDLG", form.str());
        dataSet = new TWideDataSet(designer.GetRoot());
        exportComponent = new TKXMLExport(designer.GetRoot());
        exportComponent->SetName("XmlOut");
        exportComponent->SetDataSet(dataSet);
        // Open, so that the steps timed inside the dialog do not open and close it each time.
        dataSet->Open();
        const auto& names = TWideDataSet::Names();
        for (size_t i = 0; i < names.size(); i += 2)
            exportComponent->ExportedFields()->Add(UpperCase(names[i]));
    }

    // Runs the verb; `timed` runs inside the shown dialog and its time alone is reported.
    void Run(benchmark::State& state, const std::function<void(TfmKFieldsEditDlg&)>& prepare,
             const std::function<void(TfmKFieldsEditDlg&)>& timed)
    {
        Interaction::QueueModalHandler([&](TCustomForm* form) {
            auto* d = As<TfmKFieldsEditDlg>(form);
            prepare(*d);
            const auto start = std::chrono::steady_clock::now();
            timed(*d);
            state.SetIterationTime(SecondsSince(start));
            Input::Click(d->CancelBtn);
        });
        CreateComponentEditor(TKExportEditor::StaticClass(), exportComponent, &designer)->ExecuteVerb(0);
    }

    TDesignHost host;
    TDesigner& designer = host.NewForm("MainForm");
    TWideDataSet* dataSet = nullptr;
    TKXMLExport* exportComponent = nullptr;
};

void SelectEveryOther(TListBox* list, int count)
{
    for (int i = 0; i < 2 * count; i += 2)
        list->SetSelected(i, true);
}

const auto Nothing = [](TfmKFieldsEditDlg&) {};

// The whole verb on the closed dataset: opened, the dialog filled and shown, cancelled, closed.
void BM_OpenAndFill(benchmark::State& state)
{
    TWideExport wide;
    wide.dataSet->Close();
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        Interaction::QueueModalHandler([](TCustomForm* form) { Input::Click(As<TfmKFieldsEditDlg>(form)->CancelBtn); });
        CreateComponentEditor(TKExportEditor::StaticClass(), wide.exportComponent, &wide.designer)->ExecuteVerb(0);
        state.SetIterationTime(SecondsSince(start));
    }
}
BENCHMARK(BM_OpenAndFill)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

// The verb on a dataset that is open already, as at design time with Active set: the dialog
// made, both lists filled, shown and cancelled; the dataset's 30,000 fields neither made nor freed.
void BM_OpenAndFillActive(benchmark::State& state)
{
    TWideExport wide;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        Interaction::QueueModalHandler([](TCustomForm* form) { Input::Click(As<TfmKFieldsEditDlg>(form)->CancelBtn); });
        CreateComponentEditor(TKExportEditor::StaticClass(), wide.exportComponent, &wide.designer)->ExecuteVerb(0);
        state.SetIterationTime(SecondsSince(start));
    }
}
BENCHMARK(BM_OpenAndFillActive)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_IncludeAll(benchmark::State& state)
{
    TWideExport wide;
    for (auto _ : state)
        wide.Run(state, Nothing, [](auto& d) { Input::Click(d.IncAllBtn); });
}
BENCHMARK(BM_IncludeAll)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_ExcludeAll(benchmark::State& state)
{
    TWideExport wide;
    for (auto _ : state)
        wide.Run(state, Nothing, [](auto& d) { Input::Click(d.ExAllBtn); });
}
BENCHMARK(BM_ExcludeAll)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_Include1000(benchmark::State& state)
{
    TWideExport wide;
    for (auto _ : state)
        wide.Run(state, [](auto& d) { SelectEveryOther(d.SrcList, Moved); }, [](auto& d) { Input::Click(d.IncludeBtn); });
}
BENCHMARK(BM_Include1000)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_Drop1000(benchmark::State& state)
{
    TWideExport wide;
    for (auto _ : state)
        wide.Run(state, [](auto& d) { SelectEveryOther(d.SrcList, Moved); },
                 [](auto& d) { Input::DragDrop(d.SrcList, d.DstList, 10, 10); });
}
BENCHMARK(BM_Drop1000)->UseManualTime()->Unit(benchmark::kMillisecond);

// Closing the open dataset: its 30,000 fields freed while the export still refers to it.
void BM_CloseDataSet(benchmark::State& state)
{
    TWideExport wide;
    wide.dataSet->Close();
    for (auto _ : state) {
        wide.dataSet->Open();
        const auto start = std::chrono::steady_clock::now();
        wide.dataSet->Close();
        state.SetIterationTime(SecondsSince(start));
    }
}
BENCHMARK(BM_CloseDataSet)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
