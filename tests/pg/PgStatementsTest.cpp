// What may follow a query's end is cut before the query goes inside the COPY; what only looks
// like an end, inside a string, a quoted name, a dollar quote or a comment, stays.

#include <gtest/gtest.h>

#include "vcldb50/Pgstatements.h"

TEST(PgStatements, AQuerysBodyEndsWithItsLastToken)
{
    struct Case {
        const char* query;
        const char* body;
    };
    const Case cases[] = {
        {"SELECT 1", "SELECT 1"},
        {"  SELECT 1 ;; \n", "  SELECT 1"},
        {"SELECT 1; -- the end; really", "SELECT 1"},
        {"SELECT 1 /* a /* nested */ comment; */ ;", "SELECT 1"},
        {"SELECT ';' AS \"a;\" -- ;\n;", "SELECT ';' AS \"a;\""},
        {"SELECT 'it''s;'", "SELECT 'it''s;'"},
        {"SELECT E'\\';' ;", "SELECT E'\\';'"},
        {"SELECT $$ ; -- $$, $t$ $$ ; $t$ ;", "SELECT $$ ; -- $$, $t$ $$ ; $t$"},
        {"SELECT a$b$ FROM t ;", "SELECT a$b$ FROM t"},
        {"SELECT $1;", "SELECT $1"},
        {"SELECT 1 -- no line end", "SELECT 1"},
        {"SELECT 'open;", "SELECT 'open;"},
        {";; -- nothing", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PgQueryBody(c.query), c.body) << c.query;
}
