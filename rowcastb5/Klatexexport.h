#pragma once
// Exports as a LaTeX table.

#include "rowcastb5/Kbaseexport.h"

class TKLaTeXExport : public TKExport {
public:
    explicit TKLaTeXExport(TComponent* owner);
    ~TKLaTeXExport() override;
    static TClass StaticClass();
    TClass ClassType() const override;

    // The file the export writes.
    const AnsiString& FileName() const { return FFileName; }
    void SetFileName(const AnsiString& name) { FFileName = name; }

private:
    AnsiString FFileName;
};
