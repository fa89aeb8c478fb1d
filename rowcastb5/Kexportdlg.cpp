#include "rowcastb5/Kexportdlg.h"

#include "vcldb50/Db.h"

namespace {

const bool registered = (RegisterClasses({TKExportDialog::StaticClass()}), true);

}  // namespace

TKExportDialog::TKExportDialog(TComponent* owner) : TDerived(owner) {}

TKExportDialog::~TKExportDialog() = default;

TClass TKExportDialog::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TKExportDialog, TComponent>("TKExportDialog")
        .Property("About", &TKExportDialog::About, &TKExportDialog::SetAbout)
        .Property("Caption", &TKExportDialog::Caption, &TKExportDialog::SetCaption)
        .Property("DataSet", &TKExportDialog::DataSet, &TKExportDialog::SetDataSet)
        .Property("SaveFileName", &TKExportDialog::SaveFileName, &TKExportDialog::SetSaveFileName)
        .Build();
    return &meta;
}

