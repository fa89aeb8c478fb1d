#include "package/Unittable.h"

#include <iterator>

#include "dialogs/Kexpabout.h"
#include "dialogs/Kfieldseditdlg.h"
#include "dialogs/Khtmltemplateeditdlg.h"
#include "editors/Kexpdsgn.h"
#include "package/Drowcastb5.h"
#include "package/Kexpreg.h"
#include "package/Osunits.h"
#include "package/Sysinit.h"
#include "rowcastb5/Units.h"
#include "vcl50/Units.h"
#include "vcldb50/Units.h"

namespace {

#define UNIT(Unit) {Unit::Initialization, Unit::Finalization}

// Units of the required packages point to those packages' own procedures; the package's own
// units, its operating system units among them, to its own.
constexpr PackageUnitEntry Units[] = {
    UNIT(System), UNIT(Sysinit), UNIT(Windows), UNIT(Messages), UNIT(Sysconst), UNIT(Sysutils),
    UNIT(Typinfo), UNIT(Activex), UNIT(Consts), UNIT(Classes), UNIT(Multimon), UNIT(Graphics),
    UNIT(Contnrs), UNIT(Math), UNIT(Inifiles), UNIT(Regstr), UNIT(Registry), UNIT(Commctrl),
    UNIT(Imglist), UNIT(Actnlist), UNIT(Menus), UNIT(Clipbrd), UNIT(Imm), UNIT(Controls),
    UNIT(Stdctrls), UNIT(Shellapi), UNIT(Forms), UNIT(Winspool), UNIT(Printers), UNIT(Commdlg),
    UNIT(Dlgs), UNIT(Dialogs), UNIT(Buttons), UNIT(Extctrls), UNIT(Comstrs), UNIT(Toolwin),
    UNIT(Richedit), UNIT(Comctrls), UNIT(Grids), UNIT(Mask), UNIT(Shlobj), UNIT(Filectrl),
    UNIT(Checklst), UNIT(Extdlgs), UNIT(Comobj), UNIT(Toolintf), UNIT(Exptintf), UNIT(Virtintf),
    UNIT(Editintf), UNIT(Istreams), UNIT(Wininet), UNIT(Urlmon), UNIT(Dsgnintf),
    // VCLDB50
    UNIT(Dbconsts), UNIT(Db),
    // ROWCASTB5
    UNIT(Templates), UNIT(Kbaseexport), UNIT(Khtmlexport), UNIT(Kexcelexport), UNIT(Krtfexport),
    UNIT(Kxmlexport), UNIT(Kdbfexport), UNIT(Kasciiexport), UNIT(Ksqlexport), UNIT(Klatexexport),
    UNIT(Kclipboardexport), UNIT(Kexportdlg),
    // The package's own units, in the order of its contained-units list.
    UNIT(Khtmltemplateeditdlg), UNIT(Kexpabout), UNIT(Kfieldseditdlg), UNIT(Kexpdsgn),
    UNIT(Kexpreg), UNIT(Drowcastb5),
};

#undef UNIT

static_assert(std::size(Units) == 73);

}  // namespace

const PackageInfoTable UnitTable = {static_cast<int32_t>(std::size(Units)), Units};
