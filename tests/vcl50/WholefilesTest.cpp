#include "vcl50/Wholefiles.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>

#include "tests/ChildProcess.h"
#include "tests/TempFolder.h"

namespace fs = std::filesystem;

namespace {

class Wholefiles : public testing::Test {
protected:
    std::string Make(const std::string& name, std::string_view bytes)
    {
        std::ofstream(FFolder / name, std::ios::binary) << bytes;
        return (FFolder / name).string();
    }

    static std::string Bytes(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }

    // The error code of the EFileAccessError that `call` raises, with its reason; -1 when none.
    static std::pair<int, AnsiString> Failure(const std::function<void()>& call)
    {
        try {
            call();
        } catch (const EFileAccessError& e) {
            return {e.ErrorCode(), e.Message()};
        }
        return {-1, ""};
    }

    size_t EntryCount() const
    {
        return static_cast<size_t>(std::distance(fs::directory_iterator(FFolder), fs::directory_iterator()));
    }

    TTempFolder FTemp{"wholefiles-test"};
    const fs::path FFolder = FTemp.Path();
};

TEST_F(Wholefiles, ReadTakesRegularFilesUpToTheLimitAndRefusesTheRest)
{
    mkfifo((FFolder / "fifo").c_str(), 0600);
    fs::create_directory(FFolder / "folder");
    struct TCase {
        const char* Name;
        std::string Path;
        size_t Limit;
        int Error;  // -1: read; 0: refused in this unit's words
    };
    const TCase cases[] = {
        {"at the limit", Make("three", "abc"), 3, -1},
        {"empty", Make("empty", ""), 0, -1},
        {"over the limit", Make("four", "abcd"), 3, EFBIG},
        {"missing", (FFolder / "missing").string(), 10, ENOENT},
        {"folder", (FFolder / "folder").string(), 10, EISDIR},
        {"FIFO with no writer, not waited for", (FFolder / "fifo").string(), 10, 0},
        {"character device", "/dev/zero", 10, 0},
    };
    for (const auto& c : cases) {
        auto [error, reason] = Failure([&] {
            AnsiString read = ReadFileBytes(c.Path, c.Limit);
            EXPECT_EQ(read, Bytes(c.Path)) << c.Name;
        });
        EXPECT_EQ(error, c.Error) << c.Name << ": " << reason;
        if (c.Error == 0) {
            EXPECT_EQ(reason, "Not a regular file") << c.Name;
        }
    }
}

TEST_F(Wholefiles, ReplaceFollowsLinksKeepsModeAndLeavesTheUmask)
{
    const std::string target = Make("target", "old");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("target", FFolder / "link");
    fs::create_symlink("link", FFolder / "link to link");
    fs::create_symlink(FFolder / "made", FFolder / "dangling");
    ReplaceFileBytes((FFolder / "link to link").string(), "new");
    ReplaceFileBytes((FFolder / "dangling").string(), "made");

    for (const char* link : {"link", "link to link", "dangling"})
        EXPECT_TRUE(fs::is_symlink(FFolder / link)) << link;
    EXPECT_EQ(Bytes(target), "new");
    EXPECT_EQ(fs::status(target).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(Bytes(FFolder / "made"), "made");

    mode_t saved = umask(027);
    ReplaceFileBytes((FFolder / "new").string(), "x");
    EXPECT_EQ(umask(saved), 027u) << "the process umask is left as it was";
    struct stat made {};
    ASSERT_EQ(stat((FFolder / "new").c_str(), &made), 0);
    EXPECT_EQ(made.st_mode & 07777, 0640u) << "a new file follows the umask";
    EXPECT_EQ(EntryCount(), 6u) << "no temporary left";
}

TEST_F(Wholefiles, ReplaceRefusesWhatIsNoRegularFileAndLeavesNoTemporary)
{
    mkfifo((FFolder / "fifo").c_str(), 0600);
    fs::create_directory(FFolder / "folder");
    const std::string plain = Make("plain", "kept");
    const struct {
        std::string Path;
        int Error;
    } cases[] = {
        {(FFolder / "fifo").string(), 0},
        {(FFolder / "folder").string(), EISDIR},
        {plain + "/inside", ENOTDIR},
        {(FFolder / "no folder" / "file").string(), ENOENT},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Failure([&] { ReplaceFileBytes(c.Path, "x"); }).first, c.Error) << c.Path;
    EXPECT_TRUE(fs::is_fifo(FFolder / "fifo"));
    EXPECT_TRUE(fs::is_empty(FFolder / "folder"));
    EXPECT_EQ(Bytes(plain), "kept");
    EXPECT_EQ(EntryCount(), 3u) << "no temporary left";
}

TEST_F(Wholefiles, ReplaceRefusesAReadOnlyFileInAWritableFolderAsAWriteWould)
{
    const std::string locked = Make("locked", "kept");
    fs::permissions(locked, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(FFolder, fs::perms::all);
    const int status = RunInChild([&] {
        try {
            ReplaceFileBytes(locked, "new");
        } catch (const EFileAccessError& e) {
            return e.ErrorCode() == EACCES ? 1 : 2;
        }
        return 0;
    }, {.Unprivileged = true});
    EXPECT_EQ(status, 1) << "0: replaced; 2: refused for another reason";
    EXPECT_EQ(Bytes(locked), "kept");
    EXPECT_EQ(EntryCount(), 1u);
}

// Writers killed at random points of a replacement: the file is always the old or the new bytes,
// and what the dead writers left is gone after the next replacement.
TEST_F(Wholefiles, WritersKilledPartWayLeaveTheOldOrTheNewFileAndNoLitterForLong)
{
    const std::string target = Make("doc", "old");
    const std::string fresh(4u << 20, 'n');
    auto start = std::chrono::steady_clock::now();
    ReplaceFileBytes(target, fresh);
    const auto took = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    std::mt19937 random(7);
    std::uniform_int_distribution<long> delay(1, std::max<long>(2, 2 * took.count()));
    int littered = 0;
    // Until a few kills landed during a write (timing on a busy machine varies), within bounds.
    for (int kill = 0; kill < 400 && littered < 5; ++kill) {
        Make("doc", "old");
        RunInChild([&] {
            ReplaceFileBytes(target, fresh);
            return 0;
        }, {}, std::chrono::microseconds(delay(random)));
        const std::string now = Bytes(target);
        ASSERT_TRUE(now == "old" || now == fresh) << "kill " << kill << ": " << now.size() << " bytes";
        // At most the temporary of the writer just killed: each writer sweeps its predecessors'.
        ASSERT_LE(EntryCount(), 2u) << "kill " << kill;
        littered += EntryCount() == 2;
    }
    EXPECT_GT(littered, 0) << "no kill landed during a write; the test proved nothing";
    ReplaceFileBytes(target, "last");
    EXPECT_EQ(EntryCount(), 1u) << "the dead writers' temporaries were swept";
    EXPECT_EQ(Bytes(target), "last");
}

}  // namespace
