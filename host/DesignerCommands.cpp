#include "host/DesignerCommands.h"

#include "host/ComponentClipboard.h"
#include "host/DesignHost.h"
#include "host/PropertyGrid.h"
#include "host/SurfaceGeometry.h"
#include "rowcastb5/Kexportdlg.h"
#include "vcl50/Clipbrd.h"
#include "vcl50/Controls.h"
#include "vcl50/Strings.h"
#include "vcl50/Typinfo.h"

std::unique_ptr<TComponentEditor> ComponentEditorOf(TComponent* component, TDesigner& designer)
{
    return CreateComponentEditor(GetComponentEditorClass(component->ClassType()), component, &designer);
}

AnsiString VerbLabel(const AnsiString& verb)
{
    AnsiString label;
    for (size_t i = 0; i < verb.size(); ++i) {
        if (verb[i] == '&' && ++i == verb.size())
            break;
        label += verb[i];  // the letter after '&', or the second '&' of "&&"
    }
    while (!label.empty() && label.back() == '.')
        label.pop_back();
    return label;
}

namespace {

// "Delete HtmlOut" for one component, "Delete" for several.
AnsiString Named(const char* action, const std::vector<TComponent*>& components)
{
    return components.size() == 1 ? AnsiString(action) + " " + components[0]->Name() : AnsiString(action);
}

// "Set HtmlOut.Tag" for a row of one component, "Set Tag" for one of several.
AnsiString RowLabel(const char* action, TDesigner& designer, const AnsiString& path)
{
    const TDesignerSelectionList selection = designer.Selection();
    auto* only = selection.size() == 1 ? dynamic_cast<TComponent*>(selection[0]) : nullptr;
    return AnsiString(action) + " " + (only ? only->Name() + "." + path : path);
}

// The row's value of each edited object, an object of class T (a string list, a font).
template <class T>
void ForEachValue(TPropertyGridRow& row, const std::function<void(T&)>& write)
{
    TPropertyEditor& editor = row.Editor();
    for (int i = 0; i < editor.PropCount(); ++i)
        if (auto* value = dynamic_cast<T*>(GetObjectProp(editor.GetComponent(i), editor.GetPropInfo())))
            write(*value);
}

}  // namespace

TDesignerCommands::TDesignerCommands(TDesignHost& host) : FHost(host)
{
}

TDesignerCommands::TDepth::TDepth(TDesignerCommands& commands) : FCommands(commands)
{
    ++FCommands.FDepth;
}

TDesignerCommands::TDepth::~TDepth()
{
    if (--FCommands.FDepth == 0 && FCommands.FOnIdle)
        FCommands.FOnIdle();
}

bool TDesignerCommands::Guarded(const std::function<void()>& call)
{
    TDepth depth(*this);
    try {
        call();
        return true;
    } catch (...) {
        FLastFailure = CaughtFailure();
        if (FReport)
            FReport(std::current_exception());
        return false;
    }
}

bool TDesignerCommands::Edit(const std::function<AnsiString(TDesigner&)>& label,
                             const std::function<void(TDesigner&)>& edit)
{
    TDesigner* designer = FHost.CurrentForm();
    if (!designer)
        return false;
    return Guarded([&] { designer->Perform(label(*designer), [&] { edit(*designer); }); });
}

TComponent* TDesignerCommands::Place(TComponentClass cls, const AnsiString& name, int left, int top)
{
    TComponent* placed = nullptr;
    Edit([&](TDesigner&) { return "Add " + cls->ClassName(); },
         [&](TDesigner& designer) {
             const TSurfacePoint at = TSurfaceGeometry(designer).KeptOnForm({left, top});
             placed = designer.AddComponent(cls, name, at.X, at.Y);
         });
    return placed;
}

TComponent* TDesignerCommands::Place(TComponentClass cls, const AnsiString& name)
{
    TDesigner* designer = FHost.CurrentForm();
    if (!designer)
        return nullptr;
    const TSurfaceGeometry geometry(*designer);
    const TSurfacePoint at = geometry.PlacedAt(geometry.FreeSpot());
    return Place(cls, name, at.X, at.Y);
}

bool TDesignerCommands::Delete(const std::vector<TComponent*>& components)
{
    return Edit([&](TDesigner&) { return Named("Delete", components); },
                [&](TDesigner& designer) { designer.DeleteComponents(components); });
}

bool TDesignerCommands::MoveTo(TComponent* component, int left, int top)
{
    return Edit([&](TDesigner&) { return "Move " + component->Name(); },
                [&](TDesigner& designer) {
                    const TSurfacePoint at = TSurfaceGeometry(designer).KeptOnForm({left, top});
                    designer.MoveComponent(component, at.X, at.Y);
                });
}

bool TDesignerCommands::MoveBy(const std::vector<TComponent*>& components, int dx, int dy, bool snap,
                               const TComponent* grabbed)
{
    if (components.empty())
        return false;
    return Edit([&](TDesigner&) { return Named("Move", components); },
                [&](TDesigner& designer) {
                    const TSurfacePoint delta = TSurfaceGeometry(designer).GroupDelta(
                        components, grabbed ? grabbed : components.front(), {dx, dy}, snap);
                    for (TComponent* component : components)
                        designer.MoveComponent(component, component->DesignLeft() + delta.X,
                                               component->DesignTop() + delta.Y);
                });
}

bool TDesignerCommands::SetLines(TPropertyGridRow& row, const AnsiString& lines)
{
    return Edit([&](TDesigner& designer) { return RowLabel("Set", designer, row.Path()); },
                [&](TDesigner& designer) {
                    ForEachValue<TStrings>(row, [&](TStrings& list) { list.SetText(lines); });
                    designer.Modified();
                });
}

bool TDesignerCommands::SetFont(TPropertyGridRow& row, const TFontChoice& font)
{
    return Edit([&](TDesigner& designer) { return RowLabel("Set", designer, row.Path()); },
                [&](TDesigner& designer) {
                    ForEachValue<TFont>(row, [&](TFont& value) {
                        value.SetName(font.Name);
                        value.SetSize(font.Size);
                        value.SetStyle(font.Style);
                    });
                    designer.Modified();
                });
}

bool TDesignerCommands::ResizeForm(int clientWidth, int clientHeight)
{
    return Edit([&](TDesigner& designer) { return "Resize " + designer.GetRoot()->Name(); },
                [&](TDesigner& designer) {
                    auto* form = As<TControl>(designer.GetRoot());
                    form->SetClientWidth(clientWidth);
                    form->SetClientHeight(clientHeight);
                    designer.Modified();
                });
}

bool TDesignerCommands::Set(TPropertyGridRow& row, const AnsiString& value)
{
    return Edit([&](TDesigner& designer) { return RowLabel("Set", designer, row.Path()); },
                [&](TDesigner&) { row.Editor().SetValue(row.TypedValue(value)); });
}

bool TDesignerCommands::Reset(const AnsiString& path)
{
    return Edit([&](TDesigner& designer) { return RowLabel("Reset", designer, path); },
                [&](TDesigner& designer) { designer.ResetProperty(path); });
}

bool TDesignerCommands::EditRow(TPropertyGridRow& row)
{
    return Edit([&](TDesigner& designer) { return RowLabel("Edit", designer, row.Path()); },
                [&](TDesigner&) { row.Editor().Edit(); });
}

bool TDesignerCommands::Verb(TComponent* component, int index)
{
    std::unique_ptr<TComponentEditor> editor;
    return Edit(
        [&](TDesigner& designer) {
            editor = ComponentEditorOf(component, designer);
            editor->PrepareItem(index);
            return VerbLabel(editor->GetVerb(index));
        },
        [&](TDesigner&) { editor->ExecuteVerb(index); });
}

bool TDesignerCommands::DblClick(TComponent* component)
{
    return Edit([&](TDesigner&) { return "Double-click " + component->Name(); },
                [&](TDesigner& designer) { ComponentEditorOf(component, designer)->Edit(); });
}

bool TDesignerCommands::Cut(const std::vector<TComponent*>& components)
{
    return Edit([&](TDesigner&) { return Named("Cut", components); },
                [&](TDesigner& designer) {
                    Clipboard()->SetAsText(CopyComponentText(designer.GetRoot(), components));
                    designer.DeleteComponents(components);
                });
}

std::optional<std::vector<TComponent*>> TDesignerCommands::Paste()
{
    std::vector<TComponent*> pasted;
    if (!Edit([&](TDesigner&) { return AnsiString("Paste"); },
              [&](TDesigner& designer) { pasted = designer.PasteComponents(Clipboard()->AsText()); }))
        return std::nullopt;
    return pasted;
}

bool TDesignerCommands::Undo()
{
    TDesigner* designer = FHost.CurrentForm();
    bool done = false;
    return designer && Guarded([&] { done = designer->Undo(); }) && done;
}

bool TDesignerCommands::Redo()
{
    TDesigner* designer = FHost.CurrentForm();
    bool done = false;
    return designer && Guarded([&] { done = designer->Redo(); }) && done;
}

bool TDesignerCommands::Select(const TDesignerSelectionList& selection)
{
    TDesigner* designer = FHost.CurrentForm();
    return designer && Guarded([&] { designer->Select(selection); });
}

bool TDesignerCommands::Copy(const std::vector<TComponent*>& components)
{
    TDesigner* designer = FHost.CurrentForm();
    return designer &&
           Guarded([&] { Clipboard()->SetAsText(CopyComponentText(designer->GetRoot(), components)); });
}

TDesignerCommands::TExportOutcome TDesignerCommands::Export(TComponent* component, const TExportOptions& options)
{
    TDepth depth(*this);
    TExportOutcome outcome;
    auto* exporter = dynamic_cast<TKExport*>(component);
    if (!exporter) {
        outcome.Failure = Format("%s is no export component", {component->Name()});
        return outcome;
    }
    try {
        outcome.Result = exporter->Export(options);
    } catch (...) {
        outcome.Failure = CaughtFailure().Message;
    }
    return outcome;
}

std::optional<TExportResult> TDesignerCommands::ExecuteDialog(TComponent* component)
{
    std::optional<TExportResult> exported;
    Guarded([&] {
        TKExportDialog* dialog = As<TKExportDialog>(component);
        if (dialog->Execute())
            exported = dialog->LastExport();
    });
    return exported;
}

std::optional<std::vector<AnsiString>> TDesignerCommands::Verbs(TComponent* component)
{
    TDesigner* designer = FHost.CurrentForm();
    std::vector<AnsiString> verbs;
    if (!designer || !Guarded([&] {
            auto editor = ComponentEditorOf(component, *designer);
            for (int i = 0; i < editor->GetVerbCount(); ++i) {
                editor->PrepareItem(i);
                verbs.push_back(editor->GetVerb(i));
            }
        }))
        return std::nullopt;
    return verbs;
}

TDesigner* TDesignerCommands::Open(const std::string& path, const TAcceptUnknownNames& accept)
{
    TDesigner* opened = nullptr;
    Guarded([&] { opened = accept ? FHost.OpenFormLeniently(path, accept) : &FHost.OpenForm(path); });
    return opened;
}

bool TDesignerCommands::Save(TDesigner& designer, const std::string& path)
{
    return Guarded([&] { FHost.SaveForm(designer, path); });
}

bool TDesignerCommands::Install(const std::string& path)
{
    return Guarded([&] { FHost.InstallPackage(path); });
}

std::vector<TDesignerCommands::TRecovery> TDesignerCommands::Recover()
{
    std::vector<TRecovery> recovered;
    std::vector<std::exception_ptr> unremovable;
    Guarded([&] {
        unremovable = FHost.Autosave().RecoverOrphans([&](const std::filesystem::path& file) {
            try {
                recovered.push_back({&FHost.RecoverForm(file.string()), std::nullopt});
                return true;
            } catch (...) {
                // One unreadable form does not keep the others back.
                recovered.push_back({nullptr, CaughtFailure()});
                return false;
            }
        });
    });
    // No form's failure: a session left where it is. The view says so as it says any other.
    for (const std::exception_ptr& failure : unremovable)
        Guarded([&] { std::rethrow_exception(failure); });
    return recovered;
}
