// What the package's Register leaves in the designer host: the editors the host's lookups find for
// the properties and components the registration table names, and for those it leaves alone; and
// that a registration call which raises keeps what was registered before it, and the host goes on.

#include <gtest/gtest.h>

#include <algorithm>

#include "PackageTesting.h"
#include "host/DesignHost.h"
#include "rowcastb5/Kasciiexport.h"
#include "rowcastb5/Kclipboardexport.h"
#include "rowcastb5/Kexcelexport.h"
#include "rowcastb5/Kexportdlg.h"
#include "rowcastb5/Khtmlexport.h"
#include "rowcastb5/Kxmlexport.h"
#include "vcl50/Packages.h"
#include "vcldb50/Sqlitedataset.h"

namespace {

// A component class the package does not know, derived from one it registers.
class TShopHTMLExport : public TDerived<TShopHTMLExport, TKHTMLExport> {
public:
    using TDerived::TDerived;
    static TClass StaticClass()
    {
        static const TMetaClass meta = TClassBuilder<TShopHTMLExport, TKHTMLExport>("TShopHTMLExport").Build();
        return &meta;
    }
};

std::string NameOf(TClass editor)
{
    return editor ? editor->ClassName() : "(none)";
}

const TTypeInfo* const String = TypeInfoOf<AnsiString>();

}  // namespace

TEST(Registration, TheHostsLookupsFindTheTablesEditorsAndNoOthers)
{
    TDesignHost host;
    host.RegisterPackage(host.LoadPackage(PackageFile));
    const TDesignRegistry& registry = host.Registry();

    struct TPropertyCase {
        const TTypeInfo* Type;
        TClass Class;
        const char* Property;
        const char* Editor;
    };
    const TPropertyCase properties[] = {
        {String, TKHTMLExport::StaticClass(), "About", "TKExportAboutProperty"},
        {String, TKExcelExport::StaticClass(), "About", "TKExportAboutProperty"},
        {String, TShopHTMLExport::StaticClass(), "About", "TKExportAboutProperty"},
        {String, TKExportDialog::StaticClass(), "About", "TKExportAboutProperty"},
        {String, TSQLiteDataSet::StaticClass(), "About", "(none)"},
        {String, TKHTMLExport::StaticClass(), "FileName", "TKHTMLFileNameProperty"},
        {String, TKHTMLExport::StaticClass(), "CSSFileName", "TKCSSFileNameProperty"},
        {String, TShopHTMLExport::StaticClass(), "FileName", "TKHTMLFileNameProperty"},
        {String, TKXMLExport::StaticClass(), "CSSFileName", "(none)"},
        {String, TKClipboardExport::StaticClass(), "FileName", "(none)"},
        {String, TKClipboardExport::StaticClass(), "ClipboardViewer", "TKAppFileNameProperty"},
        {String, TKExportDialog::StaticClass(), "FileName", "(none)"},
        {String, TKExportDialog::StaticClass(), "SaveFileName", "TKCFGFileNameProperty"},
        {String, TKASCIIExport::StaticClass(), "FileName", "TKASCIIFileNameProperty"},
        {TypeInfoOf<THTMLTemplate>(), TShopHTMLExport::StaticClass(), "HTMLTemplate", "TKHTMLTemplateProperty"},
        {String, TKHTMLExport::StaticClass(), "HTMLTemplate", "(none)"},
        {String, TKFormats::StaticClass(), "DateFormat", "TKDateFormatProperty"},
        {String, TKFormats::StaticClass(), "DateTimeFormat", "TKDateTimeFormatProperty"},
        {String, TKFormats::StaticClass(), "TimeFormat", "TKTimeFormatProperty"},
        {String, TKHTMLExport::StaticClass(), "DateFormat", "(none)"},  // not a formats object
        {TypeInfoOf<int>(), TKFormats::StaticClass(), "DateFormat", "(none)"},
    };
    for (const TPropertyCase& c : properties)
        EXPECT_EQ(NameOf(registry.FindPropertyEditor(c.Type, c.Class, c.Property)), c.Editor)
            << c.Class->ClassName() << "." << c.Property;

    const std::pair<TClass, const char*> components[] = {
        {TKHTMLExport::StaticClass(), "TKHTMLExportEditor"},
        {TShopHTMLExport::StaticClass(), "TKHTMLExportEditor"},
        {TKXMLExport::StaticClass(), "TKExportEditor"},
        {TKClipboardExport::StaticClass(), "TKExportEditor"},
        {TKExportDialog::StaticClass(), "(none)"},
        {TSQLiteDataSet::StaticClass(), "(none)"},
    };
    for (const auto& [component, editor] : components)
        EXPECT_EQ(NameOf(registry.FindComponentEditor(component)), editor) << component->ClassName();
}

namespace {

// A registry whose call number `failAt` (from 0, in the order Register makes them) raises.
class TFailingRegistry : public TDesignRegistry {
public:
    explicit TFailingRegistry(int failAt) : FFailAt(failAt) {}
    void RegisterComponents(const AnsiString& page, std::span<const TComponentClass> classes) override
    {
        Count();
        TDesignRegistry::RegisterComponents(page, classes);
    }
    void RegisterPropertyEditor(const TTypeInfo* type, TClass cls, const AnsiString& name,
                                TPropertyEditorClass editor) override
    {
        Count();
        TDesignRegistry::RegisterPropertyEditor(type, cls, name, editor);
    }
    void RegisterComponentEditor(TClass cls, TComponentEditorClass editor) override
    {
        Count();
        TDesignRegistry::RegisterComponentEditor(cls, editor);
    }

private:
    void Count()
    {
        if (FCalls++ == FFailAt)
            throw EInvalidOperation("refused by the test");
    }
    int FFailAt;
    int FCalls = 0;
};

}  // namespace

TEST(Registration, ACallThatRaisesKeepsWhatWasRegisteredBeforeIt)
{
    SetDesignerHost(true);
    HMODULE module = LoadPackage(PackageFile);
    TRegisterProc registerProc = FindRegisterProc(module, "Kexpreg");
    ASSERT_NE(registerProc, nullptr);
    // One palette call, seventeen property-editor calls, two component-editor calls.
    for (int failAt : {0, 1, 9, 17, 18, 19}) {
        TFailingRegistry registry(failAt);
        SetDesignRegistry(&registry);
        EXPECT_THROW(registerProc(), EInvalidOperation) << failAt;
        SetDesignRegistry(nullptr);
        EXPECT_EQ(registry.Pages().size(), failAt > 0 ? 1u : 0u) << failAt;
        EXPECT_EQ(registry.PropertyEditorRows().size(), static_cast<size_t>(std::clamp(failAt - 1, 0, 17))) << failAt;
        EXPECT_EQ(registry.ComponentEditorRows().size(), static_cast<size_t>(std::clamp(failAt - 18, 0, 2))) << failAt;
    }
    UnloadPackage(module);
    SetDesignerHost(false);
}

// The host calls Register guarded: the failure comes back to be reported, what was registered
// before it stays, and the host goes on.
TEST(Registration, TheHostReturnsWhatRegisterRaisedAndGoesOn)
{
    TDesignHost host;
    HMODULE module = host.LoadPackage(PackageFile);
    TFailingRegistry registry(3);  // declared after the host: freed before the package goes
    SetDesignRegistry(nullptr);  // one registry at a time
    SetDesignRegistry(&registry);
    std::optional<TCallFailure> failure = host.RegisterPackage(module);
    SetDesignRegistry(nullptr);
    SetDesignRegistry(&host.Registry());
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->ClassName, "EInvalidOperation");
    EXPECT_EQ(failure->Message, "refused by the test");
    EXPECT_EQ(registry.Pages().size(), 1u);
    EXPECT_EQ(registry.PropertyEditorRows().size(), 2u);
    EXPECT_FALSE(host.RegisterPackage(module));
}
