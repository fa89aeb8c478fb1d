#pragma once
// Exports as a LaTeX table.

#include "rowcastb5/Kbaseexport.h"

class TKLaTeXExport : public TDerived<TKLaTeXExport, TKFileExport> {
public:
    explicit TKLaTeXExport(TComponent* owner);
    ~TKLaTeXExport() override;
    static TClass StaticClass();
};
