#pragma once
// The designer of one designed form: its root component, the inspector's selection, the
// modified mark and the undo history. Every edit of the form, by the host or by an editor, goes
// through here.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/UndoHistory.h"
#include "vcl50/Dsgnintf.h"

// The designers' name for a new component of `cls`: the class name without its T and the first
// number from 1 that `taken` leaves free (TKHTMLExport: KHTMLExport1).
AnsiString FirstFreeName(TClass cls, const std::function<bool(const AnsiString&)>& taken);

class TDesigner : public TFormDesigner {
public:
    // Designs `root`, which it owns; the root and all it will own are marked as being designed.
    explicit TDesigner(std::unique_ptr<TComponent> root);
    ~TDesigner() override;
    TDesigner(const TDesigner&) = delete;
    TDesigner& operator=(const TDesigner&) = delete;

    void Modified() override;
    TComponent* GetRoot() const override { return FRoot.get(); }
    // A component of another form is named "Form.Component".
    AnsiString GetComponentName(TComponent* component) const override;
    TComponent* GetComponent(std::string_view name) const override;
    void GetComponentNames(TClass cls, const TGetStrProc& proc) const override;
    void GetMethods(const TTypeInfo* eventType, const TGetStrProc& proc) const override;
    void ShowMethod(const AnsiString& name) override;

    // Places a new component of `cls` on the form; an empty name gets the first free one of the
    // platform's pattern (TKHTMLExport: KHTMLExport1), at `left`, `top` on the design surface.
    // Marks the form modified. Each of these three is an undo step of its own, or part of the
    // action it is called in.
    TComponent* AddComponent(TComponentClass cls, const AnsiString& name, int left = 0, int top = 0);
    // Puts a component of the form at `left`, `top`, the position its form file keeps. Marks the
    // form modified when it moved.
    void MoveComponent(TComponent* component, int left, int top);
    // Frees a component of the form. Marks the form modified.
    void DeleteComponent(TComponent* component);
    // Frees several components of the form as one edit (a cut); none when one is not on it.
    void DeleteComponents(const std::vector<TComponent*>& components);
    // Sets the inspector row `path` of every selected component back to its default
    // (PropertyDefaults.h) and marks the form modified; nothing when it holds its default.
    void ResetProperty(std::string_view path);
    // Adds the components that copied form text holds (ComponentClipboard.h) and selects them.
    // On any failure, EReadError saying where, and the form stays as it was. Marks the form
    // modified.
    std::vector<TComponent*> PasteComponents(std::string_view text);

    // Only the root and components on the form can be selected; EInvalidOperation otherwise.
    void Select(const TDesignerSelectionList& selection);
    // The selection, less whatever has left the form since.
    TDesignerSelectionList Selection() const;
    // Those of `objects` that are the form or on it, in their order.
    TDesignerSelectionList OnForm(const TDesignerSelectionList& objects) const;

    // One designer action, one undo step: runs `action` and, when the form's text changed,
    // records the text before and after it and clears the redo list. Also when the action
    // raised: what it wrote before stays, as one step, and the exception passes on. An action
    // inside another is part of it; the step takes the outermost label given, "" naming none.
    void Perform(const AnsiString& label, const std::function<void()>& action);
    // Puts the form back as it was before the last step, or after the last undone one, and
    // marks it modified. The components are rebuilt from text: pointers to them go stale, the
    // selection follows by name. False, and nothing happens, when there is no step or an action
    // is running (its package code may hold the components).
    bool Undo();
    bool Redo();
    const TUndoHistory& History() const { return FHistory; }
    // Told when an action was too large for the undo history to keep, which it cleared: nothing
    // before it can be undone.
    void SetOnHistoryCleared(std::function<void()> listener) { FOnHistoryCleared = std::move(listener); }

    // The form file it was opened from or last saved to; empty for a form in no file yet.
    const std::string& FileName() const { return FFileName; }
    void SetFileName(std::string fileName) { FFileName = std::move(fileName); }

    bool IsModified() const { return FModified; }
    void ClearModified() { FModified = false; }
    // Whether the form differs from what its file holds (or, in no file, from how it began): an
    // undo back to that state leaves none, though it marks the form modified.
    bool HasUnsavedChanges() const { return FModified && !FAtSaved; }
    // `text`, the form as it stands, is what its file holds now (saved, opened or new).
    void MarkSaved(const AnsiString& text);
    // Told of every Modified call.
    void SetOnModified(std::function<void()> listener) { FOnModified = std::move(listener); }
    // The event handler an editor last asked to show (there is no code editor to show it in).
    const AnsiString& LastShownMethod() const { return FLastShownMethod; }

private:
    void EndAction();
    void Restore(const AnsiString& text);
    bool IsSavedText(const AnsiString& text) const;
    AnsiString UniqueName(TComponentClass cls) const;

    std::unique_ptr<TComponent> FRoot;
    TDesignerSelectionList FSelection;
    bool FModified = false;
    bool FAtSaved = true;
    size_t FSavedHash = 0;  // of the form text its file holds
    std::string FFileName;
    std::function<void()> FOnModified;
    AnsiString FLastShownMethod;
    std::function<void()> FOnHistoryCleared;
    TUndoHistory FHistory;
    // The running action: its label and the form text before it.
    struct TRunningAction {
        AnsiString Label;
        AnsiString Before;
    };
    std::optional<TRunningAction> FAction;
};
