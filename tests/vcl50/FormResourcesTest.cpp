#include <gtest/gtest.h>

#include "FormTestClasses.h"
#include "vcl50/Formresources.h"

using namespace formtest;

namespace {

const char* const BaseResource =
    "object fmBase: TResBaseForm\n"
    "  Caption = 'Base'\n"
    "  Width = 300\n"
    "  object Item1: TResItem\n"
    "    Caption = 'from base'\n"
    "    OnClick = ItemClick\n"
    "  end\n"
    "end\n";

const char* const DerivedResource =
    "inherited fmDerived: TResDerivedForm\n"
    "  Caption = 'Derived'\n"
    "  inherited Item1: TResItem\n"
    "    Left = 4\n"
    "  end\n"
    "  object Item2: TResItem\n"
    "    Buddy = Item1\n"
    "  end\n"
    "end\n";

class FormResources : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterFormResource("TResBaseForm", BaseResource);  // stored in capitals
        RegisterFormResource("TRESDERIVEDFORM", DerivedResource);
    }
    void TearDown() override
    {
        UnregisterFormResource("TRESBASEFORM");
        UnregisterFormResource("TRESDERIVEDFORM");
    }
};

TEST_F(FormResources, FormClassReadsItsAncestorsResourcesFirst)
{
    std::unique_ptr<TObject> object(TResDerivedForm::StaticClass()->Create(nullptr));
    auto* form = static_cast<TResDerivedForm*>(object.get());
    EXPECT_EQ(form->Name(), "fmDerived");
    EXPECT_EQ(form->Caption, "Derived");
    EXPECT_EQ(form->Width, 300);
    ASSERT_NE(form->Item1, nullptr);
    EXPECT_EQ(form->Item1->Caption(), "from base");
    EXPECT_EQ(form->Item1->Left, 4);
    EXPECT_EQ(form->Item2->Buddy(), form->Item1);
    EXPECT_EQ(form->LoadedCalls, 1);
    EXPECT_EQ(form->Item1->LoadedCalls, 1);
    form->Item1->OnClick(form->Item1);
    EXPECT_EQ(form->Clicks, 1);
}

TEST_F(FormResources, NoResourceBetweenAncestorAndClassReportsFalse)
{
    TResRoot root(nullptr);
    EXPECT_FALSE(InitInheritedComponent(&root, TComponent::StaticClass()));
    TResBaseForm* base = Construct<TResBaseForm>(nullptr);
    std::unique_ptr<TResBaseForm> owned(base);
    // TResBaseForm itself is the ancestor named: nothing lies between.
    EXPECT_FALSE(InitInheritedComponent(base, TResBaseForm::StaticClass()));
}

TEST_F(FormResources, LocatorIsAskedByClassAndCapitalNameForWhatTheRegistryLacks)
{
    UnregisterFormResource("TRESBASEFORM");
    UnregisterFormResource("TRESDERIVEDFORM");
    std::vector<std::pair<TClass, AnsiString>> asked;
    auto locator = [&](TClass cls, const AnsiString& name) -> std::optional<AnsiString> {
        asked.emplace_back(cls, name);
        if (cls == TResBaseForm::StaticClass())
            return AnsiString("object fmLocated: TResBaseForm\nend\n");
        return std::nullopt;
    };
    TFormResourceLocator previous = SetFormResourceLocator(locator);
    std::unique_ptr<TObject> form(TResDerivedForm::StaticClass()->Create(nullptr));
    EXPECT_EQ(static_cast<TResDerivedForm*>(form.get())->Name(), "fmLocated");
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0], std::make_pair(TResBaseForm::StaticClass(), AnsiString("TRESBASEFORM")));
    EXPECT_EQ(asked[1], std::make_pair(TResDerivedForm::StaticClass(), AnsiString("TRESDERIVEDFORM")));

    // A registered text comes first.
    RegisterFormResource("TRESDERIVEDFORM", DerivedResource);
    RegisterFormResource("TRESBASEFORM", BaseResource);
    std::unique_ptr<TObject> again(TResDerivedForm::StaticClass()->Create(nullptr));
    EXPECT_EQ(static_cast<TResDerivedForm*>(again.get())->Name(), "fmDerived");
    EXPECT_EQ(asked.size(), 2u);
    SetFormResourceLocator(std::move(previous));
}

TEST_F(FormResources, BadDescendantResourceFreesTheWholeForm)
{
    RegisterFormResource("TRESDERIVEDFORM",
                         "inherited fmDerived: TResDerivedForm\n"
                         "  object Item2: TResItem\n"
                         "    Shade = shNoSuch\n"
                         "  end\n"
                         "end\n");
    int before = Live;
    try {
        delete TResDerivedForm::StaticClass()->Create(nullptr);
        FAIL() << "the form was made";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "Error reading Item2.Shade: invalid property value 'shNoSuch' (line 3)");
    }
    EXPECT_EQ(Live, before);
}

TEST_F(FormResources, WriterComparesWithTheClassAsConstructedNotAsItsResourceFillsIt)
{
    std::unique_ptr<TObject> object(TResBaseForm::StaticClass()->Create(nullptr));
    AnsiString text = WriteComponentResourceText(static_cast<TResBaseForm*>(object.get()));
    EXPECT_EQ(text,
              "object fmBase: TResBaseForm\n"
              "  Caption = 'Base'\n"
              "  Width = 300\n"
              "  object Item1: TResItem\n"
              "    Caption = 'from base'\n"
              "    OnClick = ItemClick\n"
              "  end\n"
              "end\n");
}

}  // namespace
