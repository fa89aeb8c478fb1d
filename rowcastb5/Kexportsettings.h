#pragma once
// What the export dialog keeps of an end user's choices between runs: one section of an ini file,
//
//   [Export]
//   Format=CSV                                   the key of a format of ExportFormats()
//   FileName=/home/ann/orders.csv                the file, as the person chose it
//   Order=id,quantity,customer_id,note           every field as the list showed them
//   Fields=quantity,id                           the checked ones, in export order
//
// the lists as comma text. Other sections of the file are left as they are.

#include <optional>
#include <vector>

#include "vcl50/Sysutils.h"

// The file is there but holds no settings the dialog can read; the message says why.
VCL_EXCEPTION_CLASS(EExportSettingsError, Exception);

struct TExportDialogSettings {
    int Format = 0;  // into ExportFormats()
    AnsiString FileName;
    std::vector<AnsiString> Order;
    std::vector<AnsiString> Fields;
};

// Nothing for a file that is not there. A file that cannot be read, has no [Export] section or
// names no format raises EExportSettingsError. Field names are not checked: a dataset may have
// changed since.
std::optional<TExportDialogSettings> ReadExportSettings(const AnsiString& path);
// Replaces the [Export] section in one write of the file; raises EIniFileException when it
// cannot be written, and the file stays as it was.
void WriteExportSettings(const AnsiString& path, const TExportDialogSettings& settings);
