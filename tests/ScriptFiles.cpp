#include "tests/ScriptFiles.h"

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> ScriptNames(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().extension() == ".dscript")
            names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string ScriptTestName(const testing::TestParamInfo<std::string>& info)
{
    std::string name = info.param;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
}

THostRun PlayHostScript(const std::string& host, const std::string& package, const std::filesystem::path& folder,
                        const std::string& script, const std::string& environment)
{
    std::ofstream(folder / "script.dscript") << script;
    // The host in the shell's place, so that a signal ends the run itself and no shell reports it.
    const std::string command = "cd '" + folder.string() + "' && exec env " + environment + " '" + host +
                                "' script --package '" + package + "' script.dscript >out 2>err";
    const int status = std::system(command.c_str());
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : WIFSIGNALED(status) ? 128 + WTERMSIG(status) : -1;
    return {code, ReadText(folder / "out"), ReadText(folder / "err")};
}
