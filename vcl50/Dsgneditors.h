#pragma once
// Component editors: what a double-click on a component and its menu verbs do in the designer.

#include <memory>

#include "vcl50/Classes.h"
#include "vcl50/Dsgndesigner.h"
#include "vcl50/Dsgnpropertyeditor.h"

class TComponentEditor : public TDerived<TComponentEditor, TObject> {
public:
    TComponentEditor();
    ~TComponentEditor() override;
    static TClass StaticClass();

    // A double-click on the component; the base runs verb 0 when there is one.
    virtual void Edit();
    virtual void ExecuteVerb(int index);
    virtual AnsiString GetVerb(int index);
    virtual int GetVerbCount();
    // Called before verb `index` is shown in a menu.
    virtual void PrepareItem(int index);
    // Called after the component was copied to the clipboard.
    virtual void Copy();

    TComponent* Component() const { return FComponent; }
    TFormDesigner* Designer() const { return FDesigner; }
    TFormDesigner* GetDesigner() const { return FDesigner; }

private:
    friend std::unique_ptr<TComponentEditor> CreateComponentEditor(TComponentEditorClass, TComponent*,
                                                                   TFormDesigner*);
    TComponent* FComponent = nullptr;
    TFormDesigner* FDesigner = nullptr;
};

// The editor of components that have none of their own: a double-click offers each of the
// component's property editors to EditProperty until Continue is false, then edits the best
// event found (OnCreate, else OnChange, else OnClick, else the first event).
class TDefaultEditor : public TDerived<TDefaultEditor, TComponentEditor> {
public:
    TDefaultEditor();
    ~TDefaultEditor() override;
    static TClass StaticClass();

    void Edit() override;
    // Setting FreeEditor false takes the editor over from the walk, which then does not free it.
    virtual void EditProperty(TPropertyEditor* editor, bool& Continue, bool& FreeEditor);

private:
    std::unique_ptr<TPropertyEditor> FFirst;  // the first event
    std::unique_ptr<TPropertyEditor> FBest;   // the best-ranked event so far
    int FBestRank = 0;
};

// Raises EInvalidOperation for a class that is no component editor.
std::unique_ptr<TComponentEditor> CreateComponentEditor(TComponentEditorClass editorClass, TComponent* component,
                                                        TFormDesigner* designer);

// The component editor the designer uses: the registered one, else TDefaultEditor.
TComponentEditorClass GetComponentEditorClass(TClass componentClass);
