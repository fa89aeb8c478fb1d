#include "rowcastb5/Kxmlexport.h"

#include "rowcastb5/Xmlwriter.h"

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

std::unique_ptr<TExportWriter> TKXMLExport::CreateWriter(TExportOutput& out, const std::vector<TExportColumn>& columns)
{
    return std::make_unique<TXmlWriter>(out, columns, *Formats());
}
