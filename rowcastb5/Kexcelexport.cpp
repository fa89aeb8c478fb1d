#include "rowcastb5/Kexcelexport.h"

namespace {

const bool registered = (RegisterClasses({TKExcelExport::StaticClass()}), true);

}  // namespace

TKExcelExport::TKExcelExport(TComponent* owner) : TDerived(owner) {}

TKExcelExport::~TKExcelExport() = default;

TClass TKExcelExport::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TKExcelExport, TKExport>("TKExcelExport")
        .Property("FileName", &TKExcelExport::FileName, &TKExcelExport::SetFileName)
        .Build();
    return &meta;
}

