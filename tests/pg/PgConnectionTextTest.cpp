// A password taken out of a connection string in both of libpq's forms, the rest kept as written.

#include <gtest/gtest.h>

#include "vcldb50/Pgconninfo.h"

TEST(ConnectionText, ThePasswordIsTakenOutAndMasked)
{
    struct Case {
        const char* text;
        const char* stored;
        const char* shown;
        const char* password;  // null: none
    };
    const Case cases[] = {
        {"host=db dbname=shop", "host=db dbname=shop", "host=db dbname=shop", nullptr},
        {"host=db password=s3cret dbname=shop", "host=db dbname=shop", "host=db password=*** dbname=shop", "s3cret"},
        {"host=db password = 'it\\'s x y' ", "host=db", "host=db password = *** ", "it's x y"},
        {"password=a\\ b", "", "password=***", "a b"},
        {"password=first host=db password=last", "host=db", "password=*** host=db password=***", "last"},
        // A quote left open runs to the end: nothing of it may stay behind.
        {"host=db password='open user=me", "host=db", "host=db password=***", "open user=me"},
        {"passwordx=1 user=password", "passwordx=1 user=password", "passwordx=1 user=password", nullptr},
        {"postgresql://me:p%40ss@db:5433/shop", "postgresql://me@db:5433/shop", "postgresql://me:***@db:5433/shop",
         "p@ss"},
        {"postgres://db/shop?password=x&sslmode=require", "postgres://db/shop?sslmode=require",
         "postgres://db/shop?password=***&sslmode=require", "x"},
        {"postgresql://db/shop?sslmode=require&password=x", "postgresql://db/shop?sslmode=require",
         "postgresql://db/shop?sslmode=require&password=***", "x"},
        {"postgresql://me@db/shop?password=x", "postgresql://me@db/shop", "postgresql://me@db/shop?password=***", "x"},
        {"postgresql:///shop?host=/tmp/a:b", "postgresql:///shop?host=/tmp/a:b", "postgresql:///shop?host=/tmp/a:b",
         nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const TConnectionText parts = SplitPassword(c.text);
        EXPECT_EQ(parts.Stored, c.stored);
        EXPECT_EQ(parts.Shown, c.shown);
        EXPECT_EQ(parts.Password.value_or("(none)"), c.password ? c.password : "(none)");
    }
}
