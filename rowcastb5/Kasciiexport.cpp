#include "rowcastb5/Kasciiexport.h"

#include "rowcastb5/Csvwriter.h"
#include "rowcastb5/Difwriter.h"
#include "rowcastb5/Sylkwriter.h"
#include "rowcastb5/Textwriter.h"

namespace {

const bool registered = (RegisterClasses({TKASCIIExport::StaticClass()}), true);

}  // namespace

const TTypeInfo* TypeInfoTraits<TASCIIExportType>::Get()
{
    static const TTypeInfo info =
        EnumTypeInfo<TASCIIExportType>("TASCIIExportType", {"etText", "etCSV", "etDIF", "etSYLK"});
    return &info;
}

TKASCIIExport::TKASCIIExport(TComponent* owner) : TDerived(owner) {}

TKASCIIExport::~TKASCIIExport() = default;

TClass TKASCIIExport::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TKASCIIExport, TKExport>("TKASCIIExport")
        .Property("ExportType", &TKASCIIExport::ExportType, &TKASCIIExport::SetExportType)
        .Property("FileName", &TKASCIIExport::FileName, &TKASCIIExport::SetFileName)
        .Build();
    return &meta;
}

std::unique_ptr<TExportWriter> TKASCIIExport::CreateWriter(TExportOutput& out, const std::vector<TExportColumn>& columns)
{
    switch (FExportType) {
    case etText: return std::make_unique<TTextWriter>(out, columns, *Formats());
    case etCSV: return std::make_unique<TCsvWriter>(out, columns, *Formats());
    case etDIF: return std::make_unique<TDifWriter>(out, columns, *Formats());
    case etSYLK: return std::make_unique<TSylkWriter>(out, columns, *Formats());
    default: break;
    }
    throw EExportError(Format("%s: ExportType %d is no known kind", {Name(), static_cast<int>(FExportType)}));
}
