#include "vcldb50/Pgcopyrows.h"

#include "vcldb50/Dbconsts.h"
#include "vcldb50/Pgvalues.h"

namespace {

constexpr std::string_view Signature("PGCOPY\n\377\r\n\0", 11);
constexpr size_t HeaderSize = 11 + 4 + 4;  // the signature, the flags, the extension's length

// Takes bytes off the front of a message; raises when too few are left.
class TBytes {
public:
    explicit TBytes(std::string_view bytes) : FBytes(bytes) {}
    bool Empty() const { return FBytes.empty(); }
    std::string_view Take(size_t count)
    {
        if (count > FBytes.size())
            throw EDatabaseError(SUnreadableRecords);
        const std::string_view taken = FBytes.substr(0, count);
        FBytes.remove_prefix(count);
        return taken;
    }
    template <typename T>
    T Number()
    {
        return PgBigEndian<T>(Take(sizeof(T)));
    }

private:
    std::string_view FBytes;
};

}  // namespace

TPgCopyRows::TPgCopyRows(const std::vector<Oid>& types)
{
    for (Oid type : types)
        FColumns.push_back({type, PgReadsBinary(type)});
}

bool TPgCopyRows::Read(std::string_view message, std::vector<TFieldValue>& record)
{
    TBytes bytes(message);
    if (!FHeaderRead) {
        if (!message.starts_with(Signature) || message.size() < HeaderSize)
            throw EDatabaseError(SUnreadableRecords);
        bytes.Take(Signature.size() + 4);
        bytes.Take(bytes.Number<uint32_t>());
        FHeaderRead = true;
        if (bytes.Empty())
            return false;
    }
    const int16_t count = bytes.Number<int16_t>();
    if (count == -1)
        return false;  // the end of the rows
    if (count != static_cast<int16_t>(FColumns.size()) || record.size() != FColumns.size())
        throw EDatabaseError(SColumnsChanged);
    for (size_t i = 0; i < FColumns.size(); ++i) {
        const int32_t length = bytes.Number<int32_t>();
        if (length == -1) {
            record[i].SetNull();
            continue;
        }
        const std::string_view value = bytes.Take(static_cast<size_t>(length < 0 ? SIZE_MAX : length));
        const TColumn& column = FColumns[i];
        if (!column.Binary)
            ReadPgTextValue(column.Type, value, record[i]);
        else if (!ReadPgBinaryValue(column.Type, value, record[i]))
            throw EDatabaseError(SColumnsChanged);
    }
    if (!bytes.Empty())
        throw EDatabaseError(SUnreadableRecords);
    return true;
}
