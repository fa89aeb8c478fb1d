#include <gtest/gtest.h>

#include "vcl50/Graphics.h"

namespace {

TEST(GraphicsColors, NamesAndNumbersBothWays)
{
    EXPECT_EQ(ColorToString(clWhite), "clWhite");
    EXPECT_EQ(ColorToString(clWindowText), "clWindowText");
    EXPECT_EQ(ColorToString(static_cast<TColor>(0x00FF8080)), "$00FF8080");
    EXPECT_EQ(StringToColor("CLWHITE"), clWhite);
    EXPECT_EQ(StringToColor("$00FF8080"), 0x00FF8080);
    EXPECT_EQ(StringToColor("clWindowText"), static_cast<int32_t>(0x80000008u));
    EXPECT_EQ(StringToColor("-2147483640"), clWindowText);
    EXPECT_THROW(StringToColor("clNoSuch"), EConvertError);
}

TEST(GraphicsColors, SystemColoursResolveOnlyForDisplay)
{
    EXPECT_EQ(ColorToRGB(clBtnFace), 0xC0C0C0);
    EXPECT_EQ(ColorToRGB(clWindowText), 0);
    EXPECT_EQ(ColorToRGB(clWindow), 0xFFFFFF);
    EXPECT_EQ(ColorToRGB(static_cast<TColor>(0x0080FFFF)), 0x0080FFFF);
}

TEST(GraphicsFont, SizeFollowsHeightAtNinetySixPixelsPerInch)
{
    TFont font;
    EXPECT_EQ(font.Name(), "MS Sans Serif");
    EXPECT_EQ(font.Height(), -11);
    EXPECT_EQ(font.Size(), 8);
    font.SetSize(10);
    EXPECT_EQ(font.Height(), -13);
    font.SetHeight(-15);
    EXPECT_EQ(font.Size(), 11);
}

TEST(GraphicsFont, OnChangeOnlyForRealChanges)
{
    TFont font;
    int changes = 0;
    font.OnChange = [&](TObject*) { ++changes; };
    font.SetColor(clWindowText);
    font.SetName("MS Sans Serif");
    EXPECT_EQ(changes, 0);
    font.SetColor(clRed);
    font.SetStyle({fsBold});
    EXPECT_EQ(changes, 2);
    TFont copy;
    copy.Assign(&font);
    EXPECT_TRUE(copy.SameAs(font));
    EXPECT_EQ(copy.Style(), TFontStyles{fsBold});
}

}  // namespace
