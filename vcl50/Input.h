#pragma once
// The one path by which a person's input reaches the model: widget sets, tests and designer
// scripts all report clicks, keys, choices and drags here. Each call runs the control's events as
// the platform does. An exception that leaves an event handler goes to Application's default
// error report (EInteractionError excepted, which passes on to whoever drives the session).
//
// Input for a control that has been freed, that is on no shown form or is hidden raises
// EInteractionError: no person could give it. Input for a disabled control does nothing, as a
// click on a greyed button does nothing. A double click's first click is reported on its own
// (Click, or SelectItem on a list box), as the platform's message order has it.

#include "vcl50/Controls.h"

class TCheckListBox;
class TComboBox;
class TCustomForm;
class TCustomListBox;
class TEdit;

namespace Input {

void Click(TControl* control);
void DblClick(TControl* control);
// A key pressed while `control` has the focus (it gets the focus first): the form's OnKeyDown
// when it previews keys, the control's OnKeyDown, then, for a key still unhandled, the dialog
// manager (Enter, Escape, Tab, Alt+accelerators).
void KeyDown(TWinControl* control, WORD key, TShiftState shift = {});
// Picks entry `index` from the drop-down: OnClick and OnChange run, even for the entry already
// chosen.
void ChooseItem(TComboBox* combo, int index);
// A click on entry `index`: alone it selects only that entry, ssCtrl toggles it, ssShift extends
// the selection from the last click. OnClick runs when the selection changed.
void SelectItem(TCustomListBox* list, int index, TShiftState shift = {});
// A click on the check box of entry `index`: the entry is clicked (SelectItem), then its check
// mark toggles and OnClickCheck runs.
void ClickCheck(TCheckListBox* list, int index);
// A person replacing an edit box's text by typing over it: it takes the focus and its text
// becomes `text`; OnChange runs when that changed it.
void TypeText(TEdit* edit, const AnsiString& text);
// Drags from `source` (which must start drags automatically) and drops on `target` at (x, y) in
// target's client area. True when the target's OnDragOver accepted and its OnDragDrop ran.
bool DragDrop(TControl* source, TControl* target, int x, int y);
// While a drag from `source` passes over `target` at (x, y): whether the target's OnDragOver
// would take the drop now, so a widget set can show a refused drop as refused. Drops nothing.
bool DragOver(TControl* source, TControl* target, int x, int y, TDragState state);
// The window's close box: a modal form closes with mrCancel unless OnCloseQuery refuses.
void CloseBox(TCustomForm* form);
bool IsAlive(const TControl* control);

}  // namespace Input
