// The export base: the dataset reference and its clearing, the owned lists and formats, and the
// hex ini file.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

#include "rowcastb5/Kbaseexport.h"
#include "rowcastb5/Kexportdlg.h"
#include "rowcastb5/Khtmlexport.h"
#include "rowcastb5/Ksqlexport.h"
#include "vcl50/Graphics.h"
#include "vcl50/Strings.h"
#include "vcldb50/Sqlitedataset.h"

namespace fs = std::filesystem;

// Both the export components and the export dialog refer to a dataset the same way.
template <class T>
class DataSetReference : public ::testing::Test {};
using ReferringClasses = ::testing::Types<TKHTMLExport, TKSQLExport, TKExportDialog>;
TYPED_TEST_SUITE(DataSetReference, ReferringClasses);

TYPED_TEST(DataSetReference, ClearedWhenTheDataSetIsFreedOnTheSameOwner)
{
    TComponent form(nullptr);
    auto* ds = new TSQLiteDataSet(&form);
    auto* component = new TypeParam(&form);
    SetObjectProp(component, "DataSet", ds);
    ASSERT_EQ(component->DataSet(), ds);
    delete ds;
    EXPECT_EQ(component->DataSet(), nullptr);
    EXPECT_EQ(GetObjectProp(component, "DataSet"), nullptr);
}

TYPED_TEST(DataSetReference, FollowsTheCurrentDataSetOnAnyOwner)
{
    auto first = std::make_unique<TSQLiteDataSet>(nullptr);
    auto second = std::make_unique<TSQLiteDataSet>(nullptr);
    auto component = std::make_unique<TypeParam>(nullptr);
    component->SetDataSet(first.get());
    component->SetDataSet(second.get());
    first.reset();
    EXPECT_EQ(component->DataSet(), second.get());
    // On another owner only the free notification can tell the component.
    auto dataModule = std::make_unique<TComponent>(nullptr);
    auto* third = new TSQLiteDataSet(dataModule.get());
    component->SetDataSet(third);
    dataModule.reset();
    EXPECT_EQ(component->DataSet(), nullptr);

    // The component going first must leave the dataset nothing to call back into.
    component->SetDataSet(second.get());
    component.reset();
    second.reset();
}

TEST(KExport, ListAndFormatsAreAssignedIntoTheComponentsOwnObjects)
{
    TKSQLExport a(nullptr), b(nullptr);
    TStrings* list = b.ExportedFields();
    TKFormats* formats = b.Formats();
    a.ExportedFields()->SetCommaText("Name,Age,Id");
    a.Formats()->SetDateFormat("yyyy-mm-dd");
    a.Formats()->SetTimeFormat("hh:nn");
    a.Formats()->SetDateTimeFormat("yyyy-mm-dd hh:nn");
    SetObjectProp(&b, "ExportedFields", a.ExportedFields());
    b.SetFormats(a.Formats());
    a.ExportedFields()->Clear();
    EXPECT_EQ(b.ExportedFields(), list);
    EXPECT_EQ(list->CommaText(), "Name,Age,Id");  // a copy, not a share
    EXPECT_EQ(b.Formats(), formats);
    EXPECT_EQ(formats->GetOwner(), &b);
    EXPECT_EQ(formats->DateFormat(), "yyyy-mm-dd");
    EXPECT_EQ(formats->TimeFormat(), "hh:nn");
    EXPECT_EQ(formats->DateTimeFormat(), "yyyy-mm-dd hh:nn");
}

namespace {

class HexIniFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "hexini-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        Dir = pattern;
        Path = (Dir / "colours.htf").string();
    }
    void TearDown() override { fs::remove_all(Dir); }

    fs::path Dir;
    std::string Path;
};

// Edges of every byte and sign, system colours, and a spread of others.
std::vector<int32_t> SweepValues()
{
    std::vector<int32_t> values = {0, 1, -1, INT32_MIN, INT32_MAX, INT32_MIN + 1, INT32_MAX - 1,
                                   static_cast<int32_t>(0x80000008u), clWindowText, clBtnFace,
                                   clWhite, 0x00FF8080, 0x7F, 0x80, 0xFF, 0x100, -0x80, -0x100};
    for (int bit = 0; bit < 32; ++bit) {
        uint32_t v = 1u << bit;
        for (uint32_t u : {v, v - 1, v + 1, ~v})
            values.push_back(static_cast<int32_t>(u));
    }
    uint32_t x = 2463534242u;  // xorshift: the same spread on every run
    for (int i = 0; i < 64; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        values.push_back(static_cast<int32_t>(x));
    }
    return values;
}

}  // namespace

TEST_F(HexIniFile, WriteHexReadsBackEveryValue)
{
    const auto values = SweepValues();
    {
        THexIniFile ini(Path);
        ini.WriteHex("Colours", "C0", 255);  // replaced below, not added
        for (size_t i = 0; i < values.size(); ++i)
            ini.WriteHex("Colours", "C" + IntToStr(static_cast<int64_t>(i)), values[i]);
    }
    THexIniFile ini(Path);  // a fresh object reads what the file holds
    TStringList keys;
    ini.ReadSection("Colours", &keys);
    EXPECT_EQ(keys.Count(), static_cast<int>(values.size()));
    for (size_t i = 0; i < values.size(); ++i) {
        const AnsiString key = "C" + IntToStr(static_cast<int64_t>(i));
        const AnsiString text = ini.ReadString("Colours", key, "");
        EXPECT_EQ(ini.ReadInteger("Colours", key, 12345), values[i]) << text;
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(text.find_first_not_of("0123456789ABCDEFabcdef", 1), AnsiString::npos) << "not hex: " << text;
    }
}
