#pragma once
// The fields editor dialog.

#include "package/Ownunits.h"

class TfmKFieldsEditDlg;

// The form's global variable: exported only; the package neither sets nor reads it.
extern TfmKFieldsEditDlg* fmKFieldsEditDlg;

VCL_UNIT(Kfieldseditdlg)
