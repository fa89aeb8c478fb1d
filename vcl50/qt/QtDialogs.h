#pragma once
// The common dialogs on Qt's own: colour, open and save, message boxes. Each runs modally over
// the window a person works in.

#include <optional>

#include "vcl50/Graphics.h"

class TColorDialog;
class TOpenDialog;

namespace QtDialogs {

// Starts on the dialog's colour (a system colour shows as what it stands for); empty when the
// person cancels.
std::optional<TColor> ExecuteColor(TColorDialog* dialog);
// Title, filter and its index, folder and file name from the dialog; the filter index chosen is
// written back. Empty when the person cancels.
std::optional<AnsiString> ExecuteFile(TOpenDialog* dialog);
// The ID of the button pressed (IDOK, IDCANCEL, ...).
int ExecuteMessageBox(const AnsiString& text, const AnsiString& caption, int flags);

}  // namespace QtDialogs
