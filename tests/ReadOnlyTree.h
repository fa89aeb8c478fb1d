#pragma once
// A folder and all it holds made unwritable for this process until the object goes: by its mode
// bits for a user, by the immutable attribute for root, whom mode bits do not stop. Where the
// file system has no such attribute, Made() is false and the test says why it skips.

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

class TReadOnlyTree {
public:
    explicit TReadOnlyTree(const std::filesystem::path& folder)
    {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
            FPaths.push_back(entry.path());
        FPaths.push_back(folder);  // last: its entries are reached through it
        for (const auto& path : FPaths)
            FMade = Lock(path, true) && FMade;
    }
    ~TReadOnlyTree()
    {
        for (auto it = FPaths.rbegin(); it != FPaths.rend(); ++it)
            Lock(*it, false);
    }
    TReadOnlyTree(const TReadOnlyTree&) = delete;
    TReadOnlyTree& operator=(const TReadOnlyTree&) = delete;

    bool Made() const { return FMade; }

private:
    static bool Lock(const std::filesystem::path& path, bool locked)
    {
        namespace fs = std::filesystem;
        if (geteuid() != 0) {
            std::error_code error;
            fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                            locked ? fs::perm_options::remove : fs::perm_options::add, error);
            return !error;
        }
        const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        int flags = 0;
        bool done = fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = locked ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        done = done && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        if (fd >= 0)
            close(fd);
        return done;
    }

    std::vector<std::filesystem::path> FPaths;
    bool FMade = true;
};
