#include "host/StandardOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

std::optional<std::string> StandardOutputFailure()
{
    errno = 0;
    std::cout.flush();
    const bool flushed = std::fflush(stdout) == 0;
    const int error = errno;
    if (flushed && !std::ferror(stdout) && std::cout.good())
        return std::nullopt;
    return error != 0 ? std::strerror(error) : "write error";
}
