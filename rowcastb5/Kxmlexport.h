#pragma once
// Exports to an XML document.

#include "rowcastb5/Kbaseexport.h"

class TKXMLExport : public TDerived<TKXMLExport, TKFileExport> {
public:
    explicit TKXMLExport(TComponent* owner);
    ~TKXMLExport() override;
    static TClass StaticClass();

protected:
    std::unique_ptr<TExportWriter> CreateWriter(TExportOutput& out, const std::vector<TExportColumn>& columns) override;
};
