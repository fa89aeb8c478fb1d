#include "vcl50/Input.h"

#include "vcl50/Forms.h"
#include "vcl50/Interaction.h"
#include "vcl50/StdCtrls.h"

namespace Input {
namespace {

AnsiString Describe(const TControl* control)
{
    return control->Name().empty() ? AnsiString(control->ClassName()) : control->Name();
}

// The form that input for `control` goes to; raises when no person could reach the control.
TCustomForm* Reach(const TControl* control)
{
    if (!IsAlive(control))
        throw EInteractionError("Input for a control that no longer exists");
    TCustomForm* form = GetParentForm(control);
    if (!form || !form->Visible())
        throw EInteractionError(Format("%s is on no form that is shown", {Describe(control)}));
    for (const TControl* c = control; c != form; c = c->Parent())
        if (!c->Visible())
            throw EInteractionError(Format("%s is not visible", {Describe(control)}));
    return form;
}

bool Usable(const TControl* control)
{
    for (const TControl* c = control; c; c = c->Parent())
        if (!c->Enabled())
            return false;
    return true;
}

void CheckEntry(const TControl* control, int index, int count)
{
    if (index < 0 || index >= count)
        throw EInteractionError(Format("%s has no entry %d", {Describe(control), index}));
}

// Runs one event as the message loop would; false when an exception left it (and went to the
// default error report). Afterwards a modal form whose result the event set asks its close
// handlers, as the platform's modal loop does after each message.
template <class Event>
bool Dispatch(TControl* control, TCustomForm* form, Event&& event)
{
    bool completed = true;
    try {
        event();
    } catch (const std::exception& e) {
        completed = false;
        Application->HandleException(control, e);
    }
    if (IsAlive(form) && form->Modal() && form->ModalResult() != mrNone)
        form->CloseModal();
    return completed;
}

void FocusByClick(TControl* control)
{
    auto* win = dynamic_cast<TWinControl*>(control);
    if (win && win->TakesFocusOnClick() && !win->Focused())
        win->SetFocus();
}

}  // namespace

bool IsAlive(const TControl* control)
{
    return TControl::IsAlive(control);
}

void Click(TControl* control)
{
    TCustomForm* form = Reach(control);
    if (!Usable(control))
        return;
    Dispatch(control, form, [&] {
        FocusByClick(control);
        control->Click();
    });
}

void DblClick(TControl* control)
{
    TCustomForm* form = Reach(control);
    if (!Usable(control))
        return;
    Dispatch(control, form, [&] { control->DblClick(); });
}

void KeyDown(TWinControl* control, WORD key, TShiftState shift)
{
    TCustomForm* form = Reach(control);
    if (!Usable(control))
        return;
    Dispatch(control, form, [&] {
        if (control != form && !control->Focused())
            control->SetFocus();
        if (form->KeyPreview() && control != form)
            form->KeyDown(key, shift);
        if (key)
            control->KeyDown(key, shift);
        if (key)
            form->HandleDialogKey(control, key, shift);
    });
}

void ChooseItem(TComboBox* combo, int index)
{
    TCustomForm* form = Reach(combo);
    if (!Usable(combo))
        return;
    CheckEntry(combo, index, combo->Items()->Count());
    Dispatch(combo, form, [&] {
        FocusByClick(combo);
        combo->SetItemIndex(index);
        combo->Click();
        combo->Change();
    });
}

void SelectItem(TCustomListBox* list, int index, TShiftState shift)
{
    TCustomForm* form = Reach(list);
    if (!Usable(list))
        return;
    CheckEntry(list, index, list->Items()->Count());
    Dispatch(list, form, [&] {
        FocusByClick(list);
        if (list->MouseSelect(index, shift))
            list->Click();
    });
}

void ClickCheck(TCheckListBox* list, int index)
{
    TCustomForm* form = Reach(list);
    if (!Usable(list))
        return;
    CheckEntry(list, index, list->Items()->Count());
    Dispatch(list, form, [&] {
        FocusByClick(list);
        if (list->MouseSelect(index, {}))
            list->Click();
        if (IsAlive(list))
            list->ToggleCheck(index);
    });
}

void TypeText(TEdit* edit, const AnsiString& text)
{
    TCustomForm* form = Reach(edit);
    if (!Usable(edit))
        return;
    Dispatch(edit, form, [&] {
        FocusByClick(edit);
        edit->SetText(text);
    });
}

bool DragDrop(TControl* source, TControl* target, int x, int y)
{
    Reach(source);
    TCustomForm* form = Reach(target);
    if (source->DragMode() != dmAutomatic || !Usable(source) || !Usable(target))
        return false;
    bool accept = false;
    bool asked = Dispatch(target, form, [&] {
        target->DragOver(source, x, y, dsDragEnter, accept);
        target->DragOver(source, x, y, dsDragMove, accept);
    });
    if (!asked || !accept)
        return false;
    Dispatch(target, form, [&] { target->DragDrop(source, x, y); });
    return true;
}

bool DragOver(TControl* source, TControl* target, int x, int y, TDragState state)
{
    Reach(source);
    TCustomForm* form = Reach(target);
    if (source->DragMode() != dmAutomatic || !Usable(source) || !Usable(target))
        return false;
    bool accept = false;
    bool asked = Dispatch(target, form, [&] { target->DragOver(source, x, y, state, accept); });
    return asked && accept;
}

void CloseBox(TCustomForm* form)
{
    Reach(form);
    if (form->BorderStyle() == bsNone || !form->BorderIcons().Contains(biSystemMenu))
        throw EInteractionError(Format("%s has no close box", {Describe(form)}));
    Dispatch(form, form, [&] { form->Close(); });
}

}  // namespace Input
