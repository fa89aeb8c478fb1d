#pragma once
// Exports to a dBASE table file.

#include "rowcastb5/Kbaseexport.h"

class TKDBFExport : public TDerived<TKDBFExport, TKFileExport> {
public:
    explicit TKDBFExport(TComponent* owner);
    ~TKDBFExport() override;
    static TClass StaticClass();

protected:
    std::unique_ptr<TExportWriter> CreateWriter(TExportOutput& out, const std::vector<TExportColumn>& columns) override;
};
