#pragma once
// Exports to a rich-text document.

#include "rowcastb5/Kbaseexport.h"

class TKRTFExport : public TKExport {
public:
    explicit TKRTFExport(TComponent* owner);
    ~TKRTFExport() override;
    static TClass StaticClass();
    TClass ClassType() const override;

    // The file the export writes.
    const AnsiString& FileName() const { return FFileName; }
    void SetFileName(const AnsiString& name) { FFileName = name; }

private:
    AnsiString FFileName;
};
