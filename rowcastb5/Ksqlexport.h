#pragma once
// Exports as a script of SQL statements that recreate the data.

#include "rowcastb5/Kbaseexport.h"

class TKSQLExport : public TDerived<TKSQLExport, TKFileExport> {
public:
    explicit TKSQLExport(TComponent* owner);
    ~TKSQLExport() override;
    static TClass StaticClass();
};
