#include "rowcastb5/Krtfexport.h"

#include "rowcastb5/Rtfwriter.h"

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

std::unique_ptr<TExportWriter> TKRTFExport::CreateWriter(TExportOutput& out, const std::vector<TExportColumn>& columns)
{
    return std::make_unique<TRtfWriter>(out, columns, *Formats());
}
