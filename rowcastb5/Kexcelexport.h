#pragma once
// Exports to a spreadsheet workbook file.

#include "rowcastb5/Kbaseexport.h"

class TKExcelExport : public TDerived<TKExcelExport, TKFileExport> {
public:
    explicit TKExcelExport(TComponent* owner);
    ~TKExcelExport() override;
    static TClass StaticClass();

protected:
    std::unique_ptr<TExportWriter> CreateWriter(TExportOutput& out, const std::vector<TExportColumn>& columns) override;
};
