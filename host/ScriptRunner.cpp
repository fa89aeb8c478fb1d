#include "host/ScriptRunner.h"

#include <algorithm>

#include "host/PropertyText.h"
#include "host/ScriptTrace.h"
#include "vcl50/Forms.h"
#include "vcl50/Graphics.h"
#include "vcl50/Sysutils.h"
#include "vcl50/Typinfo.h"

TScriptRunner::TScriptRunner(TDesignHost& host, std::ostream& out, std::ostream& err, TInputDriver* input,
                             TScreenshot screenshot, TScriptActions* actions)
    : FHost(host), FOut(out), FErr(err), FInput(input ? *input : FDirectInput), FScreenshot(std::move(screenshot)),
      FActions(actions ? *actions : FCoreActions), FTrace(out)
{
}

std::span<const TScriptCommandRow> HostCommandRows()
{
    using R = TScriptRunner;
    static constexpr TScriptCommandRow rows[] = {
        {"form", 1, 1, "form NAME", &R::Form},
        {"add", 2, 2, "add CLASS NAME", &R::Add},
        {"delete", 1, 1, "delete NAME", &R::Delete},
        {"select", 1, ManyArgs, "select NAME...", &R::Select},
        {"set", 2, 2, "set PROP VALUE", &R::Set},
        {"value", 1, 1, "value PROP", &R::Value},
        {"values", 1, 1, "values PROP", &R::Values},
        {"attrs", 1, 1, "attrs PROP", &R::Attrs},
        {"edit", 1, 1, "edit PROP", &R::Edit},
        {"get", 1, 1, "get NAME.PROP", &R::Get},
        {"verbs", 1, 1, "verbs NAME", &R::Verbs},
        {"verb", 2, 2, "verb NAME INDEX", &R::Verb},
        {"dblclick", 1, 1, "dblclick NAME", &R::DblClick},
        {"modified", 0, 0, "modified", &R::Modified},
        {"forms", 0, 0, "forms", &R::Forms},
        {"regional", 2, 2, "regional NAME VALUE", &R::Regional},
        {"palette", 0, 0, "palette", &R::Palette},
        {"save", 1, 1, "save PATH", &R::Save},
        {"open", 1, 1, "open PATH", &R::Open},
        {"move", 3, 3, "move NAME X Y", &R::Move},
        {"window", 1, 2, "window PATH [NAME]", &R::Window},
        {"inspector", 0, 1, "inspector [FILTER]", &R::Inspector},
        {"reset", 1, 1, "reset PROP", &R::Reset},
        {"copy", 1, ManyArgs, "copy NAME...", &R::Copy},
        {"paste", 0, 0, "paste", &R::Paste},
        {"answer", 2, 2, "answer KIND VALUE", &R::Answer},
        {"dialog", 0, 0, "dialog", &R::Dialog},
        {"install", 1, 1, "install PATH", &R::Install},
        {"packages", 0, 0, "packages", &R::Packages},
        {"autosave", 0, 0, "autosave", &R::Autosave},
        {"crash", 0, 0, "crash", &R::Crash},
        {"recover", 0, 0, "recover", &R::Recover},
        {"undo", 0, 0, "undo", &R::Undo},
        {"redo", 0, 0, "redo", &R::Redo},
    };
    return rows;
}

namespace {

// Numbers are decimal or 0x hexadecimal; eight hex digits wrap to 32 bits as colours need.
std::optional<int64_t> ParseNumber(std::string_view text)
{
    bool negative = !text.empty() && text[0] == '-';
    std::string_view digits = negative ? text.substr(1) : text;
    int base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        base = 16;
        digits.remove_prefix(2);
    }
    if (digits.empty() || digits.size() > (base == 16 ? 8u : 10u))
        return std::nullopt;
    uint64_t value = 0;
    for (char c : digits) {
        int digit = c >= '0' && c <= '9'   ? c - '0'
                    : c >= 'a' && c <= 'f' ? c - 'a' + 10
                    : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                           : 99;
        if (digit >= base)
            return std::nullopt;
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
    }
    if (base == 16)
        return negative ? -static_cast<int64_t>(static_cast<int32_t>(value)) : static_cast<int32_t>(value);
    if (value > (negative ? 2147483648u : 2147483647u))
        return std::nullopt;
    return negative ? -static_cast<int64_t>(value) : static_cast<int64_t>(value);
}

// Restores what a run changes in the process once it ends, however it ends: a designer window
// that runs a script keeps its own observer and listener.
struct TRunScope {
    TDesignHost& Host;
    TInteractionObserver* Observer = &Interaction::Observer();
    std::function<void(TDesigner&)> OnModified = Host.OnModified();
    ~TRunScope()
    {
        Interaction::SetObserver(Observer);
        Interaction::ClearQueues();
        Host.SetOnModified(OnModified);
    }
};

}  // namespace

int TScriptRunner::Number(const TScriptCommand& c, const AnsiString& text)
{
    std::optional<int64_t> n = ParseNumber(text);
    if (!n)
        Error(c, Format("%s is not a number", {text}));
    return static_cast<int>(*n);
}

void TScriptRunner::Error(const TScriptCommand& command, const AnsiString& what)
{
    if (!FScriptError)
        FScriptError.emplace(command.Line, what);
    throw EScriptError(command.Line, what);
}

int TScriptRunner::Fail(int line, const AnsiString& what)
{
    FOut.flush();
    FErr << "script error: line " << line << ": " << PrintableTraceText(what) << '\n';
    FErr.flush();
    return 1;
}

int TScriptRunner::Run(std::string_view text)
{
    std::vector<TScriptCommand> commands;
    try {
        commands = ParseScript(text);
    } catch (const EScriptError& e) {
        return Fail(e.Line(), e.Message());
    }
    TRunScope scope{FHost};
    Interaction::ClearQueues();
    Interaction::SetObserver(&FTrace);
    FHost.SetOnModified([this, &scope](TDesigner& designer) {
        FTrace.Modified();
        if (scope.OnModified)
            scope.OnModified(designer);
    });
    for (const TScriptCommand& command : commands) {
        FScriptError.reset();
        try {
            (this->*command.Row->Run)(command);
        } catch (const EInteractionError& e) {
            // The machinery's own complaints (a dialog nobody answers) are the script's fault.
            if (!FScriptError)
                FScriptError.emplace(command.Line, e.Message());
        } catch (...) {
            if (!FScriptError)
                FTrace.ExceptionReached(CaughtFailure());
        }
        if (FScriptError)
            return Fail(FScriptError->first, FScriptError->second);
        // What was queued for a command and not used is not left for the next one.
        if (command.Name != "dialog" && command.Name != "answer")
            Interaction::ClearQueues();
    }
    FOut.flush();
    return 0;
}

// ---- lookups ----------------------------------------------------------------------------------

TDesigner& TScriptRunner::CurrentForm(const TScriptCommand& c)
{
    TDesigner* designer = FHost.CurrentForm();
    if (!designer)
        Error(c, "no form: start one with form NAME");
    return *designer;
}

TComponent* TScriptRunner::FormComponent(const TScriptCommand& c, const AnsiString& name)
{
    TComponent* component = CurrentForm(c).GetComponent(name);
    if (!component)
        Error(c, Format("unknown component %s", {name}));
    return component;
}

TPropertyGrid TScriptRunner::Inspect(const TScriptCommand& c)
{
    TDesigner& designer = CurrentForm(c);
    TDesignerSelectionList selection = designer.Selection();
    if (selection.empty())
        Error(c, "nothing is selected: select NAME first");
    return TPropertyGrid(selection, &designer);
}

TPropertyGridRow& TScriptRunner::Row(const TScriptCommand& c, TPropertyGrid& inspector, const AnsiString& path)
{
    TPropertyGridRow* row = inspector.Find(path);
    if (!row)
        Error(c, Format("the inspector has no row %s", {path}));
    return *row;
}

void TScriptRunner::PrintPath(const TScriptCommand& c, TObject* start, const AnsiString& nameDotPath,
                              const AnsiString& path)
{
    std::optional<TPropertyPath> resolved = ResolvePropertyPath(start, path);
    if (!resolved)
        Error(c, Format("%s has no property %s", {start->ClassName(), path}));
    AnsiString text = resolved->Object ? PropertyText(resolved->Object, resolved->Prop) : AnsiString();
    FOut << nameDotPath << " = " << text << '\n';
}

// One command that changes the form is one undo step, named by the command as written.
void TScriptRunner::Perform(const TScriptCommand& c, const std::function<void()>& action)
{
    AnsiString label = c.Name;
    for (const AnsiString& arg : c.Args)
        label += " " + arg;
    CurrentForm(c).Perform(label, action);
}

// ---- host commands ----------------------------------------------------------------------------

void TScriptRunner::Form(const TScriptCommand& c)
{
    FHost.NewForm(c.Args[0]);
}

void TScriptRunner::Add(const TScriptCommand& c)
{
    TDesigner& designer = CurrentForm(c);
    TComponentClass cls = FHost.Registry().FindPaletteClass(c.Args[0]);
    if (!cls)
        Error(c, Format("no class %s on the palette", {c.Args[0]}));
    Perform(c, [&] { FActions.Add(designer, cls, c.Args[1]); });
}

void TScriptRunner::Delete(const TScriptCommand& c)
{
    TComponent* component = FormComponent(c, c.Args[0]);
    if (component == CurrentForm(c).GetRoot())
        Error(c, "the form itself cannot be deleted");
    Perform(c, [&] { CurrentForm(c).DeleteComponent(component); });
}

void TScriptRunner::Select(const TScriptCommand& c)
{
    TDesignerSelectionList selection;
    for (const AnsiString& name : c.Args)
        selection.push_back(FormComponent(c, name));
    FActions.Select(CurrentForm(c), selection);
}

void TScriptRunner::Set(const TScriptCommand& c)
{
    TPropertyGrid inspector = Inspect(c);
    TPropertyGridRow& row = Row(c, inspector, c.Args[0]);
    if (row.Editor().GetAttributes().Contains(paReadOnly))
        Error(c, Format("the row %s is read-only", {c.Args[0]}));
    Perform(c, [&] { FActions.Set(CurrentForm(c), row, c.Args[0], c.Args[1]); });
}

void TScriptRunner::Value(const TScriptCommand& c)
{
    TPropertyGrid inspector = Inspect(c);
    // Looked up before anything is printed: a failing command prints nothing.
    const AnsiString text = Row(c, inspector, c.Args[0]).DisplayValue();
    FOut << c.Args[0] << " = " << text << '\n';
}

void TScriptRunner::Values(const TScriptCommand& c)
{
    TPropertyGrid inspector = Inspect(c);
    std::vector<AnsiString> values = Row(c, inspector, c.Args[0]).DropDownValues();
    for (size_t i = 0; i < values.size(); ++i)
        FOut << c.Args[0] << '[' << i << "] = " << values[i] << '\n';
}

void TScriptRunner::Attrs(const TScriptCommand& c)
{
    TPropertyGrid inspector = Inspect(c);
    TPropertyAttributes attributes = Row(c, inspector, c.Args[0]).Editor().GetAttributes();
    std::vector<AnsiString> names;
    const TTypeInfo* type = TypeInfoOf<TPropertyAttribute>();
    for (int64_t a = type->MinValue; a <= type->MaxValue; ++a)
        if (attributes.Contains(static_cast<TPropertyAttribute>(a)))
            names.push_back(GetEnumName(type, a));
    std::sort(names.begin(), names.end());
    FOut << c.Args[0] << " attrs = ";
    for (size_t i = 0; i < names.size(); ++i)
        FOut << (i ? "," : "") << names[i];
    FOut << '\n';
}

void TScriptRunner::Edit(const TScriptCommand& c)
{
    TPropertyGrid inspector = Inspect(c);
    TPropertyGridRow& row = Row(c, inspector, c.Args[0]);
    Perform(c, [&] { FActions.Edit(CurrentForm(c), row, c.Args[0]); });
}

void TScriptRunner::Get(const TScriptCommand& c)
{
    const AnsiString& arg = c.Args[0];
    size_t dot = arg.find('.');
    if (dot == AnsiString::npos || dot == 0 || dot + 1 == arg.size())
        Error(c, "usage: get NAME.PROP");
    TComponent* component = FormComponent(c, arg.substr(0, dot));
    const AnsiString path = arg.substr(dot + 1);
    // A component that is no control has its stored position where a control has properties.
    if ((path == "Left" || path == "Top") && !GetPropInfo(component, path)) {
        FOut << arg << " = " << (path == "Left" ? component->DesignLeft() : component->DesignTop()) << '\n';
        return;
    }
    PrintPath(c, component, arg, path);
}

void TScriptRunner::Verbs(const TScriptCommand& c)
{
    TComponent* component = FormComponent(c, c.Args[0]);
    auto editor = ComponentEditorOf(component, CurrentForm(c));
    int count = editor->GetVerbCount();
    // The package's code may raise part way; the lines go out only once all of them are known.
    std::string lines;
    for (int i = 0; i < count; ++i) {
        editor->PrepareItem(i);
        lines += c.Args[0] + " verb[" + std::to_string(i) + "] = " + editor->GetVerb(i) + '\n';
    }
    FOut << lines;
}

void TScriptRunner::Verb(const TScriptCommand& c)
{
    TComponent* component = FormComponent(c, c.Args[0]);
    int index = Number(c, c.Args[1]);
    auto editor = ComponentEditorOf(component, CurrentForm(c));
    int count = editor->GetVerbCount();
    // A person can only pick a verb the menu shows.
    if (index < 0 || index >= count)
        Error(c, Format("%s has no verb %d (it has %d)", {c.Args[0], index, count}));
    Perform(c, [&] { FActions.Verb(CurrentForm(c), component, index); });
}

void TScriptRunner::DblClick(const TScriptCommand& c)
{
    TComponent* component = FormComponent(c, c.Args[0]);
    Perform(c, [&] { FActions.DblClick(CurrentForm(c), component); });
}

void TScriptRunner::Modified(const TScriptCommand& c)
{
    TDesigner& designer = CurrentForm(c);
    FOut << "modified = " << (designer.IsModified() ? "true" : "false") << '\n';
    designer.ClearModified();
}

void TScriptRunner::Forms(const TScriptCommand&)
{
    int count = 0;
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TComponent* form = Screen->Forms(i);
        bool designed = std::any_of(FHost.Forms().begin(), FHost.Forms().end(),
                                    [&](const auto& d) { return d->GetRoot() == form; });
        count += designed ? 0 : 1;
    }
    FOut << "forms = " << count << '\n';
}

void TScriptRunner::Regional(const TScriptCommand& c)
{
    static const std::pair<const char*, AnsiString*> settings[] = {
        {"ShortDateFormat", &ShortDateFormat},
        {"LongDateFormat", &LongDateFormat},
        {"ShortTimeFormat", &ShortTimeFormat},
        {"LongTimeFormat", &LongTimeFormat},
    };
    for (const auto& [name, value] : settings)
        if (SameText(name, c.Args[0])) {
            *value = c.Args[1];
            return;
        }
    Error(c, Format("no regional setting %s", {c.Args[0]}));
}

void TScriptRunner::Palette(const TScriptCommand&)
{
    for (const auto& page : FHost.Registry().Pages()) {
        FOut << page.Name << ':';
        for (size_t i = 0; i < page.Classes.size(); ++i)
            FOut << (i ? ", " : " ") << page.Classes[i].Class->ClassName();
        FOut << '\n';
    }
}

void TScriptRunner::Save(const TScriptCommand& c)
{
    FHost.SaveForm(CurrentForm(c), c.Args[0]);
}

void TScriptRunner::Open(const TScriptCommand& c)
{
    FHost.OpenForm(c.Args[0]);
}

void TScriptRunner::Move(const TScriptCommand& c)
{
    TComponent* component = FormComponent(c, c.Args[0]);
    if (component == CurrentForm(c).GetRoot())
        Error(c, "the form itself does not move on its surface");
    const int left = Number(c, c.Args[1]);
    const int top = Number(c, c.Args[2]);
    Perform(c, [&] { FActions.Move(CurrentForm(c), component, left, top); });
}

void TScriptRunner::Undo(const TScriptCommand& c)
{
    FActions.Undo(CurrentForm(c));
}

void TScriptRunner::Redo(const TScriptCommand& c)
{
    FActions.Redo(CurrentForm(c));
}

void TScriptRunner::Window(const TScriptCommand& c)
{
    TComponent* menuOf = c.Args.size() > 1 ? FormComponent(c, c.Args[1]) : nullptr;
    if (!FActions.Window(c.Args[0], menuOf))
        Error(c, "window needs the designer window (drowcast-designer)");
}

void TScriptRunner::Answer(const TScriptCommand& c)
{
    const AnsiString& kind = c.Args[0];
    const AnsiString& value = c.Args[1];
    if (kind == "color") {
        if (value == "cancel") {
            Interaction::QueueAnswer(TDialogAnswer::Cancelled());
            return;
        }
        int64_t color;
        if (!IdentToColor(value, color)) {
            std::optional<int64_t> n = ParseNumber(value);
            if (!n)
                Error(c, Format("%s is no colour", {value}));
            color = *n;
        }
        Interaction::QueueAnswer(TDialogAnswer::ColorValue(static_cast<TColor>(color)));
    } else if (kind == "open" || kind == "save") {
        Interaction::QueueAnswer(value == "cancel" ? TDialogAnswer::Cancelled() : TDialogAnswer::FileValue(value));
    } else if (kind == "raise") {
        Interaction::QueueAnswer(TDialogAnswer::Raising(value));
    } else {
        Error(c, "usage: answer color|open|save|raise VALUE");
    }
}

void TScriptRunner::Dialog(const TScriptCommand& c)
{
    Interaction::QueueModalHandler([this, &c](TCustomForm* form) { RunBlock(c, form); });
}
