#pragma once
// The SQL text a PostgreSQL dataset sends: names as TableName gives them, and the statement that
// sends the records of a query.

#include <string_view>
#include <vector>

#include "vcl50/Sysutils.h"

// The parts of "name" or "schema.name" as the server names them: unquoted letters in lower case,
// a part in double quotes as it stands ("" for a quote). Empty when the text is no such name.
std::vector<AnsiString> PgNameParts(std::string_view text);
// The name in double quotes, so that the server never reads it as SQL.
AnsiString PgQuoteIdentifier(std::string_view name);
// A part as TableName writes it: quoted only where reading it unquoted would change it.
AnsiString PgNamePartText(std::string_view name);

// The query without what may follow its end (semicolons, blanks, comments), so that it can stand
// inside another statement.
std::string_view PgQueryBody(std::string_view query);

// COPY of the query's records in the server's binary form. `textBy` has one entry per column:
// empty sends the column as it is, a function's name (an output function) sends its text.
AnsiString PgCopyStatement(std::string_view query, const std::vector<AnsiString>& textBy);
