// Component editors of the designer interface: the base and the default edit walk.

#include "vcl50/Dsgneditors.h"

#include "vcl50/Dsgnproperties.h"
#include "vcl50/Dsgnregistry.h"
#include "vcl50/Sysutils.h"

TComponentEditor::TComponentEditor() = default;
TComponentEditor::~TComponentEditor() = default;

TClass TComponentEditor::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TComponentEditor, TObject>("TComponentEditor").Build();
    return &meta;
}

void TComponentEditor::Edit()
{
    if (GetVerbCount() > 0)
        ExecuteVerb(0);
}

void TComponentEditor::ExecuteVerb(int) {}

AnsiString TComponentEditor::GetVerb(int)
{
    return "";
}

int TComponentEditor::GetVerbCount()
{
    return 0;
}

void TComponentEditor::PrepareItem(int) {}

void TComponentEditor::Copy() {}

std::unique_ptr<TComponentEditor> CreateComponentEditor(TComponentEditorClass editorClass, TComponent* component,
                                                        TFormDesigner* designer)
{
    if (!editorClass || !editorClass->InheritsFrom(TComponentEditor::StaticClass()))
        throw EInvalidOperation(
            Format("%s is not a component editor class", {editorClass ? editorClass->ClassName() : "nil"}));
    if (!component)
        throw EInvalidOperation("A component editor needs a component to edit");
    std::unique_ptr<TObject> object(editorClass->Create(nullptr));
    std::unique_ptr<TComponentEditor> editor(As<TComponentEditor>(object.get()));
    object.release();
    editor->FComponent = component;
    editor->FDesigner = designer;
    return editor;
}

// ---- TDefaultEditor ---------------------------------------------------------------------------

TDefaultEditor::TDefaultEditor() = default;
TDefaultEditor::~TDefaultEditor() = default;

TClass TDefaultEditor::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TDefaultEditor, TComponentEditor>("TDefaultEditor").Build();
    return &meta;
}

void TDefaultEditor::Edit()
{
    // The editors kept by the walk are freed when it ends, also when it raises.
    struct Reset {
        TDefaultEditor* self;
        ~Reset()
        {
            self->FFirst.reset();
            self->FBest.reset();
            self->FBestRank = 0;
        }
    } reset{this};

    bool carryOn = true;
    GetComponentProperties({Component()}, Designer(), [&](std::unique_ptr<TPropertyEditor> editor) {
        if (!carryOn)
            return;
        bool freeEditor = true;
        EditProperty(editor.get(), carryOn, freeEditor);
        if (!freeEditor)
            editor.release();  // EditProperty took it over
    });
    if (!carryOn)
        return;
    if (FBest)
        FBest->Edit();
    else if (FFirst)
        FFirst->Edit();
}

namespace {

// The event a double-click goes to, best first.
int EventRank(std::string_view name)
{
    if (SameText(name, "OnCreate"))
        return 3;
    if (SameText(name, "OnChange"))
        return 2;
    if (SameText(name, "OnClick"))
        return 1;
    return 0;
}

}  // namespace

void TDefaultEditor::EditProperty(TPropertyEditor* editor, bool&, bool& FreeEditor)
{
    if (!Is<TMethodProperty>(editor))
        return;
    int rank = EventRank(editor->GetName());
    if (rank > FBestRank) {
        FBest.reset(editor);
        FBestRank = rank;
        FreeEditor = false;
    } else if (!FFirst) {
        FFirst.reset(editor);
        FreeEditor = false;
    }
}

TComponentEditorClass GetComponentEditorClass(TClass componentClass)
{
    if (IDesignRegistry* registry = DesignRegistry())
        if (TComponentEditorClass editor = registry->FindComponentEditor(componentClass))
            return editor;
    return TDefaultEditor::StaticClass();
}
