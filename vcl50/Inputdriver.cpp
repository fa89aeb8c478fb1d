#include "vcl50/Inputdriver.h"

#include "vcl50/Input.h"

TInputDriver::~TInputDriver() = default;

void TInputDriver::Click(TControl* control)
{
    Input::Click(control);
}

void TInputDriver::DblClick(TControl* control)
{
    Input::DblClick(control);
}

void TInputDriver::KeyDown(TWinControl* control, WORD key, TShiftState shift)
{
    Input::KeyDown(control, key, shift);
}

void TInputDriver::ChooseItem(TComboBox* combo, int index)
{
    Input::ChooseItem(combo, index);
}

void TInputDriver::SelectItem(TCustomListBox* list, int index, TShiftState shift)
{
    Input::SelectItem(list, index, shift);
}

void TInputDriver::TypeText(TEdit* edit, const AnsiString& text)
{
    Input::TypeText(edit, text);
}

bool TInputDriver::DragDrop(TControl* source, TControl* target, int x, int y)
{
    return Input::DragDrop(source, target, x, y);
}

void TInputDriver::CloseBox(TCustomForm* form)
{
    Input::CloseBox(form);
}
