#include "vcldb50/Sqlitedataset.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <memory>

#include "vcl50/Documentfolder.h"
#include "vcl50/Wholefiles.h"
#include "vcldb50/Dbconsts.h"

namespace {

const bool registered = (RegisterClasses({TSQLiteDataSet::StaticClass()}), true);

// A locked file (another program writing) gets this long before the open gives up.
constexpr int BusyTimeoutMs = 2000;
// Virtual machine steps between two questions whether a slow read should go on.
constexpr int ProgressSteps = 100000;

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

bool Contains(const AnsiString& upper, const char* word)
{
    return upper.find(word) != AnsiString::npos;
}

// The field type of a declared column type, by the words people write in CREATE TABLE. Words of
// no known type fall back to SQLite's own affinity rules; a column without any to ftUnknown,
// which the first value then decides.
TFieldType TypeOfDeclared(const char* declared)
{
    if (!declared || !*declared)
        return ftUnknown;
    const AnsiString type = UpperCase(declared);
    if (Contains(type, "DATETIME") || Contains(type, "TIMESTAMP"))
        return ftDateTime;
    if (Contains(type, "DATE"))
        return ftDate;
    if (Contains(type, "TIME"))
        return ftTime;
    if (Contains(type, "BOOL"))
        return ftBoolean;
    if (type.starts_with("SMALLINT") || type.starts_with("TINYINT"))
        return ftInteger;
    if (Contains(type, "INT"))
        return ftLargeint;
    if (Contains(type, "CLOB"))
        return ftMemo;
    if (Contains(type, "CHAR") || Contains(type, "TEXT"))
        return ftString;
    if (Contains(type, "BLOB"))
        return ftBlob;
    return ftFloat;  // REAL, FLOAT, DOUBLE, NUMERIC, DECIMAL and any other word: numeric affinity
}

TFieldType TypeOfStored(int storageClass)
{
    switch (storageClass) {
    case SQLITE_INTEGER: return ftLargeint;
    case SQLITE_FLOAT: return ftFloat;
    case SQLITE_BLOB: return ftBlob;
    default: return ftString;
    }
}

// A stored date in any of the three ways SQLite's date functions understand: ISO-8601 text,
// a Julian day number (real) or Unix seconds (integer). Anything else keeps its own kind.
bool ReadDate(sqlite3_stmt* statement, int column, int storageClass, TFieldValue& value)
{
    TDateTime date = 0;
    bool read = false;
    if (storageClass == SQLITE_INTEGER)
        read = TryUnixToDateTime(sqlite3_column_int64(statement, column), date);
    else if (storageClass == SQLITE_FLOAT)
        read = TryJulianDateToDateTime(sqlite3_column_double(statement, column), date);
    else if (storageClass == SQLITE_TEXT)
        read = TryISO8601ToDate(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)), date);
    if (read) {
        value.Kind = TFieldValue::vkDateTime;
        value.Float = date;
    }
    return read;
}

// The value as stored; a field's type only decides how dates and truth values are read.
void ReadValue(sqlite3_stmt* statement, int column, TFieldType type, TFieldValue& value)
{
    const int storageClass = sqlite3_column_type(statement, column);
    if ((type == ftDate || type == ftTime || type == ftDateTime) && ReadDate(statement, column, storageClass, value))
        return;
    switch (storageClass) {
    case SQLITE_NULL:
        value.SetNull();
        return;
    case SQLITE_INTEGER:
        value.Integer = sqlite3_column_int64(statement, column);
        value.Kind = type == ftBoolean && (value.Integer == 0 || value.Integer == 1) ? TFieldValue::vkBoolean
                                                                                     : TFieldValue::vkInteger;
        return;
    case SQLITE_FLOAT:
        value.Kind = TFieldValue::vkFloat;
        value.Float = sqlite3_column_double(statement, column);
        return;
    default: {
        // The pointer first, then the size, as SQLite asks: the size is of the converted bytes.
        const void* bytes = storageClass == SQLITE_BLOB ? sqlite3_column_blob(statement, column)
                                                        : sqlite3_column_text(statement, column);
        const int size = sqlite3_column_bytes(statement, column);
        value.Kind = storageClass == SQLITE_BLOB ? TFieldValue::vkBytes : TFieldValue::vkText;
        value.Text.assign(static_cast<const char*>(bytes ? bytes : ""), static_cast<size_t>(size));
        return;
    }
    }
}

// Whether text holds nothing but blanks and comments: what may follow the one statement.
bool OnlyCommentsIn(sqlite3* db, const char* tail)
{
    sqlite3_stmt* next = nullptr;
    const int rc = sqlite3_prepare_v2(db, tail, -1, &next, nullptr);
    sqlite3_finalize(next);
    return rc == SQLITE_OK && next == nullptr;
}

}  // namespace

struct TSQLiteDataSet::TConnection {
    std::unique_ptr<sqlite3, CloseDatabase> Db;
    std::unique_ptr<sqlite3_stmt, FinalizeStatement> Statement;
    AnsiString Path;
    AnsiString Table;  // empty when a query is read
    int64_t Count = -2;  // not asked yet

    EDatabaseError Failure(const AnsiString& databaseName, const AnsiString& reason) const
    {
        return EDatabaseError(Table.empty() ? Format(SCannotRunQuery, {databaseName, reason})
                                            : Format(SCannotReadTable, {Table, databaseName, reason}));
    }
};

TSQLiteDataSet::TSQLiteDataSet(TComponent* owner) : TDerived(owner) {}

TSQLiteDataSet::~TSQLiteDataSet()
{
    // The base's destructor can no longer reach this class's InternalClose.
    FConnection.reset();
}

TClass TSQLiteDataSet::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TSQLiteDataSet, TDataSet>("TSQLiteDataSet")
        .Property("DatabaseName", &TSQLiteDataSet::DatabaseName, &TSQLiteDataSet::SetDatabaseName)
        .Property("TableName", &TSQLiteDataSet::TableName, &TSQLiteDataSet::SetTableName)
        .Property("SQL", &TSQLiteDataSet::SQL, &TSQLiteDataSet::SetSQL)
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

void TSQLiteDataSet::SetSQL(const AnsiString& sql)
{
    if (sql == FSQL)
        return;
    CheckInactive();
    FSQL = sql;
}

void TSQLiteDataSet::InternalOpen()
{
    if (FDatabaseName.empty())
        throw EDatabaseError(SDatabaseNameMissing);
    if (FTableName.empty() && Trim(FSQL).empty())
        throw EDatabaseError(STableNameMissing);
    // c_str() would silently cut the name at the null and open another file or table.
    CheckNoNul(FDatabaseName, "DatabaseName");
    CheckNoNul(FTableName, "TableName");
    CheckNoNul(FSQL, "SQL");

    auto connection = std::make_unique<TConnection>();
    connection->Path = ExpandDocumentPath(this, FDatabaseName);
    const AnsiString& path = connection->Path;
    sqlite3* rawDb = nullptr;
    const bool immutable = OpenImmutable(path);
    // One connection per dataset, used by one thread at a time: SQLite's own locking per call
    // would cost as much as reading a column.
    const int flags = SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX;
    int rc = immutable ? sqlite3_open_v2(ImmutableUri(path).c_str(), &rawDb, flags | SQLITE_OPEN_URI, nullptr)
                       : sqlite3_open_v2(PathForSqlite(path).c_str(), &rawDb, flags, nullptr);
    connection->Db.reset(rawDb);
    sqlite3* db = connection->Db.get();
    if (rc != SQLITE_OK)
        throw EDatabaseError(Format(SCannotOpenDatabase, {FDatabaseName, db ? sqlite3_errmsg(db) : sqlite3_errstr(rc)}));
    sqlite3_busy_timeout(db, BusyTimeoutMs);
    // An attached database could be made or written: a query reads this file and nothing else.
    sqlite3_limit(db, SQLITE_LIMIT_ATTACHED, 0);
    // A slow query asks now and then whether to go on (every few milliseconds of its work).
    sqlite3_progress_handler(db, ProgressSteps, [](void* self) {
        return static_cast<TSQLiteDataSet*>(self)->KeepWaiting() ? 0 : 1;
    }, this);

    const bool query = !Trim(FSQL).empty();
    connection->Table = query ? AnsiString() : FTableName;
    const AnsiString sql = query ? FSQL : "SELECT * FROM " + QuoteIdentifier(FTableName);
    sqlite3_stmt* rawStatement = nullptr;
    const char* tail = nullptr;
    rc = sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &rawStatement, &tail);
    connection->Statement.reset(rawStatement);
    sqlite3_stmt* statement = rawStatement;
    auto refuse = [&](const AnsiString& reason) {
        throw connection->Failure(FDatabaseName, reason);
    };
    if (rc != SQLITE_OK)
        refuse(sqlite3_errmsg(db));
    if (!statement)
        refuse(SNoStatement);
    if (query && !OnlyCommentsIn(db, tail))
        refuse(SMoreThanOneStatement);
    if (!sqlite3_stmt_readonly(statement))
        refuse(sqlite3_errstr(SQLITE_READONLY));
    const int columns = sqlite3_column_count(statement);
    if (columns == 0)
        refuse(SNoColumns);

    std::vector<TFieldType> types(static_cast<size_t>(columns));
    bool untyped = false;
    for (int i = 0; i < columns; ++i)
        untyped |= (types[static_cast<size_t>(i)] = TypeOfDeclared(sqlite3_column_decltype(statement, i))) == ftUnknown;
    if (untyped) {
        // An expression is typed by what it gives for the first record; none gives text.
        const int step = sqlite3_step(statement);
        if (step != SQLITE_ROW && step != SQLITE_DONE)
            refuse(sqlite3_errmsg(db));
        for (int i = 0; i < columns; ++i)
            if (types[static_cast<size_t>(i)] == ftUnknown)
                types[static_cast<size_t>(i)] = step == SQLITE_ROW ? TypeOfStored(sqlite3_column_type(statement, i)) : ftString;
        sqlite3_reset(statement);
    }
    for (int i = 0; i < columns; ++i) {
        const char* name = sqlite3_column_name(statement, i);
        if (!name)
            refuse(sqlite3_errstr(SQLITE_NOMEM));
        CreateField(name, types[static_cast<size_t>(i)]);  // SQLite keeps a view's names apart ("id", "id:1")
    }
    FConnection = std::move(connection);
}

void TSQLiteDataSet::InternalClose()
{
    FConnection.reset();
}

bool TSQLiteDataSet::InternalFirst()
{
    sqlite3_reset(FConnection->Statement.get());
    return Step();
}

bool TSQLiteDataSet::InternalNext()
{
    return Step();
}

bool TSQLiteDataSet::Step()
{
    sqlite3_stmt* statement = FConnection->Statement.get();
    const int rc = sqlite3_step(statement);
    if (rc == SQLITE_DONE) {
        sqlite3_reset(statement);  // ends the read, so that writers need not wait for this reader
        return false;
    }
    if (rc != SQLITE_ROW)
        FailReading();
    std::vector<TFieldValue>& record = Record();
    for (size_t i = 0; i < record.size(); ++i)
        ReadValue(statement, static_cast<int>(i), Fields()->Fields(static_cast<int>(i))->DataType(), record[i]);
    return true;
}

void TSQLiteDataSet::FailReading() const
{
    const AnsiString reason = sqlite3_errmsg(FConnection->Db.get());
    sqlite3_reset(FConnection->Statement.get());
    throw FConnection->Failure(FDatabaseName, reason);
}

int64_t TSQLiteDataSet::RecordCountHint()
{
    // Counting a table is cheap for SQLite (its smallest index); a query would run twice.
    if (!FConnection || !FSQL.empty())
        return -1;
    if (FConnection->Count == -2) {
        FConnection->Count = -1;
        const AnsiString sql = "SELECT count(*) FROM " + QuoteIdentifier(FTableName);
        sqlite3_stmt* raw = nullptr;
        if (sqlite3_prepare_v2(FConnection->Db.get(), sql.c_str(), -1, &raw, nullptr) == SQLITE_OK) {
            std::unique_ptr<sqlite3_stmt, FinalizeStatement> count(raw);
            if (sqlite3_step(raw) == SQLITE_ROW)
                FConnection->Count = sqlite3_column_int64(raw, 0);
        }
    }
    return FConnection->Count;
}
