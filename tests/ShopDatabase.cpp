#include "tests/ShopDatabase.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

void MakeShopDatabase(const std::string& path)
{
    sqlite3* db = nullptr;
    const bool opened = sqlite3_open(path.c_str(), &db) == SQLITE_OK;
    const int rc = opened ? sqlite3_exec(db, "CREATE TABLE Orders (id INTEGER, Customer TEXT, amount REAL, NOTE, created);",
                                         nullptr, nullptr, nullptr)
                          : SQLITE_CANTOPEN;
    sqlite3_close(db);
    ASSERT_EQ(rc, SQLITE_OK) << path;
}
