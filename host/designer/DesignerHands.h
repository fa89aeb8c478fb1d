#pragma once
// A script's hands in the designer window: each host command acts through the window's widgets
// as a person would, with synthetic mouse and key events (the palette button and a click on the
// form, clicks on tiles, typing into the inspector and pressing Enter, the context menu's items,
// the Edit menu), so that a script proves what a person gets. The widgets then call the core's
// command layer like any gesture.

#include <QPoint>
#include <functional>

#include "host/ScriptHands.h"

class TDesignerWindow;

class TDesignerHands : public TScriptHands {
public:
    explicit TDesignerHands(TDesignerWindow& window);

    void Add(TComponentClass cls, const AnsiString& name) override;
    void Select(const TDesignerSelectionList& selection) override;
    void Set(TPropertyGridRow& row, const AnsiString& path, const AnsiString& value) override;
    void Edit(TPropertyGridRow& row, const AnsiString& path) override;
    void Verb(TComponent* component, int index) override;
    void DblClick(TComponent* component) override;
    void Move(TComponent* component, int left, int top) override;
    void Install(const std::string& path) override;
    bool Window(const AnsiString& path, TComponent* menuOf) override;
    void Undo() override;
    void Redo() override;
    void Reset(const AnsiString& path) override;
    void Copy(const std::vector<TComponent*>& components) override;
    TDesignerCommands::TExportOutcome Export(TComponent* component) override;
    std::vector<TComponent*> Paste() override;

private:
    TDesigner& Designer() const;
    void Click(QPoint at, Qt::KeyboardModifiers modifiers);
    // Where a click on the component lands on the surface.
    QPoint SpotOf(TComponent* component) const;
    // Picks the component in the inspector's drop-down, which selects it alone and so brings its
    // tile to the top, where a click reaches it whatever lies on it.
    void Choose(TComponent* component);
    // Restores the script's selection after an action that, in the window, also selects.
    void KeepSelection(const std::function<void()>& action);

    TDesignerWindow& FWindow;
};
