#pragma once
// A dataset on one table (or view) of an SQLite 3 database file.

#include "vcldb50/Db.h"

// Opening reads the file without ever writing or creating it, nor the -wal and -shm files of a
// database in WAL mode (read as the file stands unless a writer keeps them), and makes one field
// per column of the table, in column order. Records are not read: the designers need the columns
// only, so the connection is closed again as soon as the columns are known. Every failure raises
// EDatabaseError with SQLite's own reason.
class TSQLiteDataSet : public TDerived<TSQLiteDataSet, TDataSet> {
public:
    explicit TSQLiteDataSet(TComponent* owner);
    ~TSQLiteDataSet() override;
    static TClass StaticClass();

    // Path of the database file. May not change while the dataset is open.
    const AnsiString& DatabaseName() const { return FDatabaseName; }
    void SetDatabaseName(const AnsiString& name);
    // Name of the table or view, taken as one identifier (no schema prefix, no SQL).
    // May not change while the dataset is open.
    const AnsiString& TableName() const { return FTableName; }
    void SetTableName(const AnsiString& name);

protected:
    void InternalOpen() override;

private:
    AnsiString FDatabaseName;
    AnsiString FTableName;
};
