#pragma once
// What a person does, as one small interface: a script or test that acts through a driver acts
// alike under every widget set. The base goes straight to the input path (the Input unit), as the
// headless widget set has it; the Qt widget set's driver makes the same actions as real events on
// its widgets, so they prove the widgets too, and falls back to the base where no widget can.

#include "vcl50/Controls.h"

class TComboBox;
class TCustomForm;
class TCustomListBox;
class TEdit;

class TInputDriver {
public:
    virtual ~TInputDriver();
    virtual void Click(TControl* control);
    // The second click of a double click (the first is a Click or SelectItem of its own).
    virtual void DblClick(TControl* control);
    virtual void KeyDown(TWinControl* control, WORD key, TShiftState shift);
    virtual void ChooseItem(TComboBox* combo, int index);
    virtual void SelectItem(TCustomListBox* list, int index, TShiftState shift);
    // Replaces the edit box's text as typing over it does.
    virtual void TypeText(TEdit* edit, const AnsiString& text);
    // True when the target took the drop.
    virtual bool DragDrop(TControl* source, TControl* target, int x, int y);
    virtual void CloseBox(TCustomForm* form);
};
