// TSQLiteDataSet on real database files made in a temporary folder.

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>

#include "tests/ReadOnlyTree.h"
#include "vcldb50/Sqlitedataset.h"

namespace fs = std::filesystem;

namespace {

class SQLiteDataSet : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "sqliteds-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        Dir = pattern;
        Db = (Dir / "sample.db").string();
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(Db.c_str(), &db), SQLITE_OK);
        int rc = sqlite3_exec(db,
            "CREATE TABLE people (id INTEGER PRIMARY KEY, \"Name\" TEXT, age INT, \"odd \"\"q\"\" col\");"
            "CREATE TABLE \"my \"\"odd\"\" table\" (a, b);"
            "CREATE TABLE pets (id INTEGER, owner INTEGER, name TEXT);"
            "CREATE VIEW owners AS SELECT people.id, pets.id, pets.name FROM people JOIN pets;",
            nullptr, nullptr, nullptr);
        sqlite3_close(db);
        ASSERT_EQ(rc, SQLITE_OK);
        DataSet.SetDatabaseName(Db);
    }
    void TearDown() override { fs::remove_all(Dir); }

    std::set<std::string> FilesInDir() const
    {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(Dir))
            names.insert(entry.path().filename().string());
        return names;
    }

    std::vector<AnsiString> FieldNames() const
    {
        std::vector<AnsiString> names;
        for (int i = 0; i < DataSet.FieldCount(); ++i)
            names.push_back(DataSet.Fields()->Fields(i)->FieldName());
        return names;
    }

    // The open must raise EDatabaseError whose message holds `reason` and leave the set closed.
    void ExpectOpenFails(const std::string& reason)
    {
        try {
            DataSet.SetActive(true);
            ADD_FAILURE() << "opened";
        } catch (const EDatabaseError& e) {
            EXPECT_NE(e.Message().find(reason), std::string::npos) << e.Message();
        }
        EXPECT_FALSE(DataSet.Active());
        EXPECT_EQ(DataSet.FieldCount(), 0);
    }

    fs::path Dir;
    std::string Db;
    TSQLiteDataSet DataSet{nullptr};
};

}  // namespace

TEST_F(SQLiteDataSet, OpenReadsTheColumnsInOrder)
{
    DataSet.SetTableName("people");
    DataSet.SetActive(true);
    ASSERT_TRUE(DataSet.Active());
    EXPECT_EQ(FieldNames(), (std::vector<AnsiString>{"id", "Name", "age", "odd \"q\" col"}));
    DataSet.Close();

    DataSet.SetTableName("my \"odd\" table");
    DataSet.Open();
    EXPECT_EQ(FieldNames(), (std::vector<AnsiString>{"a", "b"}));
    DataSet.Close();

    // A view may repeat a column name; every field must still be found by its own.
    DataSet.SetTableName("owners");
    DataSet.Open();
    ASSERT_EQ(DataSet.FieldCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(DataSet.FieldByName(DataSet.Fields()->Fields(i)->FieldName())->Index(), i);
}

TEST_F(SQLiteDataSet, TableNameIsNeverRunAsSql)
{
    // Each would be a working query if the name were pasted into the statement.
    for (const char* attack : {"(SELECT 1 AS x)", "people\" UNION SELECT 1,2,3,4 --", "people; SELECT 1"}) {
        DataSet.SetTableName(attack);
        ExpectOpenFails("no such table");
    }
}

TEST_F(SQLiteDataSet, EachFailureRaisesWithTheReason)
{
    DataSet.SetTableName("nope");
    ExpectOpenFails("no such table: nope");
    DataSet.SetTableName("");
    ExpectOpenFails("Missing TableName property");

    DataSet.SetTableName("people");
    DataSet.SetDatabaseName("");
    ExpectOpenFails("Missing DatabaseName property");
    DataSet.SetDatabaseName((Dir / "missing.db").string());
    ExpectOpenFails("unable to open database file");
    std::ofstream((Dir / "notes.txt").string()) << "just some notes, not a database at all\n";
    DataSet.SetDatabaseName((Dir / "notes.txt").string());
    ExpectOpenFails("file is not a database");

    // c_str() would cut these at the null and open the file or table before it.
    DataSet.SetDatabaseName(Db + std::string("\0.other", 7));
    ExpectOpenFails("DatabaseName contains a null character");
    DataSet.SetDatabaseName(Db);
    DataSet.SetTableName(std::string("people\0junk", 11));
    ExpectOpenFails("TableName contains a null character");
}

TEST_F(SQLiteDataSet, OpeningNeverCreatesOrChangesAFile)
{
    const auto before = FilesInDir();
    const auto stamp = fs::last_write_time(Db);
    DataSet.SetTableName("people");
    const std::string missing = (Dir / "new.db").string();
    // SQLite takes "file:" names as URIs, which could ask for a new file or a memory database.
    for (const std::string& name : {missing, "file:" + missing + "?mode=rwc", "file:" + missing + "?mode=memory"}) {
        DataSet.SetDatabaseName(name);
        ExpectOpenFails("unable to open");
    }
    DataSet.SetDatabaseName(Db);
    DataSet.Open();
    DataSet.Close();
    EXPECT_EQ(FilesInDir(), before);
    EXPECT_EQ(fs::last_write_time(Db), stamp);
}

TEST_F(SQLiteDataSet, FormReadingOpensOnceAllPropertiesAreSet)
{
    // A form file sets Active before DatabaseName and TableName, on a class made by name.
    TClass cls = GetClass("TSQLiteDataSet");
    ASSERT_EQ(cls, TSQLiteDataSet::StaticClass());
    std::unique_ptr<TObject> object(cls->Create(nullptr));
    auto* ds = As<TSQLiteDataSet>(object.get());
    ds->SetLoading(true);
    SetOrdProp(ds, "Active", 1);
    SetStrProp(ds, "DatabaseName", Db);
    SetStrProp(ds, "TableName", "pets");
    EXPECT_FALSE(ds->Active());
    ds->Loaded();
    EXPECT_TRUE(ds->Active());
    EXPECT_EQ(ds->FieldCount(), 3);
}

// A database in WAL mode is read without a file left beside it, in a folder that can be written
// and in one that cannot; while a writer keeps its WAL, the dataset reads through it.
TEST_F(SQLiteDataSet, AWalDatabaseIsReadWithNoFileLeftBesideIt)
{
    sqlite3* writer = nullptr;
    auto exec = [&](const char* sql) { return sqlite3_exec(writer, sql, nullptr, nullptr, nullptr); };
    ASSERT_EQ(sqlite3_open(Db.c_str(), &writer), SQLITE_OK);
    ASSERT_EQ(exec("PRAGMA journal_mode=WAL"), SQLITE_OK);
    sqlite3_close(writer);  // the last connection takes its -wal and -shm along
    const auto before = FilesInDir();
    const auto stamp = fs::last_write_time(Db);
    auto columns = [&](const char* table) {
        DataSet.SetTableName(table);
        DataSet.Open();
        const std::vector<AnsiString> names = FieldNames();
        DataSet.Close();
        return names;
    };
    EXPECT_EQ(columns("pets"), (std::vector<AnsiString>{"id", "owner", "name"}));
    EXPECT_EQ(FilesInDir(), before);
    EXPECT_EQ(fs::last_write_time(Db), stamp);
    // A name whose bytes a URI would take apart.
    const fs::path odd = Dir / "a?b#c%41 d\xC3\xA9.db";
    fs::copy_file(Db, odd);
    DataSet.SetDatabaseName(odd.string());
    EXPECT_EQ(columns("pets").size(), 3u);
    fs::remove(odd);
    DataSet.SetDatabaseName(Db);

    // A table only the working writer's WAL holds yet.
    ASSERT_EQ(sqlite3_open(Db.c_str(), &writer), SQLITE_OK);
    ASSERT_EQ(exec("CREATE TABLE fresh (x)"), SQLITE_OK);
    const auto working = FilesInDir();
    EXPECT_EQ(columns("fresh"), std::vector<AnsiString>{"x"});
    EXPECT_EQ(FilesInDir(), working);
    sqlite3_close(writer);
    ASSERT_EQ(FilesInDir(), before);

    TReadOnlyTree readOnly(Dir);
    if (!readOnly.Made())
        GTEST_SKIP() << "this file system has no immutable attribute, which keeps root from writing a folder";
    EXPECT_EQ(columns("fresh"), std::vector<AnsiString>{"x"});
    EXPECT_EQ(FilesInDir(), before);
}
