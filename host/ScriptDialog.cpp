// Dialog blocks of a designer script: what a person does in a modal form, through the runner's
// input driver.

#include "host/PropertyText.h"
#include "host/ScriptRunner.h"
#include "vcl50/Forms.h"
#include "vcl50/Input.h"
#include "vcl50/StdCtrls.h"
#include "vcl50/Sysutils.h"

std::span<const TScriptCommandRow> DialogCommandRows()
{
    using R = TScriptRunner;
    static constexpr TScriptCommandRow rows[] = {
        {"click", 1, 1, "click NAME", &R::DialogClick},
        {"dblclick", 1, 1, "dblclick NAME", &R::DialogDblClick},
        {"key", 2, 2, "key NAME CODE", &R::DialogKey},
        {"choose", 2, 2, "choose NAME INDEX", &R::DialogChoose},
        {"pick", 2, ManyArgs, "pick NAME TEXT...", &R::DialogPick},
        {"drag", 2, 2, "drag FROM TO", &R::DialogDrag},
        {"get", 1, 1, "get NAME.PROP", &R::DialogGet},
        {"list", 1, 1, "list NAME", &R::DialogList},
        {"enabled", 1, ManyArgs, "enabled NAME...", &R::DialogEnabled},
        {"focus", 0, 0, "focus", &R::DialogFocus},
        {"answer", 2, 2, "answer KIND VALUE", &R::Answer},
        {"dialog", 0, 0, "dialog", &R::Dialog},
        {"ok", 0, 0, "ok", &R::DialogOk},
        {"cancel", 0, 0, "cancel", &R::DialogCancel},
        {"close", 0, 0, "close", &R::DialogClose},
        {"screenshot", 1, 1, "screenshot PATH", &R::DialogScreenshot},
    };
    return rows;
}

void TScriptRunner::RunBlock(const TScriptCommand& block, TCustomForm* form)
{
    // A nested block runs inside this one's modal form; its form is the innermost until it ends.
    struct TInnermost {
        TCustomForm*& Dialog;
        TCustomForm* Outer = Dialog;
        ~TInnermost() { Dialog = Outer; }
    } innermost{FDialog};
    FDialog = form;
    for (const TScriptCommand& command : block.Block) {
        try {
            (this->*command.Row->Run)(command);
        } catch (const EScriptError&) {
            throw;
        } catch (const EInteractionError& e) {
            // Nothing was queued for a dialog this command opened: the block's fault, here.
            Error(command, e.Message());
        } catch (...) {
            FTrace.ExceptionReached(CaughtFailure());  // the person's form stays open; the block goes on
        }
    }
    if (form->ModalResult() == mrNone)
        Error(TScriptCommand{block.EndLine, "end", {}, {}, 0, nullptr},
              Format("the block ends with %s still open", {form->ClassName()}));
}

template <class T>
T* TScriptRunner::DialogControl(const TScriptCommand& c, const AnsiString& name, const char* kind)
{
    TComponent* component = SameText(name, "Self") ? FDialog : FDialog->FindComponent(name);
    if (!component)
        Error(c, Format("%s has no control %s", {FDialog->ClassName(), name}));
    if (!Is<T>(component))
        Error(c, Format("%s is no %s", {name, kind}));
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

void TScriptRunner::DialogClick(const TScriptCommand& c)
{
    TControl* control = DialogControl<TControl>(c, c.Args[0], "control");
    if (Is<TCustomListBox>(control)) {
        auto* list = static_cast<TCustomListBox*>(control);
        int entry = ClickedEntry(list);
        if (entry >= 0) {
            FInput.SelectItem(list, entry, {});
            return;
        }
    }
    FInput.Click(control);
}

void TScriptRunner::DialogDblClick(const TScriptCommand& c)
{
    TControl* control = DialogControl<TControl>(c, c.Args[0], "control");
    // The first click of a double-click is a click of its own, as the platform reports it.
    int entry = Is<TCustomListBox>(control) ? ClickedEntry(static_cast<TCustomListBox*>(control)) : -1;
    if (entry >= 0)
        FInput.SelectItem(static_cast<TCustomListBox*>(control), entry, {});
    else
        FInput.Click(control);
    if (Input::IsAlive(control) && FDialog->ModalResult() == mrNone)
        FInput.DblClick(control);
}

void TScriptRunner::DialogKey(const TScriptCommand& c)
{
    int key = Number(c, c.Args[1]);
    if (key < 0 || key > 0xFFFF)
        Error(c, Format("%s is no key code", {c.Args[1]}));
    FInput.KeyDown(DialogControl<TWinControl>(c, c.Args[0], "windowed control"), static_cast<WORD>(key), {});
}

void TScriptRunner::DialogChoose(const TScriptCommand& c)
{
    auto* combo = DialogControl<TComboBox>(c, c.Args[0], "combo box");
    int index = Number(c, c.Args[1]);
    if (index < 0 || index >= combo->Items()->Count())
        Error(c, Format("%s has no entry %d", {c.Args[0], index}));
    FInput.ChooseItem(combo, index);
}

void TScriptRunner::DialogPick(const TScriptCommand& c)
{
    auto* list = DialogControl<TCustomListBox>(c, c.Args[0], "list box");
    std::vector<int> entries;
    for (size_t i = 1; i < c.Args.size(); ++i) {
        int entry = list->Items()->IndexOf(c.Args[i]);
        if (entry < 0)
            Error(c, Format("%s has no entry %s", {c.Args[0], c.Args[i]}));
        entries.push_back(entry);
    }
    for (size_t i = 0; i < entries.size() && Input::IsAlive(list); ++i)
        FInput.SelectItem(list, entries[i], i == 0 ? TShiftState{} : TShiftState{ssCtrl});
}

void TScriptRunner::DialogDrag(const TScriptCommand& c)
{
    TControl* from = DialogControl<TControl>(c, c.Args[0], "control");
    TControl* to = DialogControl<TControl>(c, c.Args[1], "control");
    // The middle of the target's client area: where a person lets go "on" a control.
    if (!FInput.DragDrop(from, to, to->ClientWidth() / 2, to->ClientHeight() / 2))
        FOut << "drag refused\n";
}

void TScriptRunner::DialogGet(const TScriptCommand& c)
{
    const AnsiString& arg = c.Args[0];
    size_t dot = arg.find('.');
    if (dot == AnsiString::npos || dot == 0 || dot + 1 == arg.size())
        Error(c, "usage: get NAME.PROP");
    AnsiString name = arg.substr(0, dot);
    TComponent* component = SameText(name, "Self") ? FDialog : FDialog->FindComponent(name);
    if (!component)
        Error(c, Format("%s has no component %s", {FDialog->ClassName(), name}));
    PrintPath(c, component, arg, arg.substr(dot + 1));
}

void TScriptRunner::DialogList(const TScriptCommand& c)
{
    TControl* control = DialogControl<TControl>(c, c.Args[0], "list or combo box");
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

void TScriptRunner::DialogEnabled(const TScriptCommand& c)
{
    // Every name is looked up before anything is printed: a failing command prints nothing.
    std::string lines;
    for (const AnsiString& name : c.Args) {
        TControl* control = DialogControl<TControl>(c, name, "control");
        lines += name + " enabled = " + (control->Enabled() ? "true" : "false") + '\n';
    }
    FOut << lines;
}

void TScriptRunner::DialogFocus(const TScriptCommand&)
{
    TWinControl* focused = FDialog->ActiveControl();
    FOut << "focus = " << (focused ? focused->Name() : AnsiString()) << '\n';
}

void TScriptRunner::CloseWith(const TScriptCommand& c, int modalResult)
{
    TCustomForm* form = FDialog;
    // As a person would: press the form's button that gives this result, when it has one.
    bool found = false;
    for (int i = 0; i < form->ComponentCount(); ++i) {
        TComponent* component = form->Components(i);
        if (!Is<TButton>(component) || static_cast<TButton*>(component)->ModalResult() != modalResult)
            continue;
        auto* button = static_cast<TButton*>(component);
        found = true;
        if (button->Enabled() && button->Visible()) {
            FInput.Click(button);
            return;
        }
    }
    if (found)
        Error(c, Format("the %s button of %s cannot be pressed", {c.Name, form->ClassName()}));
    form->SetModalResult(modalResult);
    form->CloseModal();
}

void TScriptRunner::DialogOk(const TScriptCommand& c)
{
    CloseWith(c, mrOk);
}

void TScriptRunner::DialogCancel(const TScriptCommand& c)
{
    CloseWith(c, mrCancel);
}

void TScriptRunner::DialogClose(const TScriptCommand&)
{
    FInput.CloseBox(FDialog);
}

void TScriptRunner::DialogScreenshot(const TScriptCommand& c)
{
    if (!FScreenshot)
        Error(c, "screenshot needs a widget set that draws (the Qt designer)");
    FScreenshot(FDialog, c.Args[0]);
}
