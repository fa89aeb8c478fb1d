#pragma once
// How the host says what an export did, in the same words on the command line, in scripts and in
// the window.

#include "rowcastb5/Kbaseexport.h"

// "exported: NAME rows=N -> PATH" ("-> clipboard" for the clipboard export).
AnsiString ExportedLine(const AnsiString& name, const TExportResult& result);
