#pragma once
// A fresh folder under /tmp for one test, removed with all it holds when the test ends, also
// after the test took its permissions away.

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>

class TTempFolder {
public:
    explicit TTempFolder(const std::string& prefix)
    {
        std::string pattern = "/tmp/" + prefix + ".XXXXXX";
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a folder for the test: " + pattern);
        FPath = pattern;
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;
    ~TTempFolder()
    {
        std::error_code ignored;
        std::filesystem::permissions(FPath, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(FPath, ignored);
    }

    const std::filesystem::path& Path() const { return FPath; }

private:
    std::filesystem::path FPath;
};
