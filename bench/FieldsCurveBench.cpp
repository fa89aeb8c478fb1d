// The fields editor on the Qt widget set: the verb on a closed dataset of n fields (opened, both
// sorted lists filled, shown, cancelled, closed) beside a plain sorted QListWidget taking the same
// n names, at 1,000 to 30,000 fields. Goal: no worse than n log n, and ahead of the plain list.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListWidget>
#include <fstream>
#include <random>
#include <sstream>

#include "dialogs/Kfieldseditdlg.h"
#include "editors/Kexpdsgn.h"
#include "host/DesignHost.h"
#include "rowcastb5/Kxmlexport.h"
#include "vcl50/Formresources.h"
#include "vcl50/Input.h"
#include "vcl50/Interaction.h"
#include "vcl50/qt/QtWidgetSet.h"
#include "vcldb50/Db.h"

namespace {

std::vector<AnsiString> Names(int64_t count)
{
    std::mt19937 random(13);
    std::vector<AnsiString> names;
    for (int64_t i = 0; i < count; ++i)
        names.push_back("Field_" + std::to_string(random() % 1000000) + "_" + std::to_string(i));
    return names;
}

class TNamedDataSet : public TDataSet {
public:
    using TDataSet::TDataSet;
    std::vector<AnsiString> FieldNames;

protected:
    void InternalOpen() override
    {
        for (const AnsiString& name : FieldNames)
            CreateField(name);
    }
};

void FieldsEditor(benchmark::State& state)
{
    std::ostringstream form;
    form << std::ifstream(FIELDSEDIT_DFM).rdbuf();
    RegisterFormResource("TFMKFIELDSEDITDLG", form.str());
    TQtWidgetSet::EnsureApplication();
    SetWidgetSet(std::make_unique<TQtWidgetSet>(TQtWidgetSet::TMode::Scripted));
    {
        TDesignHost host;
        TDesigner& designer = host.NewForm("MainForm");
        auto* dataSet = new TNamedDataSet(designer.GetRoot());
        dataSet->FieldNames = Names(state.range(0));
        auto* exporter = new TKXMLExport(designer.GetRoot());
        exporter->SetName("XmlOut");
        exporter->SetDataSet(dataSet);
        for (size_t i = 0; i < dataSet->FieldNames.size(); i += 2)  // half on each side
            exporter->ExportedFields()->Add(dataSet->FieldNames[i]);
        for (auto _ : state) {
            Interaction::QueueModalHandler([](TCustomForm* f) { Input::Click(As<TfmKFieldsEditDlg>(f)->CancelBtn); });
            CreateComponentEditor(TKExportEditor::StaticClass(), exporter, &designer)->ExecuteVerb(0);
        }
    }
    QApplication::processEvents();
    SetWidgetSet(nullptr);
    state.SetComplexityN(state.range(0));
}

// The peer: Qt's own sorted list, shown, taking the same names one by one.
void SortedQListWidget(benchmark::State& state)
{
    TQtWidgetSet::EnsureApplication();
    const std::vector<AnsiString> names = Names(state.range(0));
    for (auto _ : state) {
        QListWidget list;
        list.setSortingEnabled(true);
        list.show();
        for (const AnsiString& name : names)
            list.addItem(QString::fromStdString(name));
        QApplication::processEvents();
    }
    state.SetComplexityN(state.range(0));
}

BENCHMARK(FieldsEditor)->Arg(1000)->Arg(3000)->Arg(10000)->Arg(30000)->Unit(benchmark::kMillisecond);
BENCHMARK(SortedQListWidget)->Arg(1000)->Arg(3000)->Arg(10000)->Arg(30000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
