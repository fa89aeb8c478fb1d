#include "rowcastb5/Klatexexport.h"

#include "rowcastb5/Latexwriter.h"

namespace {

const bool registered = (RegisterClasses({TKLaTeXExport::StaticClass()}), true);

}  // namespace

TKLaTeXExport::TKLaTeXExport(TComponent* owner) : TDerived(owner) {}

TKLaTeXExport::~TKLaTeXExport() = default;

TClass TKLaTeXExport::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TKLaTeXExport, TKExport>("TKLaTeXExport")
        .Property("FileName", &TKLaTeXExport::FileName, &TKLaTeXExport::SetFileName)
        .Build();
    return &meta;
}

std::unique_ptr<TExportWriter> TKLaTeXExport::CreateWriter(TExportOutput& out, const std::vector<TExportColumn>& columns)
{
    return std::make_unique<TLaTeXWriter>(out, columns, *Formats());
}
