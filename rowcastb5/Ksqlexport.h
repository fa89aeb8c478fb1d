#pragma once
// Exports as a script of SQL statements that recreate the data: a table named as the dataset's
// table (a dataset reading a query has none) or else as this component.

#include "rowcastb5/Kbaseexport.h"

class TKSQLExport : public TDerived<TKSQLExport, TKFileExport> {
public:
    explicit TKSQLExport(TComponent* owner);
    ~TKSQLExport() override;
    static TClass StaticClass();

    // The table the script makes: the SQLite dataset's TableName when it reads a table, this
    // component's Name otherwise, "data" when it has none.
    AnsiString TableName() const;

protected:
    std::unique_ptr<TExportWriter> CreateWriter(TExportOutput& out, const std::vector<TExportColumn>& columns) override;
};
