#pragma once
// Exports to a dBASE table file.

#include "rowcastb5/Kbaseexport.h"

class TKDBFExport : public TKFileExport {
public:
    explicit TKDBFExport(TComponent* owner);
    ~TKDBFExport() override;
    static TClass StaticClass();
    TClass ClassType() const override;
};
