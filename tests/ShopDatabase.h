#pragma once
// The database the component editors' scripts and tests open, shared by every suite that replays them.

#include <string>

// A real SQLite file with one table, Orders (id, Customer, amount, NOTE, created), for the fields
// verb's tests and scripts.
void MakeShopDatabase(const std::string& path);
