#pragma once
// What the designer's Preview panel shows of an export: the export's own output for its first
// records, written to a private file (never the export's own), then read for showing: HTML as a
// page, XLSX and DBF as the grid of cells a spreadsheet shows, every other format as its text.

#include <cstdint>
#include <vector>

#include "host/DesignerCommands.h"

struct TExportPreview {
    enum TKind { pkText, pkHtml, pkGrid };
    TKind Kind = pkText;
    AnsiString Text;                             // pkText, pkHtml
    std::vector<std::vector<AnsiString>> Cells;  // pkGrid: the header row first
    int64_t Rows = 0;
    AnsiString Failure;                          // why there is no preview; empty when there is one
};

// Runs `component` (an export) on its first `records` records, for a moment at most (a slow query
// is stopped, and says so). A failure comes back as its reason, never raised: the panel shows it
// in its own place.
TExportPreview PreviewExport(TDesignerCommands& commands, TComponent* component, int64_t records = DefaultPreviewRecords);

// The cells of a dBase III file: field names, then each record's values as stored, trimmed.
// Raises EReadError when the bytes are no such file.
std::vector<std::vector<AnsiString>> DbfCells(const AnsiString& bytes);
