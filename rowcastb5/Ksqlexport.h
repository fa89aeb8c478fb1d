#pragma once
// Exports as a script of SQL statements that recreate the data.

#include "rowcastb5/Kbaseexport.h"

class TKSQLExport : public TKExport {
public:
    explicit TKSQLExport(TComponent* owner);
    ~TKSQLExport() override;
    static TClass StaticClass();
    TClass ClassType() const override;

    // The file the export writes.
    const AnsiString& FileName() const { return FFileName; }
    void SetFileName(const AnsiString& name) { FFileName = name; }

private:
    AnsiString FFileName;
};
