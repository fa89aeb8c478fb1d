#include "vcl50/Packageinfo.h"

#include <algorithm>
#include <cstring>

namespace {

class TReader {
public:
    explicit TReader(std::span<const uint8_t> bytes) : FBytes(bytes) {}

    size_t Left() const { return FBytes.size() - FAt; }
    bool AtPadding() const
    {
        return std::all_of(FBytes.begin() + FAt, FBytes.end(), [](uint8_t b) { return b == 0; });
    }

    uint32_t U32(const char* what)
    {
        Need(4, what);
        const uint8_t* p = FBytes.data() + FAt;
        FAt += 4;
        return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
    }

    uint8_t U8(const char* what)
    {
        Need(1, what);
        return FBytes[FAt++];
    }

    // A non-empty zero-terminated name.
    AnsiString Name(const char* what)
    {
        const auto* start = reinterpret_cast<const char*>(FBytes.data() + FAt);
        const void* end = std::memchr(start, 0, Left());
        if (!end)
            Fail(Format("%s is not terminated within the resource", {what}));
        AnsiString name(start, static_cast<const char*>(end) - start);
        if (name.empty())
            Fail(Format("%s is empty", {what}));
        FAt += name.size() + 1;
        return name;
    }

    // A count of entries that each take at least `minEntry` bytes.
    int Count(const char* what, size_t minEntry)
    {
        const auto count = static_cast<int32_t>(U32(what));
        if (count < 0)
            Fail(Format("%s %d is negative", {what, count}));
        if (static_cast<size_t>(count) > Left() / minEntry)
            Fail(Format("%s %d does not fit in the %d bytes that follow", {what, count, static_cast<int>(Left())}));
        return count;
    }

    [[noreturn]] void Fail(const AnsiString& why) const
    {
        throw EPackageError(Format("Malformed PACKAGEINFO: %s (at byte %d of %d)",
                                   {why, static_cast<int>(FAt), static_cast<int>(FBytes.size())}));
    }

private:
    void Need(size_t size, const char* what)
    {
        if (Left() < size)
            Fail(Format("truncated before the %s", {what}));
    }

    std::span<const uint8_t> FBytes;
    size_t FAt = 0;
};

}  // namespace

TPackageInfo ParsePackageInfo(std::span<const uint8_t> bytes)
{
    TReader reader(bytes);
    TPackageInfo info;
    info.Flags = reader.U32("flags");
    const int requiredCount = reader.Count("requires count", 2);
    for (int i = 0; i < requiredCount; ++i) {
        TRequiredPackage package;
        package.HashCode = reader.U8("hash of a required package");
        package.Name = reader.Name(Format("required package %d", {i + 1}).c_str());
        info.Requires.push_back(std::move(package));
    }
    const int containedCount = reader.Count("contains count", 3);
    for (int i = 0; i < containedCount; ++i) {
        TContainedUnit unit;
        unit.Flags = reader.U8("flags of a contained unit");
        unit.HashCode = reader.U8("hash of a contained unit");
        unit.Name = reader.Name(Format("contained unit %d", {i + 1}).c_str());
        info.Contains.push_back(std::move(unit));
    }
    if (!reader.AtPadding())
        reader.Fail(Format("%d bytes after the contained units are not zero padding", {static_cast<int>(reader.Left())}));
    return info;
}
