// TPgDataSet on the test program's own server: fields from the server's types, names and SQL
// that can only read, every failure with its reason, and a password that is used but never kept.

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <memory>

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

TEST(PgDataSet, EachPassReadsEveryRecordInOrderThroughItsBatches)
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
