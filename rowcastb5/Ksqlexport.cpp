#include "rowcastb5/Ksqlexport.h"

namespace {

const bool registered = (RegisterClasses({TKSQLExport::StaticClass()}), true);

}  // namespace

TKSQLExport::TKSQLExport(TComponent* owner) : TDerived(owner) {}

TKSQLExport::~TKSQLExport() = default;

TClass TKSQLExport::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TKSQLExport, TKExport>("TKSQLExport")
        .Property("FileName", &TKSQLExport::FileName, &TKSQLExport::SetFileName)
        .Build();
    return &meta;
}

