#pragma once
// Exports to a dBASE table file.

#include "rowcastb5/Kbaseexport.h"

class TKDBFExport : public TDerived<TKDBFExport, TKFileExport> {
public:
    explicit TKDBFExport(TComponent* owner);
    ~TKDBFExport() override;
    static TClass StaticClass();
};
