#include "vcl50/Wholefiles.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <system_error>
#include <utility>

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

// A new file beside `target` that nobody else has opened; its name goes to `temp`.
int CreateTemporary(const AnsiString& target, mode_t mode, AnsiString& temp)
{
    static std::atomic<unsigned> counter{0};
    AnsiString folder = FolderOf(target);
    AnsiString base = target.substr(target.rfind('/') + 1);
    for (int attempt = 0;; ++attempt) {
        temp = folder + "/." + base + "." + std::to_string(getpid()) + "-" +
                          std::to_string(counter++) + ".tmp";
        int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0)
            return fd;
        if (errno != EEXIST || attempt == 100)
            Fail(errno);
    }
}

}  // namespace

AnsiString ReadFileBytes(const AnsiString& path, size_t maxSize)
{
    // Not blocking keeps a FIFO from waiting for a writer before fstat can refuse it.
    TFileDescriptor fd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.Get() < 0)
        Fail(errno);
    struct stat st {};
    if (fstat(fd.Get(), &st) != 0)
        Fail(errno);
    if (!S_ISREG(st.st_mode))
        FailNotRegular(st.st_mode);
    if (static_cast<uint64_t>(st.st_size) > maxSize)
        Fail(EFBIG);
    AnsiString bytes;
    char buffer[65536];
    for (;;) {
        ssize_t n = read(fd.Get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            Fail(errno);
        if (n == 0)
            return bytes;
        bytes.append(buffer, static_cast<size_t>(n));
        if (bytes.size() > maxSize)  // it grew while being read
            Fail(EFBIG);
    }
}

void ReplaceFileBytes(const AnsiString& path, std::string_view bytes)
{
    AnsiString target = FollowLinks(path);
    struct stat old {};
    bool exists = stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT)
        Fail(errno);
    if (exists && !S_ISREG(old.st_mode))
        FailNotRegular(old.st_mode);

    // A new file is made as any new file here (umask, a folder's default access list); a
    // replacement starts private and takes the old file's owner and mode before it holds anything.
    AnsiString temp;
    TFileDescriptor fd(CreateTemporary(target, exists ? 0600 : 0666, temp));
    auto failed = [&](int error) {
        fd.Reset();
        unlink(temp.c_str());
        Fail(error);
    };
    if (exists) {
        // Keeping the owner only works for a privileged user; anyone else owns what they write.
        // Before the mode, since a change of owner clears the set-user and set-group bits.
        (void)!fchown(fd.Get(), old.st_uid, old.st_gid);
        if (fchmod(fd.Get(), old.st_mode & 07777) != 0)
            failed(errno);
    }
    if (!WriteAll(fd.Get(), bytes) || fsync(fd.Get()) != 0)
        failed(errno);
    if (close(fd.Release()) != 0)
        failed(errno);
    if (rename(temp.c_str(), target.c_str()) != 0)
        failed(errno);
    // Makes the rename itself durable; the new bytes are in place already, so a failure here
    // changes nothing the caller could act on.
    TFileDescriptor folder(open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() >= 0)
        fsync(folder.Get());
}
