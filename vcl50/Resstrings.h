#pragma once
// Resource strings: texts that a module keeps in its string table resource rather than in its
// code, so that a language resource module beside it translates them as it translates its forms.
//
// The table is a resource of type STRING named STRINGTABLE: UTF-8 lines NAME=TEXT, `#` starting
// a comment line; in TEXT, \n is a line break and \\ a backslash.

#include <map>
#include <string_view>

#include "vcl50/System.h"

inline constexpr char RT_STRING[] = "STRING";
inline constexpr char StringTableName[] = "STRINGTABLE";

// A module's resource string, defined at namespace scope in the module's own code: its address
// says which module's table holds the text.
struct TResStringRec {
    const char* Name;
};

// The text of `rec`: from a table that code registered (tests that carry a module's units
// without the module), else from the string table of the module that holds `rec`, read through
// its resource instance (a language module) and then the module itself. A name that no table
// holds comes back as the name, so a missing text shows rather than hides.
AnsiString LoadResString(const TResStringRec& rec);

// A table's entries; a line that is no NAME=TEXT raises EResourceError naming the line.
std::map<AnsiString, AnsiString> ParseStringTable(std::string_view text);

// Tables read before any module's, later ones first.
void RegisterStringTable(std::string_view text);
void UnregisterStringTables();
