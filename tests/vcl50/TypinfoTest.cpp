#include <gtest/gtest.h>

#include "vcl50/Classes.h"
#include "vcl50/Graphics.h"

namespace {

enum TShade : uint8_t { shLight, shMedium, shDark };
enum TWide : int32_t { wdA, wdB };

}  // namespace

template <> struct TypeInfoTraits<TShade> {
    static const TTypeInfo* Get()
    {
        static const TTypeInfo info = EnumTypeInfo<TShade>("TShade", {"shLight", "shMedium", "shDark"});
        return &info;
    }
};
template <> struct TypeInfoTraits<TWide> {
    static const TTypeInfo* Get()
    {
        static const TTypeInfo info = EnumTypeInfo<TWide>("TWide", {"wdA", "wdB"});
        return &info;
    }
};

namespace {

class TSample : public TDerived<TSample, TComponent> {
public:
    using TDerived::TDerived;
    ~TSample() override { delete FFont; }
    static TClass StaticClass();

    TShade Shade() const { return FShade; }
    void SetShade(TShade s) { FShade = s; }
    const AnsiString& Caption() const { return FCaption; }
    void SetCaption(const AnsiString& c) { FCaption = c; }
    TColor Color() const { return FColor; }
    void SetColor(TColor c) { FColor = c; }
    TFont* Font() const { return FFont; }
    void SetFont(TFont* f) { FFont->Assign(f); }
    int Count() const { return FCount; }

    TNotifyEvent OnClick;
    TEvent<TObject*, int&> OnMeasure;
    TWide Wide = wdA;
    void Clicked(TObject*) { ++Clicks; }
    void Measured(TObject*, int& size) { size = 42; }
    int Clicks = 0;

private:
    TShade FShade = shLight;
    AnsiString FCaption;
    TColor FColor = clBtnFace;
    TFont* FFont = new TFont;
    int FCount = 7;
};

}  // namespace

template <> struct TypeInfoTraits<TEvent<TObject*, int&>> {
    static const TTypeInfo* Get()
    {
        static const TTypeInfo info = MethodTypeInfo<TEvent<TObject*, int&>>("TMeasureEvent");
        return &info;
    }
};

namespace {

TClass TSample::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TSample, TComponent>("TSample")
        .Property("Shade", &TSample::Shade, &TSample::SetShade)
        .Property("Caption", &TSample::Caption, &TSample::SetCaption)
        .Property("Color", &TSample::Color, &TSample::SetColor)
        .Property("Font", &TSample::Font, &TSample::SetFont)
        .Property("Count", &TSample::Count)
        .Property("Wide", &TSample::Wide, &TSample::Wide)
        .Property("OnClick", &TSample::OnClick, &TSample::OnClick)
        .Property("OnMeasure", &TSample::OnMeasure, &TSample::OnMeasure)
        .Method("Clicked", &TSample::Clicked)
        .Method("Measured", &TSample::Measured)
        .Build();
    return &meta;
}

TEST(TypinfoProperties, AncestorsComeFirstAndLookupIgnoresCase)
{
    TSample s(nullptr);
    auto props = GetPropInfos(&s);
    ASSERT_GE(props.size(), 3u);
    EXPECT_EQ(props[0]->Name, "Name");
    EXPECT_EQ(props[1]->Name, "Tag");
    EXPECT_EQ(props[2]->Name, "Shade");
    EXPECT_EQ(GetPropInfo(&s, "caption"), GetPropInfo(&s, "Caption"));
    EXPECT_EQ(GetPropInfo(&s, "NoSuch"), nullptr);
    EXPECT_EQ(GetPropInfo(&s, "Shade")->Declarer, TSample::StaticClass());
    EXPECT_EQ(GetPropInfo(&s, "Tag")->Declarer, TComponent::StaticClass());
}

TEST(TypinfoProperties, EnumerationNamesOrdinalsAndOneByteStorage)
{
    TSample s(nullptr);
    const TPropInfo* shade = GetPropInfo(&s, "Shade");
    EXPECT_EQ(shade->Kind(), tkEnumeration);
    EXPECT_EQ(shade->PropType->OrdType, otUByte);
    EXPECT_EQ(GetPropInfo(&s, "Wide")->PropType->OrdType, otSLong);
    SetEnumProp(&s, "Shade", "SHDARK");
    EXPECT_EQ(s.Shade(), shDark);
    EXPECT_EQ(GetOrdProp(&s, "Shade"), 2);
    EXPECT_EQ(GetEnumProp(&s, "Shade"), "shDark");
    EXPECT_EQ(GetEnumName(shade->PropType, 1), "shMedium");
    EXPECT_EQ(GetEnumName(shade->PropType, 3), "");
    EXPECT_EQ(GetEnumValue(shade->PropType, "shNone"), -1);
    EXPECT_THROW(SetEnumProp(&s, "Shade", "shNone"), EPropertyError);
    EXPECT_EQ(NormalizeOrdinal(shade->PropType, 0x1FF), 0xFF);
    EXPECT_EQ(NormalizeOrdinal(TypeInfoOf<TColor>(), 0x80000008LL), static_cast<int32_t>(0x80000008u));
}

TEST(TypinfoProperties, StringsColoursAndReadOnlyProperties)
{
    TSample s(nullptr);
    SetStrProp(&s, "Caption", "Hello");
    EXPECT_EQ(s.Caption(), "Hello");
    EXPECT_EQ(GetStrProp(&s, "Caption"), "Hello");
    SetOrdProp(&s, "Color", clWindowText);
    EXPECT_EQ(s.Color(), clWindowText);
    EXPECT_EQ(GetOrdProp(&s, "Color"), static_cast<int32_t>(0x80000008u));
    EXPECT_EQ(GetPropInfo(&s, "Color")->PropType, TypeInfoOf<TColor>());
    EXPECT_FALSE(GetPropInfo(&s, "Count")->IsWritable());
    EXPECT_THROW(SetOrdProp(&s, "Count", 3), EPropertyError);
    EXPECT_THROW(GetStrProp(&s, "Color"), EPropertyError);
    EXPECT_THROW(GetStrProp(&s, "Missing"), EPropertyError);
}

TEST(TypinfoProperties, ClassPropertiesReachSubObjectsAndCheckTheClass)
{
    TSample s(nullptr);
    TObject* font = GetObjectProp(&s, "Font");
    ASSERT_EQ(font, s.Font());
    SetOrdProp(font, "Height", -13);
    EXPECT_EQ(s.Font()->Height(), -13);
    TFont other;
    other.SetName("Arial");
    SetObjectProp(&s, "Font", &other);
    EXPECT_EQ(s.Font()->Name(), "Arial");
    EXPECT_NE(s.Font(), &other);
    TComponent wrong(nullptr);
    EXPECT_THROW(SetObjectProp(&s, "Font", &wrong), EInvalidCast);
    EXPECT_EQ(GetPropInfo(&s, "Font")->PropType->ClassType, TFont::StaticClass());
}

TEST(TypinfoProperties, SetsConvertToAndFromText)
{
    const TTypeInfo* styles = TypeInfoOf<TFontStyles>();
    TFontStyles bi{fsBold, fsItalic};
    EXPECT_EQ(SetToString(styles, static_cast<int64_t>(bi.Mask())), "[fsBold,fsItalic]");
    EXPECT_EQ(StringToSet(styles, "[ fsItalic , fsBold ]"), static_cast<int64_t>(bi.Mask()));
    EXPECT_EQ(StringToSet(styles, "[]"), 0);
    EXPECT_THROW(StringToSet(styles, "[fsHeavy]"), EConvertError);
}

TEST(TypinfoMethods, EventsBindToPublishedMethodsByNameWithTheirSignatureChecked)
{
    TSample s(nullptr);
    const TPropInfo* onClick = GetPropInfo(&s, "OnClick");
    const TMethodEntry* clicked = s.ClassType()->FindMethod("CLICKED");
    const TMethodEntry* measured = s.ClassType()->FindMethod("Measured");
    ASSERT_TRUE(clicked && measured);
    EXPECT_FALSE(onClick->SetMethod(&s, &s, measured));
    EXPECT_FALSE(s.OnClick);
    EXPECT_TRUE(onClick->SetMethod(&s, &s, clicked));
    s.OnClick(&s);
    EXPECT_EQ(s.Clicks, 1);
    TMethodRef ref = GetMethodProp(&s, "OnClick");
    EXPECT_TRUE(ref.Assigned);
    EXPECT_EQ(ref.Name, "Clicked");
    EXPECT_EQ(ref.Data, &s);

    EXPECT_TRUE(GetPropInfo(&s, "OnMeasure")->SetMethod(&s, &s, measured));
    int size = 0;
    s.OnMeasure(&s, size);
    EXPECT_EQ(size, 42);
    EXPECT_TRUE(onClick->SetMethod(&s, nullptr, nullptr));
    EXPECT_FALSE(GetMethodProp(&s, "OnClick").Assigned);
}

// An ancestor declares a property unpublished; a descendant publishes it by name.
class THidden : public TDerived<THidden, TComponent> {
public:
    using TDerived::TDerived;
    static TClass StaticClass();
    int Level = 3;
};

class TShown : public TDerived<TShown, THidden> {
public:
    using TDerived::TDerived;
    static TClass StaticClass();
};

TClass THidden::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<THidden, TComponent>("THidden")
        .Unpublished("Level", &THidden::Level, &THidden::Level)
        .Stored([](const THidden& h) { return h.Level != 3; })
        .Build();
    return &meta;
}

TClass TShown::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TShown, THidden>("TShown").Publish({"Level"}).Build();
    return &meta;
}

TEST(TypinfoProperties, DescendantsPublishAnAncestorsUnpublishedPropertyByName)
{
    EXPECT_EQ(GetPropInfo(THidden::StaticClass(), "Level"), nullptr);
    const TPropInfo* level = GetPropInfo(TShown::StaticClass(), "level");
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(level->Declarer, TShown::StaticClass());
    TShown shown(nullptr);
    EXPECT_EQ(shown.ClassType(), TShown::StaticClass());
    EXPECT_FALSE(level->IsStored(&shown));
    SetOrdProp(&shown, level, 5);
    EXPECT_EQ(shown.Level, 5);
    EXPECT_TRUE(level->IsStored(&shown));
    auto publishUnknown = [] { TClassBuilder<TShown, THidden>("TShown").Publish({"Levels"}); };
    EXPECT_THROW(publishUnknown(), EPropertyError);
}

TEST(TypinfoMethods, CodeInstalledHandlersHaveNoName)
{
    TSample s(nullptr);
    int calls = 0;
    s.OnClick = [&](TObject*) { ++calls; };
    s.OnClick(nullptr);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(GetMethodProp(&s, "OnClick").Name, "");
    s.OnClick = TNotifyEvent(&s, &TSample::Clicked);
    s.OnClick(nullptr);
    EXPECT_EQ(s.Clicks, 1);
}

}  // namespace
