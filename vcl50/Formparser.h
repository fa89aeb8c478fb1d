#pragma once
// The text form syntax parsed to a tree, the first of the three steps of reading a form
// resource. The tree knows nothing of classes; every node keeps its line for error messages.

#include <cstdint>
#include <string_view>
#include <vector>

#include "vcl50/Sysutils.h"

struct TFormProperty;

enum class TFormValueKind { Integer, Float, String, Ident, Set, List, Binary, Collection };

struct TFormCollectionItem {
    int Line = 0;
    std::vector<TFormProperty> Properties;
};

struct TFormValue {
    TFormValueKind Kind = TFormValueKind::Integer;
    int Line = 0;
    int64_t Integer = 0;
    // A `$` literal of up to eight digits: it wraps to 32 bits when the type wants it signed
    // ($FFFFFFFF for a colour is -1, for a Cardinal 4294967295).
    bool Hex32 = false;
    double Float = 0;
    AnsiString Text;                          // String: its bytes; Ident: the name; Binary: bytes
    std::vector<AnsiString> Names;            // Set: the element names
    std::vector<TFormValue> Items;            // List
    std::vector<TFormCollectionItem> Collection;
};

struct TFormProperty {
    AnsiString Name;  // possibly dotted: "Font.Style", "Items.Strings"
    TFormValue Value;
    int Line = 0;
};

enum class TFormNodeKind { Object, Inherited, Inline };

struct TFormNode {
    TFormNodeKind Kind = TFormNodeKind::Object;
    AnsiString Name;  // empty for an unnamed component (`object TFoo`)
    AnsiString ClassName;
    int Line = 0;
    std::vector<TFormProperty> Properties;
    std::vector<TFormNode> Children;
};

// Raises EReadError for text that is not one well-formed root object.
TFormNode ParseFormResource(std::string_view text);
// One or more objects one after another, as a designer's clipboard holds copied components.
std::vector<TFormNode> ParseFormObjects(std::string_view text);

// The one wording of every form resource error:
// "Error reading Row1.Color: invalid property value 'clNoSuch' (line 42)".
AnsiString ReadErrorText(std::string_view component, std::string_view property, int line,
                         std::string_view what);
[[noreturn]] void RaiseReadError(std::string_view component, std::string_view property, int line,
                                 std::string_view what);

// Where a reader is, for the errors it raises.
struct TReadPlace {
    std::string_view Component;
    std::string_view Property;
    int Line = 0;
    [[noreturn]] void Fail(std::string_view what) const
    {
        RaiseReadError(Component, Property, Line, what);
    }
};

// How a value's kind reads in an error message ("string", "identifier"...).
const char* FormValueKindName(TFormValueKind kind);
