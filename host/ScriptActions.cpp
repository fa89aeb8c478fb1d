#include "host/ScriptActions.h"

#include "host/DesignHost.h"

#include "host/ComponentClipboard.h"

TScriptActions::~TScriptActions() = default;

std::unique_ptr<TComponentEditor> ComponentEditorOf(TComponent* component, TDesigner& designer)
{
    return CreateComponentEditor(GetComponentEditorClass(component->ClassType()), component, &designer);
}

void TScriptActions::Add(TDesigner& designer, TComponentClass cls, const AnsiString& name)
{
    designer.AddComponent(cls, name);
}

void TScriptActions::Select(TDesigner& designer, const TDesignerSelectionList& selection)
{
    designer.Select(selection);
}

void TScriptActions::Set(TDesigner&, TPropertyGridRow& row, const AnsiString&, const AnsiString& value)
{
    row.Editor().SetValue(value);
}

void TScriptActions::Edit(TDesigner&, TPropertyGridRow& row, const AnsiString&)
{
    row.Editor().Edit();
}

void TScriptActions::Verb(TDesigner& designer, TComponent* component, int index)
{
    ComponentEditorOf(component, designer)->ExecuteVerb(index);
}

void TScriptActions::DblClick(TDesigner& designer, TComponent* component)
{
    ComponentEditorOf(component, designer)->Edit();
}

void TScriptActions::Move(TDesigner& designer, TComponent* component, int left, int top)
{
    designer.MoveComponent(component, left, top);
}

void TScriptActions::Install(TDesignHost& host, const std::string& path)
{
    host.InstallPackage(path);
}


void TScriptActions::Undo(TDesigner& designer)
{
    designer.Undo();
}

void TScriptActions::Redo(TDesigner& designer)
{
    designer.Redo();
}

void TScriptActions::Reset(TDesigner& designer, const AnsiString& path)
{
    designer.ResetProperty(path);
}

void TScriptActions::Copy(TDesignHost& host, TDesigner& designer, const std::vector<TComponent*>& components)
{
    host.SetClipboardText(CopyComponentText(designer.GetRoot(), components));
}

std::vector<TComponent*> TScriptActions::Paste(TDesignHost& host, TDesigner& designer)
{
    return designer.PasteComponents(host.ClipboardText());
}

bool TScriptActions::Window(const AnsiString&, TComponent*)
{
    return false;
}
