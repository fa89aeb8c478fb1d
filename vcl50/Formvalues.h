#pragma once
// A form resource value converted for one published property: what the reader's check step
// validates and its build step applies.

#include "vcl50/Classes.h"
#include "vcl50/Formparser.h"

struct TPropertyValue {
    enum class TKind { Ordinal, String, Method, Reference, Nil };
    TKind Kind = TKind::Ordinal;
    int64_t Ordinal = 0;
    AnsiString Text;  // String: the value; Reference: the component's name
    const TMethodEntry* Method = nullptr;
};

// Raises EReadError at `at` when the value does not suit the property: wrong kind, unknown name,
// out of the type's range, no setter, or a method that `rootClass` lacks or that does not fit.
TPropertyValue ConvertFormValue(const TPropInfo* prop, const TFormValue& value, TClass rootClass,
                                const TReadPlace& at);
