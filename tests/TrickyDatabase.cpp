#include "tests/TrickyDatabase.h"

#include <sqlite3.h>

#include <stdexcept>

void MakeTrickyDatabase(const std::string& path)
{
    // 2024-02-29 13:45:30 UTC three ways: text, Julian day, Unix seconds.
    static const char sql[] = R"sql(
CREATE TABLE tricky (
  id INTEGER, name TEXT, amount REAL, big INTEGER, flag BOOLEAN,
  day DATE, at TIME, stamp DATETIME, note CLOB, data BLOB
);
INSERT INTO tricky VALUES
  (1, 'plain', 1.5, 0, 1, '2024-02-29', '13:45:30', '2024-02-29 13:45:30', 'a note', X'00FF'),
  (2, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL),
  (3, 'say "hi", then; leave', 0.1, 9223372036854775807, 0, 2460369.5, '00:00:00', 2460370.0732638889,
     'line one' || char(13) || char(10) || 'line two' || char(10) || 'tab' || char(9) || 'end', X''),
  (4, '<b>&amp;</b> # $ % & ~ _ ^ \ { }', -2.5e-300, -9223372036854775808, 0, 1709164800, '23:59:59.999',
     1709214330, 'emoji 😀 and ünïcödé', X'DEADBEEF'),
  (5, CAST(X'41FF42C0' AS TEXT), 9e999, 42, 1, 'not a date', 'noon', 'soon', 'x', NULL),
  (6, '=1+2', 'NaN', -1, 0, '1999-12-31', '06:07:08', '1999-12-31T23:59:59Z', '', X'27');
)sql";
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    char* error = nullptr;
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, sql, nullptr, nullptr, &error);
    const std::string reason = error ? error : sqlite3_errstr(rc);
    sqlite3_free(error);
    sqlite3_close(db);
    if (rc != SQLITE_OK)
        throw std::runtime_error("cannot make " + path + ": " + reason);
}
