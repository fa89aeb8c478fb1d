#pragma once
// What the export library writes: the kinds of file its components name, as a file dialog offers
// them, and the exports that the export dialog lets an end user choose from. The package's file
// name editors and the dialog's Browse button read the same kinds.

#include <cstddef>
#include <memory>
#include <span>
#include <string_view>

#include "vcl50/Resstrings.h"

class TKExport;

struct TExportFileKind {
    TResStringRec Filter;    // description|patterns pairs, as a file dialog's Filter
    const char* DefaultExt;  // without its dot
};

namespace ExportFiles {

extern const TExportFileKind Excel, RTF, HTML, CSS, LaTeX, SQL, XML, DBF, Program, Configuration;
// The ASCII export's kind by its ExportType (text, CSV, DIF, SYLK); a value past them has no
// filter and no extension.
const TExportFileKind& Ascii(size_t exportType);

}  // namespace ExportFiles

// One export the export dialog offers.
struct TExportFormat {
    const char* Key;              // how the dialog's configuration file names it
    TResStringRec Caption;        // how the dialog lists it
    const TExportFileKind* File;  // null for the clipboard, which writes no file
    // A new export component of the format's class set up for it, with no owner.
    std::unique_ptr<TKExport> (*Make)();
};

// The nine exports in palette order. The ASCII export appears once, as CSV: its plain text, DIF
// and SYLK stay for developers to set up in the designer.
std::span<const TExportFormat> ExportFormats();
// The index of the format with that key (any letter case); -1 for none.
int FindExportFormat(std::string_view key);
