#pragma once
// What the PostgreSQL tests share: the one server of the test program, and a reader of CSV
// files that knows nothing of the export's code.

#include <string>
#include <vector>

#include "tests/PgServer.h"

// The program's server, started when a test first asks for it and gone when the tests end.
TPgServer& PgServer();

// The records of RFC 4180 text: fields split at commas, quoted fields unquoted, CRLF between records.
std::vector<std::vector<std::string>> ReadCsv(const std::string& text);
std::string ReadFile(const std::string& path);
