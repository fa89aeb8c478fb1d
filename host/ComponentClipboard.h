#pragma once
// Components on the clipboard as form text: the object blocks a form file holds, one after
// another, so designer windows and text editors can exchange them.
//
// Pasting keeps a component's name when the form has no component of that name (nor another
// pasted one), and otherwise gives it the name a newly placed component gets (Designer.h). A
// reference among the pasted components points at the pasted copy; one to a component outside
// them stays when the form has a component of that name and is cleared when not. Positions are
// kept, except that a component landing exactly where one of the form's own stands moves by a
// grid step until its place is free, so a copy pasted onto its own form is seen beside the original.

#include <string_view>
#include <vector>

#include "vcl50/Classes.h"

// The components (of `root`) as form text, references named as `root` sees them.
AnsiString CopyComponentText(TComponent* root, const std::vector<TComponent*>& components);
// Builds the text's components on `root`, in the text's order; raises EReadError for text that
// is no form text, names a class or property that does not exist, or has a Name line other than
// the object line's name, and then changes nothing.
std::vector<TComponent*> PasteComponentText(TComponent* root, std::string_view text);
