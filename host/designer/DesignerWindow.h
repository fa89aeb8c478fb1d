#pragma once
// The designer's main window: menus, the palette, the design surface and the object inspector
// on one designed form of the core. It is a view: every change of a component goes through the
// core's command layer. Scripts act through its widgets with TDesignerHands.

#include <QCoreApplication>
#include <QMainWindow>
#include <functional>
#include <string>

#include "host/DesignHost.h"
#include "host/designer/RecentFiles.h"

class QMenu;
class QAction;
class QLabel;
class QScrollArea;
class TDesignSurface;
class TObjectInspector;
class TPaletteBar;
class TPreviewDock;

class TDesignerWindow : public QMainWindow {
    Q_DECLARE_TR_FUNCTIONS(TDesignerWindow)

public:
    // Scripted: what package code raises goes to the script that runs, never into a message box.
    TDesignerWindow(TDesignHost& host, std::string packagePath, HMODULE package, bool scripted);
    ~TDesignerWindow() override;

    // Opens a form file; a failure is reported with its line and the current form stays. A file
    // that names unknown classes or properties is offered, in one box listing them, to open
    // without them (then marked modified); No keeps the current form.
    bool OpenFile(const QString& path);
    void NewFile();
    // Offers back, in a question box, the forms of a designer that did not end cleanly; each
    // comes back as a modified form, listed in the Window menu (DesignerWindowSafety.cpp).
    void OfferRecovery();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildMenus();
    // A script's hands act through the window's widgets.
    friend class TDesignerHands;
    TDesignerCommands& Commands() { return FHost.Commands(); }
    // Brings every view up to the core: the form shown, the title, the surface, the inspector.
    void Sync();
    void SyncLater();
    // The title with the modified mark, and the Edit menu's Undo and Redo.
    void UpdateTitle();
    // False when there was nothing to take back or again, or it failed (and was reported).
    bool UndoOrRedo(bool redo);
    // The window shows one form: the one it showed goes, unless `kept` took its place.
    void CloseShownFormBut(TDesigner* shown, TDesigner* kept);
    // The status bar names what is selected and where it is.
    void ShowSelection();
    // A failure that `call` reports is shown in a box as `context`, its %1 the reason: the box
    // names the file and says what to do.
    void WithFailureContext(const QString& context, const std::function<void()>& call);
    // The form's file name as the title and the Window menu show it.
    QString ShownName(const TDesigner& designer) const;
    // The Window menu: every designed form, the shown one checked; picking one shows it.
    void FillWindowMenu();
    void Show(TDesigner& designer);
    // Asks to save the shown form when it has unsaved changes; false when the person cancels.
    bool MaybeSave();
    bool Save();
    bool SaveAs();
    void OpenWithDialog();
    // A missing file is reported and leaves the list; the current form stays.
    void OpenRecent(const QString& path);
    void FillRecentMenu();
    void Remember(const QString& path);
    void ShowPackageInformation();
    void ShowAbout();
    // Loads and registers a package; what registered before a failure is on the palette too.
    bool Install(const std::string& path);
    void InstallWithDialog();
    void ShowPackages();
    void StartAutosave();
    // Edit > Cut, Copy, Paste on the system clipboard, Delete, Select all (DesignerClipboard.cpp).
    void BuildEditMenu(QMenu* edit);
    // Component > Export and its toolbar button (DesignerExport.cpp).
    void BuildExportActions(QMenu* component);
    void UpdateExportAction();
    // Runs every selected export, each as ExportOne.
    void ExportSelection();
    // Runs one export with a progress dialog; says in an error box why it failed, or in the
    // status bar what it wrote.
    TDesignerCommands::TExportOutcome ExportOne(TComponent* component);
    // The Preview panel follows the selected export.
    void PreviewSelection();
    // Component > Test export dialog on the one selected export dialog.
    void TestExportDialog();
    // Greys out what cannot act on the selection or the clipboard.
    void UpdateEditActions();
    void CopySelection();
    void CutSelection();
    void PasteFromClipboard();
    QAction* FCutAction = nullptr;
    QAction* FCopyAction = nullptr;
    QAction* FPasteAction = nullptr;
    QAction* FDeleteAction = nullptr;
    QAction* FSelectAllAction = nullptr;
    QAction* FExportAction = nullptr;
    QAction* FTestDialogAction = nullptr;
    QLabel* FExportLink = nullptr;  // what the last export wrote, linked to open it
    TPreviewDock* FPreview = nullptr;
    TDesignerCommands::TExportOutcome FLastExport;  // for the script hands

    TDesignHost& FHost;
    std::string FPackagePath;
    bool FScripted;
    bool FSyncPending = false;
    bool FSyncScheduled = false;
    QMenu* FWindowMenu = nullptr;
    QScrollArea* FScroll;
    QString FFailureContext;
    TDesigner* FShown = nullptr;
    TPaletteBar* FPalette;
    TDesignSurface* FSurface;
    TObjectInspector* FInspector;
    TRecentFiles FRecent;
    QMenu* FRecentMenu = nullptr;
    // Made with the window: every guarded call updates them, from the first one on.
    QAction* FUndoAction;
    QAction* FRedoAction;
};
