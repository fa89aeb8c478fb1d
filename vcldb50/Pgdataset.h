#pragma once
// A dataset on one table (or view) of a PostgreSQL database, or on one query, through libpq.

#include <memory>
#include <optional>
#include <vector>

#include "vcldb50/Db.h"

// Opening connects, makes one field per column typed by the server's type of it, and reads no
// record. First and Next then read the records as the server streams them (a COPY in its binary
// form), one at a time, so that memory stays the same whatever the number of records. Each pass
// runs in one read-only transaction that sees one snapshot. A read that waits on the server asks
// OnWait now and then. Every failure raises EDatabaseError with the server's (or libpq's) own
// reason.
class TPgDataSet : public TDerived<TPgDataSet, TDataSet> {
public:
    explicit TPgDataSet(TComponent* owner);
    ~TPgDataSet() override;
    static TClass StaticClass();

    // A libpq connection string or URI; empty takes libpq's defaults (PGHOST, PGDATABASE, ...).
    // A password given in it is used by this object only and never stored: the property keeps
    // the text without it, and libpq otherwise finds one in PGPASSWORD or ~/.pgpass. Setting the
    // text shown by ShownConnectionString, mask and all, keeps the password held. Connecting
    // gives up after connect_timeout seconds, 10 unless the text says otherwise.
    const AnsiString& ConnectionString() const { return FConnectionString; }
    void SetConnectionString(const AnsiString& text);
    // The text with a password held shown as "***".
    const AnsiString& ShownConnectionString() const { return FShownConnectionString; }
    bool HoldsPassword() const { return FPassword.has_value(); }

    // "name" or "schema.name", each part as SQL writes it: unquoted letters read in lower case,
    // a part in double quotes as it stands ("" for a quote). Each part is quoted again when the
    // statement is made, so the name is never read as SQL. May not change while open.
    const AnsiString& TableName() const { return FTableName; }
    void SetTableName(const AnsiString& name);
    // One query (SELECT, TABLE, VALUES or WITH ... SELECT), read instead of TableName when set.
    // It runs in a read-only transaction, so nothing can be written through it.
    const AnsiString& SQL() const { return FSQL; }
    void SetSQL(const AnsiString& sql);

    // The tables and views the connection's user may read, as TableName writes them, schema
    // first, in order. Reads only the catalog, within a few seconds; raises EDatabaseError.
    std::vector<AnsiString> TableNames() const;

protected:
    void InternalOpen() override;
    void InternalClose() override;
    bool InternalFirst() override;
    bool InternalNext() override;

private:
    struct TConnection;
    // The statement that reads the records, from TableName or SQL.
    AnsiString SelectStatement() const;
    [[noreturn]] void Fail(const AnsiString& reason) const;

    AnsiString FConnectionString;
    AnsiString FShownConnectionString;
    std::optional<AnsiString> FPassword;
    AnsiString FTableName;
    AnsiString FSQL;
    std::unique_ptr<TConnection> FConnection;
};
