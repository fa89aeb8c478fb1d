#pragma once
// The designer's editors of TPgDataSet's properties, registered by the host with its Data Access
// page: the connection string shown without its password, and the table name chosen from the
// server's tables.

#include "vcl50/Dsgnproperties.h"

// Shows a password held as "***"; the text shown, given back with its mask, keeps that password.
class TPgConnectionStringProperty : public TDerived<TPgConnectionStringProperty, TStringProperty> {
public:
    static TClass StaticClass();
    bool AllEqual() override;
    AnsiString GetValue() override;
};

// The drop-down offers the tables and views of the first selected dataset's server. When they
// cannot be read, its one entry is the reason, which changes nothing when chosen.
class TPgTableNameProperty : public TDerived<TPgTableNameProperty, TStringProperty> {
public:
    static TClass StaticClass();
    TPropertyAttributes GetAttributes() override;  // + paValueList
    void GetValues(const TGetStrProc& proc) override;
    void SetValue(const AnsiString& value) override;

private:
    AnsiString FFailure;  // the entry that says why there is no list
};
