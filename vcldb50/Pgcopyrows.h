#pragma once
// The rows of a COPY in PostgreSQL's binary form, read one message at a time into the values of
// a record.

#include <string_view>
#include <vector>

#include "vcldb50/Db.h"
#include "vcldb50/Pgvalues.h"

class TPgCopyRows {
public:
    // The columns' types: those that PgReadsBinary takes come in binary, the others as text.
    explicit TPgCopyRows(const std::vector<Oid>& types);

    // For the next COPY: its first message starts with the format's header.
    void Restart() { FHeaderRead = false; }
    // Reads one message into `record` (one value a column); false when it held no row (the
    // header alone, or the end). Raises EDatabaseError when the message is no row of the columns.
    bool Read(std::string_view message, std::vector<TFieldValue>& record);

private:
    struct TColumn {
        Oid Type;
        bool Binary;
    };
    std::vector<TColumn> FColumns;
    bool FHeaderRead = false;
};
