#pragma once
// Walking text that ValidUtf8 made valid one code point at a time, for the formats that write
// some characters another way (escapes, references, replacements).

#include <cstddef>
#include <string_view>

// The code point that starts at `text[at]`; `at` moves past it. `text` must be valid UTF-8.
char32_t NextCodePoint(std::string_view text, size_t& at);

// What a writer puts where it cannot write a character: U+FFFD, as UTF-8.
inline constexpr std::string_view ReplacementCharacter = "\xEF\xBF\xBD";
