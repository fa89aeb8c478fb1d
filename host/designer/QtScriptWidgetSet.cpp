#include "host/designer/QtScriptWidgetSet.h"

#include "vcl50/qt/QtSyntheticInput.h"
#include "vcl50/qt/QtWidgetSet.h"

TQtScriptWidgetSet::~TQtScriptWidgetSet() = default;

void TQtScriptWidgetSet::Click(TControl* control)
{
    QtSyntheticInput::Click(control);
}

void TQtScriptWidgetSet::DblClick(TControl* control)
{
    QtSyntheticInput::DblClick(control);
}

void TQtScriptWidgetSet::KeyDown(TWinControl* control, WORD key, TShiftState shift)
{
    QtSyntheticInput::KeyDown(control, key, shift);
}

void TQtScriptWidgetSet::ChooseItem(TComboBox* combo, int index)
{
    QtSyntheticInput::ChooseItem(combo, index);
}

void TQtScriptWidgetSet::SelectItem(TCustomListBox* list, int index, TShiftState shift)
{
    QtSyntheticInput::SelectItem(list, index, shift);
}

bool TQtScriptWidgetSet::DragDrop(TControl* source, TControl* target, int x, int y)
{
    return QtSyntheticInput::DragDrop(source, target, x, y);
}

void TQtScriptWidgetSet::CloseBox(TCustomForm* form)
{
    QtSyntheticInput::CloseBox(form);
}

bool TQtScriptWidgetSet::Screenshot(TCustomForm* form, const AnsiString& path)
{
    TQtWidgetSet::Screenshot(form, path);
    return true;
}
