#include "host/ScriptHostCommands.h"

#include <algorithm>

#include "host/ScriptSession.h"
#include "host/ScriptTrace.h"
#include "vcl50/Forms.h"
#include "vcl50/Sysutils.h"
#include "vcl50/Typinfo.h"

namespace ScriptHostCommands {

void Form(TScriptSession& s, const TScriptCommand& c)
{
    s.Host.NewForm(c.Args[0]);
}

void Add(TScriptSession& s, const TScriptCommand& c)
{
    s.CurrentForm(c);
    TComponentClass cls = s.Host.Registry().FindPaletteClass(c.Args[0]);
    if (!cls)
        s.Error(c, Format("no class %s on the palette", {c.Args[0]}));
    s.Hands.Add(cls, c.Args[1]);
}

void Delete(TScriptSession& s, const TScriptCommand& c)
{
    TComponent* component = s.FormComponent(c, c.Args[0]);
    if (component == s.CurrentForm(c).GetRoot())
        s.Error(c, "the form itself cannot be deleted");
    s.Commands.Delete({component});
}

void Select(TScriptSession& s, const TScriptCommand& c)
{
    TDesignerSelectionList selection;
    for (const AnsiString& name : c.Args)
        selection.push_back(s.FormComponent(c, name));
    s.Hands.Select(selection);
}

void Set(TScriptSession& s, const TScriptCommand& c)
{
    TPropertyGrid inspector = s.Inspect(c);
    TPropertyGridRow& row = s.Row(c, inspector, c.Args[0]);
    if (row.Editor().GetAttributes().Contains(paReadOnly))
        s.Error(c, Format("the row %s is read-only", {c.Args[0]}));
    s.Hands.Set(row, c.Args[0], c.Args[1]);
}

void Value(TScriptSession& s, const TScriptCommand& c)
{
    TPropertyGrid inspector = s.Inspect(c);
    // Looked up before anything is printed: a failing command prints nothing.
    const AnsiString text = s.Row(c, inspector, c.Args[0]).DisplayValue();
    s.Out << c.Args[0] << " = " << PrintableTraceText(text) << '\n';
}

void Values(TScriptSession& s, const TScriptCommand& c)
{
    TPropertyGrid inspector = s.Inspect(c);
    std::vector<AnsiString> values = s.Row(c, inspector, c.Args[0]).DropDownValues();
    for (size_t i = 0; i < values.size(); ++i)
        s.Out << c.Args[0] << '[' << i << "] = " << PrintableTraceText(values[i]) << '\n';
}

void Attrs(TScriptSession& s, const TScriptCommand& c)
{
    TPropertyGrid inspector = s.Inspect(c);
    TPropertyAttributes attributes = s.Row(c, inspector, c.Args[0]).Editor().GetAttributes();
    std::vector<AnsiString> names;
    const TTypeInfo* type = TypeInfoOf<TPropertyAttribute>();
    for (int64_t a = type->MinValue; a <= type->MaxValue; ++a)
        if (attributes.Contains(static_cast<TPropertyAttribute>(a)))
            names.push_back(GetEnumName(type, a));
    std::sort(names.begin(), names.end());
    s.Out << c.Args[0] << " attrs = ";
    for (size_t i = 0; i < names.size(); ++i)
        s.Out << (i ? "," : "") << names[i];
    s.Out << '\n';
}

void Edit(TScriptSession& s, const TScriptCommand& c)
{
    TPropertyGrid inspector = s.Inspect(c);
    TPropertyGridRow& row = s.Row(c, inspector, c.Args[0]);
    s.Hands.Edit(row, c.Args[0]);
}

void Get(TScriptSession& s, const TScriptCommand& c)
{
    const AnsiString& arg = c.Args[0];
    size_t dot = arg.find('.');
    if (dot == AnsiString::npos || dot == 0 || dot + 1 == arg.size())
        s.Error(c, "usage: get NAME.PROP");
    TComponent* component = s.FormComponent(c, arg.substr(0, dot));
    const AnsiString path = arg.substr(dot + 1);
    // A component that is no control has its stored position where a control has properties.
    if ((path == "Left" || path == "Top") && !GetPropInfo(component, path)) {
        s.Out << arg << " = " << (path == "Left" ? component->DesignLeft() : component->DesignTop()) << '\n';
        return;
    }
    s.PrintPath(c, component, arg, path);
}

void Verbs(TScriptSession& s, const TScriptCommand& c)
{
    TComponent* component = s.FormComponent(c, c.Args[0]);
    // The package's code may raise part way; the lines go out only once all of them are known.
    std::optional<std::vector<AnsiString>> verbs = s.Commands.Verbs(component);
    s.RethrowFailure();
    std::string lines;
    for (size_t i = 0; i < verbs->size(); ++i)
        lines += c.Args[0] + " verb[" + std::to_string(i) + "] = " + PrintableTraceText((*verbs)[i]) + '\n';
    s.Out << lines;
}

void Verb(TScriptSession& s, const TScriptCommand& c)
{
    TComponent* component = s.FormComponent(c, c.Args[0]);
    int index = s.Number(c, c.Args[1]);
    int count = ComponentEditorOf(component, s.CurrentForm(c))->GetVerbCount();
    // A person can only pick a verb the menu shows.
    if (index < 0 || index >= count)
        s.Error(c, Format("%s has no verb %d (it has %d)", {c.Args[0], index, count}));
    s.Hands.Verb(component, index);
}

void DblClick(TScriptSession& s, const TScriptCommand& c)
{
    s.Hands.DblClick(s.FormComponent(c, c.Args[0]));
}

void Modified(TScriptSession& s, const TScriptCommand& c)
{
    TDesigner& designer = s.CurrentForm(c);
    s.Out << "modified = " << (designer.IsModified() ? "true" : "false") << '\n';
    designer.ClearModified();
}

void Forms(TScriptSession& s, const TScriptCommand&)
{
    int count = 0;
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TComponent* form = Screen->Forms(i);
        bool designed = std::any_of(s.Host.Forms().begin(), s.Host.Forms().end(),
                                    [&](const auto& d) { return d->GetRoot() == form; });
        count += designed ? 0 : 1;
    }
    s.Out << "forms = " << count << '\n';
}

void Regional(TScriptSession& s, const TScriptCommand& c)
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
    s.Error(c, Format("no regional setting %s", {c.Args[0]}));
}

void Palette(TScriptSession& s, const TScriptCommand&)
{
    for (const auto& page : s.Host.Registry().Pages()) {
        s.Out << PrintableTraceText(page.Name) << ':';
        for (size_t i = 0; i < page.Classes.size(); ++i)
            s.Out << (i ? ", " : " ") << page.Classes[i].Class->ClassName();
        s.Out << '\n';
    }
}

void Save(TScriptSession& s, const TScriptCommand& c)
{
    s.Commands.Save(s.CurrentForm(c), c.Args[0]);
}

void Open(TScriptSession& s, const TScriptCommand& c)
{
    s.Commands.Open(c.Args[0]);
}

}  // namespace ScriptHostCommands
