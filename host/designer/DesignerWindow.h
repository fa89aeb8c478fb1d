#pragma once
// The designer's main window: menus, the palette, the design surface and the object inspector
// on one designed form of the core. It is a view: every change of a component goes through the
// core. It also serves scripts as a person's hands, acting through its own widgets.

#include <QMainWindow>
#include <exception>
#include <string>

#include "host/DesignHost.h"
#include "host/ScriptActions.h"
#include "host/designer/RecentFiles.h"

class QMenu;
class QAction;
class TDesignSurface;
class TObjectInspector;
class TPaletteBar;

class TDesignerWindow : public QMainWindow, public TScriptActions {
public:
    // Scripted: what package code raises goes back to the script instead of into a message box.
    TDesignerWindow(TDesignHost& host, std::string packagePath, HMODULE package, bool scripted);
    ~TDesignerWindow() override;

    // Opens a form file; a failure is reported with its line and the current form stays.
    bool OpenFile(const QString& path);
    void NewFile();
    // Offers back, in a question box, the forms of a designer that did not end cleanly; each
    // comes back as a modified form (DesignerWindowSafety.cpp).
    void OfferRecovery();

    void Add(TDesigner& designer, TComponentClass cls, const AnsiString& name) override;
    void Select(TDesigner& designer, const TDesignerSelectionList& selection) override;
    void Set(TDesigner& designer, TPropertyGridRow& row, const AnsiString& path, const AnsiString& value) override;
    void Edit(TDesigner& designer, TPropertyGridRow& row, const AnsiString& path) override;
    void Verb(TDesigner& designer, TComponent* component, int index) override;
    void DblClick(TDesigner& designer, TComponent* component) override;
    void Move(TDesigner& designer, TComponent* component, int left, int top) override;
    bool Window(const AnsiString& path, TComponent* menuOf) override;
    void Install(TDesignHost& host, const std::string& path) override;
    void Undo(TDesigner& designer) override;
    void Redo(TDesigner& designer) override;
    void Reset(TDesigner& designer, const AnsiString& path) override;
    void Copy(TDesignHost& host, TDesigner& designer, const std::vector<TComponent*>& components) override;
    std::vector<TComponent*> Paste(TDesignHost& host, TDesigner& designer) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    bool Guard(const std::function<void()>& call);
    void RethrowCaught();
    // Brings every view up to the core: the form shown, the title, the surface, the inspector.
    void Sync();
    void SyncLater();
    // The title with the modified mark, and the Edit menu's Undo and Redo.
    void UpdateTitle();
    // False when there was nothing to take back or again, or it failed (and was reported).
    bool UndoOrRedo(bool redo);
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
    void InstallWithDialog();
    void ShowPackages();
    void StartAutosave();
    // Edit > Cut, Copy, Paste on the system clipboard (DesignerClipboard.cpp).
    void BuildEditMenu(QMenu* edit);
    void ConnectSystemClipboard();
    std::vector<TComponent*> SelectedComponents() const;
    void CopySelection();
    void CutSelection();
    void PasteFromClipboard();
    QAction* FCopyAction = nullptr;
    QAction* FPasteAction = nullptr;
    // Restores the script's selection after an action that, in the window, also selects.
    void KeepSelection(TDesigner& designer, const std::function<void()>& action);
    void Click(QPoint at, Qt::KeyboardModifiers modifiers);
    // Where a click on the component lands on the surface.
    QPoint SpotOf(TComponent* component) const;

    TDesignHost& FHost;
    std::string FPackagePath;
    bool FScripted;
    std::exception_ptr FCaught;
    int FPackageCalls = 0;
    bool FSyncPending = false;
    bool FSyncScheduled = false;
    QString FFileName;
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
