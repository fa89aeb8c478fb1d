#include "dialogs/Kfieldseditdlg.h"

TfmKFieldsEditDlg* fmKFieldsEditDlg = nullptr;

PACKAGE_UNIT_PROCS(Kfieldseditdlg)
