#include "host/ScriptDesignerCommands.h"

#include <signal.h>
#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <sstream>

#include "host/ExportReport.h"
#include "host/PropertyDefaults.h"
#include "host/ScriptSession.h"
#include "host/ScriptTrace.h"
#include "rowcastb5/Kexportdlg.h"
#include "vcl50/Clipbrd.h"
#include "vcl50/Sysutils.h"

namespace {

// Every row the filter keeps, parents before their sub-rows, each fully expanded.
void PrintRows(const std::vector<std::unique_ptr<TPropertyGridRow>>& rows, std::string_view filter,
               const TRowDefaults& defaults, std::string& lines)
{
    for (const auto& row : rows) {
        if (!row->Shown(filter))
            continue;
        lines += (defaults.Differs(row->Path()) ? "row*: " : "row: ") + row->Path() + " = " + PrintableTraceText(row->DisplayValue()) + '\n';
        PrintRows(row->SubRows(), filter, defaults, lines);
    }
}

}  // namespace

namespace ScriptDesignerCommands {

void Move(TScriptSession& s, const TScriptCommand& c)
{
    TComponent* component = s.FormComponent(c, c.Args[0]);
    if (component == s.CurrentForm(c).GetRoot())
        s.Error(c, "the form itself does not move on its surface");
    const int left = s.Number(c, c.Args[1]);
    const int top = s.Number(c, c.Args[2]);
    s.Hands.Move(component, left, top);
}

void Undo(TScriptSession& s, const TScriptCommand& c)
{
    s.CurrentForm(c);
    s.Hands.Undo();
}

void Redo(TScriptSession& s, const TScriptCommand& c)
{
    s.CurrentForm(c);
    s.Hands.Redo();
}

void Inspector(TScriptSession& s, const TScriptCommand& c)
{
    TPropertyGrid inspector = s.Inspect(c);
    TDesigner& designer = s.CurrentForm(c);
    TRowDefaults defaults(designer.Selection(), designer.GetRoot());
    // Package code runs for every value: the lines go out only once all of them are known.
    std::string lines;
    PrintRows(inspector.Rows(), c.Args.empty() ? std::string_view() : std::string_view(c.Args[0]), defaults, lines);
    s.Out << lines;
}

void Reset(TScriptSession& s, const TScriptCommand& c)
{
    TPropertyGrid inspector = s.Inspect(c);
    s.Row(c, inspector, c.Args[0]);
    s.Hands.Reset(c.Args[0]);
}

void Copy(TScriptSession& s, const TScriptCommand& c)
{
    std::vector<TComponent*> components;
    for (const AnsiString& name : c.Args) {
        TComponent* component = s.FormComponent(c, name);
        if (component == s.CurrentForm(c).GetRoot())
            s.Error(c, "the form itself cannot be copied");
        components.push_back(component);
    }
    s.Hands.Copy(components);
}

void Export(TScriptSession& s, const TScriptCommand& c)
{
    TComponent* component = s.FormComponent(c, c.Args[0]);
    TDesignerCommands::TExportOutcome outcome = s.Hands.Export(component);
    if (outcome.Result)
        s.Out << PrintableTraceText(ExportedLine(component->Name(), *outcome.Result)) << '\n';
    else
        s.Out << "export failed: " << component->Name() << ": " << PrintableTraceText(outcome.Failure) << '\n';
}

void Preview(TScriptSession& s, const TScriptCommand& c)
{
    TComponent* component = s.FormComponent(c, c.Args[0]);
    TExportOptions options;
    options.FileName = c.Args[1];
    options.MaxRecords = DefaultPreviewRecords;
    if (c.Args.size() > 2 && (!TryStrToInt64(c.Args[2], options.MaxRecords) || options.MaxRecords < 0))
        s.Error(c, Format("ROWS must be a number of records, not %s", {c.Args[2]}));
    TDesignerCommands::TExportOutcome outcome = s.Commands.Export(component, options);
    if (!outcome.Result)
        s.Error(c, Format("the preview of %s failed: %s", {component->Name(), outcome.Failure}));
    s.Out << "preview: " << component->Name() << " rows=" << outcome.Result->Rows << '\n';
}

void Execute(TScriptSession& s, const TScriptCommand& c)
{
    TComponent* component = s.FormComponent(c, c.Args[0]);
    if (!Is<TKExportDialog>(component))
        s.Error(c, Format("%s is no export dialog", {component->Name()}));
    if (std::optional<TExportResult> exported = s.Commands.ExecuteDialog(component))
        s.Out << PrintableTraceText(ExportedLine(component->Name(), *exported)) << '\n';
}

void Paste(TScriptSession& s, const TScriptCommand& c)
{
    s.CurrentForm(c);
    std::vector<TComponent*> pasted = s.Hands.Paste();
    s.RethrowFailure();
    std::string line = "pasted:";
    for (TComponent* component : pasted)
        line += ' ' + component->Name();
    s.Out << line << '\n';
}

void ClipboardText(TScriptSession& s, const TScriptCommand&)
{
    std::istringstream text(Clipboard()->AsText());
    for (std::string line; std::getline(text, line);) {
        // Text from other programs may end its lines as the platform's own programs do.
        if (line.ends_with('\r'))
            line.pop_back();
        s.Out << "clipboard: " << PrintableTraceText(line) << '\n';
    }
}

void Install(TScriptSession& s, const TScriptCommand& c)
{
    // A package that fails is no fault of the script: its exception is traced, the report keeps
    // the reason, and the script goes on as the designer does.
    s.Hands.Install(c.Args[0]);
}

void Packages(TScriptSession& s, const TScriptCommand&)
{
    for (const TPackageRecord& record : s.Host.PackageReport()) {
        s.Out << "package: " << PrintableTraceText(std::filesystem::path(record.Path).filename().string());
        if (record.Failure.empty())
            s.Out << " state=loaded\n";
        else
            s.Out << " state=failed reason=" << QuoteTraceText(record.Failure) << '\n';
    }
}

void Autosave(TScriptSession& s, const TScriptCommand&)
{
    s.Host.Autosave().Write(s.Host.Forms());
}

void Crash(TScriptSession& s, const TScriptCommand&)
{
    // The trace so far is seen; nothing else of a clean end happens.
    s.Out.flush();
    std::cout.flush();
    std::cerr.flush();
    kill(getpid(), SIGKILL);
}

void Recover(TScriptSession& s, const TScriptCommand&)
{
    for (const TDesignerCommands::TRecovery& recovery : s.Commands.Recover()) {
        if (recovery.Form)
            s.Out << "recovered: " << recovery.Form->GetRoot()->Name() << '\n';
        else
            s.Trace.ExceptionReached(*recovery.Failure);
    }
}

void Window(TScriptSession& s, const TScriptCommand& c)
{
    TComponent* menuOf = c.Args.size() > 1 ? s.FormComponent(c, c.Args[1]) : nullptr;
    if (!s.Hands.Window(c.Args[0], menuOf))
        s.Error(c, "window needs the designer window (drowcast-designer)");
}

}  // namespace ScriptDesignerCommands
