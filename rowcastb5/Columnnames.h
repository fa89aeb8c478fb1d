#pragma once
// Column names for formats that limit their length or do not tell letter cases apart: a dBase
// field name holds 10 bytes, a PostgreSQL identifier 63, and both dBase and SQLite take "Id" and
// "ID" for the same column.

#include <vector>

#include "vcl50/Sysutils.h"

// The names, each cut to `maxBytes` (never inside a UTF-8 sequence) and made unique without
// regard to ASCII letter case by a "_2", "_3", ... in place of its last bytes. An empty name
// becomes "FIELD" and its position from 1. Control characters, which no reader expects in a
// name, become '_'.
std::vector<AnsiString> UniqueColumnNames(const std::vector<AnsiString>& names, size_t maxBytes);

// The text cut to at most `maxBytes` bytes, at the start of a UTF-8 sequence.
AnsiString CutUtf8(std::string_view text, size_t maxBytes);
