#include <gtest/gtest.h>

#include <QColor>
#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>

#include "tests/qt/QtTestApp.h"
#include "vcl50/qt/QtColors.h"
#include "vcl50/qt/QtFilters.h"
#include "vcl50/qt/QtFonts.h"

namespace {

using QtFilters::ToQtFilters;
using Filters = std::vector<std::string>;

TEST(QtFilters, PairsBecomeQtNameFilters)
{
    EXPECT_EQ(ToQtFilters("Desc|*.a;*.b|Other|*.c"), (Filters{"Desc (*.a *.b)", "Other (*.c)"}));
    EXPECT_EQ(QtFilters::JoinQtFilters(ToQtFilters("Desc|*.a;*.b|Other|*.c")),
              "Desc (*.a *.b);;Other (*.c)");
    EXPECT_EQ(ToQtFilters(""), Filters{});
    EXPECT_EQ(QtFilters::JoinQtFilters({}), "");
}

TEST(QtFilters, IrregularFiltersStillGiveUsableEntries)
{
    // Patterns already named in the description are not repeated.
    EXPECT_EQ(ToQtFilters("Template files (*.htf)|*.htf"), Filters{"Template files (*.htf)"});
    // A mask left out, empty or blank means every file; a trailing separator adds nothing.
    EXPECT_EQ(ToQtFilters("All"), Filters{"All (*)"});
    EXPECT_EQ(ToQtFilters("All| ;"), Filters{"All (*)"});
    EXPECT_EQ(ToQtFilters("Text|*.txt|"), Filters{"Text (*.txt)"});
    EXPECT_EQ(ToQtFilters("|*.x"), Filters{"(*.x)"});
    EXPECT_EQ(ToQtFilters("A|*.a ; *.b"), Filters{"A (*.a *.b)"});
}

TEST(QtFilters, FilterIndexIsOneBasedBothWays)
{
    Filters filters = ToQtFilters("A|*.a|B|*.b|C|*.c");
    EXPECT_EQ(QtFilters::FilterForIndex(filters, 2), "B (*.b)");
    EXPECT_EQ(QtFilters::FilterForIndex(filters, 0), "A (*.a)");
    EXPECT_EQ(QtFilters::FilterForIndex(filters, 4), "A (*.a)");
    EXPECT_EQ(QtFilters::FilterForIndex({}, 1), "");
    EXPECT_EQ(QtFilters::IndexOfFilter(filters, "C (*.c)"), 3);
    EXPECT_EQ(QtFilters::IndexOfFilter(filters, "nothing"), 1);
}

TEST(QtColors, SystemColoursResolveForDisplay)
{
    EXPECT_EQ(QtColors::ToQColor(static_cast<TColor>(0x00FF8080)), QColor(128, 128, 255));
    EXPECT_EQ(QtColors::ToQColor(clBtnFace), QColor(192, 192, 192));
    EXPECT_EQ(QtColors::ToQColor(clWindowText), QColor(0, 0, 0));
    EXPECT_EQ(QtColors::FromQColor(QColor(128, 128, 255)), 0x00FF8080);
    EXPECT_EQ(QtColors::FromQColor(QColor::fromHsv(0, 255, 255)), clRed);
}

TEST(QtFonts, PlatformFamiliesMapToMetricCompatibleOnes)
{
    TestApp();
    QtFonts::InstallSubstitutions();
    TFont font;
    font.SetName("Arial");
    font.SetHeight(-13);
    font.SetStyle(TFontStyles{fsBold});
    QFont q = QtFonts::ToQFont(font);
    EXPECT_EQ(QFontInfo(q).family(), "Liberation Sans");
    EXPECT_EQ(q.pixelSize(), 13);
    EXPECT_TRUE(q.bold());
    EXPECT_FALSE(q.italic());

    font.SetName("MS Sans Serif");
    EXPECT_EQ(QFontInfo(QtFonts::ToQFont(font)).family(), "Liberation Sans");
}

TEST(QtFonts, PositiveHeightIsTheCellHeight)
{
    TestApp();
    QtFonts::InstallSubstitutions();
    TFont font;
    font.SetName("Arial");
    font.SetHeight(20);
    QFont q = QtFonts::ToQFont(font);
    EXPECT_LT(q.pixelSize(), 20);
    EXPECT_NEAR(QFontMetrics(q).height(), 20, 1);
    font.SetHeight(0);
    EXPECT_EQ(QtFonts::ToQFont(font).pixelSize(), 11);
}

}  // namespace
