#pragma once
// Exports to a spreadsheet workbook file.

#include "rowcastb5/Kbaseexport.h"

class TKExcelExport : public TKExport {
public:
    explicit TKExcelExport(TComponent* owner);
    ~TKExcelExport() override;
    static TClass StaticClass();
    TClass ClassType() const override;

    // The file the export writes.
    const AnsiString& FileName() const { return FFileName; }
    void SetFileName(const AnsiString& name) { FFileName = name; }

private:
    AnsiString FFileName;
};
