// Records as a PostgreSQL server sends them in a binary COPY: the input is split into messages
// (a two-byte length before each) and read by a reader of one column of every type the dataset
// takes in binary and one it takes as text, the first message carrying the format's header.
#include "tests/fuzz/FuzzInput.h"
#include "vcldb50/Pgcopyrows.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // bool, bytea, int8, int2, int4, text, oid, json, float8, bpchar, date, time, timestamp,
    // then numeric and timestamptz (as text) and a type of no one's (as text).
    static const std::vector<Oid> types = {16, 17, 20, 21, 23, 25, 26, 114, 701, 1042, 1082, 1083, 1114,
                                           1700, 1184, 99999};
    TPgCopyRows rows(types);
    std::vector<TFieldValue> record(types.size());
    std::string_view input = InputText(data, size);
    while (input.size() >= 2) {
        const size_t length = std::min<size_t>(input.size() - 2, static_cast<uint8_t>(input[0]) << 8 | static_cast<uint8_t>(input[1]));
        try {
            rows.Read(input.substr(2, length), record);
        } catch (const EDatabaseError&) {
        }
        input.remove_prefix(2 + length);
    }
    return 0;
}
