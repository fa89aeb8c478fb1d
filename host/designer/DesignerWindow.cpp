#include "host/designer/DesignerWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
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
    auto guard = [this](const std::function<void()>& call) { return Guard(call); };
    FSurface = new TDesignSurface(host, *FPalette, guard);
    FInspector = new TObjectInspector(host, guard);
    FSurface->SetOnSelectionChanged([this] { FInspector->Refresh(); });
    FInspector->SetOnChoose([this](TComponent* c) {
        if (FHost.CurrentForm()) {
            FHost.CurrentForm()->Select({c});
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
}

TDesignerWindow::~TDesignerWindow()
{
    FHost.SetOnModified(nullptr);
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
        if (FPackageCalls > 0)
            FSyncPending = true;
        else
            Sync();
    });
}

bool TDesignerWindow::Guard(const std::function<void()>& call)
{
    struct TDepth {
        TDesignerWindow& Window;
        explicit TDepth(TDesignerWindow& window) : Window(window) { ++Window.FPackageCalls; }
        ~TDepth()
        {
            if (--Window.FPackageCalls > 0)
                return;
            // A step may have been recorded without the form being marked modified.
            Window.UpdateTitle();
            if (std::exchange(Window.FSyncPending, false))
                Window.SyncLater();
        }
    } depth(*this);
    try {
        call();
        return true;
    } catch (...) {
        if (FScripted) {
            // The script reports it, as it does for a command acting on the core.
            if (!FCaught)
                FCaught = std::current_exception();
        } else {
            QMessageBox::critical(this, Program, QString::fromStdString(CaughtFailure().Message));
        }
        return false;
    }
}

void TDesignerWindow::RethrowCaught()
{
    if (std::exception_ptr caught = std::exchange(FCaught, nullptr))
        std::rethrow_exception(caught);
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
    TDesigner* designer = FHost.CurrentForm();
    if (!designer)
        return false;
    bool done = false;
    Guard([&] { done = redo ? designer->Redo() : designer->Undo(); });
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

bool TDesignerWindow::OpenFile(const QString& path)
{
    TDesigner* old = FHost.CurrentForm();
    try {
        TDesigner& opened = FHost.OpenForm(path.toStdString());
        // The window shows one form: the one it showed goes unless the file took its place.
        for (const auto& form : FHost.Forms())
            if (form.get() == old && old != &opened) {
                FHost.CloseForm(*old);
                break;
            }
    } catch (const Exception& e) {
        QMessageBox::critical(this, Program, QString::fromStdString(e.Message()));
        return false;
    }
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
    try {
        FHost.SaveForm(*FHost.CurrentForm(), FFileName.toStdString());
    } catch (const Exception& e) {
        QMessageBox::critical(this, Program, QString::fromStdString(e.Message()));
        return false;
    }
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

// ---- a script's hands -------------------------------------------------------------------------

void TDesignerWindow::Click(QPoint at, Qt::KeyboardModifiers modifiers)
{
    const QPointF global = FSurface->mapToGlobal(QPointF(at));
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, modifiers);
    QApplication::sendEvent(FSurface, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, modifiers);
    QApplication::sendEvent(FSurface, &release);
}

QPoint TDesignerWindow::SpotOf(TComponent* component) const
{
    // The form itself is where its surface is bare.
    return component == FHost.CurrentForm()->GetRoot() ? FSurface->FreeSpot() : FSurface->ReachableSpot(component);
}

void TDesignerWindow::KeepSelection(TDesigner& designer, const std::function<void()>& action)
{
    const TDesignerSelectionList kept = designer.Selection();
    action();
    // Less whatever the action removed from the form.
    TDesignerSelectionList alive;
    TComponent* root = designer.GetRoot();
    for (TPersistent* object : kept)
        for (int i = -1; i < root->ComponentCount(); ++i)
            if (object == (i < 0 ? root : root->Components(i))) {
                alive.push_back(object);
                break;
            }
    designer.Select(alive);
    Sync();
}

void TDesignerWindow::Add(TDesigner& designer, TComponentClass cls, const AnsiString& name)
{
    Sync();
    QToolButton* button = FPalette->Button(cls);
    if (!button)
        throw EInvalidOperation(Format("The palette has no button for %s", {cls->ClassName()}));
    // The script's selection is the script's own: placing selects in the window, not in a script.
    KeepSelection(designer, [&] {
        FPalette->setCurrentWidget(button->parentWidget());
        button->click();
        FSurface->SetPlacementName(name);
        Click(FSurface->FreeSpot(), Qt::NoModifier);
    });
    RethrowCaught();
}

void TDesignerWindow::Select(TDesigner&, const TDesignerSelectionList& selection)
{
    Sync();
    bool first = true;
    for (TPersistent* object : selection) {
        Click(SpotOf(static_cast<TComponent*>(object)), first ? Qt::NoModifier : Qt::ControlModifier);
        first = false;
    }
    Sync();
    RethrowCaught();
}

void TDesignerWindow::Set(TDesigner&, TPropertyGridRow&, const AnsiString& path, const AnsiString& value)
{
    Sync();
    const bool typed = FInspector->TypeAndEnter(path, value);
    RethrowCaught();
    if (!typed)
        throw EInvalidOperation(Format("The inspector shows no editor for %s", {path}));
}

void TDesignerWindow::Edit(TDesigner&, TPropertyGridRow&, const AnsiString& path)
{
    Sync();
    const bool pressed = FInspector->PressEdit(path);
    RethrowCaught();
    if (!pressed)
        throw EInvalidOperation(Format("The inspector shows no row %s", {path}));
}

void TDesignerWindow::Verb(TDesigner&, TComponent* component, int index)
{
    Sync();
    std::unique_ptr<QMenu> menu = FSurface->ContextMenu(component);
    RethrowCaught();
    const QList<QAction*> items = menu->actions();
    if (index >= items.size() || items[index]->isSeparator())
        throw EInvalidOperation(Format("The context menu has no verb %d", {index}));
    items[index]->trigger();
    RethrowCaught();
}

void TDesignerWindow::DblClick(TDesigner&, TComponent* component)
{
    Sync();
    // The double click alone: the press before it would select the tile, which a script's
    // dblclick leaves as it is.
    const QPoint at = FSurface->TileRect(component).center();
    QMouseEvent event(QEvent::MouseButtonDblClick, at, FSurface->mapToGlobal(QPointF(at)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(FSurface, &event);
    RethrowCaught();
}

void TDesignerWindow::Move(TDesigner& designer, TComponent* component, int left, int top)
{
    Sync();
    KeepSelection(designer, [&] {
        const QPoint from = FSurface->TileRect(component).center();
        Click(from, Qt::NoModifier);
        const QPoint to = from + QPoint(left - component->DesignLeft(), top - component->DesignTop());
        const QPointF global = FSurface->mapToGlobal(QPointF(from));
        // Alt: exactly where the script says, as under drowcast-host, not snapped to the grid.
        QMouseEvent press(QEvent::MouseButtonPress, from, global, Qt::LeftButton, Qt::LeftButton, Qt::AltModifier);
        QApplication::sendEvent(FSurface, &press);
        QMouseEvent drag(QEvent::MouseMove, to, global, Qt::NoButton, Qt::LeftButton, Qt::AltModifier);
        QApplication::sendEvent(FSurface, &drag);
        QMouseEvent release(QEvent::MouseButtonRelease, to, global, Qt::LeftButton, Qt::NoButton, Qt::AltModifier);
        QApplication::sendEvent(FSurface, &release);
    });
    RethrowCaught();
}

void TDesignerWindow::Undo(TDesigner&)
{
    Sync();
    FUndoAction->trigger();
    RethrowCaught();
}

void TDesignerWindow::Redo(TDesigner&)
{
    Sync();
    FRedoAction->trigger();
    RethrowCaught();
}

bool TDesignerWindow::Window(const AnsiString& path, TComponent* menuOf)
{
    Sync();
    QApplication::processEvents();
    QPixmap picture = grab();
    if (menuOf) {
        // A popup menu is a window of its own, which the window's picture leaves out: it is drawn
        // in where a right click on the component opens it, kept inside the picture as a screen
        // keeps a popup.
        std::unique_ptr<QMenu> menu = FSurface->ContextMenu(menuOf);
        RethrowCaught();
        menu->adjustSize();
        const QPoint click = FSurface->mapTo(this, SpotOf(menuOf));
        const QPoint at(std::min(click.x(), picture.width() - menu->width()),
                        std::min(click.y(), picture.height() - menu->height()));
        QPainter(&picture).drawPixmap(at, menu->grab());
    }
    if (!picture.save(QString::fromStdString(path), "PNG"))
        throw EFCreateError(Format("Cannot create file \"%s\"", {path}));
    return true;
}
