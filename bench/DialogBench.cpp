// The package's three forms, each made from its form resource and freed: headless (goal under
// 1 ms), and on the Qt widget set shown and painted once (goal under 20 ms to first paint).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <fstream>
#include <memory>
#include <sstream>

#include "dialogs/Kexpabout.h"
#include "dialogs/Kfieldseditdlg.h"
#include "dialogs/Khtmltemplateeditdlg.h"
#include "vcl50/Formresources.h"
#include "vcl50/qt/QtPeer.h"
#include "vcl50/qt/QtScreenshot.h"
#include "vcl50/qt/QtWidgetSet.h"

namespace {

// The bench carries the dialogs' code but is no package: the resources come from the source tree.
const bool Registered = [] {
    for (auto [name, path] : {std::pair{"TFMKFIELDSEDITDLG", FIELDSEDIT_DFM},
                              std::pair{"TFMKHTMLTEMPLATEEDITDLG", HTMLTEMPLATE_DFM},
                              std::pair{"TABOUTF", ABOUT_DFM}}) {
        std::ostringstream text;
        text << std::ifstream(path).rdbuf();
        RegisterFormResource(name, text.str());
    }
    return true;
}();

template <class TDialog>
void Headless(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ConstructUnique<TDialog>(nullptr).get());
}

// Made, shown, its client area painted into an image, freed: the window's first paint, on the
// offscreen platform.
template <class TDialog>
void QtFirstPaint(benchmark::State& state)
{
    TQtWidgetSet::EnsureApplication();
    SetWidgetSet(std::make_unique<TQtWidgetSet>(TQtWidgetSet::TMode::Scripted));
    for (auto _ : state) {
        auto dialog = ConstructUnique<TDialog>(nullptr);
        dialog->Show();
        QImage painted = QtScreenshot::RenderClientArea(QtPeer::WidgetOf(dialog.get()), dialog->ClientWidth(),
                                                        dialog->ClientHeight());
        benchmark::DoNotOptimize(painted.bits());
        dialog.reset();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // freeing belongs to the cycle
    }
    SetWidgetSet(nullptr);
}

BENCHMARK(Headless<TfmKFieldsEditDlg>)->Unit(benchmark::kMicrosecond);
BENCHMARK(Headless<TfmKHTMLTemplateEditDlg>)->Unit(benchmark::kMicrosecond);
BENCHMARK(Headless<TAboutF>)->Unit(benchmark::kMicrosecond);
BENCHMARK(QtFirstPaint<TfmKFieldsEditDlg>)->Unit(benchmark::kMillisecond);
BENCHMARK(QtFirstPaint<TfmKHTMLTemplateEditDlg>)->Unit(benchmark::kMillisecond);
BENCHMARK(QtFirstPaint<TAboutF>)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
