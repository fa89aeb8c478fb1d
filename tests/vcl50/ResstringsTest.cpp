// A string table's text: NAME=TEXT lines, comments and blank lines passed over, two escapes, and
// what is refused with its line; tables that code registers come before any module's.
#include <gtest/gtest.h>

#include "vcl50/Resourcedirectory.h"
#include "vcl50/Resstrings.h"
#include "vcl50/Sysutils.h"

namespace {

TEST(StringTable, ReadsNamesAndTextsAndRefusesWhatIsNone)
{
    const struct {
        const char* Text;
        std::map<AnsiString, AnsiString> Entries;
        const char* Error;
    } cases[] = {
        {"# a comment\n\nSOne=One\r\nSTwo=a = b\n", {{"SOne", "One"}, {"STwo", "a = b"}}, ""},
        {"SLines=first\\nsecond \\\\ third", {{"SLines", "first\nsecond \\ third"}}, ""},
        {"SEmpty=", {{"SEmpty", ""}}, ""},
        {"SOne=One\nno text here\n", {}, "String table line 2: expected NAME=TEXT"},
        {"=nameless", {}, "String table line 1: expected NAME=TEXT"},
        {"SBad=a \\t b", {}, "String table line 1: only \\n and \\\\ may be escaped"},
        {"SEnd=ends in \\", {}, "String table line 1: only \\n and \\\\ may be escaped"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        if (*c.Error) {
            try {
                ParseStringTable(c.Text);
                ADD_FAILURE() << "accepted";
            } catch (const EResourceError& e) {
                EXPECT_EQ(e.Message(), c.Error);
            }
        } else {
            EXPECT_EQ(ParseStringTable(c.Text), c.Entries);
        }
    }
}

const TResStringRec SGreeting{"SGreeting"};
const TResStringRec SMissing{"SMissing"};

TEST(StringTable, RegisteredTablesServeAProgramThatCarriesNone)
{
    EXPECT_EQ(LoadResString(SGreeting), "SGreeting") << "a missing text shows its name";
    RegisterStringTable("SGreeting=Hello");
    RegisterStringTable("SGreeting=Hallo");
    EXPECT_EQ(LoadResString(SGreeting), "Hallo") << "the later table wins";
    EXPECT_EQ(LoadResString(SMissing), "SMissing");
    UnregisterStringTables();
    EXPECT_EQ(LoadResString(SGreeting), "SGreeting");
}

}  // namespace
