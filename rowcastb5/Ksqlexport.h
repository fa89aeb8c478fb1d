#pragma once
// Exports as a script of SQL statements that recreate the data.

#include "rowcastb5/Kbaseexport.h"

class TKSQLExport : public TKFileExport {
public:
    explicit TKSQLExport(TComponent* owner);
    ~TKSQLExport() override;
    static TClass StaticClass();
    TClass ClassType() const override;
};
