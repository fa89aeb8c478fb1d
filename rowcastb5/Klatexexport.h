#pragma once
// Exports as a LaTeX table.

#include "rowcastb5/Kbaseexport.h"

class TKLaTeXExport : public TDerived<TKLaTeXExport, TKFileExport> {
public:
    explicit TKLaTeXExport(TComponent* owner);
    ~TKLaTeXExport() override;
    static TClass StaticClass();

protected:
    std::unique_ptr<TExportWriter> CreateWriter(TExportOutput& out, const std::vector<TExportColumn>& columns) override;
};
