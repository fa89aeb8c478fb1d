// What the designer's defaults rule and its paste do beyond what the designer scripts show: a
// declared default that the constructor does not hold, clipboard text that is no form text, and
// hostile text through the command layer.

#include <gtest/gtest.h>

#include "host/DesignHost.h"
#include "host/PropertyDefaults.h"
#include "tests/host/TestComponents.h"
#include "vcl50/Clipbrd.h"
#include "vcl50/Formresources.h"
#include "vcl50/Formwriter.h"
#include "vcldb50/Sqlitedataset.h"

namespace {

// Its constructor leaves Count at 7 while the class declares 3 its default, as a class may.
class TDefaulted : public TDerived<TDefaulted, TComponent> {
public:
    using TDerived::TDerived;
    static TClass StaticClass()
    {
        static const TMetaClass meta = TClassBuilder<TDefaulted, TComponent>("TDefaulted")
            .Property("Count", &TDefaulted::Count, &TDefaulted::Count)
            .Default(3)
            .Build();
        return &meta;
    }
    int Count = 7;
};

}  // namespace

TEST(Defaults, ADeclaredDefaultComesBeforeTheFreshInstancesValue)
{
    TDesignHost host;
    TDesigner& designer = host.NewForm("Declared");
    auto* component = static_cast<TDefaulted*>(designer.AddComponent(TDefaulted::StaticClass(), "D"));
    EXPECT_EQ(WrittenPropertyPaths(component, designer.GetRoot()), std::vector<AnsiString>{"Count"});
    EXPECT_TRUE(TRowDefaults({component}, designer.GetRoot()).Differs("count"));
    designer.Select({component});
    designer.ResetProperty("Count");
    EXPECT_EQ(component->Count, 3);
    EXPECT_TRUE(WrittenPropertyPaths(component, designer.GetRoot()).empty());
    EXPECT_FALSE(TRowDefaults({component}, designer.GetRoot()).Differs("Count"));
}

TEST(Paste, TextThatIsNoFormTextChangesNothing)
{
    TDesignHost host;
    TDesigner& designer = host.NewForm("Target");
    designer.AddComponent(TSQLiteDataSet::StaticClass(), "Orders");
    designer.ClearModified();
    const char* const texts[] = {
        "",
        "just some words",
        "object Copy: TNoSuchClass\nend\n",
        "object Copy: TSQLiteDataSet\n  NoSuchProperty = 1\nend\n",
        // The first object is fine; the second fails, and the first is not left behind.
        "object Copy: TSQLiteDataSet\nend\nobject Copy2: TSQLiteDataSet\n  TableName = 12\nend\n",
        "inherited Orders: TSQLiteDataSet\nend\n",
    };
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        EXPECT_THROW(designer.PasteComponents(text), EReadError);
        EXPECT_EQ(designer.GetRoot()->ComponentCount(), 1);
        EXPECT_FALSE(designer.IsModified());
    }
}

TEST(Paste, HostileTextPastesAsItSaysOrIsRefusedChangingNothing)
{
    struct Case {
        const char* Text;
        const char* Pasted;  // the pasted names, or "" when refused
        const char* Says;    // in the form text after the paste, or the refusal's message
    };
    const Case cases[] = {
        // The object line's name is the name: a Name line may repeat it, never change it.
        {"object A: TTestWidget\n  Name = 'B'\nend\n", "",
         "Error reading A.Name: the object line names it A; a Name line may only repeat that (line 2)"},
        {"object A: TTestWidget\n  Name = ''\nend\n", "", "Error reading A.Name"},
        {"object A: TTestWidget\n  Name = 'S'\nend\n", "", "Error reading A.Name"},
        {"object A: TTestWidget\n  Name = 'F'\nend\n", "", "Error reading A.Name"},
        {"object A: TTestWidget\n  Name = 'not one'\nend\n", "", "Error reading A.Name"},
        {"object A: TTestWidget\n  name = A\nend\n", "", "Error reading A.name"},
        {"object TTestWidget\n  Name = 'B'\nend\n", "",
         "Error reading TTestWidget.Name: the name goes on the object line (object NAME: TTestWidget) (line 2)"},
        {"object A: TTestWidget\n  object B: TTestSource\n    Name = 'C'\n  end\nend\n", "", "Error reading B.Name"},
        {"object A: TTestWidget\n  Name = 'a'\nend\n", "A", "object A: TTestWidget"},
        {"object W: TTestWidget\n  Name = 'W'\nend\n", "TestWidget1", "object TestWidget1: TTestWidget"},
        // Names taken by the form, its components or the text itself get fresh ones, and the
        // text's references follow the first of a name.
        {"object F: TTestSource\nend\n", "TestSource1", "object TestSource1: TTestSource"},
        {"object a: TTestSource\nend\nobject A: TTestSource\nend\nobject X: TTestWidget\n  Source = A\nend\n",
         "a TestSource1 X", "Source = a\n"},
        {"object X: TTestWidget\n  Source = S\nend\nobject S: TTestSource\nend\n", "X TestSource1",
         "Source = TestSource1\n"},
        {"object X: TTestWidget\n  object S: TTestSource\n  end\n  Source = S\nend\n", "X",
         "Source = TestSource1\n"},
        {"object X: TTestWidget\n  Source = X\nend\n", "",
         "Error reading X.Source: invalid property value 'X': a TTestWidget is no TTestSource (line 2)"},
        // What a component's Loaded raises is a read error of that component.
        {"object D: TSQLiteDataSet\n  DatabaseName = 'no-such.db'\n  Active = True\nend\n", "", "Error reading D: "},
        // Only whole components, and a control only inside a control that holds controls.
        {"inline A: TTestWidget\nend\n", "", "Error reading A: only whole components can be pasted (line 1)"},
        {"object A: TTestWidget\n  inherited W: TTestWidget\n  end\nend\n", "",
         "Error reading W: only whole components can be pasted (line 2)"},
        {"object A: TTestSource\n  object B: TButton\n  end\nend\n", "",
         "Error reading B: A TTestSource cannot hold the control B (line 2)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        TDesignHost host;
        RegisterTestComponents();
        TDesigner& designer = host.NewForm("F");
        designer.AddComponent(TTestWidget::StaticClass(), "W");
        designer.AddComponent(TTestSource::StaticClass(), "S");
        const AnsiString before = WriteComponentResourceText(designer.GetRoot());
        const size_t steps = designer.History().DoneCount();
        Clipboard()->SetAsText(c.Text);

        const std::optional<std::vector<TComponent*>> pasted = host.Commands().Paste();

        const AnsiString after = WriteComponentResourceText(designer.GetRoot());
        if (!*c.Pasted) {
            EXPECT_FALSE(pasted.has_value());
            ASSERT_TRUE(host.Commands().LastFailure().has_value());
            EXPECT_EQ(host.Commands().LastFailure()->ClassName, "EReadError");
            EXPECT_TRUE(host.Commands().LastFailure()->Message.starts_with(c.Says))
                << host.Commands().LastFailure()->Message;
            EXPECT_EQ(after, before);
            EXPECT_EQ(designer.History().DoneCount(), steps);
            continue;
        }
        ASSERT_TRUE(pasted.has_value());
        AnsiString names;
        for (TComponent* component : *pasted)
            names += (names.empty() ? "" : " ") + component->Name();
        EXPECT_EQ(names, c.Pasted);
        EXPECT_NE(after.find(c.Says), std::string::npos) << after;
        EXPECT_EQ(designer.History().DoneCount(), steps + 1);
    }
}
