#include "host/designer/DesignerWindow.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>
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
#include "host/designer/PreviewDock.h"
#include "host/designer/ShownText.h"
#include "host/designer/UndoHistoryView.h"
#include "vcl50/Forms.h"
#include "vcl50/Modules.h"
#include "vcl50/Sysutils.h"

namespace {

constexpr const char* Program = "drowcast-designer";

}  // namespace

TDesignerWindow::TDesignerWindow(TDesignHost& host, std::string packagePath, HMODULE package, bool scripted)
    : FHost(host), FPackagePath(std::move(packagePath)), FScripted(scripted),
      FUndoAction(new QAction(tr("&Undo"), this)), FRedoAction(new QAction(tr("&Redo"), this))
{
    FPalette = new TPaletteBar(host.Registry());
    FPalette->setObjectName("palette");
    FSurface = new TDesignSurface(host, *FPalette);
    FSurface->setObjectName("designSurface");
    FPalette->SetOnDropped([this](TComponentClass cls, QPoint global) {
        const QPoint at = FSurface->mapFromGlobal(global);
        if (FSurface->rect().contains(at))
            FSurface->PlaceAt(cls, at);
    });
    FInspector = new TObjectInspector(host);
    FInspector->setObjectName("objectInspector");
    FSurface->SetOnSelectionChanged([this] {
        FInspector->Refresh();
        UpdateEditActions();
        UpdateExportAction();
        ShowSelection();
        PreviewSelection();
    });
    FSurface->SetOnDragged([this](const QString& where) { statusBar()->showMessage(where); });
    FInspector->SetOnChoose([this](TComponent* c) {
        if (FHost.CurrentForm()) {
            Commands().Select({c});
            Sync();
            ShowSelection();
            // A component picked by name is brought into view on a form larger than the window.
            if (c != FHost.CurrentForm()->GetRoot())
                FScroll->ensureVisible(FSurface->TileRect(c).center().x(), FSurface->TileRect(c).center().y(), 60, 60);
        }
    });

    FScroll = new QScrollArea;
    FScroll->setWidget(FSurface);
    FScroll->setAlignment(Qt::AlignCenter);
    FScroll->setBackgroundRole(QPalette::Dark);
    auto* splitter = new QSplitter;
    splitter->addWidget(FInspector);
    splitter->addWidget(FScroll);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({300, 620});
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(FPalette);
    layout->addWidget(splitter, 1);
    setCentralWidget(central);
    FPreview = new TPreviewDock(host, this);
    addDockWidget(Qt::BottomDockWidgetArea, FPreview);
    BuildMenus();
    StartAutosave();
    // In the person's language where the package has a language module.
    statusBar()->showMessage(QString::fromStdString(PackageDescription(FindResourceHInstance(package))));
    // As large as it likes, as long as the screen holds it; a script's pictures are the same on
    // every screen.
    QSize size(960, 820);
    if (const QScreen* screen = QGuiApplication::primaryScreen(); screen && !FScripted)
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    resize(size);

    // The views follow every change of the form, once the call that made it has returned.
    FHost.SetOnModified([this](TDesigner&) {
        UpdateTitle();
        SyncLater();
        FPreview->Changed();
    });
    FHost.SetOnUndoHistoryCleared([this](TDesigner&) {
        statusBar()->showMessage(tr("That action was too large to undo: the undo history was cleared (it keeps "
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
                const QString reason = QString::fromStdString(CaughtFailure().Message);
                QMessageBox::critical(this, Program, FFailureContext.isEmpty() ? reason : FFailureContext.arg(reason));
            }
        });
}

TDesignerWindow::~TDesignerWindow()
{
    Commands().SetReport(nullptr);
    Commands().SetOnIdle(nullptr);
    FHost.SetOnModified(nullptr);
    FHost.SetOnUndoHistoryCleared(nullptr);
}

void TDesignerWindow::BuildMenus()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&New"), QKeySequence::New, this, [this] { NewFile(); })
        ->setStatusTip(tr("Start a new, empty form"));
    file->addAction(tr("&Open..."), QKeySequence::Open, this, [this] { OpenWithDialog(); })
        ->setStatusTip(tr("Open a form file"));
    FRecentMenu = file->addMenu(tr("Open &Recent"));
    FRecentMenu->setObjectName("recentFiles");
    FillRecentMenu();
    // Another window of the designer may have added files since.
    connect(file, &QMenu::aboutToShow, this, [this] { FillRecentMenu(); });
    file->addAction(tr("&Save"), QKeySequence::Save, this, [this] { Save(); })
        ->setStatusTip(tr("Save the form to its file"));
    file->addAction(tr("Save &As..."), QKeySequence::SaveAs, this, [this] { SaveAs(); })
        ->setStatusTip(tr("Save the form to another file"));
    file->addSeparator();
    file->addAction(tr("&Quit"), QKeySequence::Quit, this, [this] { close(); })
        ->setStatusTip(tr("Close the designer, asking to save unsaved forms"));
    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    FUndoAction->setShortcut(QKeySequence::Undo);
    FUndoAction->setStatusTip(tr("Take back the last change of the form"));
    FRedoAction->setStatusTip(tr("Make the change taken back again"));
    connect(FUndoAction, &QAction::triggered, this, [this] { UndoOrRedo(false); });
    edit->addAction(FUndoAction);
    FRedoAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(FRedoAction, &QAction::triggered, this, [this] { UndoOrRedo(true); });
    edit->addAction(FRedoAction);
    QAction* history = edit->addAction(tr("Undo &history..."), this, [this] {
        if (TDesigner* designer = FHost.CurrentForm())
            ShowUndoHistory(this, *designer, [this](bool redo) { return UndoOrRedo(redo); });
    });
    history->setStatusTip(tr("List the changes of the form; a click goes back or forward to one"));
    history->setObjectName("undoHistoryAction");
    edit->addSeparator();
    BuildEditMenu(edit);
    QMenu* component = menuBar()->addMenu(tr("&Component"));
    BuildExportActions(component);
    QAction* information =
        component->addAction(tr("&Package information..."), this, [this] { ShowPackageInformation(); });
    information->setStatusTip(tr("What the loaded package holds and requires"));
    information->setObjectName("packageInformationAction");
    component->addAction(tr("&Install package..."), this, [this] { InstallWithDialog(); })
        ->setStatusTip(tr("Load another design-time package onto the palette"));
    QAction* packages = component->addAction(tr("Pac&kages..."), this, [this] { ShowPackages(); });
    packages->setStatusTip(tr("Every package loaded or refused, with the reason"));
    packages->setObjectName("packagesAction");
    FWindowMenu = menuBar()->addMenu(tr("&Window"));
    FWindowMenu->setStatusTip(tr("The forms being designed"));
    FWindowMenu->setObjectName("windowMenu");
    connect(FWindowMenu, &QMenu::aboutToShow, this, [this] { FillWindowMenu(); });
    QMenu* help = menuBar()->addMenu(tr("&Help"));
    QAction* about = help->addAction(tr("&About drowcast-designer..."), this, [this] { ShowAbout(); });
    about->setStatusTip(tr("What this designer is"));
    about->setObjectName("aboutAction");
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
    UpdateEditActions();
    UpdateExportAction();
    PreviewSelection();
}

void TDesignerWindow::UpdateTitle()
{
    TDesigner* designer = FHost.CurrentForm();
    setWindowTitle((designer ? ShownName(*designer) : tr("Untitled")) + "[*] - " + Program);
    setWindowModified(designer && designer->HasUnsavedChanges());
    // The Edit menu names the step it would take back or again.
    const TUndoHistory* history = designer ? &designer->History() : nullptr;
    FUndoAction->setEnabled(history && history->CanUndo());
    FUndoAction->setText(history && history->CanUndo() ? tr("&Undo %1").arg(ShownLabel(history->NextUndo().Label))
                                                       : tr("&Undo"));
    FRedoAction->setEnabled(history && history->CanRedo());
    FRedoAction->setText(history && history->CanRedo() ? tr("&Redo %1").arg(ShownLabel(history->NextRedo().Label))
                                                       : tr("&Redo"));
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
    // Form1, or the first free name: recovered forms may hold the others.
    FHost.NewForm(FirstFreeName(TForm::StaticClass(), [this](const AnsiString& name) {
        return std::any_of(FHost.Forms().begin(), FHost.Forms().end(),
                           [&](const auto& form) { return SameText(form->GetRoot()->Name(), name); });
    }));
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
    TDesigner* opened = nullptr;
    // One box for every unknown name, as the platform's designers offer to go on without them.
    auto accept = [&](const std::vector<TUnknownFormName>& unknown) {
        QString list;
        for (const TUnknownFormName& name : unknown)
            list += tr("Line %1: %2%3: %4\n")
                        .arg(name.Line)
                        .arg(QString::fromStdString(name.Component))
                        .arg(name.Property.empty() ? QString() : "." + QString::fromStdString(name.Property))
                        .arg(QString::fromStdString(name.What));
        const QString text = tr("The form file %1 names what no installed package has:\n\n%2\nOpen the form "
                                "without them? They are left out of it when it is saved.")
                                 .arg(path, list);
        return QMessageBox::question(this, Program, text) == QMessageBox::Yes;
    };
    WithFailureContext(
        tr("The form file %1 could not be opened:\n%2\n\nThe form shown stays as it was.").arg(path, "%1"),
                       [&] { opened = Commands().Open(path.toStdString(), accept); });
    if (!opened)
        return false;
    CloseShownFormBut(old, opened);
    Remember(path);
    Sync();
    return true;
}

void TDesignerWindow::OpenWithDialog()
{
    if (!MaybeSave())
        return;
    TDesigner* shown = FHost.CurrentForm();
    const QString folder = shown ? QFileInfo(QString::fromStdString(shown->FileName())).path() : QString();
    QString path = QFileDialog::getOpenFileName(this, tr("Open form"), folder, tr("Form files (*.dfm);;All files (*)"));
    if (!path.isEmpty())
        OpenFile(path);
}

void TDesignerWindow::OpenRecent(const QString& path)
{
    // Checked before the save prompt: nobody should be asked to save for a file that is gone.
    if (!QFileInfo::exists(path)) {
        QMessageBox::warning(this, Program,
                             tr("The form file %1 no longer exists.\nIt is removed from the recent files.").arg(path));
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
    TDesigner& designer = *FHost.CurrentForm();
    if (designer.FileName().empty())
        return SaveAs();
    const QString file = QString::fromStdString(designer.FileName());
    bool saved = false;
    WithFailureContext(tr("The form could not be saved to %1:\n%2\n\nThe file keeps what it held. Choose File > Save "
                          "As to save the form elsewhere.")
                           .arg(file, "%1"),
                       [&] { saved = Commands().Save(designer, designer.FileName()); });
    if (!saved)
        return false;
    Remember(QString::fromStdString(designer.FileName()));
    UpdateTitle();
    return true;
}

bool TDesignerWindow::SaveAs()
{
    TDesigner& designer = *FHost.CurrentForm();
    QString path = QFileDialog::getSaveFileName(this, tr("Save form as"), QString::fromStdString(designer.FileName()),
                                                tr("Form files (*.dfm);;All files (*)"));
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += ".dfm";
    bool saved = false;
    WithFailureContext(tr("The form could not be saved to %1:\n%2\n\nChoose another file or folder.").arg(path, "%1"),
                       [&] { saved = Commands().Save(designer, path.toStdString()); });
    if (!saved)
        return false;
    Remember(path);
    UpdateTitle();
    return true;
}

bool TDesignerWindow::MaybeSave()
{
    TDesigner* designer = FHost.CurrentForm();
    if (!designer || !designer->HasUnsavedChanges())
        return true;
    const QString text = tr("The form %1 has been modified.\nSave your changes?")
                             .arg(QString::fromStdString(designer->GetRoot()->Name()));
    const auto answer = QMessageBox::warning(this, Program, text,
                                             QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    if (answer == QMessageBox::Save)
        return Save();
    return answer == QMessageBox::Discard;
}

void TDesignerWindow::WithFailureContext(const QString& context, const std::function<void()>& call)
{
    const QString outer = std::exchange(FFailureContext, context);
    call();
    FFailureContext = outer;
}

void TDesignerWindow::ShowSelection()
{
    TDesigner* designer = FHost.CurrentForm();
    if (!designer)
        return;
    const TDesignerSelectionList selection = designer->Selection();
    if (selection.size() != 1) {
        statusBar()->showMessage(tr("%1 components selected").arg(selection.size()));
        return;
    }
    auto* component = static_cast<TComponent*>(selection[0]);
    const QString name = QString::fromStdString(component->Name() + ": " + component->ClassName());
    const QString text = component == designer->GetRoot()
                             ? name
                             : tr("%1 at %2, %3").arg(name).arg(component->DesignLeft()).arg(component->DesignTop());
    statusBar()->showMessage(text);
}

void TDesignerWindow::keyPressEvent(QKeyEvent* event)
{
    // What no widget took: Escape lets go of a chosen palette class wherever the keyboard is.
    if (event->key() == Qt::Key_Escape)
        FPalette->ClearChoice();
    else
        QMainWindow::keyPressEvent(event);
}

void TDesignerWindow::closeEvent(QCloseEvent* event)
{
    // What is typed in the inspector and not yet committed is part of the form.
    FInspector->CommitEdit();
    // Every form with unsaved changes is offered, the shown one first, each shown as it is asked
    // for: recovered forms the person never looked at among them.
    std::vector<TDesigner*> forms{FHost.CurrentForm()};
    for (const auto& form : FHost.Forms())
        if (form.get() != forms.front())
            forms.push_back(form.get());
    for (TDesigner* designer : forms) {
        if (!designer || !designer->HasUnsavedChanges())
            continue;
        Show(*designer);
        if (!MaybeSave()) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

QString TDesignerWindow::ShownName(const TDesigner& designer) const
{
    const QString file = QString::fromStdString(designer.FileName());
    return file.isEmpty() ? tr("%1 (Untitled)").arg(QString::fromStdString(designer.GetRoot()->Name()))
                          : QFileInfo(file).fileName();
}

void TDesignerWindow::Show(TDesigner& designer)
{
    FHost.SetCurrentForm(designer);
    Sync();
}

void TDesignerWindow::FillWindowMenu()
{
    FWindowMenu->clear();
    int n = 0;
    for (const auto& form : FHost.Forms()) {
        TDesigner* designer = form.get();
        QString text = QString("&%1 %2").arg(++n).arg(ShownName(*designer).replace("&", "&&"));
        if (designer->HasUnsavedChanges())
            text += " *";
        QAction* item = FWindowMenu->addAction(text, this, [this, designer] { Show(*designer); });
        item->setCheckable(true);
        item->setChecked(designer == FHost.CurrentForm());
    }
}

// ---- dialogs of its own -----------------------------------------------------------------------

void TDesignerWindow::ShowPackageInformation()
{
    std::ostringstream out, err;
    ReportInfo(FPackagePath, out, err);
    QDialog dialog(this);
    dialog.setWindowTitle(tr("Package information"));
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
    QMessageBox::about(this, tr("About drowcast-designer"),
                       tr("<b>drowcast-designer</b><p>A designer host for design-time packages: a palette, a "
                          "design surface and an object inspector on form files, with the package's own "
                          "editors and dialogs.</p><p>Package: %1</p>")
                           .arg(QString::fromStdString(FPackagePath).toHtmlEscaped()));
}
