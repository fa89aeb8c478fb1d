#include "rowcastb5/Kexcelexport.h"

#include "rowcastb5/Excelwriter.h"

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

std::unique_ptr<TExportWriter> TKExcelExport::CreateWriter(TExportOutput& out, const std::vector<TExportColumn>& columns)
{
    return std::make_unique<TExcelWriter>(out, columns, *Formats());
}
