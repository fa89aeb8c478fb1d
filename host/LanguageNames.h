#pragma once
// Names for the Windows language identifiers that resources carry, so a report can say
// "1049 (Russian)" rather than leave the reader to look the number up.

#include <cstdint>
#include <string_view>

// The language by its primary part (the low ten bits): 1049 and 2073 are both Russian. 0 is
// "neutral"; a language this small table does not hold is "unknown".
std::string_view LanguageName(uint16_t languageId);
