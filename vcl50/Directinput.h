#pragma once
// A person's actions straight to the input path (the Input unit), as the headless widget set
// has them: no widget in between.

#include "vcl50/Inputdriver.h"

class TDirectInput final : public TInputDriver {
public:
    void Click(TControl* control) override;
    void DblClick(TControl* control) override;
    void KeyDown(TWinControl* control, WORD key, TShiftState shift) override;
    void ChooseItem(TComboBox* combo, int index) override;
    void SelectItem(TCustomListBox* list, int index, TShiftState shift) override;
    bool DragDrop(TControl* source, TControl* target, int x, int y) override;
    void CloseBox(TCustomForm* form) override;
};
