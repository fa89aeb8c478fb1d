#include "host/FormFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void CreateFailed(const std::string& path, int error)
{
    throw EFCreateError(Format("Cannot create file \"%s\". %s", {path, std::strerror(error)}));
}

}  // namespace

void WriteFileAtomically(const std::string& path, std::string_view text)
{
    std::string temp = path + ".XXXXXX";
    int fd = mkstemp(temp.data());
    if (fd < 0)
        CreateFailed(path, errno);
    auto fail = [&](int error) {
        close(fd);
        unlink(temp.c_str());
        CreateFailed(path, error);
    };
    // mkstemp makes the file private: keep the old file's mode, or give the user's default.
    struct stat old;
    mode_t mode;
    if (stat(path.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        mode_t mask = umask(0);
        umask(mask);
        mode = 0666 & ~mask;
    }
    if (fchmod(fd, mode) != 0)
        fail(errno);
    for (size_t done = 0; done < text.size();) {
        ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail(errno);
        }
        done += static_cast<size_t>(n);
    }
    if (fsync(fd) != 0)
        fail(errno);
    if (close(fd) != 0) {
        int error = errno;
        unlink(temp.c_str());
        CreateFailed(path, error);
    }
    if (rename(temp.c_str(), path.c_str()) != 0) {
        int error = errno;
        unlink(temp.c_str());
        CreateFailed(path, error);
    }
    // The rename itself reaches the disk with the folder.
    std::string folder = path.find('/') == std::string::npos ? "." : path.substr(0, path.rfind('/') + 1);
    int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
}

AnsiString ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw EFOpenError(Format("Cannot open file \"%s\". %s", {path, std::strerror(errno)}));
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad())
        throw EFOpenError(Format("Cannot read file \"%s\". %s", {path, std::strerror(errno)}));
    return text.str();
}
