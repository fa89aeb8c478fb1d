#pragma once
// Exports to a dBASE table file.

#include "rowcastb5/Kbaseexport.h"

class TKDBFExport : public TKExport {
public:
    explicit TKDBFExport(TComponent* owner);
    ~TKDBFExport() override;
    static TClass StaticClass();
    TClass ClassType() const override;

    // The file the export writes.
    const AnsiString& FileName() const { return FFileName; }
    void SetFileName(const AnsiString& name) { FFileName = name; }

private:
    AnsiString FFileName;
};
