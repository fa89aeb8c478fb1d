// What the designer reaches by name: the ten registered classes and their published properties.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "rowcastb5/Kasciiexport.h"
#include "rowcastb5/Kclipboardexport.h"
#include "rowcastb5/Kdbfexport.h"
#include "rowcastb5/Kexcelexport.h"
#include "rowcastb5/Kexportdlg.h"
#include "rowcastb5/Khtmlexport.h"
#include "rowcastb5/Klatexexport.h"
#include "rowcastb5/Krtfexport.h"
#include "rowcastb5/Ksqlexport.h"
#include "rowcastb5/Kxmlexport.h"
#include "vcl50/Strings.h"
#include "vcldb50/Sqlitedataset.h"

namespace {

struct StringProps {
    const char* ClassName;
    std::vector<std::string> Names;  // string properties the package edits
    bool IsExport;
};

const StringProps Components[] = {
    {"TKExportDialog", {"SaveFileName", "About"}, false},
    {"TKExcelExport", {"FileName", "About"}, true},
    {"TKRTFExport", {"FileName", "About"}, true},
    {"TKHTMLExport", {"FileName", "CSSFileName", "About"}, true},
    {"TKXMLExport", {"FileName", "About"}, true},
    {"TKDBFExport", {"FileName", "About"}, true},
    {"TKASCIIExport", {"FileName", "About"}, true},
    {"TKSQLExport", {"FileName", "About"}, true},
    {"TKLaTeXExport", {"FileName", "About"}, true},
    {"TKClipboardExport", {"ClipboardViewer", "About"}, true},
};

}  // namespace

TEST(Components, TheTenAreMadeByNameWithTheirStringProperties)
{
    TComponent form(nullptr);
    for (const StringProps& c : Components) {
        SCOPED_TRACE(c.ClassName);
        TClass cls = GetClass(c.ClassName);
        ASSERT_NE(cls, nullptr);
        EXPECT_EQ(cls->ClassName(), c.ClassName);
        EXPECT_EQ(cls->InheritsFrom(TKExport::StaticClass()), c.IsExport);
        auto* component = As<TComponent>(cls->Create(&form));
        EXPECT_EQ(component->ClassType(), cls);
        for (const std::string& name : c.Names) {
            const TPropInfo* prop = GetPropInfo(cls, name);
            ASSERT_NE(prop, nullptr) << name;
            EXPECT_EQ(prop->PropType, TypeInfoOf<AnsiString>()) << name;
            SetStrProp(component, name, "C:/out/" + name + ".x");
            EXPECT_EQ(GetStrProp(component, name), "C:/out/" + name + ".x");
        }
        if (c.IsExport) {
            auto* exporter = As<TKExport>(component);
            EXPECT_EQ(GetObjectProp(exporter, "Formats"), exporter->Formats());
            EXPECT_EQ(GetObjectProp(exporter, "ExportedFields"), exporter->ExportedFields());
        }
    }
    // Neither the clipboard export nor the dialog writes a file of its own.
    EXPECT_EQ(GetPropInfo(TKClipboardExport::StaticClass(), "FileName"), nullptr);
    EXPECT_EQ(GetPropInfo(TKExportDialog::StaticClass(), "FileName"), nullptr);
}

TEST(Components, EachFileExportPublishesFileNameAmongItsOwnProperties)
{
    // Form files write a class's own properties after its ancestors', in the order declared.
    for (TClass cls : {TKExcelExport::StaticClass(), TKRTFExport::StaticClass(), TKHTMLExport::StaticClass(),
                       TKXMLExport::StaticClass(), TKDBFExport::StaticClass(), TKASCIIExport::StaticClass(),
                       TKSQLExport::StaticClass(), TKLaTeXExport::StaticClass()}) {
        SCOPED_TRACE(cls->ClassName());
        EXPECT_EQ(cls->ClassParent(), TKExport::StaticClass());
        EXPECT_EQ(GetPropInfo(cls, "FileName")->Declarer, cls);
    }
    EXPECT_EQ(TKClipboardExport::StaticClass()->ClassParent(), TKExport::StaticClass());
    EXPECT_EQ(TKExport::StaticClass()->ClassParent(), TComponent::StaticClass());
    EXPECT_EQ(TKExportDialog::StaticClass()->ClassParent(), TComponent::StaticClass());
    EXPECT_FALSE(TKExportDialog::StaticClass()->InheritsFrom(TKExport::StaticClass()));

    std::vector<std::string> names;
    for (const TPropInfo* prop : GetPropInfos(TKHTMLExport::StaticClass()))
        names.push_back(prop->Name);
    const std::vector<std::string> tail = {"About", "DataSet", "ExportedFields", "Formats", "CSSFileName",
                                           "FileName", "HTMLOptions", "HTMLTemplate", "TableOptions"};
    ASSERT_GE(names.size(), tail.size());
    EXPECT_EQ(std::vector<std::string>(names.end() - static_cast<std::ptrdiff_t>(tail.size()), names.end()), tail);
    EXPECT_EQ(GetPropInfo(TKHTMLExport::StaticClass(), "About")->Declarer, TKExport::StaticClass());
    EXPECT_EQ(GetPropInfo(TKExportDialog::StaticClass(), "DataSet")->Declarer, TKExportDialog::StaticClass());
}

TEST(Components, EnumerationsAreOneByteWithTheirNames)
{
    const TTypeInfo* type = GetPropInfo(TKHTMLExport::StaticClass(), "HTMLTemplate")->PropType;
    EXPECT_EQ(type, TypeInfoOf<THTMLTemplate>());
    EXPECT_EQ(type->Kind, tkEnumeration);
    EXPECT_EQ(type->OrdType, otUByte);
    EXPECT_EQ(type->MaxValue, 9);
    ASSERT_EQ(type->EnumNames.size(), 10u);
    TKHTMLExport html(nullptr);
    for (int v = 0; v <= 9; ++v) {
        SetEnumProp(&html, "HTMLTemplate", type->EnumNames[static_cast<size_t>(v)]);
        EXPECT_EQ(html.HTMLTemplate(), v);
    }

    type = GetPropInfo(TKASCIIExport::StaticClass(), "ExportType")->PropType;
    EXPECT_EQ(type->Kind, tkEnumeration);
    EXPECT_EQ(type->OrdType, otUByte);
    EXPECT_EQ(type->EnumNames, (std::vector<std::string>{"etText", "etCSV", "etDIF", "etSYLK"}));
    TKASCIIExport ascii(nullptr);
    SetEnumProp(&ascii, "ExportType", "etSYLK");
    EXPECT_EQ(ascii.ExportType(), 3);
    // Any byte is kept as given, as the platform does; the file name editor copes with it.
    SetOrdProp(&ascii, "ExportType", 7);
    EXPECT_EQ(GetOrdProp(&ascii, "ExportType"), 7);
}

TEST(Components, SubObjectsAreReachedAndSetByName)
{
    TKHTMLExport exporter(nullptr);
    TObject* html = GetObjectProp(&exporter, "HTMLOptions");
    ASSERT_EQ(html, exporter.HTMLOptions());
    EXPECT_EQ(exporter.HTMLOptions()->GetOwner(), &exporter);
    SetOrdProp(html, "BackGroundColor", clYellow);
    EXPECT_EQ(exporter.HTMLOptions()->BackGroundColor(), clYellow);

    TObject* font = GetObjectProp(html, "DefaultFont");
    ASSERT_EQ(font, exporter.HTMLOptions()->DefaultFont());
    EXPECT_EQ(exporter.HTMLOptions()->DefaultFont()->GetOwner(), exporter.HTMLOptions());
    SetStrProp(font, "Name", "Verdana");
    EXPECT_EQ(exporter.HTMLOptions()->DefaultFont()->Name(), "Verdana");

    TObject* table = GetObjectProp(&exporter, "TableOptions");
    ASSERT_EQ(table, exporter.TableOptions());
    EXPECT_EQ(exporter.TableOptions()->GetOwner(), &exporter);
    SetOrdProp(table, "OddRowBgColor", clWindowText);  // negative: a system colour
    EXPECT_EQ(exporter.TableOptions()->OddRowBgColor(), clWindowText);

    SetStrProp(GetObjectProp(&exporter, "Formats"), "DateTimeFormat", "dd.mm.yyyy hh:nn");
    EXPECT_EQ(exporter.Formats()->DateTimeFormat(), "dd.mm.yyyy hh:nn");
}
