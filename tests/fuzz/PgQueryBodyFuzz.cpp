// A query's text as the PostgreSQL dataset cuts what follows its end (semicolons, blanks,
// comments) before it puts the query inside its COPY: whatever the text, what is kept is the
// start of it.
#include <cstdlib>

#include "tests/fuzz/FuzzInput.h"
#include "vcldb50/Pgstatements.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view query = InputText(data, size);
    const std::string_view body = PgQueryBody(query);
    if (body.data() != query.data() || body.size() > query.size())
        std::abort();
    return 0;
}
