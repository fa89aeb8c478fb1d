#pragma once
// A designer script under the Qt widget set: a person's actions are real Qt events on the
// widgets, and screenshots are what the widgets drew.

#include "host/ScriptRunner.h"

class TQtScriptWidgetSet : public TScriptWidgetSet {
public:
    ~TQtScriptWidgetSet() override;
    void Click(TControl* control) override;
    void DblClick(TControl* control) override;
    void KeyDown(TWinControl* control, WORD key, TShiftState shift) override;
    void ChooseItem(TComboBox* combo, int index) override;
    void SelectItem(TCustomListBox* list, int index, TShiftState shift) override;
    bool DragDrop(TControl* source, TControl* target, int x, int y) override;
    void CloseBox(TCustomForm* form) override;
    bool Screenshot(TCustomForm* form, const AnsiString& path) override;
};
