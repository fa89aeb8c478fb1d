#include "vcl50/Wholefiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <system_error>
#include <utility>
#include <vector>

EFileAccessError::EFileAccessError(int errorCode, AnsiString reason)
    : Exception(std::move(reason)), FErrorCode(errorCode)
{
}

const char* EFileAccessError::ClassName() const { return "EFileAccessError"; }

namespace {

[[noreturn]] void Fail(int error)
{
    throw EFileAccessError(error, std::system_category().message(error));
}

// A folder says so in the system's words; anything else that is no regular file in ours.
[[noreturn]] void FailNotRegular(mode_t mode)
{
    if (S_ISDIR(mode))
        Fail(EISDIR);
    throw EFileAccessError(0, "Not a regular file");
}

// Closes on every path out; Release() hands the descriptor over for a checked close.
class TFileDescriptor {
public:
    explicit TFileDescriptor(int fd) : FFd(fd) {}
    TFileDescriptor(const TFileDescriptor&) = delete;
    TFileDescriptor& operator=(const TFileDescriptor&) = delete;
    ~TFileDescriptor() { Reset(); }
    int Get() const { return FFd; }
    int Release() { return std::exchange(FFd, -1); }
    void Reset()
    {
        if (FFd >= 0)
            close(Release());
    }

private:
    int FFd;
};

AnsiString FolderOf(const AnsiString& path)
{
    size_t slash = path.rfind('/');
    return slash == AnsiString::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// The file a path names at the end of its symbolic links, also when the last link names no file
// yet, so that a write through a link makes or replaces that file and leaves the link.
AnsiString FollowLinks(AnsiString path)
{
    for (int hop = 0; hop < 40; ++hop) {
        char link[PATH_MAX];
        ssize_t n = readlink(path.c_str(), link, sizeof link);
        if (n < 0)
            return path;  // no link; whatever else is wrong, the steps that follow say
        AnsiString next(link, static_cast<size_t>(n));
        path = next.starts_with('/') ? next : FolderOf(path) + "/" + next;
    }
    Fail(ELOOP);
}

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        ssize_t n = write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// Temporaries are named ".NAME.PID-COUNT.tmp" beside the file they replace, and their writer holds
// an exclusive lock on each until it has renamed it. One whose lock can be taken was left by a
// writer that died (the system drops a dead process's locks), so the next save of the same file
// removes it: a killed save leaves litter until then, never an accumulation.
bool IsTemporaryOf(std::string_view entry, std::string_view base)
{
    if (entry.size() < base.size() + 6 || entry[0] != '.' || entry.substr(1, base.size()) != base ||
        entry[base.size() + 1] != '.' || !entry.ends_with(".tmp"))
        return false;
    std::string_view middle = entry.substr(base.size() + 2, entry.size() - base.size() - 6);
    size_t dash = middle.find('-');
    auto digits = [](std::string_view s) {
        return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
    };
    return dash != std::string_view::npos && digits(middle.substr(0, dash)) && digits(middle.substr(dash + 1));
}

// The descriptor's file is the one the path names now (no one renamed or removed it meanwhile).
bool StillNamed(int fd, const AnsiString& path)
{
    struct stat held {}, named {};
    return fstat(fd, &held) == 0 && lstat(path.c_str(), &named) == 0 && held.st_ino == named.st_ino &&
           held.st_dev == named.st_dev && S_ISREG(held.st_mode);
}

void SweepDeadTemporaries(const AnsiString& folder, const AnsiString& base)
{
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return;  // the save itself will say what is wrong with the folder
    std::vector<AnsiString> names;
    while (const dirent* entry = readdir(dir))
        if (IsTemporaryOf(entry->d_name, base))
            names.emplace_back(entry->d_name);
    closedir(dir);
    for (const AnsiString& name : names) {
        AnsiString path = folder + "/" + name;
        TFileDescriptor fd(open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
        if (fd.Get() >= 0 && flock(fd.Get(), LOCK_EX | LOCK_NB) == 0 && StillNamed(fd.Get(), path))
            unlink(path.c_str());
    }
}

// A new, locked file beside `target` that nobody else has opened; its name goes to `temp`.
int CreateTemporary(const AnsiString& target, mode_t mode, AnsiString& temp)
{
    static std::atomic<unsigned> counter{0};
    AnsiString folder = FolderOf(target);
    AnsiString base = target.substr(target.rfind('/') + 1);
    SweepDeadTemporaries(folder, base);
    for (int attempt = 0;; ++attempt) {
        temp = folder + "/." + base + "." + std::to_string(getpid()) + "-" +
                          std::to_string(counter++) + ".tmp";
        TFileDescriptor fd(open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
        if (fd.Get() < 0 && (errno != EEXIST || attempt == 100))
            Fail(errno);
        if (fd.Get() < 0)
            continue;
        if (flock(fd.Get(), LOCK_EX) != 0)
            Fail(errno);
        // A sweep may have taken it between the open and the lock; then it is gone: try again.
        if (StillNamed(fd.Get(), temp))
            return fd.Release();
    }
}

}  // namespace

TReadableFile::TReadableFile(const AnsiString& path)
    // Not blocking keeps a FIFO from waiting for a writer before fstat can refuse it.
    : FFd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)), FSize(0)
{
    if (FFd < 0)
        Fail(errno);
    TFileDescriptor closer(FFd);
    struct stat st {};
    if (fstat(FFd, &st) != 0)
        Fail(errno);
    if (!S_ISREG(st.st_mode))
        FailNotRegular(st.st_mode);
    FSize = static_cast<uint64_t>(st.st_size);
    closer.Release();
}

TReadableFile::~TReadableFile() { close(FFd); }

size_t TReadableFile::ReadAt(uint64_t offset, void* into, size_t length) const
{
    size_t done = 0;
    while (done < length) {
        ssize_t n = pread(FFd, static_cast<char*>(into) + done, length - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            Fail(errno);
        if (n == 0)
            break;
        done += static_cast<size_t>(n);
    }
    return done;
}

AnsiString ReadFileBytes(const AnsiString& path, size_t maxSize)
{
    TReadableFile file(path);
    if (file.Size() > maxSize)
        Fail(EFBIG);
    AnsiString bytes;
    bytes.reserve(static_cast<size_t>(file.Size()));
    char buffer[65536];
    for (;;) {
        size_t n = file.ReadAt(bytes.size(), buffer, sizeof buffer);
        if (n == 0)
            return bytes;
        bytes.append(buffer, n);
        if (bytes.size() > maxSize)  // it grew while being read
            Fail(EFBIG);
    }
}

TReplacementFile::TReplacementFile(const AnsiString& path) : FTarget(FollowLinks(path))
{
    struct stat old {};
    const bool exists = stat(FTarget.c_str(), &old) == 0;
    if (!exists && errno != ENOENT)
        Fail(errno);
    if (exists && !S_ISREG(old.st_mode))
        FailNotRegular(old.st_mode);
    // The folder's permission would let the rename through where the file's own forbids the
    // write (a read-only file, one of another user): asked of the file, as a write would be.
    if (exists) {
        TFileDescriptor writable(open(FTarget.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
        if (writable.Get() < 0)
            Fail(errno);
    }

    // A new file is made as any new file here (umask, a folder's default access list); a
    // replacement starts private and takes the old file's owner and mode before it holds anything.
    FFd = CreateTemporary(FTarget, exists ? 0600 : 0666, FTemporary);
    if (exists) {
        // Keeping the owner only works for a privileged user; anyone else owns what they write.
        // Before the mode, since a change of owner clears the set-user and set-group bits.
        (void)!fchown(FFd, old.st_uid, old.st_gid);
        if (fchmod(FFd, old.st_mode & 07777) != 0)
            Abandon(errno);
    }
}

TReplacementFile::~TReplacementFile()
{
    if (FFd >= 0) {
        close(FFd);
        unlink(FTemporary.c_str());
    }
}

void TReplacementFile::Abandon(int error)
{
    close(std::exchange(FFd, -1));
    unlink(FTemporary.c_str());
    Fail(error);
}

void TReplacementFile::Write(std::string_view bytes)
{
    if (FFd < 0)
        throw EFileAccessError(0, "The file is closed");
    if (FBuffer.size() + bytes.size() <= BufferSize) {
        FBuffer.append(bytes);
        return;
    }
    Flush();
    if (bytes.size() >= BufferSize) {
        if (!WriteAll(FFd, bytes))
            Abandon(errno);
    } else {
        FBuffer.append(bytes);
    }
}

void TReplacementFile::Flush()
{
    if (!WriteAll(FFd, FBuffer))
        Abandon(errno);
    FBuffer.clear();
}

void TReplacementFile::Commit()
{
    if (FFd < 0)
        throw EFileAccessError(0, "The file is closed");
    Flush();
    if (fsync(FFd) != 0)
        Abandon(errno);
    // Renamed while still locked, so no sweep takes it for a dead writer's; the bytes are on disk
    // already, so the close has nothing left to report.
    if (rename(FTemporary.c_str(), FTarget.c_str()) != 0)
        Abandon(errno);
    close(std::exchange(FFd, -1));
    // Makes the rename itself durable; the new bytes are in place already, so a failure here
    // changes nothing the caller could act on.
    TFileDescriptor folder(open(FolderOf(FTarget).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() >= 0)
        fsync(folder.Get());
}

void ReplaceFileBytes(const AnsiString& path, std::string_view bytes)
{
    TReplacementFile file(path);
    file.Write(bytes);
    file.Commit();
}
