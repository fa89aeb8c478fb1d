#include "vcldb50/Pgdataset.h"

#include <libpq-fe.h>
#include <poll.h>

#include <cstdlib>
#include <cstring>
#include <functional>

#include "vcldb50/Dbconsts.h"
#include "vcldb50/Pgconninfo.h"
#include "vcldb50/Pgcopyrows.h"
#include "vcldb50/Pgstatements.h"
#include "vcldb50/Pgvalues.h"

namespace {

const bool registered = (RegisterClasses({TPgDataSet::StaticClass()}), true);

// An unreachable host must not hold a designer for long; the connection string may say more.
constexpr char DefaultConnectTimeout[] = "10";
// The designer's list of tables waits no longer than this for the catalog.
constexpr char CatalogTimeout[] = "SET statement_timeout = 5000";
// How often a read that waits on the server asks OnWait whether to go on.
constexpr int WaitAskMs = 100;
constexpr char CursorName[] = "drowcast_records";

struct FinishConnection {
    void operator()(PGconn* connection) const { PQfinish(connection); }
};
struct ClearResult {
    void operator()(PGresult* result) const { PQclear(result); }
};
struct FreeOptions {
    void operator()(PQconninfoOption* options) const { PQconninfoFree(options); }
};
struct FreeMemory {
    void operator()(char* memory) const { PQfreemem(memory); }
};
using TPgConnection = std::unique_ptr<PGconn, FinishConnection>;
using TPgResult = std::unique_ptr<PGresult, ClearResult>;

// libpq's messages end in a line break and may continue on indented lines.
AnsiString OneLine(std::string_view message)
{
    AnsiString line;
    for (char c : message) {
        const bool blank = c == '\n' || c == '\t' || c == ' ';
        if (!blank)
            line += c;
        else if (!line.empty() && line.back() != ' ')
            line += ' ';
    }
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    return line;
}

// The server's message and its detail; libpq's own message when the server sent none.
AnsiString ReasonOf(PGconn* connection, const PGresult* result)
{
    const char* primary = result ? PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
    if (!primary) {
        const char* message = result ? PQresultErrorMessage(result) : "";
        return OneLine(*message ? message : PQerrorMessage(connection));
    }
    AnsiString reason = primary;
    if (const char* detail = PQresultErrorField(result, PG_DIAG_MESSAGE_DETAIL))
        reason += " (" + OneLine(detail) + ")";
    return reason;
}

bool IsSyntaxError(const PGresult* result)
{
    const char* state = PQresultErrorField(result, PG_DIAG_SQLSTATE);
    return state && std::strcmp(state, "42601") == 0;
}

// Runs one command (or a few, in the simple protocol); the reason when it fails.
std::optional<AnsiString> Run(PGconn* connection, const char* sql)
{
    TPgResult result(PQexec(connection, sql));
    const ExecStatusType status = PQresultStatus(result.get());
    if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK)
        return std::nullopt;
    return ReasonOf(connection, result.get());
}

// The server's text of the values: ISO dates, floats that read back exactly, bytea in hex.
constexpr char SessionSettings[] = "SET DateStyle = ISO; SET extra_float_digits = 3; SET bytea_output = hex";
// One snapshot for the whole pass, and a second pass (a writer that measures first) sees the same.
constexpr char BeginPass[] = "BEGIN ISOLATION LEVEL REPEATABLE READ, READ ONLY";

AnsiString Where(const AnsiString& connectionString)
{
    return connectionString.empty() ? AnsiString(SDefaultConnection) : connectionString;
}

TPgConnection Connect(const AnsiString& connectionString, const std::optional<AnsiString>& password)
{
    auto refuse = [&](const AnsiString& reason) {
        throw EDatabaseError(Format(SCannotConnect, {Where(connectionString), reason}));
    };
    char* error = nullptr;
    std::unique_ptr<PQconninfoOption, FreeOptions> options(PQconninfoParse(connectionString.c_str(), &error));
    if (!options) {
        const AnsiString reason = error ? OneLine(error) : AnsiString("out of memory");
        PQfreemem(error);
        refuse(reason);
    }
    // Later entries win: the defaults first, then the text's own settings, then what must hold.
    std::vector<const char*> keywords = {"fallback_application_name"}, values = {"drowcast"};
    if (!std::getenv("PGCONNECT_TIMEOUT")) {
        keywords.push_back("connect_timeout");
        values.push_back(DefaultConnectTimeout);
    }
    for (const PQconninfoOption* option = options.get(); option->keyword; ++option)
        if (option->val && std::strcmp(option->keyword, "password") != 0) {
            keywords.push_back(option->keyword);
            values.push_back(option->val);
        }
    if (password) {
        keywords.push_back("password");
        values.push_back(password->c_str());
    }
    // Exports write UTF-8, whatever the database's encoding.
    keywords.push_back("client_encoding");
    values.push_back("UTF8");
    keywords.push_back(nullptr);
    values.push_back(nullptr);
    TPgConnection connection(PQconnectdbParams(keywords.data(), values.data(), 0));
    if (!connection)
        refuse("out of memory");
    if (PQstatus(connection.get()) != CONNECTION_OK)
        refuse(OneLine(PQerrorMessage(connection.get())));
    // A notice (from a function the query calls) is no concern of an export's output.
    PQsetNoticeProcessor(connection.get(), [](void*, const char*) {}, nullptr);
    if (auto reason = Run(connection.get(), SessionSettings))
        refuse(*reason);
    return connection;
}

void CheckNoNul(const AnsiString& value, const char* property)
{
    if (value.find('\0') != AnsiString::npos)
        throw EDatabaseError(Format(SNulInName, {property}));
}

// A reason a pass cannot go on; the dataset says it with the table's or query's name.
struct TReadFailure {
    AnsiString Reason;
};

// Declares the cursor on the query, in the open transaction, and describes its columns: the
// description, or the result of the statement that failed.
TPgResult DeclareAndDescribe(PGconn* db, const AnsiString& declare)
{
    TPgResult declared(PQexecParams(db, declare.c_str(), 0, nullptr, nullptr, nullptr, nullptr, 0));
    if (PQresultStatus(declared.get()) != PGRES_COMMAND_OK)
        return declared;
    return TPgResult(PQdescribePortal(db, CursorName));
}

std::vector<Oid> ColumnTypes(const PGresult* described)
{
    std::vector<Oid> types;
    for (int i = 0; i < PQnfields(described); ++i)
        types.push_back(PQftype(described, i));
    return types;
}

// The output function, by schema and name, of each column that is not read in binary; "" for
// the others.
std::vector<AnsiString> TextFunctions(PGconn* db, const std::vector<Oid>& types)
{
    std::vector<AnsiString> functions(types.size());
    AnsiString wanted;
    for (Oid type : types)
        if (!PgReadsBinary(type))
            wanted += (wanted.empty() ? "{" : ",") + std::to_string(type);
    if (wanted.empty())
        return functions;
    wanted += "}";
    static const char catalog[] =
        "SELECT t.oid, pg_catalog.quote_ident(n.nspname) || '.' || pg_catalog.quote_ident(p.proname) "
        "FROM pg_catalog.pg_type t JOIN pg_catalog.pg_proc p ON p.oid = t.typoutput "
        "JOIN pg_catalog.pg_namespace n ON n.oid = p.pronamespace WHERE t.oid = ANY($1::pg_catalog.oid[])";
    const char* values[] = {wanted.c_str()};
    TPgResult found(PQexecParams(db, catalog, 1, nullptr, values, nullptr, nullptr, 0));
    if (PQresultStatus(found.get()) != PGRES_TUPLES_OK)
        throw TReadFailure{ReasonOf(db, found.get())};
    for (int row = 0; row < PQntuples(found.get()); ++row) {
        const Oid type = static_cast<Oid>(std::strtoul(PQgetvalue(found.get(), row, 0), nullptr, 10));
        for (size_t i = 0; i < types.size(); ++i)
            if (types[i] == type)
                functions[i] = PQgetvalue(found.get(), row, 1);
    }
    for (size_t i = 0; i < types.size(); ++i)
        if (!PgReadsBinary(types[i]) && functions[i].empty())
            throw TReadFailure{SUnreadableRecords};
    return functions;
}

}  // namespace

struct TPgDataSet::TConnection {
    TPgConnection Db;
    AnsiString Declare;       // opens a cursor on the query, which describes its columns
    AnsiString Copy;          // sends the query's records
    std::vector<Oid> Types;   // of the columns, as the fields were made
    std::optional<TPgCopyRows> Rows;
    std::function<bool()> KeepWaiting;
    bool InPass = false;      // a transaction is open
    bool Copying = false;     // records are on their way

    PGconn* Get() const { return Db.get(); }

    void Begin();
    bool ReadRow(std::vector<TFieldValue>& record);

private:
    void AwaitInput(bool wait);
    TPgResult AwaitResult();
    void EndCopy();
    [[noreturn]] void Stop();
};

// Starts the pass's COPY. The cursor declared first takes the tables' locks for the pass, so
// that the columns it describes are the ones the COPY sends.
void TPgDataSet::TConnection::Begin()
{
    if (auto reason = Run(Get(), BeginPass))
        throw TReadFailure{*reason};
    InPass = true;
    const TPgResult described = DeclareAndDescribe(Get(), Declare);
    if (PQresultStatus(described.get()) != PGRES_COMMAND_OK)
        throw TReadFailure{ReasonOf(Get(), described.get())};
    if (ColumnTypes(described.get()) != Types)
        throw TReadFailure{SColumnsChanged};
    if (!PQsendQueryParams(Get(), Copy.c_str(), 0, nullptr, nullptr, nullptr, nullptr, 0))
        throw TReadFailure{OneLine(PQerrorMessage(Get()))};
    Copying = true;
    const TPgResult started = AwaitResult();
    if (PQresultStatus(started.get()) != PGRES_COPY_OUT)
        throw TReadFailure{ReasonOf(Get(), started.get())};
    Rows->Restart();
}

bool TPgDataSet::TConnection::ReadRow(std::vector<TFieldValue>& record)
{
    bool tookIn = false;
    while (Copying) {
        char* message = nullptr;
        const int length = PQgetCopyData(Get(), &message, 1);
        if (length == 0) {
            AwaitInput(tookIn);
            tookIn = true;
            continue;
        }
        if (length < 0) {
            EndCopy();
            break;
        }
        const std::unique_ptr<char, FreeMemory> owned(message);
        try {
            if (Rows->Read(std::string_view(message, static_cast<size_t>(length)), record))
                return true;
        } catch (const EDatabaseError& e) {
            throw TReadFailure{e.Message()};
        }
    }
    return false;
}

// The COPY's own result says whether every record came; the pass then ends, and with it its
// transaction.
void TPgDataSet::TConnection::EndCopy()
{
    const TPgResult ended = AwaitResult();
    Copying = false;
    if (PQresultStatus(ended.get()) != PGRES_COMMAND_OK)
        throw TReadFailure{ReasonOf(Get(), ended.get())};
    while (PGresult* rest = PQgetResult(Get()))
        PQclear(rest);
    if (!Run(Get(), "COMMIT"))
        InPass = false;
}

TPgResult TPgDataSet::TConnection::AwaitResult()
{
    for (bool tookIn = false; PQisBusy(Get()); tookIn = true)
        AwaitInput(tookIn);
    return TPgResult(PQgetResult(Get()));
}

// Takes in what the server sent. Once what was there is taken (`wait`), it first waits a while
// for more, asking whether to go on when nothing comes; it takes in what there is all the same,
// since a secure connection may hold some that the socket no longer shows.
void TPgDataSet::TConnection::AwaitInput(bool wait)
{
    pollfd socket{PQsocket(Get()), POLLIN, 0};
    if (wait && poll(&socket, 1, WaitAskMs) == 0 && !KeepWaiting())
        Stop();
    if (!PQconsumeInput(Get()))
        throw TReadFailure{OneLine(PQerrorMessage(Get()))};
}

// The server stops the statement; the connection, left mid-way, is made again for the next pass.
void TPgDataSet::TConnection::Stop()
{
    if (PGcancel* cancel = PQgetCancel(Get())) {
        char error[256];
        PQcancel(cancel, error, sizeof error);
        PQfreeCancel(cancel);
    }
    Db.reset();
    InPass = Copying = false;
    throw TReadFailure{SWaitStopped};
}

TPgDataSet::TPgDataSet(TComponent* owner) : TDerived(owner) {}

TPgDataSet::~TPgDataSet()
{
    // The base's destructor can no longer reach this class's InternalClose.
    FConnection.reset();
}

TClass TPgDataSet::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TPgDataSet, TDataSet>("TPgDataSet")
        .Property("ConnectionString", &TPgDataSet::ConnectionString, &TPgDataSet::SetConnectionString)
        .Property("TableName", &TPgDataSet::TableName, &TPgDataSet::SetTableName)
        .Property("SQL", &TPgDataSet::SQL, &TPgDataSet::SetSQL)
        .Build();
    return &meta;
}

void TPgDataSet::SetConnectionString(const AnsiString& text)
{
    TConnectionText parts = SplitPassword(text);
    if (parts.Password == PasswordMask && FPassword) {
        // The shown text given back: the password it stands for stays.
        parts.Password = FPassword;
    } else if (parts.Password == PasswordMask) {
        parts.Password.reset();
        parts.Shown = parts.Stored;
    }
    if (parts.Stored == FConnectionString && parts.Password == FPassword)
        return;
    CheckInactive();
    FConnectionString = std::move(parts.Stored);
    FShownConnectionString = std::move(parts.Shown);
    FPassword = std::move(parts.Password);
}

void TPgDataSet::SetTableName(const AnsiString& name)
{
    if (name == FTableName)
        return;
    CheckInactive();
    FTableName = name;
}

void TPgDataSet::SetSQL(const AnsiString& sql)
{
    if (sql == FSQL)
        return;
    CheckInactive();
    FSQL = sql;
}

AnsiString TPgDataSet::SelectStatement() const
{
    if (!Trim(FSQL).empty())
        return FSQL;
    const std::vector<AnsiString> parts = PgNameParts(Trim(FTableName));
    if (parts.empty())
        throw EDatabaseError(Format(SNotATableName, {FTableName}));
    AnsiString select = "SELECT * FROM ";
    for (size_t i = 0; i < parts.size(); ++i)
        select += (i ? "." : "") + PgQuoteIdentifier(parts[i]);
    return select;
}

void TPgDataSet::Fail(const AnsiString& reason) const
{
    const AnsiString where = Where(FConnectionString);
    throw EDatabaseError(Trim(FSQL).empty() ? Format(SCannotReadTable, {FTableName, where, reason})
                                            : Format(SCannotRunQuery, {where, reason}));
}

void TPgDataSet::InternalOpen()
{
    if (Trim(FTableName).empty() && Trim(FSQL).empty())
        throw EDatabaseError(STableNameMissing);
    // c_str() would silently cut the text at the null.
    CheckNoNul(FConnectionString, "ConnectionString");
    CheckNoNul(FPassword.value_or(""), "ConnectionString");
    CheckNoNul(FTableName, "TableName");
    CheckNoNul(FSQL, "SQL");
    auto connection = std::make_unique<TConnection>();
    const AnsiString select = SelectStatement();
    connection->Declare = "DECLARE " + AnsiString(CursorName) + " NO SCROLL CURSOR FOR " + select;
    connection->Db = Connect(FConnectionString, FPassword);
    connection->KeepWaiting = [this] {
        return KeepWaiting();
    };
    PGconn* db = connection->Get();

    // The cursor is declared and described, never fetched from: the columns, and no record.
    if (auto reason = Run(db, BeginPass))
        Fail(*reason);
    // The extended protocol takes one statement only: nothing can follow the query.
    const TPgResult described = DeclareAndDescribe(db, connection->Declare);
    if (PQresultStatus(described.get()) != PGRES_COMMAND_OK) {
        AnsiString reason = ReasonOf(db, described.get());
        // A cursor is declared only for a query: a statement that the server reads well on its
        // own, but not there, is one that would do something else.
        if (!Trim(FSQL).empty() && IsSyntaxError(described.get()) && !Run(db, "ROLLBACK")) {
            TPgResult alone(PQprepare(db, "", FSQL.c_str(), 0, nullptr));
            if (PQresultStatus(alone.get()) == PGRES_COMMAND_OK)
                reason = SNotAQuery;
        }
        Fail(reason);
    }
    connection->Types = ColumnTypes(described.get());
    if (connection->Types.empty())
        Fail(SNoColumns);
    for (size_t i = 0; i < connection->Types.size(); ++i) {
        const Oid type = connection->Types[i];
        // A join may repeat a name: each field keeps one of its own, as the SQLite dataset's do.
        const AnsiString name = PQfname(described.get(), static_cast<int>(i));
        AnsiString unique = name;
        for (int n = 1; FindField(unique); ++n)
            unique = name + ":" + IntToStr(n);
        CreateField(unique, PgFieldTypeOf(type));
    }
    try {
        connection->Copy = PgCopyStatement(select, TextFunctions(db, connection->Types));
    } catch (const TReadFailure& failure) {
        Fail(failure.Reason);
    }
    connection->Rows.emplace(connection->Types);
    if (auto reason = Run(db, "ROLLBACK"))
        Fail(*reason);
    FConnection = std::move(connection);
}

void TPgDataSet::InternalClose()
{
    FConnection.reset();
}

bool TPgDataSet::InternalFirst()
{
    TConnection& c = *FConnection;
    // A pass cut short (a preview) leaves records on their way, which only the connection's end
    // stops; one the server closed since (an idle timeout) is made again too.
    if (c.Copying || PQstatus(c.Get()) != CONNECTION_OK || (c.InPass && Run(c.Get(), "ROLLBACK"))) {
        c.Copying = c.InPass = false;
        c.Db.reset();
        c.Db = Connect(FConnectionString, FPassword);
    }
    try {
        c.Begin();
        return c.ReadRow(Record());
    } catch (const TReadFailure& failure) {
        Fail(failure.Reason);
    }
}

bool TPgDataSet::InternalNext()
{
    try {
        return FConnection->ReadRow(Record());
    } catch (const TReadFailure& failure) {
        Fail(failure.Reason);
    }
}

std::vector<AnsiString> TPgDataSet::TableNames() const
{
    static const char catalog[] =
        "SELECT n.nspname, c.relname FROM pg_catalog.pg_class c "
        "JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace "
        "WHERE c.relkind IN ('r', 'v', 'm', 'f', 'p') AND n.nspname <> 'information_schema' "
        "AND n.nspname NOT LIKE 'pg\\_%' AND pg_catalog.has_table_privilege(c.oid, 'SELECT') "
        "ORDER BY 1, 2";
    auto refuse = [&](const AnsiString& reason) {
        throw EDatabaseError(Format(SCannotListTables, {Where(FConnectionString), reason}));
    };
    TPgConnection db = Connect(FConnectionString, FPassword);
    if (auto reason = Run(db.get(), CatalogTimeout))
        refuse(*reason);
    TPgResult result(PQexec(db.get(), catalog));
    if (PQresultStatus(result.get()) != PGRES_TUPLES_OK)
        refuse(ReasonOf(db.get(), result.get()));
    std::vector<AnsiString> names;
    for (int row = 0; row < PQntuples(result.get()); ++row)
        names.push_back(PgNamePartText(PQgetvalue(result.get(), row, 0)) + "." +
                        PgNamePartText(PQgetvalue(result.get(), row, 1)));
    return names;
}
