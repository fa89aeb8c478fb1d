// Dialog blocks of a designer script: what a person does in a modal form, through the input
// calls a widget set makes.

#include <map>

#include "host/PropertyText.h"
#include "host/ScriptRunner.h"
#include "vcl50/Forms.h"
#include "vcl50/Input.h"
#include "vcl50/StdCtrls.h"
#include "vcl50/Sysutils.h"

void TScriptRunner::RunBlock(const TScriptCommand& block, TCustomForm* form)
{
    for (const TScriptCommand& command : block.Block) {
        try {
            RunDialogCommand(command, form);
        } catch (const EScriptError&) {
            throw;
        } catch (const EInteractionError& e) {
            // Nothing was queued for a dialog this command opened: the block's fault, here.
            Error(command, e.Message());
        } catch (const std::exception& e) {
            FTrace.ExceptionReached(e);  // the person's form stays open; the block goes on
        }
    }
    if (form->ModalResult() == mrNone)
        Error(TScriptCommand{block.EndLine, "end", {}, {}, 0},
              Format("the block ends with %s still open", {form->ClassName()}));
}

void TScriptRunner::RunDialogCommand(const TScriptCommand& c, TCustomForm* form)
{
    static const std::map<std::string_view, TDialogHandler> handlers = {
        {"click", &TScriptRunner::DialogClick},     {"dblclick", &TScriptRunner::DialogDblClick},
        {"key", &TScriptRunner::DialogKey},         {"choose", &TScriptRunner::DialogChoose},
        {"pick", &TScriptRunner::DialogPick},       {"drag", &TScriptRunner::DialogDrag},
        {"get", &TScriptRunner::DialogGet},         {"list", &TScriptRunner::DialogList},
        {"enabled", &TScriptRunner::DialogEnabled}, {"focus", &TScriptRunner::DialogFocus},
        {"answer", &TScriptRunner::DialogAnswer},   {"dialog", &TScriptRunner::DialogNested},
        {"ok", &TScriptRunner::DialogOk},           {"cancel", &TScriptRunner::DialogCancel},
        {"close", &TScriptRunner::DialogClose},     {"screenshot", &TScriptRunner::DialogScreenshot},
    };
    (this->*handlers.at(c.Name))(c, form);
}

template <class T>
T* TScriptRunner::DialogControl(const TScriptCommand& c, TCustomForm* form, const AnsiString& name, const char* kind)
{
    TComponent* component = SameText(name, "Self") ? form : form->FindComponent(name);
    if (!component)
        Error(c, Format("%s has no control %s", {form->ClassName(), name}));
    if (!Is<T>(component))
        Error(c, Format("%s is no %s", {name, kind}));
    return static_cast<T*>(component);
}

TScriptWidgetSet::~TScriptWidgetSet() = default;

void TScriptWidgetSet::Click(TControl* control)
{
    Input::Click(control);
}

void TScriptWidgetSet::DblClick(TControl* control)
{
    Input::DblClick(control);
}

void TScriptWidgetSet::KeyDown(TWinControl* control, WORD key, TShiftState shift)
{
    Input::KeyDown(control, key, shift);
}

void TScriptWidgetSet::ChooseItem(TComboBox* combo, int index)
{
    Input::ChooseItem(combo, index);
}

void TScriptWidgetSet::SelectItem(TCustomListBox* list, int index, TShiftState shift)
{
    Input::SelectItem(list, index, shift);
}

bool TScriptWidgetSet::DragDrop(TControl* source, TControl* target, int x, int y)
{
    return Input::DragDrop(source, target, x, y);
}

void TScriptWidgetSet::CloseBox(TCustomForm* form)
{
    Input::CloseBox(form);
}

bool TScriptWidgetSet::Screenshot(TCustomForm*, const AnsiString&)
{
    return false;
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

void TScriptRunner::DialogClick(const TScriptCommand& c, TCustomForm* form)
{
    TControl* control = DialogControl<TControl>(c, form, c.Args[0], "control");
    if (Is<TCustomListBox>(control)) {
        auto* list = static_cast<TCustomListBox*>(control);
        int entry = ClickedEntry(list);
        if (entry >= 0) {
            FWidgetSet.SelectItem(list, entry, {});
            return;
        }
    }
    FWidgetSet.Click(control);
}

void TScriptRunner::DialogDblClick(const TScriptCommand& c, TCustomForm* form)
{
    TControl* control = DialogControl<TControl>(c, form, c.Args[0], "control");
    // The first click of a double-click is a click of its own, as the platform reports it.
    int entry = Is<TCustomListBox>(control) ? ClickedEntry(static_cast<TCustomListBox*>(control)) : -1;
    if (entry >= 0)
        FWidgetSet.SelectItem(static_cast<TCustomListBox*>(control), entry, {});
    else
        FWidgetSet.Click(control);
    if (Input::IsAlive(control) && form->ModalResult() == mrNone)
        FWidgetSet.DblClick(control);
}

void TScriptRunner::DialogKey(const TScriptCommand& c, TCustomForm* form)
{
    int key = Number(c, c.Args[1]);
    if (key < 0 || key > 0xFFFF)
        Error(c, Format("%s is no key code", {c.Args[1]}));
    FWidgetSet.KeyDown(DialogControl<TWinControl>(c, form, c.Args[0], "windowed control"), static_cast<WORD>(key), {});
}

void TScriptRunner::DialogChoose(const TScriptCommand& c, TCustomForm* form)
{
    auto* combo = DialogControl<TComboBox>(c, form, c.Args[0], "combo box");
    int index = Number(c, c.Args[1]);
    if (index < 0 || index >= combo->Items()->Count())
        Error(c, Format("%s has no entry %d", {c.Args[0], index}));
    FWidgetSet.ChooseItem(combo, index);
}

void TScriptRunner::DialogPick(const TScriptCommand& c, TCustomForm* form)
{
    auto* list = DialogControl<TCustomListBox>(c, form, c.Args[0], "list box");
    std::vector<int> entries;
    for (size_t i = 1; i < c.Args.size(); ++i) {
        int entry = list->Items()->IndexOf(c.Args[i]);
        if (entry < 0)
            Error(c, Format("%s has no entry %s", {c.Args[0], c.Args[i]}));
        entries.push_back(entry);
    }
    for (size_t i = 0; i < entries.size() && Input::IsAlive(list); ++i)
        FWidgetSet.SelectItem(list, entries[i], i == 0 ? TShiftState{} : TShiftState{ssCtrl});
}

void TScriptRunner::DialogDrag(const TScriptCommand& c, TCustomForm* form)
{
    TControl* from = DialogControl<TControl>(c, form, c.Args[0], "control");
    TControl* to = DialogControl<TControl>(c, form, c.Args[1], "control");
    // The middle of the target's client area: where a person lets go "on" a control.
    if (!FWidgetSet.DragDrop(from, to, to->ClientWidth() / 2, to->ClientHeight() / 2))
        FOut << "drag refused\n";
}

void TScriptRunner::DialogGet(const TScriptCommand& c, TCustomForm* form)
{
    const AnsiString& arg = c.Args[0];
    size_t dot = arg.find('.');
    if (dot == AnsiString::npos || dot == 0 || dot + 1 == arg.size())
        Error(c, "usage: get NAME.PROP");
    AnsiString name = arg.substr(0, dot);
    TComponent* component = SameText(name, "Self") ? form : form->FindComponent(name);
    if (!component)
        Error(c, Format("%s has no component %s", {form->ClassName(), name}));
    PrintPath(c, component, arg, arg.substr(dot + 1));
}

void TScriptRunner::DialogList(const TScriptCommand& c, TCustomForm* form)
{
    TControl* control = DialogControl<TControl>(c, form, c.Args[0], "list or combo box");
    TStrings* items = nullptr;
    std::function<bool(int)> marked;
    if (Is<TCustomListBox>(control)) {
        auto* list = static_cast<TCustomListBox*>(control);
        items = list->Items();
        marked = [list](int i) { return list->Selected(i); };
    } else if (Is<TComboBox>(control)) {
        auto* combo = static_cast<TComboBox*>(control);
        items = combo->Items();
        marked = [combo](int i) { return combo->ItemIndex() == i; };
    } else {
        Error(c, Format("%s is no list or combo box", {c.Args[0]}));
    }
    FOut << c.Args[0] << ':';
    for (int i = 0; i < items->Count(); ++i)
        FOut << (i ? ", " : " ") << (marked(i) ? "*" : "") << items->Get(i);
    FOut << '\n';
}

void TScriptRunner::DialogEnabled(const TScriptCommand& c, TCustomForm* form)
{
    for (const AnsiString& name : c.Args) {
        TControl* control = DialogControl<TControl>(c, form, name, "control");
        FOut << name << " enabled = " << (control->Enabled() ? "true" : "false") << '\n';
    }
}

void TScriptRunner::DialogFocus(const TScriptCommand&, TCustomForm* form)
{
    TWinControl* focused = form->ActiveControl();
    FOut << "focus = " << (focused ? focused->Name() : AnsiString()) << '\n';
}

void TScriptRunner::DialogAnswer(const TScriptCommand& c, TCustomForm*)
{
    Answer(c);
}

void TScriptRunner::DialogNested(const TScriptCommand& c, TCustomForm*)
{
    Dialog(c);
}

void TScriptRunner::CloseWith(const TScriptCommand& c, TCustomForm* form, int modalResult)
{
    // As a person would: press the form's button that gives this result, when it has one.
    bool found = false;
    for (int i = 0; i < form->ComponentCount(); ++i) {
        TComponent* component = form->Components(i);
        if (!Is<TButton>(component) || static_cast<TButton*>(component)->ModalResult() != modalResult)
            continue;
        auto* button = static_cast<TButton*>(component);
        found = true;
        if (button->Enabled() && button->Visible()) {
            FWidgetSet.Click(button);
            return;
        }
    }
    if (found)
        Error(c, Format("the %s button of %s cannot be pressed", {c.Name, form->ClassName()}));
    form->SetModalResult(modalResult);
    form->CloseModal();
}

void TScriptRunner::DialogOk(const TScriptCommand& c, TCustomForm* form)
{
    CloseWith(c, form, mrOk);
}

void TScriptRunner::DialogCancel(const TScriptCommand& c, TCustomForm* form)
{
    CloseWith(c, form, mrCancel);
}

void TScriptRunner::DialogClose(const TScriptCommand&, TCustomForm* form)
{
    FWidgetSet.CloseBox(form);
}

void TScriptRunner::DialogScreenshot(const TScriptCommand& c, TCustomForm* form)
{
    if (!FWidgetSet.Screenshot(form, c.Args[0]))
        Error(c, "screenshot needs a widget set that draws (the Qt designer)");
}
