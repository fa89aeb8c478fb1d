#include "rowcastb5/Kdbfexport.h"

#include "rowcastb5/Dbfwriter.h"

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

std::unique_ptr<TExportWriter> TKDBFExport::CreateWriter(TExportOutput& out, const std::vector<TExportColumn>& columns)
{
    return std::make_unique<TDbfWriter>(out, columns, *Formats());
}
