#pragma once
// The units of the ROWCASTB5 package, as the unit tables of the packages that use it name them,
// each after the units it depends on.

#include "vcl50/Unitlog.h"

VCL_UNIT(Templates)
VCL_UNIT(Kbaseexport)
VCL_UNIT(Khtmlexport)
VCL_UNIT(Kexcelexport)
VCL_UNIT(Krtfexport)
VCL_UNIT(Kxmlexport)
VCL_UNIT(Kdbfexport)
VCL_UNIT(Kasciiexport)
VCL_UNIT(Ksqlexport)
VCL_UNIT(Klatexexport)
VCL_UNIT(Kclipboardexport)
VCL_UNIT(Kexportdlg)
