// TPgDataSet on the test program's own server: fields from the server's types, names and SQL
// that can only read, every failure with its reason, and a password that is used but never kept.

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <bit>
#include <chrono>
#include <cmath>
#include <memory>
#include <thread>

#include "tests/TempFolder.h"
#include "tests/pg/PgTesting.h"
#include "vcl50/Formresources.h"
#include "vcl50/Forms.h"
#include "vcldb50/Pgdataset.h"

namespace {

std::vector<AnsiString> FieldNames(const TDataSet& dataSet)
{
    std::vector<AnsiString> names;
    for (int i = 0; i < dataSet.FieldCount(); ++i)
        names.push_back(dataSet.Fields()->Fields(i)->FieldName());
    return names;
}

// Opens and reads every record; the message of what it raised, or "" when nothing failed.
AnsiString OpenAndRead(TPgDataSet& dataSet)
{
    try {
        dataSet.Close();
        dataSet.Open();
        for (dataSet.First(); !dataSet.Eof(); dataSet.Next()) {
        }
    } catch (const EDatabaseError& e) {
        return e.Message();
    }
    return "";
}

int64_t Count(const std::string& sql)
{
    TPgDataSet count(nullptr);
    count.SetConnectionString(PgServer().ConnectionString());
    count.SetSQL(sql);
    count.Open();
    count.First();
    return count.Fields()->Fields(0)->AsInteger();
}

}  // namespace

TEST(PgDataSet, FieldsAreTypedFromTheServersTypesAndValuesKeptExact)
{
    TPgDataSet dataSet(nullptr);
    dataSet.SetConnectionString(PgServer().ConnectionString());
    dataSet.SetTableName("every_type");
    dataSet.Open();
    struct Column {
        const char* name;
        TFieldType type;
        TFieldValue::TKind first, edge;  // the kinds of the first and of the third record
    };
    using V = TFieldValue;
    const Column columns[] = {
        {"id", ftInteger, V::vkInteger, V::vkInteger}, {"small", ftInteger, V::vkInteger, V::vkInteger},
        {"large", ftLargeint, V::vkInteger, V::vkInteger},
        // Up to 15 digits a number; past them the exact digits, as text.
        {"exact", ftFloat, V::vkFloat, V::vkFloat}, {"wide", ftFloat, V::vkText, V::vkFloat},
        {"single", ftFloat, V::vkFloat, V::vkFloat}, {"double", ftFloat, V::vkFloat, V::vkFloat},
        {"yes", ftBoolean, V::vkBoolean, V::vkBoolean}, {"label", ftString, V::vkText, V::vkText},
        {"code", ftString, V::vkText, V::vkText}, {"fixed", ftString, V::vkText, V::vkText},
        // Infinity, 24:00 and years outside 1..9999 have no TDateTime: the server's text stays.
        {"day", ftDate, V::vkDateTime, V::vkText}, {"at", ftTime, V::vkDateTime, V::vkText},
        {"moment", ftDateTime, V::vkDateTime, V::vkText}, {"instant", ftDateTime, V::vkDateTime, V::vkText},
        {"data", ftBlob, V::vkBytes, V::vkBytes}, {"doc", ftMemo, V::vkText, V::vkText},
        {"docb", ftMemo, V::vkText, V::vkText}, {"tag", ftString, V::vkText, V::vkText},
        {"list", ftString, V::vkText, V::vkText}, {"words", ftString, V::vkText, V::vkText},
    };
    ASSERT_EQ(dataSet.FieldCount(), static_cast<int>(std::size(columns)));
    std::vector<std::vector<V::TKind>> kinds;
    for (dataSet.First(); !dataSet.Eof(); dataSet.Next()) {
        kinds.emplace_back();
        for (const Column& c : columns)
            kinds.back().push_back(dataSet.FieldByName(c.name)->Value().Kind);
    }
    ASSERT_EQ(kinds.size(), 3u);
    for (size_t i = 0; i < std::size(columns); ++i) {
        SCOPED_TRACE(columns[i].name);
        EXPECT_EQ(dataSet.FieldByName(columns[i].name)->DataType(), columns[i].type);
        EXPECT_EQ(kinds[0][i], columns[i].first);
        EXPECT_EQ(kinds[1][i], i == 0 ? V::vkInteger : V::vkNull);
        EXPECT_EQ(kinds[2][i], columns[i].edge);
    }
    dataSet.First();
    EXPECT_EQ(dataSet.FieldByName("instant")->AsDateTime(), EncodeDateTime(2024, 2, 29, 12, 45, 30, 0));
    EXPECT_EQ(dataSet.FieldByName("at")->AsDateTime(), EncodeTime(13, 45, 30, 123));
    EXPECT_EQ(dataSet.FieldByName("data")->AsString(), AnsiString("\0\xFF", 2));

    // A time with a zone is read in the session's zone, which the connection string may choose.
    TPgDataSet zoned(nullptr);
    zoned.SetConnectionString(PgServer().ConnectionString() + " options='-c TimeZone=Asia/Kolkata'");
    zoned.SetSQL("SELECT instant FROM every_type WHERE id = 1");
    zoned.Open();
    zoned.First();
    EXPECT_EQ(zoned.Fields()->Fields(0)->AsDateTime(), EncodeDateTime(2024, 2, 29, 18, 15, 30, 0));
}

TEST(PgDataSet, ATableNameIsQuotedAndNeverRun)
{
    struct Case {
        const char* tableName;
        std::vector<AnsiString> fields;  // empty: fails
        const char* failure;
    };
    const Case cases[] = {
        {"customers", {"id", "name", "city", "email"}, nullptr},
        {" PUBLIC.Customers ", {"id", "name", "city", "email"}, nullptr},
        {"\"Back Office\".\"Odd \"\"Name\"\"\"", {"n"}, nullptr},
        {"order_lines", {"id", "customer", "product", "quantity", "total"}, nullptr},
        {"\"Customers\"", {}, "relation \"Customers\" does not exist"},
        {"nosuch.customers", {}, "relation \"nosuch.customers\" does not exist"},
        {"customers; DROP TABLE orders", {}, "is not a table name"},
        {"customers\" UNION SELECT 1, 2, 3, 4 --", {}, "is not a table name"},
        {"(SELECT 1)", {}, "is not a table name"},
        {"shop.public.customers", {}, "is not a table name"},
        {"\"open", {}, "is not a table name"},
        {"", {}, "Missing TableName property"},
    };
    TPgDataSet dataSet(nullptr);
    dataSet.SetConnectionString(PgServer().ConnectionString());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tableName);
        dataSet.Close();
        dataSet.SetTableName(c.tableName);
        const AnsiString failure = OpenAndRead(dataSet);
        if (c.failure) {
            EXPECT_NE(failure.find(c.failure), AnsiString::npos) << failure;
            EXPECT_FALSE(dataSet.Active());
        } else {
            EXPECT_EQ(failure, "");
            EXPECT_EQ(FieldNames(dataSet), c.fields);
        }
    }
    EXPECT_EQ(Count("SELECT count(*) FROM orders"), 5);
}

TEST(PgDataSet, SqlIsOneQueryAndNothingIsWrittenThroughIt)
{
    struct Case {
        const char* sql;
        const char* failure;  // null: reads
    };
    const Case cases[] = {
        {"SELECT c.name, o.id, c.id FROM orders o JOIN customers c ON c.id = o.customer_id", nullptr},
        {"TABLE products", nullptr},
        {"  VALUES (1, 'a') -- a comment\n", nullptr},
        // What may follow a query's end, and what only looks like it inside the query.
        {"SELECT 1 AS one; -- done", nullptr},
        {"TABLE products;; /* the end */ ", nullptr},
        {"SELECT ';' AS semi, $$--$$ AS dashes, E'\\';' AS quote /* one ; */;", nullptr},
        {"SELECT 1 AS one; DROP TABLE orders", "cannot insert multiple commands"},
        {"DELETE FROM orders", "only a query can be read"},
        {"INSERT INTO customers VALUES (9, 'Ida') RETURNING *", "only a query can be read"},
        {"CREATE TABLE made (a int)", "only a query can be read"},
        {"COMMIT", "only a query can be read"},
        {"WITH gone AS (DELETE FROM orders RETURNING *) SELECT * FROM gone", "DECLARE CURSOR must not contain data-modifying statements in WITH"},
        {"SELECT nextval('tickets')", "cannot execute nextval() in a read-only transaction"},
        {"SELECT * FROM customers FOR UPDATE", "cannot execute SELECT FOR UPDATE in a read-only transaction"},
        {"SELECT setval('tickets', 99)", "cannot execute setval() in a read-only transaction"},
        {"SELECT * FROM nosuch", "relation \"nosuch\" does not exist"},
    };
    TPgDataSet dataSet(nullptr);
    dataSet.SetConnectionString(PgServer().ConnectionString());
    dataSet.SetTableName("customers");  // SQL wins
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sql);
        dataSet.Close();
        dataSet.SetSQL(c.sql);
        const AnsiString failure = OpenAndRead(dataSet);
        if (c.failure)
            EXPECT_NE(failure.find("Cannot run the SQL on '" + PgServer().ConnectionString() + "': " + c.failure),
                      AnsiString::npos) << failure;
        else
            EXPECT_EQ(failure, "");
    }
    EXPECT_EQ(Count("SELECT count(*) FROM orders"), 5);
    EXPECT_EQ(Count("SELECT count(*) FROM customers"), 4);
    EXPECT_EQ(Count("SELECT count(*) FROM pg_class WHERE relname = 'made'"), 0);
    EXPECT_EQ(Count("SELECT last_value FROM tickets"), 1);

    // A join's repeated names each get a field of their own.
    dataSet.Close();
    dataSet.SetSQL(cases[0].sql);
    dataSet.Open();
    EXPECT_EQ(FieldNames(dataSet), (std::vector<AnsiString>{"name", "id", "id:1"}));
    // Opening reads the columns only: a record that cannot be made fails when it is read.
    dataSet.Close();
    dataSet.SetSQL("SELECT 1 / (id - id) AS x FROM customers");
    dataSet.Open();
    EXPECT_EQ(FieldNames(dataSet), std::vector<AnsiString>{"x"});
    EXPECT_NE(OpenAndRead(dataSet).find("division by zero"), AnsiString::npos);
}

TEST(PgDataSet, EachConnectionFailureSaysWhyAndNeverShowsThePassword)
{
    // A server that takes the connection and never answers it.
    TTempFolder silent("pg-silent");
    const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = (silent.Path() / ".s.PGSQL.5432").string();
    socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(listener, 4), 0);

    const std::string shop = PgServer().ConnectionString();
    struct Case {
        std::string connection;
        const char* sql;
        const char* failure;
    };
    const Case cases[] = {
        {shop + " password=wrong", "TABLE customers", "password authentication failed for user \"shop\""},
        {PgServer().ConnectionString("nobody-here"), "TABLE customers", "password authentication failed"},
        {PgServer().ConnectionString("shop", "nosuch"), "TABLE customers", "database \"nosuch\" does not exist"},
        {"host=" + (silent.Path() / "none").string() + " dbname=shop", "TABLE customers", "No such file or directory"},
        {"host=" + silent.Path().string() + " dbname=shop connect_timeout=2", "TABLE customers", "timeout expired"},
        {"host=db dbname", "TABLE customers", "missing \"=\" after \"dbname\" in connection info string"},
        {"colour=blue", "TABLE customers", "invalid connection option \"colour\""},
        {shop + " options='-c statement_timeout=200'", "SELECT pg_sleep(5) AS nap",
         "canceling statement due to statement timeout"},
    };
    TPgDataSet dataSet(nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.connection);
        dataSet.Close();
        dataSet.SetConnectionString(c.connection);
        dataSet.SetSQL(c.sql);
        const AnsiString failure = OpenAndRead(dataSet);
        EXPECT_NE(failure.find(c.failure), AnsiString::npos) << failure;
        EXPECT_EQ(failure.find("wrong"), AnsiString::npos) << failure;
    }
    close(listener);
}

TEST(PgDataSet, APasswordGivenIsUsedButNeverStored)
{
    // The clerk's password is not PGPASSWORD's: only the one given can open the dataset.
    std::unique_ptr<TForm> form = ConstructUnique<TForm>(nullptr, 0);
    form->SetName("Form1");
    auto* dataSet = new TPgDataSet(form.get());
    dataSet->SetName("Orders");
    const std::string given = PgServer().ConnectionString("clerk") + " password='" + TPgServer::ClerkPassword + "'";
    dataSet->SetConnectionString(given);
    dataSet->SetTableName("orders");
    EXPECT_EQ(dataSet->ConnectionString(), PgServer().ConnectionString("clerk"));
    EXPECT_EQ(dataSet->ShownConnectionString(), PgServer().ConnectionString("clerk") + " password=***");
    EXPECT_EQ(OpenAndRead(*dataSet), "");

    // The shown text given back keeps the password; any other text drops it.
    dataSet->Close();
    dataSet->SetConnectionString(dataSet->ShownConnectionString());
    EXPECT_EQ(OpenAndRead(*dataSet), "");
    dataSet->Close();
    const AnsiString formText = WriteComponentResourceText(form.get());
    EXPECT_EQ(formText.find(TPgServer::ClerkPassword), AnsiString::npos) << formText;
    EXPECT_EQ(formText.find("password"), AnsiString::npos) << formText;

    std::unique_ptr<TForm> again = ConstructUnique<TForm>(nullptr, 0);
    ReadComponentResourceText(again.get(), formText);
    auto* read = As<TPgDataSet>(again->FindComponent("Orders"));
    ASSERT_NE(read, nullptr);
    EXPECT_FALSE(read->HoldsPassword());
    EXPECT_NE(OpenAndRead(*read).find("password authentication failed for user \"clerk\""), AnsiString::npos);
    dataSet->Close();
    dataSet->SetConnectionString(PgServer().ConnectionString("clerk"));
    EXPECT_FALSE(dataSet->HoldsPassword());
    EXPECT_NE(OpenAndRead(*dataSet).find("password authentication failed"), AnsiString::npos);
}

TEST(PgDataSet, EachPassReadsEveryRecordInOrder)
{
    TPgDataSet dataSet(nullptr);
    dataSet.SetConnectionString(PgServer().ConnectionString());
    dataSet.SetSQL("SELECT i, repeat('x', i % 500) AS pad FROM generate_series(1, 30000) i");
    dataSet.Open();
    EXPECT_EQ(dataSet.RecordCountHint(), -1);
    // A pass left part way (a preview) and two whole passes (a writer that measures first).
    for (int64_t stop : {int64_t{100}, int64_t{-1}, int64_t{-1}}) {
        int64_t expected = 1;
        bool inOrder = true;
        for (dataSet.First(); !dataSet.Eof() && expected != stop; dataSet.Next())
            inOrder = inOrder && dataSet.Fields()->Fields(0)->AsInteger() == expected++ &&
                      dataSet.Fields()->Fields(1)->AsString().size() == static_cast<size_t>((expected - 1) % 500);
        EXPECT_TRUE(inOrder);
        EXPECT_EQ(expected - 1, stop < 0 ? 30000 : stop - 1);
    }
    // No transaction is left open between passes that read to the end.
    EXPECT_EQ(Count("SELECT count(*) FROM pg_stat_activity WHERE state LIKE 'idle in transaction%'"), 0);
}

TEST(PgDataSet, ValuesAreTheServersToTheMillisecondOrItsOwnText)
{
    using V = TFieldValue;
    struct Case {
        const char* literal;
        V::TKind kind;
        TDateTime moment;  // for vkDateTime; a vkText value is the server's own text of it
    };
    const Case cases[] = {
        {"date '2024-02-29'", V::vkDateTime, EncodeDate(2024, 2, 29)},
        {"date '0001-01-01'", V::vkDateTime, EncodeDate(1, 1, 1)},
        {"date '1899-12-29'", V::vkDateTime, EncodeDate(1899, 12, 29)},
        {"date '9999-12-31'", V::vkDateTime, EncodeDate(9999, 12, 31)},
        {"date '10000-01-01'", V::vkText, 0}, {"date '0044-03-15 BC'", V::vkText, 0},
        {"date 'infinity'", V::vkText, 0}, {"date '-infinity'", V::vkText, 0},
        {"time '00:00'", V::vkDateTime, 0},
        {"time '12:00:00.0005'", V::vkDateTime, EncodeTime(12, 0, 0, 1)},
        {"time '23:59:59.9994'", V::vkDateTime, EncodeTime(23, 59, 59, 999)},
        {"time '23:59:59.9995'", V::vkText, 0}, {"time '24:00:00'", V::vkText, 0},
        {"timestamp '2024-02-29 13:45:30.1235'", V::vkDateTime, EncodeDateTime(2024, 2, 29, 13, 45, 30, 124)},
        {"timestamp '1899-12-29 18:00:00'", V::vkDateTime, EncodeDateTime(1899, 12, 29, 18, 0, 0, 0)},
        {"timestamp '1000-06-15 23:59:59.9996'", V::vkDateTime, EncodeDate(1000, 6, 16)},
        {"timestamp '0001-01-01 00:00:00'", V::vkDateTime, EncodeDate(1, 1, 1)},
        {"timestamp '9999-12-31 23:59:59.9994'", V::vkDateTime, EncodeDateTime(9999, 12, 31, 23, 59, 59, 999)},
        {"timestamp '9999-12-31 23:59:59.9995'", V::vkText, 0},
        {"timestamp '0001-12-31 23:59:59.5 BC'", V::vkText, 0},
        {"timestamp '4713-01-01 00:00:00.000001 BC'", V::vkText, 0},
        {"timestamp '294276-12-31 23:59:59.999999'", V::vkText, 0},
        {"timestamp '-infinity'", V::vkText, 0},
        {"timestamptz '2024-02-29 13:45:30.25+00'", V::vkDateTime, EncodeDateTime(2024, 2, 29, 13, 45, 30, 250)},
        // Types read as their output function writes them, which a cast to text may not.
        {"inet '10.0.0.1'", V::vkText, 0}, {"'ab'::char(4)", V::vkText, 0},
        {"interval '1 day 02:00'", V::vkText, 0}, {"ARRAY[date '2024-01-02', NULL]", V::vkText, 0},
        {"ROW(1, 'a b')", V::vkText, 0}, {"'{\"b\": [1, 2]}'::jsonb", V::vkText, 0},
    };
    AnsiString select = "SELECT ", asText = "SELECT ";
    for (size_t i = 0; i < std::size(cases); ++i) {
        select += AnsiString(i ? ", " : "") + cases[i].literal;
        asText += AnsiString(i ? ", " : "") + "pg_catalog.format('%s', " + cases[i].literal + ")";
    }
    const std::vector<std::string> texts = PgServer().Query("SET TimeZone = 'UTC'; " + asText).at(0);
    TPgDataSet dataSet(nullptr);
    dataSet.SetConnectionString(PgServer().ConnectionString() + " options='-c TimeZone=UTC'");
    dataSet.SetSQL(select);
    dataSet.Open();
    dataSet.First();
    ASSERT_FALSE(dataSet.Eof());
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].literal);
        const V& value = dataSet.Fields()->Fields(static_cast<int>(i))->Value();
        ASSERT_EQ(value.Kind, cases[i].kind) << value.Text;
        if (value.Kind == V::vkText)
            EXPECT_EQ(value.Text, texts.at(i));
        else
            EXPECT_EQ(value.Float, cases[i].moment) << ISODateTime(value.Float);
    }

    // Numbers, at their ends.
    dataSet.Close();
    dataSet.SetSQL("SELECT int2 '-32768', int4 '2147483647', int8 '-9223372036854775808', oid '4294967295', "
                   "float8 '0.1', float8 '-0', float8 '5e-324', float8 '-Infinity', real '0.1', numeric '0.10'");
    dataSet.Open();
    dataSet.First();
    const int64_t integers[] = {-32768, 2147483647, INT64_MIN, 4294967295};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(dataSet.Fields()->Fields(i)->Value().Integer, integers[i]) << i;
    const double floats[] = {0.1, -0.0, 5e-324, -HUGE_VAL, 0.1, 0.1};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(dataSet.Fields()->Fields(4 + i)->Value().Kind, V::vkFloat) << i;
        EXPECT_EQ(std::bit_cast<uint64_t>(dataSet.Fields()->Fields(4 + i)->Value().Float), std::bit_cast<uint64_t>(floats[i])) << i;
    }
}

TEST(PgDataSet, AReadThatWaitsAsksWhetherToGoOnAndStopsAtOnce)
{
    TPgDataSet dataSet(nullptr);
    dataSet.SetConnectionString(PgServer().ConnectionString());
    dataSet.SetSQL("SELECT pg_sleep(CASE WHEN i = 2 THEN 30 ELSE 0 END), i FROM generate_series(1, 3) i");
    dataSet.Open();
    int asked = 0;
    dataSet.SetOnWait([&] { return ++asked < 3; });
    const auto started = std::chrono::steady_clock::now();
    AnsiString failure;
    try {
        for (dataSet.First(); !dataSet.Eof(); dataSet.Next()) {
        }
    } catch (const EDatabaseError& e) {
        failure = e.Message();
    }
    EXPECT_NE(failure.find("stopped while waiting for the server"), AnsiString::npos) << failure;
    EXPECT_EQ(asked, 3);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
    // The server stops the statement (soon: a cancel is a signal), and the next pass reads again.
    auto sleeping = [] {
        return Count("SELECT count(*) FROM pg_stat_activity WHERE state = 'active' AND query LIKE 'COPY%pg_sleep%' "
                     "AND pid <> pg_backend_pid()");
    };
    for (int i = 0; i < 50 && sleeping() != 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(sleeping(), 0);
    dataSet.SetOnWait(nullptr);
    dataSet.Close();
    dataSet.SetSQL("SELECT 7 AS seven");
    dataSet.Open();
    dataSet.First();
    EXPECT_EQ(dataSet.Fields()->Fields(0)->AsInteger(), 7);
}
