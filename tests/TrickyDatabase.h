#pragma once
// One small table that holds what exports get wrong: NULLs, quotes, separators, line breaks, tabs,
// markup and LaTeX specials, emoji and invalid UTF-8, 64-bit extremes, a NaN kept as text, an
// infinity, and the same moment stored as ISO text, a Julian day and Unix seconds.

#include <string>

// The table "tricky" in a new database file at `path`; raises on failure.
void MakeTrickyDatabase(const std::string& path);

// The rows the table holds, for tests that read an export back.
constexpr int TrickyRowCount = 6;
