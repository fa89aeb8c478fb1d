#pragma once
// Designed forms as text form files on disk.

#include <string>

#include "vcl50/Sysutils.h"

// Replaces `path` with `text` as one step: the text goes to a temporary file beside it, is
// flushed to disk and renamed over the old file, so a failed write leaves the old file whole.
// Raises EFCreateError saying why.
void WriteFileAtomically(const std::string& path, std::string_view text);
// Raises EFOpenError saying why.
AnsiString ReadWholeFile(const std::string& path);
