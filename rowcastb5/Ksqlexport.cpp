#include "rowcastb5/Ksqlexport.h"

#include "rowcastb5/Sqlwriter.h"
#include "vcldb50/Sqlitedataset.h"

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

AnsiString TKSQLExport::TableName() const
{
    // A query's statement says nothing a table could be named after.
    auto* table = dynamic_cast<const TSQLiteDataSet*>(DataSet());
    if (table && Trim(table->SQL()).empty() && !table->TableName().empty())
        return table->TableName();
    return Name().empty() ? AnsiString("data") : Name();
}

std::unique_ptr<TExportWriter> TKSQLExport::CreateWriter(TExportOutput& out, const std::vector<TExportColumn>& columns)
{
    return std::make_unique<TSqlWriter>(out, columns, *Formats(), TableName());
}
