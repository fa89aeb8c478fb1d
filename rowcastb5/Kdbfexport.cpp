#include "rowcastb5/Kdbfexport.h"

namespace {

const bool registered = (RegisterClasses({TKDBFExport::StaticClass()}), true);

}  // namespace

TKDBFExport::TKDBFExport(TComponent* owner) : TDerived(owner) {}

TKDBFExport::~TKDBFExport() = default;

TClass TKDBFExport::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TKDBFExport, TKExport>("TKDBFExport")
        .Property("FileName", &TKDBFExport::FileName, &TKDBFExport::SetFileName)
        .Build();
    return &meta;
}

