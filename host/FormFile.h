#pragma once
// Designed forms as text form files on disk, in the platform's words for a file that fails.

#include <string>

#include "vcl50/Sysutils.h"

// Replaces `path` with `text` as ReplaceFileBytes does (vcl50/Wholefiles.h): the old file stays
// whole on failure, a symbolic link stays and the file it names is replaced.
// Raises EFCreateError saying why.
void WriteFileAtomically(const std::string& path, std::string_view text);
// The whole file, refusing what is no regular file or is implausibly large for a form or script.
// Raises EFOpenError saying why.
AnsiString ReadWholeFile(const std::string& path);
// A designer script's text: the file's, or standard input's for "-".
AnsiString ReadScriptText(const std::string& file);
