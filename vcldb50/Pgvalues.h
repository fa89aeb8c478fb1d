#pragma once
// The values of a PostgreSQL dataset: the field type of each server type, and the reading of a
// value from the server's binary form or from its text.

#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <type_traits>

#include "vcldb50/Db.h"

// A type's number in the server's catalog, declared as libpq declares it, so that code reading
// values needs no libpq headers.
using Oid = unsigned int;

TFieldType PgFieldTypeOf(Oid type);

// The types read in the server's binary form. Those are the ones whose binary form gives the
// same value as their text, read faster and without the server writing the text; every other
// type comes as the text its own output function writes.
bool PgReadsBinary(Oid type);

// A value in the server's binary form, of a type PgReadsBinary takes; false when the bytes are
// no value of the type (a length that does not fit it).
bool ReadPgBinaryValue(Oid type, std::string_view bytes, TFieldValue& value);

// A value as the server writes it in text (ISO dates, floats that read back exactly, bytea in
// hex). Whatever has no value of the field's kind (a date past 9999, a numeric of more digits than
// a double keeps) stays the server's text.
void ReadPgTextValue(Oid type, std::string_view text, TFieldValue& value);

// A big-endian integer from the first sizeof(T) bytes, which must be there, as the server sends
// numbers.
template <typename T>
T PgBigEndian(std::string_view bytes)
{
    using U = std::make_unsigned_t<T>;
    U number;
    std::memcpy(&number, bytes.data(), sizeof number);
    if constexpr (std::endian::native == std::endian::little && sizeof(U) == 2)
        number = __builtin_bswap16(number);
    else if constexpr (std::endian::native == std::endian::little && sizeof(U) == 4)
        number = __builtin_bswap32(number);
    else if constexpr (std::endian::native == std::endian::little && sizeof(U) == 8)
        number = __builtin_bswap64(number);
    return static_cast<T>(number);
}
