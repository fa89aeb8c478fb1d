#pragma once
// Exports to a rich-text document.

#include "rowcastb5/Kbaseexport.h"

class TKRTFExport : public TKFileExport {
public:
    explicit TKRTFExport(TComponent* owner);
    ~TKRTFExport() override;
    static TClass StaticClass();
    TClass ClassType() const override;
};
