#include "rowcastb5/Units.h"

VCL_UNIT_PROCS(Templates)
VCL_UNIT_PROCS(Kbaseexport)
VCL_UNIT_PROCS(Khtmlexport)
VCL_UNIT_PROCS(Kexcelexport)
VCL_UNIT_PROCS(Krtfexport)
VCL_UNIT_PROCS(Kxmlexport)
VCL_UNIT_PROCS(Kdbfexport)
VCL_UNIT_PROCS(Kasciiexport)
VCL_UNIT_PROCS(Ksqlexport)
VCL_UNIT_PROCS(Klatexexport)
VCL_UNIT_PROCS(Kclipboardexport)
VCL_UNIT_PROCS(Kexportdlg)
