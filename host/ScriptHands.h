#pragma once
// How a script's host commands act where a person would: by default straight through the
// designer's command layer; a designer window acts through its own widgets instead (its palette,
// surface, inspector, menus and context menu), which call the same layer, so a script proves what
// a person gets. The runner has checked every argument; the edits act on the current form.

#include <string>
#include <vector>

#include "host/Designer.h"
#include "host/DesignerCommands.h"
class TPropertyGridRow;

class TScriptHands {
public:
    explicit TScriptHands(TDesignerCommands& commands) : FCommands(commands) {}
    virtual ~TScriptHands();

    virtual void Add(TComponentClass cls, const AnsiString& name);
    virtual void Select(const TDesignerSelectionList& selection);
    // `row` is the inspector row of `path` for the current selection.
    virtual void Set(TPropertyGridRow& row, const AnsiString& path, const AnsiString& value);
    virtual void Edit(TPropertyGridRow& row, const AnsiString& path);
    virtual void Verb(TComponent* component, int index);
    virtual void DblClick(TComponent* component);
    virtual void Move(TComponent* component, int left, int top);
    virtual void Install(const std::string& path);
    // A PNG of the designer's main window, with the right-click menu of `menuOf` open over it
    // unless that is null; false where there is no window.
    virtual bool Window(const AnsiString& path, TComponent* menuOf);
    // Nothing when there is nothing to undo or redo.
    virtual void Undo();
    virtual void Redo();
    virtual void Reset(const AnsiString& path);
    virtual void Copy(const std::vector<TComponent*>& components);
    // What the paste selected.
    virtual std::vector<TComponent*> Paste();
    // Runs an export component as Component > Export does.
    virtual TDesignerCommands::TExportOutcome Export(TComponent* component);

protected:
    TDesignerCommands& FCommands;
};
