#include "rowcastb5/Krtfexport.h"

namespace {

const bool registered = (RegisterClasses({TKRTFExport::StaticClass()}), true);

}  // namespace

TKRTFExport::TKRTFExport(TComponent* owner) : TDerived(owner) {}

TKRTFExport::~TKRTFExport() = default;

TClass TKRTFExport::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TKRTFExport, TKExport>("TKRTFExport")
        .Property("FileName", &TKRTFExport::FileName, &TKRTFExport::SetFileName)
        .Build();
    return &meta;
}

