#pragma once
// A libpq connection string taken apart from its password, so that the password can be used
// for a session without ever being written into a form file or shown.

#include <optional>
#include <string_view>

#include "vcl50/Sysutils.h"

// The mask that stands for a password someone gave, where it would be shown.
inline constexpr char PasswordMask[] = "***";

struct TConnectionText {
    AnsiString Stored;                  // the text without any password: what a form file keeps
    AnsiString Shown;                   // the text with each password's value as PasswordMask
    std::optional<AnsiString> Password; // the last password the text gives, as libpq reads it
};

// Takes the password out of a connection string in either of libpq's forms: keyword/value
// ("host=db password='x y'") or URI ("postgresql://me:secret@db/shop?password=x"), its
// quoting, escapes and percent-encoding read as libpq reads them; everything else stays byte
// for byte. Malformed text is taken as far as it goes, so a password is never left behind in
// Stored; libpq says what is wrong with the rest when the connection is made.
TConnectionText SplitPassword(std::string_view text);
