#pragma once
// A dataset on one table (or view) of an SQLite 3 database file, or on one query of it.

#include <memory>

#include "vcldb50/Db.h"

struct sqlite3;
struct sqlite3_stmt;

// Opening reads the file without ever writing or creating it, nor the -wal and -shm files of a
// database in WAL mode (read as the file stands unless a writer keeps them), and makes one field
// per column, in column order, typed by the column's declared type (a column without one, as an
// expression has, by its first value). Opening reads no record: the designers need the columns
// only. First and Next then step the statement one record at a time. Every failure raises
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
    // One statement that only reads; read instead of TableName when set. A statement that would
    // write, or a second statement after it, is refused when the dataset opens.
    const AnsiString& SQL() const { return FSQL; }
    void SetSQL(const AnsiString& sql);

    int64_t RecordCountHint() override;

protected:
    void InternalOpen() override;
    void InternalClose() override;
    bool InternalFirst() override;
    bool InternalNext() override;

private:
    struct TConnection;
    bool Step();
    [[noreturn]] void FailReading() const;

    AnsiString FDatabaseName;
    AnsiString FTableName;
    AnsiString FSQL;
    std::unique_ptr<TConnection> FConnection;
};
