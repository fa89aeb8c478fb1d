#pragma once
// Work done in a forked child, so a test can limit it, take its privileges, or kill it part way
// without touching the test's own process.

#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <thread>

struct TChildLimits {
    // Drops root for "nobody", so that file permissions bind the child as they bind a person.
    bool Unprivileged = false;
    // Writes past this many bytes fail (EFBIG), as on a disk that fills up; 0: no limit.
    rlim_t MaxFileSize = 0;
};

// The child's exit status from `work`, -1 when it could not run as asked, or -SIGNAL when it
// was killed (after `killAfter`, when that is given).
inline int RunInChild(const std::function<int()>& work, TChildLimits limits = {},
                      std::chrono::microseconds killAfter = std::chrono::microseconds::zero())
{
    const pid_t pid = fork();
    if (pid == 0) {
        if (limits.Unprivileged && geteuid() == 0 &&
            (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
            _exit(255);
        if (limits.MaxFileSize) {
            signal(SIGXFSZ, SIG_IGN);
            rlimit limit{limits.MaxFileSize, limits.MaxFileSize};
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
                _exit(255);
        }
        _exit(work());
    }
    if (pid < 0)
        return -1;
    if (killAfter.count() > 0) {
        std::this_thread::sleep_for(killAfter);
        kill(pid, SIGKILL);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFSIGNALED(status))
        return -WTERMSIG(status);
    return WEXITSTATUS(status) == 255 ? -1 : WEXITSTATUS(status);
}
