// What the designer's defaults rule and its paste do beyond what the designer scripts show: a
// declared default that the constructor does not hold, and clipboard text that is no form text.

#include <gtest/gtest.h>

#include "host/DesignHost.h"
#include "host/PropertyDefaults.h"
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
