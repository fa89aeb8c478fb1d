#include "vcldb50/Sqlitedataset.h"

#include <memory>
#include <sqlite3.h>

#include "vcldb50/Dbconsts.h"

namespace {

const bool registered = (RegisterClasses({TSQLiteDataSet::StaticClass()}), true);

// A locked file (another program writing) gets this long before the open gives up.
constexpr int BusyTimeoutMs = 2000;

struct CloseDatabase {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
struct FinalizeStatement {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};

// A double-quoted identifier with its quotes doubled: the table name can never become SQL.
AnsiString QuoteIdentifier(std::string_view name)
{
    AnsiString quoted = "\"";
    for (char c : name) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

// SQLite reads names beginning with "file:" as URIs, whose parameters could choose another mode
// or an in-memory database; DatabaseName is a path and nothing else.
AnsiString PathForSqlite(const AnsiString& path)
{
    return path.starts_with("file:") ? "./" + path : path;
}

void CheckNoNul(const AnsiString& value, const char* property)
{
    if (value.find('\0') != AnsiString::npos)
        throw EDatabaseError(Format(SNulInName, {property}));
}

}  // namespace

TSQLiteDataSet::TSQLiteDataSet(TComponent* owner) : TDerived(owner) {}

TSQLiteDataSet::~TSQLiteDataSet() = default;

TClass TSQLiteDataSet::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TSQLiteDataSet, TDataSet>("TSQLiteDataSet")
        .Property("DatabaseName", &TSQLiteDataSet::DatabaseName, &TSQLiteDataSet::SetDatabaseName)
        .Property("TableName", &TSQLiteDataSet::TableName, &TSQLiteDataSet::SetTableName)
        .Build();
    return &meta;
}

void TSQLiteDataSet::SetDatabaseName(const AnsiString& name)
{
    if (name == FDatabaseName)
        return;
    CheckInactive();
    FDatabaseName = name;
}

void TSQLiteDataSet::SetTableName(const AnsiString& name)
{
    if (name == FTableName)
        return;
    CheckInactive();
    FTableName = name;
}

void TSQLiteDataSet::InternalOpen()
{
    if (FDatabaseName.empty())
        throw EDatabaseError(SDatabaseNameMissing);
    if (FTableName.empty())
        throw EDatabaseError(STableNameMissing);
    // c_str() would silently cut the name at the null and open another file or table.
    CheckNoNul(FDatabaseName, "DatabaseName");
    CheckNoNul(FTableName, "TableName");

    sqlite3* rawDb = nullptr;
    int rc = sqlite3_open_v2(PathForSqlite(FDatabaseName).c_str(), &rawDb, SQLITE_OPEN_READONLY, nullptr);
    std::unique_ptr<sqlite3, CloseDatabase> db(rawDb);
    if (rc != SQLITE_OK)
        throw EDatabaseError(Format(SCannotOpenDatabase,
                                    {FDatabaseName, db ? sqlite3_errmsg(db.get()) : sqlite3_errstr(rc)}));
    sqlite3_busy_timeout(db.get(), BusyTimeoutMs);

    // Preparing is enough to learn the columns; the statement is never stepped. This is also
    // where a file that is no database, or a missing table, shows.
    const AnsiString sql = "SELECT * FROM " + QuoteIdentifier(FTableName);
    sqlite3_stmt* rawStatement = nullptr;
    rc = sqlite3_prepare_v2(db.get(), sql.c_str(), static_cast<int>(sql.size()), &rawStatement, nullptr);
    std::unique_ptr<sqlite3_stmt, FinalizeStatement> statement(rawStatement);
    if (rc != SQLITE_OK)
        throw EDatabaseError(Format(SCannotReadTable, {FTableName, FDatabaseName, sqlite3_errmsg(db.get())}));

    const int columns = sqlite3_column_count(statement.get());
    for (int i = 0; i < columns; ++i) {
        const char* name = sqlite3_column_name(statement.get(), i);
        if (!name)
            throw EDatabaseError(Format(SCannotReadTable, {FTableName, FDatabaseName, sqlite3_errstr(SQLITE_NOMEM)}));
        CreateField(name);  // SQLite already keeps a view's names apart ("id", "id:1")
    }
}
