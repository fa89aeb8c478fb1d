#include "vcl50/Inifiles.h"

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/fsuid.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "tests/TempFolder.h"
#include "vcl50/Classes.h"
#include "vcl50/Strings.h"

namespace fs = std::filesystem;
using namespace std::string_literals;
using testing::ElementsAre;
using testing::HasSubstr;

namespace {

std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteBytes(const fs::path& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<AnsiString> Entries(const fs::path& folder)
{
    std::vector<AnsiString> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

std::vector<AnsiString> Lines(TStrings& strings)
{
    std::vector<AnsiString> lines;
    for (int i = 0; i < strings.Count(); ++i)
        lines.push_back(strings[i]);
    return lines;
}

// Root passes every permission check; with the file-system user dropped they apply again.
class TAsNobody {
public:
    TAsNobody()
    {
        if (geteuid() == 0) {
            setfsgid(65534);
            setfsuid(65534);
        }
    }
    ~TAsNobody()
    {
        if (geteuid() == 0) {
            setfsuid(0);
            setfsgid(0);
        }
    }
};

class Inifiles : public testing::Test {
protected:
    // The message of the EIniFileException that `call` raises.
    template <class Call>
    static AnsiString Failure(Call call)
    {
        try {
            call();
        } catch (const EIniFileException& e) {
            return e.Message();
        }
        return "(nothing raised)";
    }

    TTempFolder FTemp{"inifiles-test"};
    const fs::path FFolder = FTemp.Path();
    const fs::path FPath = FFolder / "template.htf";
};

const std::string Foreign =
    "; colours of the HTML export\n"
    "\n"
    "[HTML options]\n"
    "  Background-color =  $00FFFFFF  \n"
    "Font-family=Arial\n"
    "; a comment inside\n"
    "\n"
    "[Other tool]\n"
    "Setting=on\n"
    "lines without equals sign\n"
    "\n"
    "\n"
    "[Table options]\n"
    "Header-bgcolor=$00FF8080\n";

}  // namespace

TEST_F(Inifiles, MissingFileReadsAsEmptyAndFirstWriteCreatesIt)
{
    TIniFile ini(FPath.string());
    EXPECT_EQ(ini.FileName(), FPath.string());
    EXPECT_EQ(ini.ReadString("HTML options", "Font-family", "Times"), "Times");
    EXPECT_EQ(ini.ReadInteger("HTML options", "LinkColor", 7), 7);
    EXPECT_FALSE(ini.SectionExists("HTML options"));
    ini.DeleteKey("HTML options", "Font-family");
    ini.EraseSection("HTML options");
    EXPECT_FALSE(fs::exists(FPath)) << "removing nothing must not create the file";

    ini.WriteString("HTML options", "Font-family", "Arial");
    ini.WriteInteger("HTML options", "LinkColor", 16711680);
    ini.WriteString("Table options", "Header-bgcolor", "$00FF8080");
    ini.WriteString("HTML options", "Font-color", "");
    EXPECT_EQ(ReadBytes(FPath),
              "[HTML options]\nFont-family=Arial\nLinkColor=16711680\nFont-color=\n"
              "\n[Table options]\nHeader-bgcolor=$00FF8080\n");
    // An empty value is a value: it reads back empty, not as the default.
    EXPECT_EQ(ini.ReadString("HTML options", "Font-color", "Times"), "");
    EXPECT_TRUE(ini.ValueExists("HTML options", "Font-color"));
}

TEST_F(Inifiles, NumbersAndBooleans)
{
    WriteBytes(FPath, "[N]\nsys=$80000008\nneg=$FFFFFFFF\nc=0x1F\nblank=  42  \ntext=abc\nempty=\n"
                      "off=0\non=5\nyes=true\nbig=2147483648\n");
    TIniFile ini(FPath.string());
    EXPECT_EQ(ini.ReadInteger("N", "sys", 0), -2147483640);
    EXPECT_EQ(ini.ReadInteger("N", "neg", 0), -1);
    EXPECT_EQ(ini.ReadInteger("N", "c", 0), 31);
    EXPECT_EQ(ini.ReadInteger("N", "blank", 0), 42);
    EXPECT_EQ(ini.ReadInteger("N", "text", 9), 9);
    EXPECT_EQ(ini.ReadInteger("N", "empty", 9), 9);
    EXPECT_EQ(ini.ReadInteger("N", "big", 9), 9);
    EXPECT_FALSE(ini.ReadBool("N", "off", true));
    EXPECT_TRUE(ini.ReadBool("N", "on", false));
    EXPECT_FALSE(ini.ReadBool("N", "yes", false));  // no number: the default
    EXPECT_TRUE(ini.ReadBool("N", "missing", true));

    for (int value : {0, 1, -1, INT_MIN, INT_MAX, static_cast<int32_t>(0x80000008u)}) {
        ini.WriteInteger("W", "v", value);
        EXPECT_EQ(ini.ReadInteger("W", "v", 12345), value);
        ini.WriteString("W", "hex", "$" + IntToHex(value, 8));
        EXPECT_EQ(ini.ReadInteger("W", "hex", 12345), value);
    }
    ini.WriteBool("W", "b", true);
    EXPECT_EQ(ini.ReadString("W", "b", ""), "1");
    ini.WriteBool("W", "b", false);
    EXPECT_EQ(ini.ReadString("W", "b", ""), "0");
}

TEST_F(Inifiles, NamesMatchWithoutRegardToCase)
{
    WriteBytes(FPath, Foreign);
    TIniFile ini(FPath.string());
    EXPECT_EQ(ini.ReadString("html OPTIONS", "FONT-FAMILY", ""), "Arial");
    EXPECT_EQ(ini.ReadString(" Html Options ", " background-color ", ""), "$00FFFFFF");
    EXPECT_TRUE(ini.SectionExists("TABLE OPTIONS"));
    EXPECT_TRUE(ini.ValueExists("table options", "HEADER-BGCOLOR"));
    EXPECT_FALSE(ini.ValueExists("HTML options", "Header-bgcolor"));
    ini.WriteString("HTML OPTIONS", "font-family", "Courier");
    TIniFile other(FPath.string());  // every write is on disk already
    EXPECT_EQ(other.ReadString("HTML options", "Font-family", ""), "Courier");
    EXPECT_EQ(ReadBytes(FPath).find("Arial"), std::string::npos) << "replaced, not added";
}

TEST_F(Inifiles, ForeignContentKeepsItsBytes)
{
    WriteBytes(FPath, Foreign);
    TIniFile ini(FPath.string());

    ini.WriteString("HTML options", "Font-family", "Verdana");
    std::string expected = Foreign;
    expected.replace(expected.find("Font-family=Arial"), 17, "Font-family=Verdana");
    EXPECT_EQ(ReadBytes(FPath), expected);

    // A new key goes after the section's last key, before its comment and blank lines.
    ini.WriteString("HTML options", "LinkColor", "$00FF0000");
    expected.insert(expected.find("; a comment inside"), "LinkColor=$00FF0000\n");
    EXPECT_EQ(ReadBytes(FPath), expected);

    ini.WriteString("HTML options", "background-color", "$00FFFFFF");  // same value: line untouched
    EXPECT_EQ(ReadBytes(FPath), expected);

    ini.DeleteKey("Other tool", "Setting");
    expected.erase(expected.find("Setting=on\n"), 11);
    EXPECT_EQ(ReadBytes(FPath), expected);

    ini.EraseSection("HTML options");
    expected.erase(expected.find("[HTML options]"), expected.find("[Other tool]") - expected.find("[HTML options]"));
    EXPECT_EQ(ReadBytes(FPath), expected);
}

TEST_F(Inifiles, DuplicatesReadTheFirstAndEraseAll)
{
    WriteBytes(FPath, "[A]\nk=1\nk=2\n[B]\nx=1\n[a]\nk=3\nm=4\n");
    TIniFile ini(FPath.string());
    EXPECT_EQ(ini.ReadString("A", "k", ""), "1");
    TStringList list;
    list.Add("stale");
    ini.ReadSection("A", &list);
    EXPECT_THAT(Lines(list), ElementsAre("k", "m"));
    ini.ReadSections(&list);
    EXPECT_THAT(Lines(list), ElementsAre("A", "B"));
    ini.DeleteKey("A", "K");
    EXPECT_FALSE(ini.ValueExists("A", "k"));
    EXPECT_EQ(ReadBytes(FPath), "[A]\n[B]\nx=1\n[a]\nm=4\n");
    ini.EraseSection("a");
    EXPECT_EQ(ReadBytes(FPath), "[B]\nx=1\n");
}

TEST_F(Inifiles, CrlfAndByteOrderMarkAreReadAndKept)
{
    const std::string text = "\xEF\xBB\xBF[HTML options]\r\nFont-family = Arial \r\n\r\n[Table options]\r\nA=1";
    WriteBytes(FPath, text);
    TIniFile ini(FPath.string());
    EXPECT_EQ(ini.ReadString("HTML options", "Font-family", ""), "Arial");
    EXPECT_EQ(ini.ReadString("Table options", "A", ""), "1");
    ini.WriteString("Table options", "B", "2");
    ini.WriteString("New", "C", "3");
    EXPECT_EQ(ReadBytes(FPath), text + "\r\nB=2\r\n\r\n[New]\r\nC=3\r\n");
}

TEST_F(Inifiles, MalformedInputIsSkippedNeverFatal)
{
    std::mt19937 random(20240611);
    for (size_t size : {1u, 17u, 500u, 20000u}) {
        std::string junk(size, '\0');
        for (char& c : junk)
            c = static_cast<char>(random() % 256);
        WriteBytes(FPath, junk);
        TIniFile ini(FPath.string());
        TStringList sections;
        ini.ReadSections(&sections);
        ini.ReadString("x", "y", "");
        ini.WriteString("Fresh section", "k", "v");
        EXPECT_EQ(ini.ReadString("Fresh section", "k", ""), "v");
        EXPECT_EQ(ReadBytes(FPath).substr(0, size), junk) << "the junk itself stays";
    }

    const std::string longValue(1 << 20, 'x');
    std::string nul("ke\0y", 4);
    WriteBytes(FPath, "=no name\n[unclosed\nno equals\n[S]\n" + nul + "=va\0lue\n"s + "long=" + longValue + "\n");
    TIniFile ini(FPath.string());
    EXPECT_EQ(ini.ReadString("S", nul, ""), std::string("va\0lue", 6));
    EXPECT_EQ(ini.ReadString("S", "long", ""), longValue);
    TStringList sections;
    ini.ReadSections(&sections);
    EXPECT_THAT(Lines(sections), ElementsAre("S"));
}

TEST_F(Inifiles, TextThatWouldBreakTheLinesIsRefused)
{
    WriteBytes(FPath, Foreign);
    TIniFile ini(FPath.string());
    EXPECT_THAT(Failure([&] { ini.WriteString("HTML options", "Font-family", "Arial\n[Evil]\nx=1"); }),
                HasSubstr(FPath.string()));
    EXPECT_THROW(ini.WriteString("HTML options", "a=b", "1"), EIniFileException);
    EXPECT_THROW(ini.WriteString("HTML options", "[x]", "1"), EIniFileException);
    EXPECT_THROW(ini.WriteString("HTML options", "", "1"), EIniFileException);
    EXPECT_THROW(ini.WriteString("a]b", "k", "1"), EIniFileException);
    EXPECT_EQ(ReadBytes(FPath), Foreign);
}

TEST_F(Inifiles, ReplacementKeepsModeAndGoesThroughANewFile)
{
    WriteBytes(FPath, Foreign);
    fs::permissions(FPath, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    struct stat before {}, after {};
    ASSERT_EQ(stat(FPath.c_str(), &before), 0);
    TIniFile(FPath.string()).WriteString("HTML options", "Font-family", "Verdana");
    ASSERT_EQ(stat(FPath.c_str(), &after), 0);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_NE(after.st_ino, before.st_ino) << "renamed over, not rewritten in place";
    EXPECT_THAT(Entries(FFolder), ElementsAre("template.htf"));

    mode_t savedMask = umask(027);
    TIniFile(FPath.string() + ".new").WriteString("S", "k", "v");
    umask(savedMask);
    ASSERT_EQ(stat((FPath.string() + ".new").c_str(), &after), 0);
    EXPECT_EQ(after.st_mode & 07777, 0640u) << "a new file follows the umask";

    // Through a symbolic link the file it names is replaced; the link stays.
    fs::create_symlink(FPath, FFolder / "link.htf");
    TIniFile((FFolder / "link.htf").string()).WriteString("S", "k", "v");
    EXPECT_TRUE(fs::is_symlink(FFolder / "link.htf"));
    EXPECT_EQ(TIniFile(FPath.string()).ReadString("S", "k", ""), "v");
}

TEST_F(Inifiles, FailedWriteLeavesTheOldFileAndNoTemporary)
{
    WriteBytes(FPath, Foreign);
    TIniFile ini(FPath.string());
    // The file size limit makes the temporary's write fail half-way.
    struct rlimit saved {};
    getrlimit(RLIMIT_FSIZE, &saved);
    struct rlimit small = saved;
    small.rlim_cur = 64;
    auto previous = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    AnsiString message = Failure([&] { ini.WriteString("HTML options", "Font-family", "Verdana"); });
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, previous);
    EXPECT_THAT(message, HasSubstr(FPath.string()));
    EXPECT_THAT(message, HasSubstr(strerror(EFBIG)));
    EXPECT_EQ(ReadBytes(FPath), Foreign);
    EXPECT_THAT(Entries(FFolder), ElementsAre("template.htf"));
}

TEST_F(Inifiles, UnwritableTargetsRaiseWithPathAndReason)
{
    const fs::path missing = FFolder / "no such folder" / "a.htf";
    AnsiString message = Failure([&] { TIniFile(missing.string()).WriteString("S", "k", "v"); });
    EXPECT_THAT(message, HasSubstr(missing.string()));
    EXPECT_THAT(message, HasSubstr(strerror(ENOENT)));
    EXPECT_FALSE(fs::exists(missing.parent_path()));

    message = Failure([] { TIniFile("/dev/full").WriteString("S", "k", "v"); });
    EXPECT_THAT(message, HasSubstr("/dev/full"));
    EXPECT_TRUE(fs::is_character_file("/dev/full"));

    fs::create_directory(FFolder / "folder.htf");
    message = Failure([&] { TIniFile((FFolder / "folder.htf").string()).ReadString("S", "k", ""); });
    EXPECT_THAT(message, HasSubstr((FFolder / "folder.htf").string()));
    EXPECT_THAT(message, HasSubstr(strerror(EISDIR)));
    EXPECT_THROW(TIniFile((FFolder / "folder.htf").string()).WriteString("S", "k", "v"), EIniFileException);
    EXPECT_TRUE(fs::is_directory(FFolder / "folder.htf"));
}

TEST_F(Inifiles, NoPermissionRaisesAndLeavesTheFile)
{
    WriteBytes(FPath, Foreign);
    fs::permissions(FFolder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                 fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(FPath, fs::perms::owner_write);  // no one may read it
    TIniFile ini(FPath.string());
    {
        TAsNobody nobody;
        int probe = open((FFolder / "probe").c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        if (probe >= 0) {
            close(probe);
            unlink((FFolder / "probe").c_str());
            GTEST_SKIP() << "permissions are not enforced for this user";
        }
        AnsiString message = Failure([&] { ini.ReadString("HTML options", "Font-family", ""); });
        EXPECT_THAT(message, HasSubstr(FPath.string()));
        EXPECT_THAT(message, HasSubstr(strerror(EACCES)));
        EXPECT_THROW(ini.WriteString("HTML options", "Font-family", "Verdana"), EIniFileException);
    }
    fs::permissions(FPath, fs::perms::all);  // readable now; the read-only folder still refuses
    {
        TAsNobody nobody;
        AnsiString message = Failure([&] { ini.WriteString("HTML options", "Font-family", "Verdana"); });
        EXPECT_THAT(message, HasSubstr(FPath.string()));
        EXPECT_THAT(message, HasSubstr(strerror(EACCES)));
    }
    EXPECT_EQ(ReadBytes(FPath), Foreign);
    EXPECT_THAT(Entries(FFolder), ElementsAre("template.htf"));
}

TEST_F(Inifiles, ABatchIsWrittenOnceByItsEndAndNotAtAllWhenAbandoned)
{
    WriteBytes(FPath, Foreign);
    {
        TIniFile ini(FPath.string());
        ini.BeginUpdate();
        ini.WriteString("Table options", "Header-bgcolor", "$00000001");
        ini.EraseSection("Other tool");
        ini.BeginUpdate();
        ini.WriteString("New", "k", "v");
        ini.EndUpdate();  // the inner end writes nothing
        EXPECT_EQ(ReadBytes(FPath), Foreign);
        EXPECT_EQ(ini.ReadString("New", "k", ""), "v") << "reads see the batch";
        EXPECT_FALSE(ini.SectionExists("Other tool"));
        ini.EndUpdate();
        EXPECT_EQ(TIniFile(FPath.string()).ReadString("Table options", "Header-bgcolor", ""), "$00000001");
        EXPECT_EQ(TIniFile(FPath.string()).ReadString("New", "k", ""), "v");
        ini.WriteString("After", "k", "v");  // write-through again
        EXPECT_EQ(TIniFile(FPath.string()).ReadString("After", "k", ""), "v");
    }
    const std::string written = ReadBytes(FPath);
    {
        TIniFile ini(FPath.string());
        ini.BeginUpdate();
        ini.WriteString("Lost", "k", "v");
    }  // freed inside its batch, as on an exception's way out
    EXPECT_EQ(ReadBytes(FPath), written);
    EXPECT_THAT(Entries(FFolder), ElementsAre("template.htf"));
    {
        TIniFile ini(FPath.string());
        ini.BeginUpdate();
        EXPECT_EQ(ini.ReadString("New", "k", ""), "v");
        WriteBytes(FPath, Foreign);  // behind the batch's back: it read the file at its first call
        EXPECT_EQ(ini.ReadString("New", "k", ""), "v");
        ini.EndUpdate();  // changed nothing, writes nothing
        EXPECT_EQ(ReadBytes(FPath), Foreign);
        EXPECT_EQ(ini.ReadString("New", "k", "none"), "none");
    }
}
