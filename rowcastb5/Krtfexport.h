#pragma once
// Exports to a rich-text document.

#include "rowcastb5/Kbaseexport.h"

class TKRTFExport : public TDerived<TKRTFExport, TKFileExport> {
public:
    explicit TKRTFExport(TComponent* owner);
    ~TKRTFExport() override;
    static TClass StaticClass();

protected:
    std::unique_ptr<TExportWriter> CreateWriter(TExportOutput& out, const std::vector<TExportColumn>& columns) override;
};
