#include "host/designer/DesignerWindow.h"

#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>
#include <sstream>

#include "host/InfoReport.h"
#include "host/designer/DesignSurface.h"
#include "host/designer/ObjectInspector.h"
#include "host/designer/PaletteBar.h"
#include "host/designer/UndoHistoryView.h"
#include "vcl50/Sysutils.h"

namespace {

constexpr const char* Program = "drowcast-designer";

}  // namespace

TDesignerWindow::TDesignerWindow(TDesignHost& host, std::string packagePath, HMODULE package, bool scripted)
    : FHost(host), FPackagePath(std::move(packagePath)), FScripted(scripted), FUndoAction(new QAction("&Undo", this)),
      FRedoAction(new QAction("&Redo", this))
{
    FPalette = new TPaletteBar(host.Registry());
    FSurface = new TDesignSurface(host, *FPalette);
    FInspector = new TObjectInspector(host);
    FSurface->SetOnSelectionChanged([this] { FInspector->Refresh(); });
    FInspector->SetOnChoose([this](TComponent* c) {
        if (FHost.CurrentForm()) {
            Commands().Select({c});
            Sync();
        }
    });

    auto* scroll = new QScrollArea;
    scroll->setWidget(FSurface);
    scroll->setAlignment(Qt::AlignCenter);
    scroll->setBackgroundRole(QPalette::Dark);
    auto* splitter = new QSplitter;
    splitter->addWidget(FInspector);
    splitter->addWidget(scroll);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({300, 620});
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(FPalette);
    layout->addWidget(splitter, 1);
    setCentralWidget(central);
    BuildMenus();
    StartAutosave();
    statusBar()->showMessage(QString::fromStdString(PackageDescription(package)));
    resize(960, 640);

    ConnectSystemClipboard();
    // The views follow every change of the form, once the call that made it has returned.
    FHost.SetOnModified([this](TDesigner&) {
        UpdateTitle();
        SyncLater();
    });
    FHost.SetOnUndoHistoryCleared([this](TDesigner&) {
        statusBar()->showMessage(QString("That action was too large to undo: the undo history was cleared (it keeps "
                                         "at most %1 MiB)")
                                     .arg(TUndoHistory::MaxBytes >> 20));
    });
    Commands().SetOnIdle([this] {
        // A step may have been recorded without the form being marked modified.
        UpdateTitle();
        if (std::exchange(FSyncPending, false))
            SyncLater();
    });
    if (!FScripted)
        Commands().SetReport([this](std::exception_ptr failure) {
            try {
                std::rethrow_exception(failure);
            } catch (...) {
                QMessageBox::critical(this, Program, QString::fromStdString(CaughtFailure().Message));
            }
        });
}

TDesignerWindow::~TDesignerWindow()
{
    Commands().SetReport(nullptr);
    Commands().SetOnIdle(nullptr);
    FHost.SetOnModified(nullptr);
    FHost.SetOnUndoHistoryCleared(nullptr);
    FHost.ConnectClipboard({});
}

void TDesignerWindow::BuildMenus()
{
    QMenu* file = menuBar()->addMenu("&File");
    file->addAction("&New", QKeySequence::New, this, [this] { NewFile(); });
    file->addAction("&Open...", QKeySequence::Open, this, [this] { OpenWithDialog(); });
    FRecentMenu = file->addMenu("Open &Recent");
    FRecentMenu->setObjectName("recentFiles");
    FillRecentMenu();
    // Another window of the designer may have added files since.
    connect(file, &QMenu::aboutToShow, this, [this] { FillRecentMenu(); });
    file->addAction("&Save", QKeySequence::Save, this, [this] { Save(); });
    file->addAction("Save &As...", QKeySequence::SaveAs, this, [this] { SaveAs(); });
    file->addSeparator();
    file->addAction("&Quit", QKeySequence::Quit, this, [this] { close(); });
    QMenu* edit = menuBar()->addMenu("&Edit");
    FUndoAction->setShortcut(QKeySequence::Undo);
    connect(FUndoAction, &QAction::triggered, this, [this] { UndoOrRedo(false); });
    edit->addAction(FUndoAction);
    FRedoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    connect(FRedoAction, &QAction::triggered, this, [this] { UndoOrRedo(true); });
    edit->addAction(FRedoAction);
    edit->addAction("Undo &history...", this, [this] {
        if (TDesigner* designer = FHost.CurrentForm())
            ShowUndoHistory(this, *designer, [this](bool redo) { return UndoOrRedo(redo); });
    });
    edit->addSeparator();
    BuildEditMenu(edit);
    QMenu* component = menuBar()->addMenu("&Component");
    component->addAction("&Package information...", this, [this] { ShowPackageInformation(); });
    component->addAction("&Install package...", this, [this] { InstallWithDialog(); });
    component->addAction("Pac&kages...", this, [this] { ShowPackages(); });
    QMenu* help = menuBar()->addMenu("&Help");
    help->addAction("&About drowcast-designer...", this, [this] { ShowAbout(); });
}

void TDesignerWindow::SyncLater()
{
    // One Sync for a burst of changes: an arrow key moving a hundred components is one.
    if (std::exchange(FSyncScheduled, true))
        return;
    QTimer::singleShot(0, this, [this] {
        FSyncScheduled = false;
        // Never under a call into package code: the rows and editors it runs on stay alive,
        // also while its modal dialog runs an event loop.
        if (Commands().Running())
            FSyncPending = true;
        else
            Sync();
    });
}

void TDesignerWindow::Sync()
{
    if (FHost.CurrentForm() != FShown) {
        FShown = FHost.CurrentForm();
        FPalette->ClearChoice();
    }
    FSurface->Sync();
    FInspector->Refresh();
    UpdateTitle();
}

void TDesignerWindow::UpdateTitle()
{
    const QString name = FFileName.isEmpty() ? "Untitled" : QFileInfo(FFileName).fileName();
    setWindowTitle(name + "[*] - " + Program);
    TDesigner* designer = FHost.CurrentForm();
    setWindowModified(designer && designer->IsModified());
    // The Edit menu names the step it would take back or again.
    const TUndoHistory* history = designer ? &designer->History() : nullptr;
    FUndoAction->setEnabled(history && history->CanUndo());
    FUndoAction->setText(history && history->CanUndo() ? "&Undo " + QString::fromStdString(history->NextUndo().Label)
                                                       : "&Undo");
    FRedoAction->setEnabled(history && history->CanRedo());
    FRedoAction->setText(history && history->CanRedo() ? "&Redo " + QString::fromStdString(history->NextRedo().Label)
                                                       : "&Redo");
}

bool TDesignerWindow::UndoOrRedo(bool redo)
{
    const bool done = redo ? Commands().Redo() : Commands().Undo();
    // At once: the inspector's rows and editors point at the components the step rebuilt.
    Sync();
    return done;
}

// ---- files ------------------------------------------------------------------------------------

void TDesignerWindow::NewFile()
{
    if (!MaybeSave())
        return;
    if (TDesigner* old = FHost.CurrentForm())
        FHost.CloseForm(*old);
    FHost.NewForm("Form1");
    FFileName.clear();
    Sync();
}

void TDesignerWindow::CloseShownFormBut(TDesigner* shown, TDesigner* kept)
{
    for (const auto& form : FHost.Forms())
        if (form.get() == shown && shown != kept) {
            FHost.CloseForm(*shown);
            return;
        }
}

bool TDesignerWindow::OpenFile(const QString& path)
{
    TDesigner* old = FHost.CurrentForm();
    TDesigner* opened = Commands().Open(path.toStdString());
    if (!opened)
        return false;
    CloseShownFormBut(old, opened);
    FFileName = path;
    Remember(path);
    Sync();
    return true;
}

void TDesignerWindow::OpenWithDialog()
{
    if (!MaybeSave())
        return;
    QString path = QFileDialog::getOpenFileName(this, "Open form", QFileInfo(FFileName).path(),
                                                "Form files (*.dfm);;All files (*)");
    if (!path.isEmpty())
        OpenFile(path);
}

void TDesignerWindow::OpenRecent(const QString& path)
{
    // Checked before the save prompt: nobody should be asked to save for a file that is gone.
    if (!QFileInfo::exists(path)) {
        QMessageBox::warning(this, Program,
                             "The form file " + path + " no longer exists.\nIt is removed from the recent files.");
        FRecent.Remove(path);
        FillRecentMenu();
        return;
    }
    if (MaybeSave())
        OpenFile(path);
}

void TDesignerWindow::FillRecentMenu()
{
    FRecentMenu->clear();
    const QStringList files = FRecent.Files();
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files[i];
        // A path's own & stays a character, not an accelerator.
        QString text = QString("&%1 %2").arg(i + 1).arg(QString(path).replace("&", "&&"));
        FRecentMenu->addAction(text, this, [this, path] { OpenRecent(path); });
    }
    FRecentMenu->setEnabled(!files.isEmpty());
}

void TDesignerWindow::Remember(const QString& path)
{
    FRecent.Add(path);
    FillRecentMenu();
}

bool TDesignerWindow::Save()
{
    if (FFileName.isEmpty())
        return SaveAs();
    if (!Commands().Save(*FHost.CurrentForm(), FFileName.toStdString()))
        return false;
    Remember(FFileName);
    UpdateTitle();
    return true;
}

bool TDesignerWindow::SaveAs()
{
    QString path = QFileDialog::getSaveFileName(this, "Save form as", FFileName, "Form files (*.dfm);;All files (*)");
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += ".dfm";
    FFileName = path;
    return Save();
}

bool TDesignerWindow::MaybeSave()
{
    TDesigner* designer = FHost.CurrentForm();
    if (!designer || !designer->IsModified())
        return true;
    const auto answer = QMessageBox::warning(this, Program, "The form has been modified.\nSave your changes?",
                                             QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    if (answer == QMessageBox::Save)
        return Save();
    return answer == QMessageBox::Discard;
}

void TDesignerWindow::closeEvent(QCloseEvent* event)
{
    if (MaybeSave())
        event->accept();
    else
        event->ignore();
}

// ---- dialogs of its own -----------------------------------------------------------------------

void TDesignerWindow::ShowPackageInformation()
{
    std::ostringstream out, err;
    ReportInfo(FPackagePath, out, err);
    QDialog dialog(this);
    dialog.setWindowTitle("Package information");
    auto* text = new QPlainTextEdit(QString::fromStdString(out.str() + err.str()));
    text->setReadOnly(true);
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(text);
    layout->addWidget(buttons);
    dialog.resize(640, 480);
    dialog.exec();
}

void TDesignerWindow::ShowAbout()
{
    QMessageBox::about(this, "About drowcast-designer",
                       "<b>drowcast-designer</b><p>A designer host for design-time packages: a palette, a "
                       "design surface and an object inspector on form files, with the package's own "
                       "editors and dialogs.</p><p>Package: " +
                           QString::fromStdString(FPackagePath).toHtmlEscaped() + "</p>");
}
