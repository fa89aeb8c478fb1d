// The HTML export's options, template names and predefined colour sets.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "rowcastb5/Khtmlexport.h"
#include "rowcastb5/Templates.h"

TEST(TableOptions, EachSetterWritesItsOwnColourOnly)
{
    TTableOptions options;
    using Setter = void (TTableOptions::*)(TColor);
    using Getter = TColor (TTableOptions::*)() const;
    const std::pair<Setter, Getter> members[] = {
        {&TTableOptions::SetHeadersRowBgColor, &TTableOptions::HeadersRowBgColor},
        {&TTableOptions::SetHeadersRowFontColor, &TTableOptions::HeadersRowFontColor},
        {&TTableOptions::SetTableBgColor, &TTableOptions::TableBgColor},
        {&TTableOptions::SetTableFontColor, &TTableOptions::TableFontColor},
        {&TTableOptions::SetOddRowBgColor, &TTableOptions::OddRowBgColor},
    };
    for (size_t i = 0; i < std::size(members); ++i)
        (options.*members[i].first)(static_cast<TColor>(0x100 + i));
    for (size_t i = 0; i < std::size(members); ++i)
        EXPECT_EQ((options.*members[i].second)(), static_cast<TColor>(0x100 + i)) << i;
}

TEST(HTMLExport, OptionSettersCopyIntoTheComponentsOwnObjects)
{
    TKHTMLExport a(nullptr), b(nullptr);
    THTMLOptions* html = b.HTMLOptions();
    TTableOptions* table = b.TableOptions();
    TFont* font = html->DefaultFont();
    a.HTMLOptions()->SetVLinkColor(clTeal);
    a.HTMLOptions()->DefaultFont()->SetName("Georgia");
    a.HTMLOptions()->DefaultFont()->SetColor(clNavy);
    a.TableOptions()->SetOddRowBgColor(clSilver);

    SetObjectProp(&b, "HTMLOptions", a.HTMLOptions());
    SetObjectProp(&b, "TableOptions", a.TableOptions());
    EXPECT_EQ(b.HTMLOptions(), html);
    EXPECT_EQ(b.TableOptions(), table);
    EXPECT_EQ(html->DefaultFont(), font);
    EXPECT_EQ(html->GetOwner(), &b);
    EXPECT_EQ(html->VLinkColor(), clTeal);
    EXPECT_EQ(font->Name(), "Georgia");
    EXPECT_EQ(font->Color(), clNavy);
    EXPECT_EQ(table->OddRowBgColor(), clSilver);
}

TEST(HTMLTemplate, EveryValueHasItsOwnName)
{
    std::set<std::string> names;
    for (int v = htCustom; v <= htSimple; ++v)
        names.insert(TemplateToStr(static_cast<THTMLTemplate>(v)));
    EXPECT_EQ(names.size(), 10u);
    EXPECT_EQ(names.count(""), 0u);
    EXPECT_EQ(TemplateToStr(htCustom), "Custom");
    // A form file can hold any byte; it must not read past the names.
    EXPECT_EQ(TemplateToStr(static_cast<THTMLTemplate>(10)), "");
    EXPECT_EQ(TemplateToStr(static_cast<THTMLTemplate>(255)), "");
}

namespace {

struct NamedTemplate {
    const char* Name;
    const RHTMLTemplate* Colors;
};

// In THTMLTemplate order, 1 to 9.
const NamedTemplate Predefined[] = {
    {"BW", &RhtBW}, {"Classic", &RhtClassic}, {"ColorFul", &RhtColorFul},
    {"Gray", &RhtGray}, {"MS_Money", &RhtMS_Money}, {"Murky", &RhtMurky},
    {"Olive", &RhtOlive}, {"Plain", &RhtPlain}, {"Simple", &RhtSimple},
};

std::vector<TColor> ColorsOf(const RHTMLTemplate& t)
{
    return {t.BackGroundColor, t.LinkColor, t.VLinkColor, t.ALinkColor, t.DefaultFontColor,
            t.HeadersRowBgColor, t.HeadersRowFontColor, t.TableBgColor, t.TableFontColor,
            t.OddRowBgColor};
}

double Channel(uint32_t c)
{
    double v = c / 255.0;
    return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

double Luminance(TColor color)
{
    auto c = static_cast<uint32_t>(color);
    return 0.2126 * Channel(c & 0xFF) + 0.7152 * Channel((c >> 8) & 0xFF) + 0.0722 * Channel((c >> 16) & 0xFF);
}

double Contrast(TColor a, TColor b)
{
    double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace

TEST(Templates, NoTwoAreAlike)
{
    for (size_t i = 0; i < std::size(Predefined); ++i)
        for (size_t j = i + 1; j < std::size(Predefined); ++j)
            EXPECT_NE(ColorsOf(*Predefined[i].Colors), ColorsOf(*Predefined[j].Colors))
                << Predefined[i].Name << " and " << Predefined[j].Name;
}

TEST(Templates, TextStaysReadableOnItsBackground)
{
    for (const NamedTemplate& t : Predefined) {
        SCOPED_TRACE(t.Name);
        const RHTMLTemplate& c = *t.Colors;
        for (TColor color : ColorsOf(c))
            EXPECT_EQ(static_cast<uint32_t>(color) >> 24, 0u) << "a page needs plain RGB, not a system colour";
        EXPECT_GE(Contrast(c.DefaultFontColor, c.BackGroundColor), 3.0);
        EXPECT_GE(Contrast(c.LinkColor, c.BackGroundColor), 3.0);
        EXPECT_GE(Contrast(c.VLinkColor, c.BackGroundColor), 3.0);
        EXPECT_GE(Contrast(c.ALinkColor, c.BackGroundColor), 3.0);
        EXPECT_GE(Contrast(c.HeadersRowFontColor, c.HeadersRowBgColor), 3.0);
        EXPECT_GE(Contrast(c.TableFontColor, c.TableBgColor), 3.0);
        EXPECT_GE(Contrast(c.TableFontColor, c.OddRowBgColor), 3.0);
        EXPECT_FALSE(c.DefaultFontName.empty());
    }
}
