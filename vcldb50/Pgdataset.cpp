#include "vcldb50/Pgdataset.h"

#include <libpq-fe.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "vcldb50/Dbconsts.h"
#include "vcldb50/Pgconninfo.h"

namespace {

const bool registered = (RegisterClasses({TPgDataSet::StaticClass()}), true);

// An unreachable host must not hold a designer for long; the connection string may say more.
constexpr char DefaultConnectTimeout[] = "10";
// The designer's list of tables waits no longer than this for the catalog.
constexpr char CatalogTimeout[] = "SET statement_timeout = 5000";
// A batch is asked to hold about this many bytes, from a first small one: a wide row (a large
// bytea) then comes a few at a time, and narrow ones thousands at a time.
constexpr size_t BatchBytes = 2 << 20;
constexpr long FirstBatchRows = 16;
constexpr long MaxBatchRows = 8192;
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
using TPgConnection = std::unique_ptr<PGconn, FinishConnection>;
using TPgResult = std::unique_ptr<PGresult, ClearResult>;

// The built-in types' OIDs, fixed in every server since they were made.
enum : Oid {
    BoolOid = 16, ByteaOid = 17, Int8Oid = 20, Int2Oid = 21, Int4Oid = 23, OidOid = 26, JsonOid = 114, XmlOid = 142,
    Float4Oid = 700, Float8Oid = 701, DateOid = 1082, TimeOid = 1083, TimestampOid = 1114, TimestamptzOid = 1184,
    NumericOid = 1700, JsonbOid = 3802,
};

// Every other type (text, uuid, arrays, intervals, enums, ...) is text, as the server writes it.
TFieldType FieldTypeOf(Oid type)
{
    switch (type) {
    case Int2Oid:
    case Int4Oid: return ftInteger;
    case Int8Oid:
    case OidOid: return ftLargeint;
    case Float4Oid:
    case Float8Oid:
    case NumericOid: return ftFloat;
    case BoolOid: return ftBoolean;
    case DateOid: return ftDate;
    case TimeOid: return ftTime;
    case TimestampOid:
    case TimestamptzOid: return ftDateTime;
    case ByteaOid: return ftBlob;
    case JsonOid:
    case JsonbOid:
    case XmlOid: return ftMemo;
    default: return ftString;
    }
}

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

// ---- the table name ----

bool PlainNameByte(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '$' ||
           c >= 0x80;
}

// The parts of "name" or "schema.name" as the server names them; empty when the text is none.
std::vector<AnsiString> NameParts(std::string_view text)
{
    std::vector<AnsiString> parts;
    size_t i = 0;
    while (true) {
        AnsiString part;
        if (i < text.size() && text[i] == '"') {
            for (++i;; ++i) {
                if (i >= text.size())
                    return {};
                if (text[i] == '"' && !(i + 1 < text.size() && text[i + 1] == '"'))
                    break;
                if (text[i] == '"')
                    ++i;
                part += text[i];
            }
            ++i;
        } else {
            for (; i < text.size() && PlainNameByte(static_cast<unsigned char>(text[i])); ++i)
                part += static_cast<char>(text[i] >= 'A' && text[i] <= 'Z' ? text[i] - 'A' + 'a' : text[i]);
        }
        if (part.empty())
            return {};
        parts.push_back(part);
        if (i == text.size())
            return parts.size() <= 2 ? parts : std::vector<AnsiString>{};
        if (text[i] != '.')
            return {};
        ++i;
    }
}

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

// A part as TableName writes it: quoted only where reading it unquoted would change it.
AnsiString NamePartText(std::string_view name)
{
    bool plain = !name.empty() && !(name[0] >= '0' && name[0] <= '9') && name[0] != '$';
    for (char c : name)
        plain = plain && PlainNameByte(static_cast<unsigned char>(c)) && !(c >= 'A' && c <= 'Z');
    return plain ? AnsiString(name) : QuoteIdentifier(name);
}

// ---- values ----

bool Digits(std::string_view s, size_t at, size_t count, int& value)
{
    if (at + count > s.size())
        return false;
    value = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (s[i] < '0' || s[i] > '9')
            return false;
        value = value * 10 + (s[i] - '0');
    }
    return true;
}

struct TClock {
    int Hour, Minute, Second, Millisecond;
    bool NextDay;  // the fraction rounded up to midnight
};

// "HH:MM:SS[.ffffff]" from `at`, to the nearest millisecond; `at` ends after it.
bool ReadClock(std::string_view s, size_t& at, TClock& clock)
{
    int hour, minute, second;
    if (!Digits(s, at, 2, hour) || s.size() < at + 8 || s[at + 2] != ':' || !Digits(s, at + 3, 2, minute) ||
        s[at + 5] != ':' || !Digits(s, at + 6, 2, second) || hour > 23)
        return false;
    at += 8;
    int micro = 0;
    if (at < s.size() && s[at] == '.') {
        int scale = 100000;
        for (++at; at < s.size() && s[at] >= '0' && s[at] <= '9'; ++at, scale /= 10)
            micro += (s[at] - '0') * scale;
    }
    int ms = ((hour * 60 + minute) * 60 + second) * 1000 + (micro + 500) / 1000;
    const bool nextDay = ms == 86400000;
    if (nextDay)
        ms = 0;
    clock = {ms / 3600000, ms / 60000 % 60, ms / 1000 % 60, ms % 1000, nextDay};
    return true;
}

bool ReadDateTime(std::string_view s, bool withDate, bool withTime, bool withZone, TFieldValue& value)
{
    int year = 1899, month = 12, day = 30;
    size_t at = 0;
    if (withDate) {
        // Years past 9999, BC and infinity are kept as the server's text: TDateTime has no such day.
        if (!Digits(s, 0, 4, year) || s.size() < 10 || s[4] != '-' || !Digits(s, 5, 2, month) || s[7] != '-' ||
            !Digits(s, 8, 2, day))
            return false;
        at = 10;
    }
    TClock clock{0, 0, 0, 0, false};
    if (withDate && withTime && !(at < s.size() && s[at++] == ' '))
        return false;
    if (withTime && !ReadClock(s, at, clock))
        return false;
    if (withZone && at < s.size() && (s[at] == '+' || s[at] == '-')) {
        // The session's time zone is the one the time is in; its offset is left out.
        for (++at; at < s.size() && ((s[at] >= '0' && s[at] <= '9') || s[at] == ':'); ++at) {
        }
    }
    if (at != s.size())
        return false;
    TDateTime date;
    if (clock.NextDay) {
        // A time alone that rounds to 24:00 has no value of its kind; a moment is the next day's.
        if (!withDate || !TryEncodeDate(year, month, day, date) || (year == 9999 && month == 12 && day == 31))
            return false;
        DecodeDate(date + 1, year, month, day);
    }
    if (!TryEncodeDateTime(year, month, day, clock.Hour, clock.Minute, clock.Second, clock.Millisecond, date))
        return false;
    value.Kind = TFieldValue::vkDateTime;
    value.Float = date;
    return true;
}

bool ReadInteger(std::string_view s, TFieldValue& value)
{
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value.Integer);
    value.Kind = TFieldValue::vkInteger;
    return error == std::errc() && end == s.data() + s.size();
}

// NaN, Infinity and -Infinity included.
bool ReadFloat(std::string_view s, TFieldValue& value)
{
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value.Float);
    value.Kind = TFieldValue::vkFloat;
    return error == std::errc() && end == s.data() + s.size();
}

// A numeric of up to 15 significant digits is the double nearest to it, which reads back as the
// same digits; one of more digits stays the server's exact text rather than lose some.
bool ReadNumeric(std::string_view s, TFieldValue& value)
{
    int significant = 0, zeros = 0;
    bool started = false;
    for (char c : s) {
        if (c < '0' || c > '9')
            continue;
        if (c == '0') {
            zeros += started;
            continue;
        }
        significant += started ? zeros + 1 : 1;
        started = true;
        zeros = 0;
    }
    return significant <= 15 && ReadFloat(s, value);
}

// bytea as "\x" and two hex digits a byte.
bool ReadBytes(std::string_view s, TFieldValue& value)
{
    if (!s.starts_with("\\x") || s.size() % 2 != 0)
        return false;
    auto nibble = [](char c) {
        return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
    };
    value.Text.resize((s.size() - 2) / 2);
    for (size_t i = 2, o = 0; i < s.size(); i += 2, ++o)
        value.Text[o] = static_cast<char>(nibble(s[i]) << 4 | nibble(s[i + 1]));
    value.Kind = TFieldValue::vkBytes;
    return true;
}

// The value as the server wrote it in text; what has no value of the field's kind stays text.
void ReadValue(Oid type, std::string_view text, TFieldValue& value)
{
    bool read = false;
    switch (type) {
    case Int2Oid:
    case Int4Oid:
    case Int8Oid:
    case OidOid: read = ReadInteger(text, value); break;
    case Float4Oid:
    case Float8Oid: read = ReadFloat(text, value); break;
    case NumericOid: read = ReadNumeric(text, value); break;
    case BoolOid:
        value.Kind = TFieldValue::vkBoolean;
        value.Integer = text == "t";
        return;
    case DateOid: read = ReadDateTime(text, true, false, false, value); break;
    case TimeOid: read = ReadDateTime(text, false, true, false, value); break;
    case TimestampOid: read = ReadDateTime(text, true, true, false, value); break;
    case TimestamptzOid: read = ReadDateTime(text, true, true, true, value); break;
    case ByteaOid: read = ReadBytes(text, value); break;
    default: break;
    }
    if (!read) {
        value.Kind = TFieldValue::vkText;
        value.Text.assign(text);
    }
}

void CheckNoNul(const AnsiString& value, const char* property)
{
    if (value.find('\0') != AnsiString::npos)
        throw EDatabaseError(Format(SNulInName, {property}));
}

}  // namespace

struct TPgDataSet::TConnection {
    TPgConnection Db;
    AnsiString Declare;        // the statement that opens the cursor
    std::vector<Oid> Types;    // of the columns, as the fields were made
    bool InPass = false;       // a transaction is open
    TPgResult Batch;           // the records being read
    int Row = 0, Rows = 0;
    long BatchRows = FirstBatchRows;  // asked for in the batch on its way
    bool Pending = false;             // a FETCH was sent and its batch is not taken yet

    PGconn* Get() const { return Db.get(); }
};

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
    const std::vector<AnsiString> parts = NameParts(Trim(FTableName));
    if (parts.empty())
        throw EDatabaseError(Format(SNotATableName, {FTableName}));
    AnsiString select = "SELECT * FROM ";
    for (size_t i = 0; i < parts.size(); ++i)
        select += (i ? "." : "") + QuoteIdentifier(parts[i]);
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
    connection->Declare = "DECLARE " + AnsiString(CursorName) + " NO SCROLL CURSOR FOR " + SelectStatement();
    connection->Db = Connect(FConnectionString, FPassword);
    PGconn* db = connection->Get();

    // The cursor is declared and described, never fetched from: the columns, and no record.
    if (auto reason = Run(db, BeginPass))
        Fail(*reason);
    // The extended protocol takes one statement only: nothing can follow the query.
    TPgResult declared(PQexecParams(db, connection->Declare.c_str(), 0, nullptr, nullptr, nullptr, nullptr, 0));
    if (PQresultStatus(declared.get()) != PGRES_COMMAND_OK) {
        AnsiString reason = ReasonOf(db, declared.get());
        // A cursor is declared only for a query: a statement that the server reads well on its
        // own, but not there, is one that would do something else.
        if (!Trim(FSQL).empty() && IsSyntaxError(declared.get()) && !Run(db, "ROLLBACK")) {
            TPgResult alone(PQprepare(db, "", FSQL.c_str(), 0, nullptr));
            if (PQresultStatus(alone.get()) == PGRES_COMMAND_OK)
                reason = SNotAQuery;
        }
        Fail(reason);
    }
    TPgResult described(PQdescribePortal(db, CursorName));
    if (PQresultStatus(described.get()) != PGRES_COMMAND_OK)
        Fail(ReasonOf(db, described.get()));
    const int columns = PQnfields(described.get());
    if (columns == 0)
        Fail(SNoColumns);
    for (int i = 0; i < columns; ++i) {
        const Oid type = PQftype(described.get(), i);
        connection->Types.push_back(type);
        // A join may repeat a name: each field keeps one of its own, as the SQLite dataset's do.
        const AnsiString name = PQfname(described.get(), i);
        AnsiString unique = name;
        for (int n = 1; FindField(unique); ++n)
            unique = name + ":" + IntToStr(n);
        CreateField(unique, FieldTypeOf(type));
    }
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
    c.Batch.reset();
    c.Rows = c.Row = 0;
    // What is left of an earlier pass (a preview stops early) goes with its transaction; a
    // connection the server closed since (an idle timeout) is made again.
    while (PGresult* left = PQgetResult(c.Get()))
        PQclear(left);
    c.Pending = false;
    if (PQstatus(c.Get()) != CONNECTION_OK || (c.InPass && Run(c.Get(), "ROLLBACK"))) {
        c.InPass = false;
        c.Db = Connect(FConnectionString, FPassword);
    }
    if (auto reason = Run(c.Get(), BeginPass))
        Fail(*reason);
    c.InPass = true;
    TPgResult declared(PQexecParams(c.Get(), c.Declare.c_str(), 0, nullptr, nullptr, nullptr, nullptr, 0));
    if (PQresultStatus(declared.get()) != PGRES_COMMAND_OK)
        Fail(ReasonOf(c.Get(), declared.get()));
    c.BatchRows = FirstBatchRows;
    c.Pending = true;
    if (!PQsendQuery(c.Get(), ("FETCH " + IntToStr(c.BatchRows) + " FROM " + CursorName).c_str()))
        Fail(OneLine(PQerrorMessage(c.Get())));
    return NextBatch();
}

bool TPgDataSet::InternalNext()
{
    TConnection& c = *FConnection;
    if (++c.Row < c.Rows) {
        // What the server sent of the next batch so far is taken in now and then: it would stop
        // at a full socket and wait for this batch to be read, instead of working beside it.
        if (c.Pending && c.Row % 256 == 0)
            PQconsumeInput(c.Get());
        ReadRecord();
        return true;
    }
    return NextBatch();
}

bool TPgDataSet::NextBatch()
{
    TConnection& c = *FConnection;
    c.Batch.reset();
    c.Rows = c.Row = 0;
    if (!c.Pending)
        return false;  // the last batch came short: the pass ended with it
    c.Pending = false;
    TPgResult batch(PQgetResult(c.Get()));
    while (PGresult* rest = PQgetResult(c.Get()))
        PQclear(rest);
    if (PQresultStatus(batch.get()) != PGRES_TUPLES_OK)
        Fail(ReasonOf(c.Get(), batch.get()));
    const int columns = PQnfields(batch.get());
    bool same = columns == static_cast<int>(c.Types.size());
    for (int i = 0; same && i < columns; ++i)
        same = PQftype(batch.get(), i) == c.Types[static_cast<size_t>(i)];
    if (!same)
        Fail(SColumnsChanged);
    const int rows = PQntuples(batch.get());
    if (rows == c.BatchRows) {
        // The next batch is asked for now, so that the server makes it while this one is read.
        size_t bytes = 0;
        for (int row = 0; row < rows; ++row)
            for (int column = 0; column < columns; ++column)
                bytes += static_cast<size_t>(PQgetlength(batch.get(), row, column)) + 8;
        c.BatchRows = std::clamp(static_cast<long>(BatchBytes / std::max<size_t>(1, bytes / static_cast<size_t>(rows))),
                                 1L, MaxBatchRows);
        if (!PQsendQuery(c.Get(), ("FETCH " + IntToStr(c.BatchRows) + " FROM " + CursorName).c_str()))
            Fail(OneLine(PQerrorMessage(c.Get())));
        c.Pending = true;
    } else if (!Run(c.Get(), "COMMIT")) {
        c.InPass = false;  // read to the end: no transaction stays open between passes
    }
    if (rows == 0)
        return false;
    c.Batch = std::move(batch);
    c.Rows = rows;
    ReadRecord();
    return true;
}

void TPgDataSet::ReadRecord()
{
    TConnection& c = *FConnection;
    std::vector<TFieldValue>& record = Record();
    const PGresult* batch = c.Batch.get();
    for (size_t i = 0; i < record.size(); ++i) {
        const int column = static_cast<int>(i);
        const int length = PQgetlength(batch, c.Row, column);
        // Only an empty value can be NULL.
        if (length == 0 && PQgetisnull(batch, c.Row, column))
            record[i].SetNull();
        else
            ReadValue(c.Types[i], std::string_view(PQgetvalue(batch, c.Row, column), static_cast<size_t>(length)),
                      record[i]);
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
        names.push_back(NamePartText(PQgetvalue(result.get(), row, 0)) + "." +
                        NamePartText(PQgetvalue(result.get(), row, 1)));
    return names;
}
