#include "rowcastb5/Kxmlexport.h"

namespace {

const bool registered = (RegisterClasses({TKXMLExport::StaticClass()}), true);

}  // namespace

TKXMLExport::TKXMLExport(TComponent* owner) : TDerived(owner) {}

TKXMLExport::~TKXMLExport() = default;

TClass TKXMLExport::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TKXMLExport, TKExport>("TKXMLExport")
        .Property("FileName", &TKXMLExport::FileName, &TKXMLExport::SetFileName)
        .Build();
    return &meta;
}

