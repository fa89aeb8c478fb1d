#pragma once
// The cells of the first sheet of an Office Open XML workbook as a spreadsheet program shows
// them, for the designer's Preview panel: text as it is, numbers in their shortest form, dates
// by their cell's number format, TRUE and FALSE. Read with zlib and by hand: the host core has
// no XML or zip library, and a preview needs only what the exports write.

#include <vector>

#include "vcl50/Sysutils.h"

// Raises EReadError when the bytes are no workbook this reader understands.
std::vector<std::vector<AnsiString>> XlsxCells(const AnsiString& bytes);
