#pragma once
// A person's actions made as real Qt events on the widgets: a click is a press and a release on
// the control's widget, a choice is a click in the combo box's drop-down, typing replaces the
// line edit's selected text, a drag moves the mouse from one widget over another. So a script or test that acts through here proves the widgets,
// not only the model. What no widget can show (a control on no shown form, a hidden one) goes
// to the base, straight to the input path, which reports it as it always does.

#include "vcl50/Inputdriver.h"

class TQtSyntheticInput final : public TInputDriver {
public:
    void Click(TControl* control) override;
    void DblClick(TControl* control) override;
    void KeyDown(TWinControl* control, WORD key, TShiftState shift) override;
    void ChooseItem(TComboBox* combo, int index) override;
    void SelectItem(TCustomListBox* list, int index, TShiftState shift) override;
    void TypeText(TEdit* edit, const AnsiString& text) override;
    bool DragDrop(TControl* source, TControl* target, int x, int y) override;
    void CloseBox(TCustomForm* form) override;
};
