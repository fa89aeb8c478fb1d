#include "host/FormFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "tests/TempFolder.h"

namespace fs = std::filesystem;

TEST(FormFile, ASaveThroughALinkKeepsItAndFailuresSayWhichFileAndWhy)
{
    TTempFolder temp("formfile-test");
    const fs::path& folder = temp.Path();
    fs::create_symlink("form.dfm", folder / "link.dfm");
    WriteFileAtomically((folder / "link.dfm").string(), "object Form1: TForm\nend\n");
    EXPECT_TRUE(fs::is_symlink(folder / "link.dfm"));
    EXPECT_EQ(ReadWholeFile((folder / "form.dfm").string()), "object Form1: TForm\nend\n");

    const std::string fifo = (folder / "fifo.dfm").string();
    mkfifo(fifo.c_str(), 0600);
    try {
        ReadWholeFile(fifo);
        ADD_FAILURE() << "a FIFO was read";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "Cannot open file \"" + fifo + "\". Not a regular file");
    }
    try {
        WriteFileAtomically(fifo, "x");
        ADD_FAILURE() << "a FIFO was replaced";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(), "Cannot create file \"" + fifo + "\". Not a regular file");
    }
    EXPECT_TRUE(fs::is_fifo(fifo));
}
