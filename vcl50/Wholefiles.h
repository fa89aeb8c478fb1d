#pragma once
// Files read and written whole: read at once up to a size limit, replaced in one step.
// The one way the runtime and the designer host touch a file on disk, so ini files and form
// files behave alike.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "vcl50/Sysutils.h"

// Why a file could not be read or replaced: the system's reason and error number, or this unit's
// own reason with ErrorCode 0 (a file that is not a regular one). Callers put it into their own
// words with the path.
class EFileAccessError : public Exception {
public:
    EFileAccessError(int errorCode, AnsiString reason);
    int ErrorCode() const { return FErrorCode; }
    const char* ClassName() const override;

private:
    int FErrorCode;
};

// A regular file open for reading at any offset. Opening does not wait (a FIFO is refused, not
// waited on for a writer) and refuses a folder, a device or a FIFO, so that a reader can check a
// file's size and first bytes before it decides to read more.
class TReadableFile {
public:
    explicit TReadableFile(const AnsiString& path);
    TReadableFile(const TReadableFile&) = delete;
    TReadableFile& operator=(const TReadableFile&) = delete;
    ~TReadableFile();

    uint64_t Size() const { return FSize; }
    // Up to `length` bytes at `offset` into `into`; fewer only where the file ends.
    size_t ReadAt(uint64_t offset, void* into, size_t length) const;

private:
    int FFd;
    uint64_t FSize;
};

// The file's bytes. Refuses a folder, a device or a FIFO (without waiting for a writer) and a
// file larger than `maxSize` (EFBIG).
AnsiString ReadFileBytes(const AnsiString& path, size_t maxSize);

// A file written in pieces that replaces the file at `path` only when Commit is called, so that
// the path holds either the old or the whole new bytes, never a part: a temporary file beside it,
// flushed, renamed over it, and the folder flushed. A symbolic link stays and the file it names is
// replaced (or made). The old file's mode and, for a privileged user, its owner are kept; a new
// file gets the mode any new file gets here (the umask). A folder, a device or a FIFO is refused,
// and so is a file the caller may not write (a read-only one), as writing it would be. A failed
// write, or destruction before Commit, removes the temporary and keeps the old file; one that a
// killed writer left is removed by the next replacement of the same file.
class TReplacementFile {
public:
    explicit TReplacementFile(const AnsiString& path);
    TReplacementFile(const TReplacementFile&) = delete;
    TReplacementFile& operator=(const TReplacementFile&) = delete;
    ~TReplacementFile();

    // Buffered; raises EFileAccessError (a full disk, say) after removing the temporary.
    void Write(std::string_view bytes);
    // The temporary's path, for a library that writes a file by name instead of Write.
    const AnsiString& TemporaryPath() const { return FTemporary; }
    void Commit();

private:
    static constexpr size_t BufferSize = 1 << 16;
    void Flush();
    [[noreturn]] void Abandon(int error);

    AnsiString FTarget;
    AnsiString FTemporary;
    AnsiString FBuffer;
    int FFd = -1;
};

// Replaces the file with `bytes` so that it holds either the old or the new bytes, never a part:
// a temporary file beside it, flushed, renamed over it, and the folder flushed. A symbolic link
// stays and the file it names is replaced (or made). The old file's mode and, for a privileged
// user, its owner are kept; a new file gets the mode any new file gets here (the umask). A
// folder, a device or a FIFO is refused, and so is a file the caller may not write (a read-only
// one), as writing it would be. On failure the old file stays and no temporary remains; one that
// a killed writer left is removed by the next replacement of the same file.
void ReplaceFileBytes(const AnsiString& path, std::string_view bytes);
