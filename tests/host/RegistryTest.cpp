#include "host/Registry.h"

#include <gtest/gtest.h>

#include "TestComponents.h"
#include "vcl50/Graphics.h"

namespace {

// Editor classes that only need to be told apart.
#define TEST_EDITOR(Name, Base)                                                         \
    class Name : public TDerived<Name, Base> {                                          \
    public:                                                                             \
        static TClass StaticClass()                                                     \
        {                                                                               \
            static const TMetaClass meta = TClassBuilder<Name, Base>(#Name).Build();    \
            return &meta;                                                               \
        }                                                                               \
    }

TEST_EDITOR(TEditorA, TStringProperty);
TEST_EDITOR(TEditorB, TStringProperty);
TEST_EDITOR(TEditorC, TStringProperty);
TEST_EDITOR(TCompEditorA, TDefaultEditor);
TEST_EDITOR(TCompEditorB, TDefaultEditor);

const TTypeInfo* Str = TypeInfoOf<AnsiString>();
TClass Widget = TTestWidget::StaticClass();
TClass Derived = TTestDerived::StaticClass();

class RegistryLookup : public testing::Test {
protected:
    TClass Find(TClass cls, std::string_view name, const TTypeInfo* type = Str) const
    {
        return registry.FindPropertyEditor(type, cls, name);
    }
    TDesignRegistry registry;
};

}  // namespace

TEST_F(RegistryLookup, ARowAppliesToItsClassAndDescendantsOnly)
{
    registry.RegisterPropertyEditor(Str, Widget, "FileName", TEditorA::StaticClass());
    EXPECT_EQ(Find(Widget, "FileName"), TEditorA::StaticClass());
    EXPECT_EQ(Find(Derived, "FileName"), TEditorA::StaticClass());
    EXPECT_EQ(Find(TTestOther::StaticClass(), "FileName"), nullptr);  // same name and type, unrelated class
    EXPECT_EQ(Find(TComponent::StaticClass(), "FileName"), nullptr);  // an ancestor of the row's class
}

TEST_F(RegistryLookup, TheMostDerivedClassWinsWhateverTheOrder)
{
    registry.RegisterPropertyEditor(Str, Derived, "FileName", TEditorB::StaticClass());
    registry.RegisterPropertyEditor(Str, Widget, "FileName", TEditorA::StaticClass());
    registry.RegisterPropertyEditor(Str, TComponent::StaticClass(), "FileName", TEditorC::StaticClass());
    EXPECT_EQ(Find(Derived, "FileName"), TEditorB::StaticClass());
    EXPECT_EQ(Find(Widget, "FileName"), TEditorA::StaticClass());
    EXPECT_EQ(Find(TTestOther::StaticClass(), "FileName"), TEditorC::StaticClass());
}

TEST_F(RegistryLookup, ALaterRowWinsATie)
{
    registry.RegisterPropertyEditor(Str, Widget, "FileName", TEditorA::StaticClass());
    registry.RegisterPropertyEditor(Str, Widget, "FileName", TEditorB::StaticClass());
    EXPECT_EQ(Find(Derived, "FileName"), TEditorB::StaticClass());
    // A row for every property of the type ties with a named row of the same class.
    registry.RegisterPropertyEditor(Str, Widget, "", TEditorC::StaticClass());
    EXPECT_EQ(Find(Widget, "FileName"), TEditorC::StaticClass());
}

TEST_F(RegistryLookup, NameAndTypeMustBothFit)
{
    registry.RegisterPropertyEditor(Str, Widget, "FileName", TEditorA::StaticClass());
    EXPECT_EQ(Find(Widget, "filename"), TEditorA::StaticClass());  // names ignore letter case
    EXPECT_EQ(Find(Widget, "Extra"), nullptr);
    EXPECT_EQ(Find(Widget, "FileName", TypeInfoOf<int>()), nullptr);
}

TEST_F(RegistryLookup, AnEmptyNameCoversEveryPropertyOfTheType)
{
    registry.RegisterPropertyEditor(Str, Widget, "", TEditorA::StaticClass());
    EXPECT_EQ(Find(Widget, "FileName"), TEditorA::StaticClass());
    EXPECT_EQ(Find(Derived, "Extra"), TEditorA::StaticClass());
    EXPECT_EQ(Find(Widget, "Count", TypeInfoOf<int>()), nullptr);
    // A named row of a more derived class still beats it.
    registry.RegisterPropertyEditor(Str, Derived, "Extra", TEditorB::StaticClass());
    EXPECT_EQ(Find(Derived, "Extra"), TEditorB::StaticClass());
}

TEST_F(RegistryLookup, ANullClassCoversEveryClassButLosesToAnyClassRow)
{
    registry.RegisterPropertyEditor(Str, Widget, "FileName", TEditorA::StaticClass());
    registry.RegisterPropertyEditor(Str, nullptr, "FileName", TEditorB::StaticClass());
    EXPECT_EQ(Find(Widget, "FileName"), TEditorA::StaticClass());
    EXPECT_EQ(Find(TTestOther::StaticClass(), "FileName"), TEditorB::StaticClass());
}

TEST_F(RegistryLookup, ComponentEditorsMostDerivedThenLaterWins)
{
    registry.RegisterComponentEditor(Derived, TCompEditorB::StaticClass());
    registry.RegisterComponentEditor(Widget, TCompEditorA::StaticClass());
    EXPECT_EQ(registry.FindComponentEditor(Derived), TCompEditorB::StaticClass());
    EXPECT_EQ(registry.FindComponentEditor(Widget), TCompEditorA::StaticClass());
    EXPECT_EQ(registry.FindComponentEditor(TTestOther::StaticClass()), nullptr);
    registry.RegisterComponentEditor(Derived, TCompEditorA::StaticClass());
    EXPECT_EQ(registry.FindComponentEditor(Derived), TCompEditorA::StaticClass());
}

TEST_F(RegistryLookup, WithoutARowTheEditorFollowsTheTypeKind)
{
    SetDesignRegistry(&registry);
    auto editorOf = [](TClass cls, const char* name) {
        return GetEditorClass(GetPropInfo(cls, name), cls);
    };
    EXPECT_EQ(editorOf(Widget, "FileName"), TStringProperty::StaticClass());
    EXPECT_EQ(editorOf(Widget, "Kind"), TEnumProperty::StaticClass());
    EXPECT_EQ(editorOf(Widget, "Active"), TBoolProperty::StaticClass());
    EXPECT_EQ(editorOf(Widget, "Color"), TColorProperty::StaticClass());
    EXPECT_EQ(editorOf(Widget, "Count"), TIntegerProperty::StaticClass());
    EXPECT_EQ(editorOf(Widget, "Letter"), TCharProperty::StaticClass());
    EXPECT_EQ(editorOf(Widget, "Style"), TSetProperty::StaticClass());
    EXPECT_EQ(editorOf(Widget, "Formats"), TClassProperty::StaticClass());
    EXPECT_EQ(editorOf(Widget, "Source"), TComponentProperty::StaticClass());
    EXPECT_EQ(editorOf(Widget, "OnClick"), TMethodProperty::StaticClass());
    registry.RegisterPropertyEditor(Str, Widget, "FileName", TEditorA::StaticClass());
    EXPECT_EQ(editorOf(Derived, "FileName"), TEditorA::StaticClass());
    EXPECT_EQ(GetComponentEditorClass(Widget), TDefaultEditor::StaticClass());
    SetDesignRegistry(nullptr);
}

TEST(Registration, CallsNeedAnInstalledRegistryAndFittingClasses)
{
    const TComponentClass classes[] = {TTestWidget::StaticClass()};
    EXPECT_THROW(RegisterComponents("Test", classes, 0), EInvalidOperation);
    EXPECT_THROW(RegisterComponentEditor(Widget, TCompEditorA::StaticClass()), EInvalidOperation);

    TDesignRegistry registry;
    SetDesignRegistry(&registry);
    TDesignRegistry other;
    EXPECT_THROW(SetDesignRegistry(&other), EInvalidOperation);
    EXPECT_THROW(RegisterPropertyEditor(nullptr, Widget, "", TEditorA::StaticClass()), EInvalidOperation);
    // The editor class must be an editor of the right kind, the component class a component.
    EXPECT_THROW(RegisterPropertyEditor(Str, Widget, "", TCompEditorA::StaticClass()), EInvalidOperation);
    EXPECT_THROW(RegisterComponentEditor(Widget, TEditorA::StaticClass()), EInvalidOperation);
    EXPECT_THROW(RegisterComponentEditor(TTestFormats::StaticClass(), TCompEditorA::StaticClass()),
                 EInvalidOperation);
    const TComponentClass notComponents[] = {TTestWidget::StaticClass(), TTestFormats::StaticClass()};
    EXPECT_THROW(RegisterComponents("Test", notComponents, 1), EInvalidOperation);
    EXPECT_TRUE(registry.Pages().empty());  // nothing of a refused call is kept
    EXPECT_THROW(RegisterComponents("Test", nullptr, 0), EInvalidOperation);
    RegisterComponents("Empty", nullptr, -1);
    EXPECT_TRUE(registry.PropertyEditorRows().empty());
    SetDesignRegistry(nullptr);
}

TEST(Registration, PalettePagesKeepTheirFirstOrderAndClassesTheirs)
{
    TDesignRegistry registry;
    const TComponentClass first[] = {TTestWidget::StaticClass(), TTestSource::StaticClass()};
    const TComponentClass second[] = {TTestOther::StaticClass()};
    const TComponentClass third[] = {TTestDerived::StaticClass(), TTestWidget::StaticClass()};
    registry.RegisterComponents("One", first);
    registry.RegisterComponents("Two", second);
    registry.RegisterComponents("One", third);
    ASSERT_EQ(registry.Pages().size(), 2u);
    EXPECT_EQ(registry.Pages()[0].Name, "One");
    EXPECT_EQ(registry.Pages()[1].Name, "Two");
    std::vector<TClass> one;
    for (const auto& entry : registry.Pages()[0].Classes)
        one.push_back(entry.Class);
    // A class already on the palette is not added a second time.
    EXPECT_EQ(one, (std::vector<TClass>{TTestWidget::StaticClass(), TTestSource::StaticClass(),
                                         TTestDerived::StaticClass()}));
    EXPECT_EQ(registry.FindPaletteClass("ttestother"), TTestOther::StaticClass());
    EXPECT_EQ(GetClass("TTestOther"), TTestOther::StaticClass());  // form files can make it
}

TEST(Registration, RemovingAModuleTakesItsRowsAndClassesOnly)
{
    const TComponentClass hostClasses[] = {TTestSource::StaticClass()};
    const TComponentClass packageClasses[] = {TTestWidget::StaticClass(), TTestOther::StaticClass()};
    int package = 0;
    {
        TDesignRegistry registry;
        registry.RegisterComponents("Host", hostClasses);
        {
            TDesignRegistry::TModuleScope scope(registry, &package);
            registry.RegisterComponents("Host", packageClasses);
            registry.RegisterPropertyEditor(Str, Widget, "FileName", TEditorA::StaticClass());
            registry.RegisterComponentEditor(Widget, TCompEditorA::StaticClass());
        }
        registry.RegisterPropertyEditor(Str, Widget, "", TEditorB::StaticClass());
        EXPECT_EQ(registry.PropertyEditorRows()[0].Module, &package);
        EXPECT_EQ(registry.PropertyEditorRows()[1].Module, nullptr);

        registry.RemoveModule(&package);
        ASSERT_EQ(registry.Pages().size(), 1u);
        EXPECT_EQ(registry.Pages()[0].Classes.size(), 1u);
        EXPECT_EQ(registry.PropertyEditorRows().size(), 1u);
        EXPECT_TRUE(registry.ComponentEditorRows().empty());
        EXPECT_EQ(GetClass("TTestOther"), nullptr);  // its code may be gone with the package
        EXPECT_EQ(GetClass("TTestSource"), TTestSource::StaticClass());
    }
    EXPECT_EQ(GetClass("TTestSource"), nullptr);  // the registry's own go with it
}
