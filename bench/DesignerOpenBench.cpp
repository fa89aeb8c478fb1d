// The designer window on a large form, offscreen. Opening a form file of 3,000 components (read,
// built, the design surface and the object inspector shown and painted) must take under 1 s and
// no longer than Qt's own QUiLoader loading and showing a .ui of 3,000 widgets, measured here in
// the same run. Selecting 100 components of that form and building the inspector's common rows
// must take under 10 ms; moving those 100 by an arrow key shows no pause either.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUiLoader>
#include <fstream>
#include <memory>

#include "host/DesignHost.h"
#include "host/designer/DesignerHands.h"
#include "host/designer/DesignerWindow.h"
#include "host/designer/ObjectInspector.h"
#include "vcl50/qt/QtWidgetSet.h"

namespace {

constexpr int Components = 3000;
constexpr int Columns = 60;
constexpr int Pitch = 40;  // a tile and its name, on the grid
constexpr int Rows = (Components + Columns - 1) / Columns;

// The package loaded into a host, its window shown on a new form. The recent files go to a
// folder of the run's own, not the user's.
struct TShownDesigner {
    TShownDesigner()
    {
        qputenv("XDG_CONFIG_HOME", Folder.path().toUtf8());
        TQtWidgetSet::EnsureApplication();
        SetWidgetSet(std::make_unique<TQtWidgetSet>(TQtWidgetSet::TMode::Scripted));
        Host = std::make_unique<TDesignHost>();
        HMODULE package = Host->LoadPackage(PACKAGE_FILE);
        Host->RegisterPackage(package);
        Window = std::make_unique<TDesignerWindow>(*Host, PACKAGE_FILE, package, true);
        Window->NewFile();
        Window->show();
        QApplication::processEvents();
    }
    ~TShownDesigner()
    {
        Window.reset();
        Host.reset();
        QApplication::processEvents();
        SetWidgetSet(nullptr);
    }
    QString Path(const char* name) const { return Folder.filePath(name); }

    QTemporaryDir Folder;
    std::unique_ptr<TDesignHost> Host;
    std::unique_ptr<TDesignerWindow> Window;
};

// One dataset, and exports of the package's classes in turn assigned to it, in rows on the grid.
QString WriteForm(TShownDesigner& designer)
{
    const std::vector<TDesignRegistry::TPaletteEntry>& classes = designer.Host->Registry().Pages().back().Classes;
    const QString path = designer.Path("big.dfm");
    std::ofstream out(path.toStdString());
    out << "object BigForm: TForm\n  ClientWidth = " << Columns * Pitch << "\n  ClientHeight = " << Rows * Pitch
        << "\n  object Data1: TSQLiteDataSet\n    TableName = 'orders'\n    Left = 0\n    Top = 0\n  end\n";
    for (int i = 1; i < Components; ++i) {
        const std::string cls = classes[i % classes.size()].Class->ClassName();
        out << "  object " << cls.substr(1) << i << ": " << cls << "\n    DataSet = Data1\n    Left = "
            << i % Columns * Pitch << "\n    Top = " << i / Columns * Pitch << "\n  end\n";
    }
    out << "end\n";
    return path;
}

// As many widgets of five everyday classes, in rows as the components are.
QString WriteUi(const TShownDesigner& designer)
{
    const char* const classes[] = {"QPushButton", "QLabel", "QLineEdit", "QCheckBox", "QComboBox"};
    const QString path = designer.Path("big.ui");
    std::ofstream out(path.toStdString());
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ui version=\"4.0\">\n<class>BigForm</class>\n"
           "<widget class=\"QWidget\" name=\"BigForm\">\n"
           "<property name=\"geometry\"><rect><x>0</x><y>0</y><width>"
        << Columns * Pitch << "</width><height>" << Rows * Pitch << "</height></rect></property>\n";
    for (int i = 0; i < Components; ++i) {
        const char* cls = classes[i % std::size(classes)];
        out << "<widget class=\"" << cls << "\" name=\"w" << i << "\"><property name=\"geometry\"><rect><x>"
            << i % Columns * Pitch << "</x><y>" << i / Columns * Pitch << "</y><width>" << Pitch - 4
            << "</width><height>24</height></rect></property>";
        if (std::string_view(cls) != "QLineEdit" && std::string_view(cls) != "QComboBox")
            out << "<property name=\"text\"><string>w" << i << "</string></property>";
        out << "</widget>\n";
    }
    out << "</widget>\n</ui>\n";
    return path;
}

int ComponentCount(TDesignHost& host)
{
    return host.CurrentForm() ? host.CurrentForm()->GetRoot()->ComponentCount() : 0;
}

void BM_DesignerOpensForm(benchmark::State& state)
{
    TShownDesigner designer;
    const QString path = WriteForm(designer);
    for (auto _ : state) {
        if (!designer.Window->OpenFile(path)) {
            state.SkipWithError("the form file was refused");
            break;
        }
        QApplication::processEvents();
        state.PauseTiming();
        state.counters["components"] = ComponentCount(*designer.Host);
        designer.Window->NewFile();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DesignerOpensForm)->Unit(benchmark::kMillisecond);

void BM_QUiLoaderOpensUi(benchmark::State& state)
{
    TShownDesigner designer;
    const QString path = WriteUi(designer);
    QUiLoader loader;
    for (auto _ : state) {
        QFile file(path);
        file.open(QFile::ReadOnly);
        std::unique_ptr<QWidget> form(loader.load(&file));
        if (!form) {
            state.SkipWithError("the .ui file was refused");
            break;
        }
        form->show();
        QApplication::processEvents();
        state.PauseTiming();
        state.counters["components"] = static_cast<double>(form->children().size());
        form.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_QUiLoaderOpensUi)->Unit(benchmark::kMillisecond);

// A hundred exports of one class: the most rows they can have in common.
void BM_InspectorOfHundred(benchmark::State& state)
{
    TShownDesigner designer;
    if (!designer.Window->OpenFile(WriteForm(designer))) {
        state.SkipWithError("the form file was refused");
        return;
    }
    QApplication::processEvents();
    TDesigner& form = *designer.Host->CurrentForm();
    TComponent* root = form.GetRoot();
    TDesignerSelectionList hundred;
    for (int i = 0; i < root->ComponentCount() && hundred.size() < 100; ++i)
        if (root->Components(i)->ClassType() == root->Components(1)->ClassType())
            hundred.push_back(root->Components(i));
    TObjectInspector inspector(*designer.Host);
    inspector.show();
    for (auto _ : state) {
        form.Select(hundred);
        inspector.Refresh();
        QApplication::processEvents();
        state.PauseTiming();
        form.Select({});
        inspector.Refresh();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["selected"] = static_cast<double>(hundred.size());
}
BENCHMARK(BM_InspectorOfHundred)->Unit(benchmark::kMillisecond);

// One key press moves them all a grid step; the window follows once, not once per component.
void BM_ArrowKeyMovesHundred(benchmark::State& state)
{
    TShownDesigner designer;
    if (!designer.Window->OpenFile(WriteForm(designer))) {
        state.SkipWithError("the form file was refused");
        return;
    }
    TDesigner& form = *designer.Host->CurrentForm();
    TComponent* root = form.GetRoot();
    TDesignerSelectionList hundred;
    for (int i = 1; i <= 100; ++i)
        hundred.push_back(root->Components(i));
    // Clicks on the tiles, as a person selects them; the surface has the focus then.
    TDesignerHands(*designer.Window).Select(hundred);
    QApplication::processEvents();
    bool right = true;
    for (auto _ : state) {
        QTest::keyClick(QApplication::focusWidget(), right ? Qt::Key_Right : Qt::Key_Left);
        QApplication::processEvents();
        right = !right;
    }
    state.counters["selected"] = static_cast<double>(form.Selection().size());
}
BENCHMARK(BM_ArrowKeyMovesHundred)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
