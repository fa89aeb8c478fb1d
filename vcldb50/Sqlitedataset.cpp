#include "vcldb50/Sqlitedataset.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <memory>

#include "vcl50/Wholefiles.h"
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

// Whether the file is a database in WAL mode: its header's write and read versions are 2.
bool InWalMode(const AnsiString& path)
{
    unsigned char versions[2] = {};
    try {
        return TReadableFile(path).ReadAt(18, versions, 2) == 2 && versions[0] == 2 && versions[1] == 2;
    } catch (const EFileAccessError&) {
        return false;  // SQLite says what is wrong with it
    }
}

bool Exists(const AnsiString& path)
{
    return access(path.c_str(), F_OK) == 0;
}

// Reading a database in WAL mode makes SQLite create its -wal and -shm files beside it, which a
// reader cannot remove again, and fails where it cannot create them. Unless a writer at work has
// made them already, the file is read as it stands instead (immutable: no lock, nothing made);
// with no -wal file, the database file holds everything. In a folder that cannot be written it
// is always read so: what SQLite may need to make there, it could not.
bool OpenImmutable(const AnsiString& path)
{
    if (!InWalMode(path))
        return false;
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return faccessat(AT_FDCWD, folder.empty() ? "." : folder.c_str(), W_OK, AT_EACCESS) != 0 ||
           !Exists(path + "-wal") || !Exists(path + "-shm");
}

// The path as a URI that opens it immutable: every byte but the plain ones escaped, so that
// nothing in the name becomes a parameter, and no authority ("//host") can begin it.
AnsiString ImmutableUri(const AnsiString& path)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    AnsiString uri = "file:";
    for (size_t i = 0; i < path.size(); ++i) {
        const auto c = static_cast<unsigned char>(path[i]);
        if (c == '/' && i > 0 && path[i - 1] == '/')
            continue;  // "a//b" is "a/b"
        const bool plain = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (plain || c == '/' || c == '-' || c == '.' || c == '_' || c == '~')
            uri += static_cast<char>(c);
        else
            uri += {'%', Hex[c >> 4], Hex[c & 0xF]};
    }
    return uri + "?immutable=1";
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
    const bool immutable = OpenImmutable(FDatabaseName);
    int rc = immutable ? sqlite3_open_v2(ImmutableUri(FDatabaseName).c_str(), &rawDb,
                                         SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr)
                       : sqlite3_open_v2(PathForSqlite(FDatabaseName).c_str(), &rawDb, SQLITE_OPEN_READONLY, nullptr);
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
