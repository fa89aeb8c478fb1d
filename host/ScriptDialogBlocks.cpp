#include "host/ScriptDialogBlocks.h"

#include "host/ScriptSession.h"
#include "host/ScriptTrace.h"
#include "vcl50/Forms.h"
#include "vcl50/Graphics.h"
#include "vcl50/Input.h"
#include "vcl50/StdCtrls.h"
#include "vcl50/Sysutils.h"

namespace ScriptDialogBlocks {

void RunBlock(TScriptSession& s, const TScriptCommand& block, TCustomForm* form)
{
    // A nested block runs inside this one's modal form; its form is the innermost until it ends.
    struct TInnermost {
        TCustomForm*& Dialog;
        TCustomForm* Outer = Dialog;
        ~TInnermost() { Dialog = Outer; }
    } innermost{s.Dialog};
    s.Dialog = form;
    for (const TScriptCommand& command : block.Block) {
        try {
            command.Row->Run(s, command);
        } catch (const EScriptError&) {
            throw;
        } catch (const EInteractionError& e) {
            // Nothing was queued for a dialog this command opened: the block's fault, here.
            s.Error(command, e.Message());
        } catch (...) {
            s.Trace.ExceptionReached(CaughtFailure());  // the person's form stays open; the block goes on
        }
    }
    if (form->ModalResult() == mrNone)
        s.Error(TScriptCommand{block.EndLine, "end", {}, {}, 0, nullptr},
                Format("the block ends with %s still open", {form->ClassName()}));
}

template <class T>
T* DialogControl(TScriptSession& s, const TScriptCommand& c, const AnsiString& name, const char* kind)
{
    TComponent* component = SameText(name, "Self") ? s.Dialog : s.Dialog->FindComponent(name);
    if (!component)
        s.Error(c, Format("%s has no control %s", {s.Dialog->ClassName(), name}));
    if (!Is<T>(component))
        s.Error(c, Format("%s is no %s", {name, kind}));
    return static_cast<T*>(component);
}

namespace {

// A click on a list box lands on its first selected entry, else on its first entry.
int ClickedEntry(const TCustomListBox* list)
{
    for (int i = 0; i < list->Items()->Count(); ++i)
        if (list->Selected(i))
            return i;
    return list->Items()->Count() > 0 ? 0 : -1;
}

}  // namespace

void Click(TScriptSession& s, const TScriptCommand& c)
{
    TControl* control = DialogControl<TControl>(s, c, c.Args[0], "control");
    if (Is<TCustomListBox>(control)) {
        auto* list = static_cast<TCustomListBox*>(control);
        int entry = ClickedEntry(list);
        if (entry >= 0) {
            s.Input.SelectItem(list, entry, {});
            return;
        }
    }
    s.Input.Click(control);
}

void DblClick(TScriptSession& s, const TScriptCommand& c)
{
    TControl* control = DialogControl<TControl>(s, c, c.Args[0], "control");
    // The first click of a double-click is a click of its own, as the platform reports it.
    int entry = Is<TCustomListBox>(control) ? ClickedEntry(static_cast<TCustomListBox*>(control)) : -1;
    if (entry >= 0)
        s.Input.SelectItem(static_cast<TCustomListBox*>(control), entry, {});
    else
        s.Input.Click(control);
    if (Input::IsAlive(control) && s.Dialog->ModalResult() == mrNone)
        s.Input.DblClick(control);
}

void Key(TScriptSession& s, const TScriptCommand& c)
{
    int key = s.Number(c, c.Args[1]);
    if (key < 0 || key > 0xFFFF)
        s.Error(c, Format("%s is no key code", {c.Args[1]}));
    s.Input.KeyDown(DialogControl<TWinControl>(s, c, c.Args[0], "windowed control"), static_cast<WORD>(key), {});
}

void Choose(TScriptSession& s, const TScriptCommand& c)
{
    auto* combo = DialogControl<TComboBox>(s, c, c.Args[0], "combo box");
    int index = s.Number(c, c.Args[1]);
    if (index < 0 || index >= combo->Items()->Count())
        s.Error(c, Format("%s has no entry %d", {c.Args[0], index}));
    s.Input.ChooseItem(combo, index);
}

void Pick(TScriptSession& s, const TScriptCommand& c)
{
    auto* list = DialogControl<TCustomListBox>(s, c, c.Args[0], "list box");
    std::vector<int> entries;
    for (size_t i = 1; i < c.Args.size(); ++i) {
        int entry = list->Items()->IndexOf(c.Args[i]);
        if (entry < 0)
            s.Error(c, Format("%s has no entry %s", {c.Args[0], c.Args[i]}));
        entries.push_back(entry);
    }
    for (size_t i = 0; i < entries.size() && Input::IsAlive(list); ++i)
        s.Input.SelectItem(list, entries[i], i == 0 ? TShiftState{} : TShiftState{ssCtrl});
}

void Type(TScriptSession& s, const TScriptCommand& c)
{
    s.Input.TypeText(DialogControl<TEdit>(s, c, c.Args[0], "edit box"), c.Args[1]);
}

void Drag(TScriptSession& s, const TScriptCommand& c)
{
    TControl* from = DialogControl<TControl>(s, c, c.Args[0], "control");
    TControl* to = DialogControl<TControl>(s, c, c.Args[1], "control");
    // The middle of the target's client area: where a person lets go "on" a control.
    if (!s.Input.DragDrop(from, to, to->ClientWidth() / 2, to->ClientHeight() / 2))
        s.Out << "drag refused\n";
}

void Get(TScriptSession& s, const TScriptCommand& c)
{
    const AnsiString& arg = c.Args[0];
    size_t dot = arg.find('.');
    if (dot == AnsiString::npos || dot == 0 || dot + 1 == arg.size())
        s.Error(c, "usage: get NAME.PROP");
    AnsiString name = arg.substr(0, dot);
    TComponent* component = SameText(name, "Self") ? s.Dialog : s.Dialog->FindComponent(name);
    if (!component)
        s.Error(c, Format("%s has no component %s", {s.Dialog->ClassName(), name}));
    s.PrintPath(c, component, arg, arg.substr(dot + 1));
}

void List(TScriptSession& s, const TScriptCommand& c)
{
    TControl* control = DialogControl<TControl>(s, c, c.Args[0], "list or combo box");
    TStrings* items = nullptr;
    std::function<bool(int)> marked;
    std::function<const char*(int)> box = [](int) { return ""; };
    if (Is<TCustomListBox>(control)) {
        auto* list = static_cast<TCustomListBox*>(control);
        items = list->Items();
        marked = [list](int i) { return list->Selected(i); };
        if (Is<TCheckListBox>(list))
            box = [list](int i) { return static_cast<TCheckListBox*>(list)->Checked(i) ? "[x] " : "[ ] "; };
    } else if (Is<TComboBox>(control)) {
        auto* combo = static_cast<TComboBox*>(control);
        items = combo->Items();
        marked = [combo](int i) { return combo->ItemIndex() == i; };
    } else {
        s.Error(c, Format("%s is no list or combo box", {c.Args[0]}));
    }
    s.Out << c.Args[0] << ':';
    for (int i = 0; i < items->Count(); ++i)
        s.Out << (i ? ", " : " ") << (marked(i) ? "*" : "") << box(i) << PrintableTraceText(items->Get(i));
    s.Out << '\n';
}

void Enabled(TScriptSession& s, const TScriptCommand& c)
{
    // Every name is looked up before anything is printed: a failing command prints nothing.
    std::string lines;
    for (const AnsiString& name : c.Args) {
        TControl* control = DialogControl<TControl>(s, c, name, "control");
        lines += name + " enabled = " + (control->Enabled() ? "true" : "false") + '\n';
    }
    s.Out << lines;
}

void Focus(TScriptSession& s, const TScriptCommand&)
{
    TWinControl* focused = s.Dialog->ActiveControl();
    s.Out << "focus = " << (focused ? focused->Name() : AnsiString()) << '\n';
}

void CloseWith(TScriptSession& s, const TScriptCommand& c, int modalResult)
{
    TCustomForm* form = s.Dialog;
    // As a person would: press the form's button that gives this result, when it has one.
    bool found = false;
    for (int i = 0; i < form->ComponentCount(); ++i) {
        TComponent* component = form->Components(i);
        if (!Is<TButton>(component) || static_cast<TButton*>(component)->ModalResult() != modalResult)
            continue;
        auto* button = static_cast<TButton*>(component);
        found = true;
        if (button->Enabled() && button->Visible()) {
            s.Input.Click(button);
            return;
        }
    }
    if (found)
        s.Error(c, Format("the %s button of %s cannot be pressed", {c.Name, form->ClassName()}));
    form->SetModalResult(modalResult);
    form->CloseModal();
}

void Ok(TScriptSession& s, const TScriptCommand& c)
{
    CloseWith(s, c, mrOk);
}

void Cancel(TScriptSession& s, const TScriptCommand& c)
{
    CloseWith(s, c, mrCancel);
}

void Close(TScriptSession& s, const TScriptCommand&)
{
    s.Input.CloseBox(s.Dialog);
}

void Screenshot(TScriptSession& s, const TScriptCommand& c)
{
    if (!s.Screenshot)
        s.Error(c, "screenshot needs a widget set that draws (the Qt designer)");
    s.Screenshot(s.Dialog, c.Args[0]);
}

void Answer(TScriptSession& s, const TScriptCommand& c)
{
    const AnsiString& kind = c.Args[0];
    const AnsiString& value = c.Args[1];
    if (kind == "color" || kind == "open" || kind == "save" || kind == "raise")
        s.QueuedAnswers.push_back(c.Line);
    if (kind == "color") {
        if (value == "cancel") {
            Interaction::QueueAnswer(TDialogAnswer::Cancelled());
            return;
        }
        int64_t color;
        if (!IdentToColor(value, color)) {
            std::optional<int64_t> n = ParseScriptNumber(value);
            if (!n)
                s.Error(c, Format("%s is no colour", {value}));
            color = *n;
        }
        Interaction::QueueAnswer(TDialogAnswer::ColorValue(static_cast<TColor>(color)));
    } else if (kind == "open" || kind == "save") {
        Interaction::QueueAnswer(value == "cancel" ? TDialogAnswer::Cancelled() : TDialogAnswer::FileValue(value));
    } else if (kind == "raise") {
        Interaction::QueueAnswer(TDialogAnswer::Raising(value));
    } else {
        s.Error(c, "usage: answer color|open|save|raise VALUE");
    }
}

void Dialog(TScriptSession& s, const TScriptCommand& c)
{
    s.QueuedBlocks.push_back(c.Line);
    Interaction::QueueModalHandler([&s, &c](TCustomForm* form) { RunBlock(s, c, form); });
}

}  // namespace ScriptDialogBlocks
