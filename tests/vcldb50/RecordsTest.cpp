// Reading records: field types from declared types, values as stored, dates in three storages,
// the SQL property's limits, and relative database names.

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/TempFolder.h"
#include "tests/TrickyDatabase.h"
#include "vcl50/Documentfolder.h"
#include "vcldb50/Sqlitedataset.h"

namespace {

class Records : public ::testing::Test {
protected:
    void SetUp() override
    {
        MakeTrickyDatabase(Folder.Path() / "tricky.db");
        DataSet.SetDatabaseName(Folder.Path() / "tricky.db");
    }

    // Every value of one column, as AsString reads it, NULL as "(null)".
    std::vector<AnsiString> Column(const char* name)
    {
        std::vector<AnsiString> values;
        TField* field = DataSet.FieldByName(name);
        for (DataSet.First(); !DataSet.Eof(); DataSet.Next())
            values.push_back(field->IsNull() ? "(null)" : field->AsString());
        return values;
    }

    TTempFolder Folder{"records"};
    TSQLiteDataSet DataSet{nullptr};
};

TEST_F(Records, FieldsAreTypedByTheirDeclaredTypes)
{
    DataSet.SetTableName("tricky");
    DataSet.Open();
    const std::pair<const char*, TFieldType> expected[] = {
        {"id", ftLargeint}, {"name", ftString}, {"amount", ftFloat}, {"big", ftLargeint}, {"flag", ftBoolean},
        {"day", ftDate}, {"at", ftTime}, {"stamp", ftDateTime}, {"note", ftMemo}, {"data", ftBlob},
    };
    ASSERT_EQ(DataSet.FieldCount(), 10);
    for (const auto& [name, type] : expected)
        EXPECT_EQ(DataSet.FieldByName(name)->DataType(), type) << name;
}

TEST_F(Records, ValuesReadAsStoredAndDatesFromEveryStorage)
{
    ShortDateFormat = "yyyy-mm-dd";
    LongTimeFormat = "hh:nn:ss";
    DataSet.SetTableName("tricky");
    DataSet.Open();
    EXPECT_EQ(Column("big"), (std::vector<AnsiString>{"0", "(null)", "9223372036854775807", "-9223372036854775808",
                                                      "42", "-1"}));
    // A value that is no number in a number column stays what it is: never a silent zero.
    EXPECT_EQ(Column("amount"), (std::vector<AnsiString>{"1.5", "(null)", "0.1", "-2.5e-300", "INF", "NaN"}));
    EXPECT_EQ(Column("flag"), (std::vector<AnsiString>{"True", "(null)", "False", "False", "True", "False"}));
    // ISO text, a Julian day and Unix seconds read as the same kind of value; other text stays text.
    EXPECT_EQ(Column("day"), (std::vector<AnsiString>{"2024-02-29", "(null)", "2024-02-29", "2024-02-29",
                                                      "not a date", "1999-12-31"}));
    EXPECT_EQ(Column("stamp"), (std::vector<AnsiString>{"2024-02-29 13:45:30", "(null)", "2024-02-29 13:45:30",
                                                        "2024-02-29 13:45:30", "soon", "1999-12-31 23:59:59"}));
    EXPECT_EQ(Column("at")[3], "23:59:59");
    DataSet.First();
    EXPECT_EQ(DataSet.FieldByName("data")->Value().Kind, TFieldValue::vkBytes);
    EXPECT_EQ(DataSet.FieldByName("data")->AsString(), AnsiString("\0\xFF", 2));
    EXPECT_EQ(DataSet.FieldByName("stamp")->AsDateTime(), EncodeDate(2024, 2, 29) + EncodeTime(13, 45, 30, 0));
    EXPECT_EQ(DataSet.FieldByName("id")->AsInteger(), 1);
    EXPECT_EQ(DataSet.FieldByName("amount")->AsFloat(), 1.5);
    EXPECT_TRUE(DataSet.FieldByName("flag")->AsBoolean());
    EXPECT_THROW(DataSet.FieldByName("name")->AsInteger(), EConvertError);
}

TEST_F(Records, ReadingRestartsAndEndsCleanly)
{
    DataSet.SetTableName("tricky");
    EXPECT_THROW(DataSet.First(), EDatabaseError);  // closed
    DataSet.Open();
    EXPECT_EQ(DataSet.RecordCountHint(), TrickyRowCount);
    int rows = 0;
    for (DataSet.First(); !DataSet.Eof(); DataSet.Next())
        ++rows;
    EXPECT_EQ(rows, TrickyRowCount);
    DataSet.Next();  // past the end stays there
    EXPECT_TRUE(DataSet.Eof());
    EXPECT_TRUE(DataSet.FieldByName("id")->IsNull());
    DataSet.First();
    EXPECT_EQ(DataSet.FieldByName("id")->AsInteger(), 1);
}

TEST_F(Records, SqlReadsOneStatementAndNeverWrites)
{
    struct Case {
        const char* sql;
        const char* failure;  // null: opens
    };
    const Case cases[] = {
        {"SELECT id, upper(name) AS shout, amount * 2 FROM tricky WHERE id = 1", nullptr},
        {"  -- leading comment\nSELECT 1 AS one; -- trailing comment\n", nullptr},
        {"DELETE FROM tricky", "attempt to write a readonly database"},
        {"INSERT INTO tricky (id) VALUES (7)", "attempt to write a readonly database"},
        {"SELECT 1; DROP TABLE tricky", "more than one statement"},
        {"ATTACH 'other.db' AS other", "no columns"},
        {"PRAGMA user_version = 3", "attempt to write a readonly database"},
        {"BEGIN", "no columns"},
        {"SELECT * FROM missing", "no such table: missing"},
        {"   ", "Missing TableName property"},
    };
    for (const Case& c : cases) {
        DataSet.Close();
        DataSet.SetSQL(c.sql);
        if (!c.failure) {
            EXPECT_NO_THROW(DataSet.Open()) << c.sql;
            continue;
        }
        try {
            DataSet.Open();
            ADD_FAILURE() << c.sql << " opened";
        } catch (const EDatabaseError& e) {
            EXPECT_NE(e.Message().find(c.failure), AnsiString::npos) << c.sql << ": " << e.Message();
            EXPECT_FALSE(DataSet.Active());
        }
    }
    // An expression column is typed by its first value.
    DataSet.Close();
    DataSet.SetSQL("SELECT id * 2 AS twice, name || '!' AS loud, amount / 2 AS half FROM tricky");
    DataSet.Open();
    EXPECT_EQ(DataSet.FieldByName("twice")->DataType(), ftLargeint);
    EXPECT_EQ(DataSet.FieldByName("loud")->DataType(), ftString);
    EXPECT_EQ(DataSet.FieldByName("half")->DataType(), ftFloat);
    EXPECT_EQ(DataSet.RecordCountHint(), -1);
    EXPECT_FALSE(std::filesystem::exists(Folder.Path() / "other.db"));
}

TEST_F(Records, RelativeNamesAreTakenAgainstTheDocumentFolder)
{
    DataSet.SetDatabaseName("tricky.db");
    DataSet.SetTableName("tricky");
    SetDocumentFolderOf([&](const TComponent* component) {
        return component == &DataSet ? AnsiString(Folder.Path().string()) : AnsiString();
    });
    EXPECT_NO_THROW(DataSet.Open());
    SetDocumentFolderOf(nullptr);
    EXPECT_EQ(ExpandDocumentPath(&DataSet, "/abs/x.db"), "/abs/x.db");
    EXPECT_EQ(ExpandDocumentPath(&DataSet, "x.db"), "x.db");
}

}  // namespace
