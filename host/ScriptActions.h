#pragma once
// How a script's host commands act where a person would: by default on the core directly; a
// designer window acts through its own widgets instead (its palette, surface, inspector and
// context menu), so a script proves what a person gets. The runner has checked every argument.

#include "host/DesignHost.h"
#include "host/PropertyGrid.h"

class TDesignHost;

class TScriptActions {
public:
    virtual ~TScriptActions();
    virtual void Add(TDesigner& designer, TComponentClass cls, const AnsiString& name);
    virtual void Select(TDesigner& designer, const TDesignerSelectionList& selection);
    // `row` is the inspector row of `path` for the current selection.
    virtual void Set(TDesigner& designer, TPropertyGridRow& row, const AnsiString& path, const AnsiString& value);
    virtual void Edit(TDesigner& designer, TPropertyGridRow& row, const AnsiString& path);
    virtual void Verb(TDesigner& designer, TComponent* component, int index);
    virtual void DblClick(TDesigner& designer, TComponent* component);
    virtual void Move(TDesigner& designer, TComponent* component, int left, int top);
    // Loads and registers another package, as Component > Install package does.
    virtual void Install(TDesignHost& host, const std::string& path);
    // A PNG of the designer's main window, with the right-click menu of `menuOf` open over it
    // unless that is null; false where there is no window.
    virtual bool Window(const AnsiString& path, TComponent* menuOf);
    // Nothing when there is nothing to undo or redo.
    virtual void Undo(TDesigner& designer);
    virtual void Redo(TDesigner& designer);
    // The row's Reset; copying components to the host's clipboard and pasting from it.
    virtual void Reset(TDesigner& designer, const AnsiString& path);
    virtual void Copy(TDesignHost& host, TDesigner& designer, const std::vector<TComponent*>& components);
    virtual std::vector<TComponent*> Paste(TDesignHost& host, TDesigner& designer);
};

// A component's editor under `designer`, as the host commands and the window's menus use it.
std::unique_ptr<TComponentEditor> ComponentEditorOf(TComponent* component, TDesigner& designer);
