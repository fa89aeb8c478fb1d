// The Excel, dBase and SQL exports, each read back by a program of its own over the tricky
// table: the SQL run by sqlite3 into a fresh database, the dBase table read by dbfread, the
// workbook by openpyxl. Then what needs no reader: column names, number formats, failures.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "rowcastb5/Columnnames.h"
#include "rowcastb5/Excelwriter.h"
#include "rowcastb5/Kbaseexport.h"
#include "rowcastb5/Kdbfexport.h"
#include "rowcastb5/Kexcelexport.h"
#include "rowcastb5/Ksqlexport.h"
#include "tests/TempFolder.h"
#include "tests/TrickyDatabase.h"
#include "vcldb50/Sqlitedataset.h"

namespace {

// The readers are Debian's packages, installed for Debian's interpreter.
constexpr const char* Python = "/usr/bin/python3";

// The command's standard output; its exit status in `status`.
std::string RunCommand(const std::string& command, int& status)
{
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        status = -1;
        return out;
    }
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
    const int result = pclose(pipe);
    status = WIFEXITED(result) ? WEXITSTATUS(result) : -1;
    return out;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string Bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Exec(sqlite3* db, const char* sql)
{
    char* error = nullptr;
    ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
}

// Every row of the query, its cells in SQLite's quote() form joined by " | ".
std::vector<std::string> QuotedRows(sqlite3* db, const std::string& query)
{
    std::vector<std::string> rows;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, query.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
        ADD_FAILURE() << query << ": " << sqlite3_errmsg(db);
        return rows;
    }
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        std::string row;
        for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
            row += (i ? " | " : "") + std::string(text ? text : "", sqlite3_column_bytes(stmt, i));
        }
        rows.push_back(row);
    }
    sqlite3_finalize(stmt);
    return rows;
}

class BinaryExports : public ::testing::Test {
protected:
    void SetUp() override
    {
        MakeTrickyDatabase(Path("tricky.db"));
        Data->SetName("Data");
        Data->SetDatabaseName(Path("tricky.db"));
        Data->SetTableName("tricky");
    }

    std::string Path(const std::string& name) const { return (Folder.Path() / name).string(); }

    // An export of the form's dataset (or of `sql` on the same file) into `file`.
    template <class T>
    T* Make(const char* name, const std::string& file, const char* sql = nullptr)
    {
        TSQLiteDataSet* data = Data;
        if (sql) {
            data = new TSQLiteDataSet(&Form);
            data->SetDatabaseName(Path("tricky.db"));
            data->SetSQL(sql);
        }
        auto* out = new T(&Form);
        out->SetName(name);
        out->SetDataSet(data);
        out->SetFileName(Path(file));
        out->Formats()->SetDateFormat("yyyy-mm-dd");
        out->Formats()->SetTimeFormat("hh:nn:ss");
        out->Formats()->SetDateTimeFormat("dd/mm/yyyy hh:nn");
        return out;
    }

    TTempFolder Folder{"binaryexports"};
    TComponent Form{nullptr};
    TSQLiteDataSet* Data = new TSQLiteDataSet(&Form);
};

}  // namespace

// ---- SQL ---------------------------------------------------------------------------------------

TEST_F(BinaryExports, SqlScriptRecreatesTheRowsInAFreshSqliteDatabase)
{
    {
        // A row that tries to end its statement and run one of its own, and a NUL and a backslash.
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(Path("tricky.db").c_str(), &db), SQLITE_OK);
        Exec(db, "INSERT INTO tricky (id, name, note) VALUES (7, '''); DROP TABLE x; --', "
                 "'back\\slash ' || char(0) || ' nul')");
        sqlite3_close(db);
    }
    struct Case {
        const char* component;
        const char* sql;  // null: the table
        const char* table;
        std::vector<std::string> columns;  // name and type as the fresh database has them
        std::vector<std::string> notes;
        std::vector<std::string> rows;     // quote() of each value
    };
    const Case cases[] = {
        {"TableExport", nullptr, "tricky",
         {"id BIGINT", "name TEXT", "amount TEXT", "big BIGINT", "flag BOOLEAN", "day TEXT", "at TEXT",
          "stamp TEXT", "note TEXT", "data BIT VARYING"},
         {"amount is a TEXT column: it holds values that are no DOUBLE PRECISION",
          "day is a TEXT column: it holds values that are no DATE",
          "at is a TEXT column: it holds values that are no TIME",
          "stamp is a TEXT column: it holds values that are no TIMESTAMP"},
         {"1 | 'plain' | '1.5' | 0 | 1 | '2024-02-29' | '13:45:30' | '2024-02-29 13:45:30' | 'a note' | X'00FF'",
          "2 | NULL | NULL | NULL | NULL | NULL | NULL | NULL | NULL | NULL",
          "3 | 'say \"hi\", then; leave' | '0.1' | 9223372036854775807 | 0 | '2024-02-29' | '00:00:00' | "
          "'2024-02-29 13:45:30' | 'line one\r\nline two\ntab\tend' | X''",
          "4 | '<b>&amp;</b> # $ % & ~ _ ^ \\ { }' | '-2.5e-300' | -9223372036854775808 | 0 | '2024-02-29' | "
          "'23:59:59.999' | '2024-02-29 13:45:30' | 'emoji \U0001F600 and \u00FCn\u00EFc\u00F6d\u00E9' | X'DEADBEEF'",
          "5 | 'A\uFFFDB\uFFFD' | 'Infinity' | 42 | 1 | 'not a date' | 'noon' | 'soon' | 'x' | NULL",
          "6 | '=1+2' | 'NaN' | -1 | 0 | '1999-12-31' | '06:07:08' | '1999-12-31 23:59:59' | '' | X'27'",
          "7 | '''); DROP TABLE x; --' | NULL | NULL | NULL | NULL | NULL | NULL | 'back\\slash \uFFFD nul' | NULL"}},
        // Typed as declared where every value fits; a query's table is named after the export.
        {"Fitting", "SELECT id, amount, day, at AS \"at\"\"s\", stamp, flag, data FROM tricky WHERE id IN (1, 2, 3, 4)",
         "Fitting",
         {"id BIGINT", "amount DOUBLE PRECISION", "day DATE", "at\"s TIME", "stamp TIMESTAMP", "flag BOOLEAN",
          "data BIT VARYING"},
         {},
         {"1 | 1.5 | '2024-02-29' | '13:45:30' | '2024-02-29 13:45:30' | 1 | X'00FF'",
          "2 | NULL | NULL | NULL | NULL | NULL | NULL",
          "3 | 0.1 | '2024-02-29' | '00:00:00' | '2024-02-29 13:45:30' | 0 | X''",
          "4 | -2.5e-300 | '2024-02-29' | '23:59:59.999' | '2024-02-29 13:45:30' | 0 | X'DEADBEEF'"}},
        // An infinity in a float column keeps the statement valid: PostgreSQL's word, text in SQLite.
        {"Infinite", "SELECT amount FROM tricky WHERE id IN (1, 5)", "Infinite", {"amount DOUBLE PRECISION"}, {},
         {"1.5", "'Infinity'"}},
    };
    std::string reads;
    for (const Case& c : cases) {
        const std::string file = Path(std::string(c.component) + ".sql");
        auto* out = Make<TKSQLExport>(c.component, file, c.sql);
        EXPECT_EQ(out->TableName(), c.table);
        reads += " '.read " + file + "'";
        TExportResult result;
        ASSERT_NO_THROW(result = out->Export()) << c.component;
        EXPECT_EQ(result.Notes, c.notes) << c.component;
    }

    // -bail: the first statement SQLite refuses fails the run.
    const std::string fresh = Path("fresh.db");
    int status = 0;
    const std::string output = RunCommand("sqlite3 -bail '" + fresh + "' 'CREATE TABLE x (a)'" + reads + " 2>&1", status);
    ASSERT_EQ(status, 0) << output;

    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(fresh.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(QuotedRows(db, "SELECT name FROM sqlite_schema ORDER BY name"),
              (std::vector<std::string>{"Fitting", "Infinite", "tricky", "x"}));
    for (const Case& c : cases) {
        const std::string table = c.table;
        EXPECT_EQ(QuotedRows(db, "SELECT name || ' ' || type FROM pragma_table_info('" + table + "')"), c.columns);
        const std::string select =
            QuotedRows(db, "SELECT group_concat('quote(\"' || replace(name, '\"', '\"\"') || '\")', ', ') "
                           "FROM pragma_table_info('" + table + "')")[0];
        EXPECT_EQ(QuotedRows(db, "SELECT " + select + " FROM \"" + table + "\" ORDER BY rowid"), c.rows) << table;
    }
    sqlite3_close(db);
}

// ---- dBase -------------------------------------------------------------------------------------

TEST_F(BinaryExports, DbfTablesReadBackInDbfread)
{
    struct Case {
        const char* component;
        const char* sql;  // null: the table
        std::vector<std::string> notes;
        std::vector<std::string> read;  // what dbfread says: fields, then records
    };
    std::string cut;
    for (int i = 0; i < 127; ++i)
        cut += "\u00E9";
    const Case cases[] = {
        {"Tricky", nullptr,
         {"amount is a text field (C): it holds values that are not numbers",
          "day is a text field (C): it holds values that are not dates",
          "note is left out: a dBase III table holds no memo or binary fields",
          "data is left out: a dBase III table holds no memo or binary fields"},
         {"field id N 1 0", "field name C 32 0", "field amount C 9 0", "field big N 20 0", "field flag L 1 0",
          "field day C 10 0", "field at C 8 0", "field stamp C 16 0",
          "1 | 'plain' | '1.5' | 0 | True | '2024-02-29' | '13:45:30' | '29/02/2024 13:45'",
          "2 | '' | '' | None | None | '' | '' | ''",
          "3 | 'say \"hi\", then; leave' | '0.1' | 9223372036854775807 | False | '2024-02-29' | '00:00:00' | "
          "'29/02/2024 13:45'",
          "4 | '<b>&amp;</b> # $ % & ~ _ ^ \\\\ { }' | '-2.5e-300' | -9223372036854775808 | False | '2024-02-29' | "
          "'23:59:59' | '29/02/2024 13:45'",
          "5 | 'A\uFFFDB\uFFFD' | 'INF' | 42 | True | 'not a date' | 'noon' | 'soon'",
          "6 | '=1+2' | 'NaN' | -1 | False | '1999-12-31' | '06:07:08' | '31/12/1999 23:59'"}},
        // Numbers in fixed notation with the decimals they need, dates as D, names cut and unique.
        {"Typed", "SELECT id, amount, day AS \"Day of the export\", id / 4.0 AS quarter, flag, id AS \"ID\" "
                  "FROM tricky WHERE id <= 3",
         {"Day of the export is named Day of the", "ID is named ID_2"},
         {"field id N 1 0", "field amount N 3 1", "field Day of the D 8 0", "field quarter N 4 2", "field flag L 1 0",
          "field ID_2 N 1 0",
          "1 | 1.5 | datetime.date(2024, 2, 29) | 0.25 | True | 1",
          "2 | None | None | 0.5 | None | 2",
          "3 | 0.1 | datetime.date(2024, 2, 29) | 0.75 | False | 3"}},
        // Too small for fixed notation: the shortest form, exponent and all, still the same double.
        // Text is cut to 254 bytes, never inside a character.
        {"Tiny", "SELECT amount, replace(hex(zeroblob(150)), '00', '\u00E9') AS long FROM tricky WHERE id IN (1, 4)",
         {"long: 2 values longer than 254 bytes were cut"},
         {"field amount N 9 1", "field long C 254 0", "1.5 | '" + cut + "'", "-2.5e-300 | '" + cut + "'"}},
    };
    std::string files;
    std::vector<std::string> expected;
    for (const Case& c : cases) {
        const std::string file = Path(std::string(c.component) + ".dbf");
        TExportResult result;
        ASSERT_NO_THROW(result = Make<TKDBFExport>(c.component, file, c.sql)->Export()) << c.component;
        EXPECT_EQ(result.Notes, c.notes) << c.component;
        files += " '" + file + "'";
        expected.push_back("table " + std::to_string(result.Rows));
        expected.insert(expected.end(), c.read.begin(), c.read.end());

        // The layout the header states, and the end-of-file mark.
        const std::string bytes = Bytes(file);
        ASSERT_GT(bytes.size(), 32u);
        auto number = [&](size_t at, size_t size) {
            size_t n = 0;
            for (size_t i = 0; i < size; ++i)
                n |= size_t(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
            return n;
        };
        EXPECT_EQ(bytes[0], 0x03);
        EXPECT_EQ(number(4, 4), static_cast<size_t>(result.Rows));
        EXPECT_EQ(bytes.size(), number(8, 2) + number(4, 4) * number(10, 2) + 1) << c.component;
        EXPECT_EQ(bytes.back(), '\x1A');
        EXPECT_EQ(bytes[number(8, 2) - 1], '\r');
    }

    std::ofstream(Path("read.py")) << R"(import sys
from dbfread import DBF
for path in sys.argv[1:]:
    table = DBF(path, encoding='utf-8', char_decode_errors='strict')
    print('table', len(table))
    for f in table.fields:
        print('field', f.name, f.type, f.length, f.decimal_count)
    for record in table:
        print(' | '.join(repr(v) for v in record.values()))
)";
    int status = 0;
    const std::string output = RunCommand(std::string(Python) + " '" + Path("read.py") + "'" + files + " 2>&1", status);
    ASSERT_EQ(status, 0) << output;
    EXPECT_EQ(Lines(output), expected);
}

TEST_F(BinaryExports, DbfNeedsAFieldBesideMemosAndBlobs)
{
    auto* out = Make<TKDBFExport>("Blobs", "blobs.dbf", "SELECT note, data FROM tricky");
    EXPECT_THROW(out->Export(), EExportError);
    EXPECT_FALSE(std::filesystem::exists(Path("blobs.dbf")));
}

// ---- Excel -------------------------------------------------------------------------------------

TEST_F(BinaryExports, WorkbookReadsBackInOpenpyxl)
{
    const std::string file = Path("tricky.xls");  // the name the file editor offers; the content is OOXML
    TExportResult result;
    // Column K: text that looks like the file's own escapes, and a control character.
    const char* sql = "SELECT *, '_x0041_ ' || char(1) AS codes FROM tricky";
    ASSERT_NO_THROW(result = Make<TKExcelExport>("Excel", file, sql)->Export());
    EXPECT_EQ(result.Notes, (std::vector<std::string>{"big: 2 integers beyond 2^53 are text, as a number would round them"}));

    std::ofstream(Path("read.py")) << R"(import sys
import openpyxl
from openpyxl.utils.escape import unescape
# Opened as a stream, since openpyxl goes by the name and refuses *.xls unread.
sheet = openpyxl.load_workbook(open(sys.argv[1], 'rb')).active
for row in sheet.iter_rows():
    for cell in row:
        if cell.value is not None:
            value = unescape(cell.value) if isinstance(cell.value, str) else cell.value
            print(cell.coordinate, cell.data_type, repr(value), cell.number_format, cell.font.b, sep=' ~ ')
for letter, column in sorted(sheet.column_dimensions.items()):
    print('width' + letter, column.width, sep=' ~ ')
)";
    int status = 0;
    const std::string output = RunCommand(std::string(Python) + " '" + Path("read.py") + "' '" + file + "' 2>&1", status);
    ASSERT_EQ(status, 0) << output;
    std::map<std::string, std::string> cells;  // "A1" -> "type ~ value ~ format ~ bold"
    for (const std::string& line : Lines(output)) {
        const size_t tilde = line.find(" ~ ");
        cells[line.substr(0, tilde)] = line.substr(tilde + 3);
    }

    // Columns: A id, B name, C amount, D big, E flag, F day, G at, H stamp, I note, J data, K codes.
    const std::pair<const char*, const char*> expected[] = {
        {"A1", "s ~ 'id' ~ General ~ True"},
        {"A2", "n ~ 1 ~ General ~ False"},
        {"B2", "s ~ 'plain' ~ General ~ False"},
        {"C2", "n ~ 1.5 ~ General ~ False"},
        {"C5", "n ~ -2.5e-300 ~ General ~ False"},
        {"C6", "s ~ 'INF' ~ General ~ False"},
        {"C7", "s ~ 'NaN' ~ General ~ False"},
        {"D4", "s ~ '9223372036854775807' ~ General ~ False"},
        {"D5", "s ~ '-9223372036854775808' ~ General ~ False"},
        {"D6", "n ~ 42 ~ General ~ False"},
        {"E2", "b ~ True ~ General ~ False"},
        {"F2", "d ~ datetime.datetime(2024, 2, 29, 0, 0) ~ yyyy-mm-dd ~ False"},
        {"F5", "d ~ datetime.datetime(2024, 2, 29, 0, 0) ~ yyyy-mm-dd ~ False"},
        {"F6", "s ~ 'not a date' ~ General ~ False"},
        {"G2", "d ~ datetime.time(13, 45, 30) ~ hh:mm:ss ~ False"},
        {"H2", "d ~ datetime.datetime(2024, 2, 29, 13, 45, 30) ~ dd/mm/yyyy hh:mm ~ False"},
        {"H7", "d ~ datetime.datetime(1999, 12, 31, 23, 59, 59) ~ dd/mm/yyyy hh:mm ~ False"},
        {"B4", "s ~ 'say \"hi\", then; leave' ~ General ~ False"},
        {"I4", "s ~ 'line one\\r\\nline two\\ntab\\tend' ~ General ~ False"},
        {"B6", "s ~ 'A\uFFFDB\uFFFD' ~ General ~ False"},
        {"B7", "s ~ '=1+2' ~ General ~ False"},
        {"J2", "s ~ '00ff' ~ General ~ False"},
        {"J5", "s ~ 'deadbeef' ~ General ~ False"},
        {"K2", "s ~ '_x0041_ \\x01' ~ General ~ False"},
    };
    for (const auto& [cell, seen] : expected)
        EXPECT_EQ(cells[cell], seen) << cell;
    // NULL is an empty cell: the second record has its id only.
    for (const char* empty : {"B3", "C3", "D3", "E3", "F3", "G3", "H3", "I3", "J3"})
        EXPECT_EQ(cells.count(empty), 0u) << empty;
    // Every column as wide as its title at least, none beyond reason.
    for (char column = 'A'; column <= 'J'; ++column) {
        const std::string width = cells[std::string("width") + column];
        ASSERT_FALSE(width.empty()) << column;
        EXPECT_GE(std::stod(width), 6.0) << column;
        EXPECT_LE(std::stod(width), 62.0) << column;
    }
    EXPECT_GE(std::stod(cells["widthB"]), 32.0);  // the longest name
}

// ---- what needs no reader ----------------------------------------------------------------------

TEST(ColumnNames, CutToTheLimitAndUniqueWithoutRegardToCase)
{
    struct Case {
        std::vector<AnsiString> names;
        size_t limit;
        std::vector<AnsiString> unique;
    };
    const Case cases[] = {
        {{"id", "ID", "Id"}, 10, {"id", "ID_2", "Id_3"}},
        {{"a_very_long_name", "A_VERY_LONG_NAME_TOO"}, 10, {"a_very_lon", "A_VERY_L_2"}},
        {{"x", "x_2", "X"}, 10, {"x", "x_2", "X_3"}},  // a suffix that is taken is skipped
        {{"", "FIELD1"}, 10, {"FIELD1", "FIELD1_2"}},
        {{"tab\there\n"}, 10, {"tab_here_"}},
        // Never inside a character: the two bytes of an é stay together.
        {{"\u00DCberlangerName"}, 10, {"\u00DCberlange"}},
        {{"\u00E9\u00E9\u00E9\u00E9\u00E9a", "\u00E9\u00E9\u00E9\u00E9\u00E9b"}, 10,
         {"\u00E9\u00E9\u00E9\u00E9\u00E9", "\u00E9\u00E9\u00E9\u00E9_2"}},
        // Letters beyond ASCII are told apart by case, as dBase and SQLite do.
        {{"\u00E9", "\u00C9"}, 10, {"\u00E9", "\u00C9"}},
        {{std::string(70, 'n'), std::string(64, 'n')}, 63, {std::string(63, 'n'), std::string(61, 'n') + "_2"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UniqueColumnNames(c.names, c.limit), c.unique) << c.names[0];
}

TEST(ExcelNumberFormat, PlatformPatternsShowTheSameInASpreadsheet)
{
    const AnsiString saved[] = {ShortDateFormat, LongDateFormat, ShortTimeFormat, LongTimeFormat};
    ShortDateFormat = "dd/mm/yyyy";
    LongDateFormat = "dddd d mmmm yyyy";
    ShortTimeFormat = "hh:nn";
    LongTimeFormat = "hh:nn:ss";
    const std::pair<const char*, const char*> cases[] = {
        {"yyyy-mm-dd", "yyyy-mm-dd"},
        {"YYYY-MM-DD", "yyyy-mm-dd"},
        {"ddd dd mmm yyyy", "ddd dd mmm yyyy"},
        {"dd.mm.yyyy", "dd.mm.yyyy"},
        {"hh:nn:ss", "hh:mm:ss"},
        {"h:n", "h:m"},
        {"hh:mm", "hh:mm"},  // m after an hour is the minute in both
        {"mm:ss", "mm:ss"},
        {"hh:nn:ss.zzz", "hh:mm:ss.000"},
        {"h:nn am/pm", "h:mm am/pm"},
        {"h:nn AMPM", "h:mm AM/PM"},
        {"ddddd", "dd/mm/yyyy"},
        {"dddddd", "dddd d mmmm yyyy"},
        {"c", "dd/mm/yyyy hh:mm:ss"},
        {"", "dd/mm/yyyy hh:mm:ss"},
        {"t", "hh:mm"},
        {"tt", "hh:mm:ss"},
        // Literal text is quoted, so no letter of it is read as a code.
        {"dd \"de\" mmmm", "dd \"de\" mmmm"},
        {"yyyy'\u5E74'mm'\u6708'", "yyyy\"\u5E74\"mm\"\u6708\""},
        {"[yyyy]", "\"[\"yyyy\"]\""},
        {"Q yyyy", "\"Q\" yyyy"},
        {"'say \"x\"' yyyy", "\"say\" \\\"\"x\"\\\" yyyy"},
    };
    for (const auto& [pattern, format] : cases)
        EXPECT_EQ(TExcelWriter::NumberFormat(pattern), format) << pattern;
    ShortDateFormat = saved[0];
    LongDateFormat = saved[1];
    ShortTimeFormat = saved[2];
    LongTimeFormat = saved[3];
}

namespace {

// An output a library writes by name only.
class TNamedOutput : public TExportOutput {
public:
    explicit TNamedOutput(AnsiString path) : FPath(std::move(path)) {}
    void Write(std::string_view) override {}
    const AnsiString& FilePath() const override { return FPath; }
    void Commit() override {}

private:
    AnsiString FPath;
};

}  // namespace

TEST(ExcelWriter, AWorkbookThatCannotBeWrittenRaises)
{
    TKFormats formats;
    const std::vector<TExportColumn> columns = {{nullptr, "n", "n", ftInteger}};
    TFieldValue one;
    one.Kind = TFieldValue::vkInteger;
    one.Integer = 1;
    for (const char* path : {"", "/nonexistent-folder/book.xlsx"}) {
        TNamedOutput out(path);
        TExcelWriter writer(out, columns, formats);
        EXPECT_THROW(
            {
                writer.Begin();
                writer.BeginRecord();
                writer.Value(0, one);
                writer.EndRecord();
                writer.Finish();
            },
            EExportError)
            << path;
    }
}
