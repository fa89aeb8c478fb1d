#include "host/ScriptHands.h"

#include "host/DesignerCommands.h"

TScriptHands::~TScriptHands() = default;

void TScriptHands::Add(TComponentClass cls, const AnsiString& name)
{
    // Where the window's palette click places it, so that positions read alike in both hosts.
    FCommands.Place(cls, name);
}

void TScriptHands::Select(const TDesignerSelectionList& selection)
{
    FCommands.Select(selection);
}

void TScriptHands::Set(TPropertyGridRow& row, const AnsiString&, const AnsiString& value)
{
    FCommands.Set(row, value);
}

void TScriptHands::Edit(TPropertyGridRow& row, const AnsiString&)
{
    FCommands.EditRow(row);
}

void TScriptHands::Verb(TComponent* component, int index)
{
    FCommands.Verb(component, index);
}

void TScriptHands::DblClick(TComponent* component)
{
    FCommands.DblClick(component);
}

void TScriptHands::Move(TComponent* component, int left, int top)
{
    FCommands.MoveTo(component, left, top);
}

void TScriptHands::Install(const std::string& path)
{
    FCommands.Install(path);
}

bool TScriptHands::Window(const AnsiString&, TComponent*)
{
    return false;
}

void TScriptHands::Undo()
{
    FCommands.Undo();
}

void TScriptHands::Redo()
{
    FCommands.Redo();
}

void TScriptHands::Reset(const AnsiString& path)
{
    FCommands.Reset(path);
}

void TScriptHands::Copy(const std::vector<TComponent*>& components)
{
    FCommands.Copy(components);
}

std::vector<TComponent*> TScriptHands::Paste()
{
    return FCommands.Paste().value_or(std::vector<TComponent*>{});
}

TDesignerCommands::TExportOutcome TScriptHands::Export(TComponent* component)
{
    return FCommands.Export(component);
}
