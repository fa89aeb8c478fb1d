#include "vcl50/Directinput.h"

#include "vcl50/Input.h"

void TDirectInput::Click(TControl* control)
{
    Input::Click(control);
}

void TDirectInput::DblClick(TControl* control)
{
    Input::DblClick(control);
}

void TDirectInput::KeyDown(TWinControl* control, WORD key, TShiftState shift)
{
    Input::KeyDown(control, key, shift);
}

void TDirectInput::ChooseItem(TComboBox* combo, int index)
{
    Input::ChooseItem(combo, index);
}

void TDirectInput::SelectItem(TCustomListBox* list, int index, TShiftState shift)
{
    Input::SelectItem(list, index, shift);
}

bool TDirectInput::DragDrop(TControl* source, TControl* target, int x, int y)
{
    return Input::DragDrop(source, target, x, y);
}

void TDirectInput::CloseBox(TCustomForm* form)
{
    Input::CloseBox(form);
}
