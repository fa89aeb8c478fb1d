// The runner's commands on the inspector's rows and defaults, and on the clipboard.
#include "host/PropertyDefaults.h"
#include "host/ScriptRunner.h"

namespace {

// Every row the filter keeps, parents before their sub-rows, each fully expanded.
void PrintRows(const std::vector<std::unique_ptr<TPropertyGridRow>>& rows, std::string_view filter,
               const TRowDefaults& defaults, std::string& lines)
{
    for (const auto& row : rows) {
        if (!row->Shown(filter))
            continue;
        lines += (defaults.Differs(row->Path()) ? "row*: " : "row: ") + row->Path() + " = " + row->DisplayValue() + '\n';
        PrintRows(row->SubRows(), filter, defaults, lines);
    }
}

}  // namespace

void TScriptRunner::Inspector(const TScriptCommand& c)
{
    TPropertyGrid inspector = Inspect(c);
    TDesigner& designer = CurrentForm(c);
    TRowDefaults defaults(designer.Selection(), designer.GetRoot());
    // Package code runs for every value: the lines go out only once all of them are known.
    std::string lines;
    PrintRows(inspector.Rows(), c.Args.empty() ? std::string_view() : std::string_view(c.Args[0]), defaults, lines);
    FOut << lines;
}

void TScriptRunner::Reset(const TScriptCommand& c)
{
    TPropertyGrid inspector = Inspect(c);
    Row(c, inspector, c.Args[0]);
    FActions.Reset(CurrentForm(c), c.Args[0]);
}

void TScriptRunner::Copy(const TScriptCommand& c)
{
    std::vector<TComponent*> components;
    for (const AnsiString& name : c.Args) {
        TComponent* component = FormComponent(c, name);
        if (component == CurrentForm(c).GetRoot())
            Error(c, "the form itself cannot be copied");
        components.push_back(component);
    }
    FActions.Copy(FHost, CurrentForm(c), components);
}

void TScriptRunner::Paste(const TScriptCommand& c)
{
    std::vector<TComponent*> pasted = FActions.Paste(FHost, CurrentForm(c));
    std::string line = "pasted:";
    for (TComponent* component : pasted)
        line += ' ' + component->Name();
    FOut << line << '\n';
}
