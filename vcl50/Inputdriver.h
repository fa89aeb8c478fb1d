#pragma once
// What a person does, as one small interface: a script or test that acts through a driver acts
// alike under every widget set. TDirectInput goes straight to the input path; the Qt widget set's
// driver makes the same actions as real events on its widgets, so they prove the widgets too.

#include "vcl50/Controls.h"

class TComboBox;
class TCustomForm;
class TCustomListBox;

class TInputDriver {
public:
    virtual ~TInputDriver();
    virtual void Click(TControl* control) = 0;
    // The second click of a double click (the first is a Click or SelectItem of its own).
    virtual void DblClick(TControl* control) = 0;
    virtual void KeyDown(TWinControl* control, WORD key, TShiftState shift) = 0;
    virtual void ChooseItem(TComboBox* combo, int index) = 0;
    virtual void SelectItem(TCustomListBox* list, int index, TShiftState shift) = 0;
    // True when the target took the drop.
    virtual bool DragDrop(TControl* source, TControl* target, int x, int y) = 0;
    virtual void CloseBox(TCustomForm* form) = 0;
};
