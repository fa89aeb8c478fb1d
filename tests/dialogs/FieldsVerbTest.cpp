// The export components' editors in the designer: the verbs, the fields verb on real SQLite files
// from end to end, the HTML editor's double-click walk and the About property.

#include <functional>
#include <string>
#include <vector>

#include "DialogTesting.h"
#include "vcl50/Formresources.h"
#include "dialogs/Kexpabout.h"
#include "dialogs/Kfieldseditdlg.h"
#include "editors/Kexpdsgn.h"
#include "host/DesignHost.h"
#include "rowcastb5/Khtmlexport.h"
#include "rowcastb5/Kxmlexport.h"
#include "vcl50/Input.h"
#include "vcldb50/Sqlitedataset.h"

namespace {

// A dataset that opens with no fields at all, which no SQLite table can be.
class TFieldlessDataSet : public TDataSet {
public:
    using TDataSet::TDataSet;

protected:
    void InternalOpen() override {}
};

std::string Entries(const TStrings* items)
{
    std::string text;
    for (int i = 0; i < items->Count(); ++i)
        text += (i ? "," : "") + items->Get(i);
    return text;
}

class FieldsVerbTest : public TemplateDialogTest {
protected:
    void SetUp() override
    {
        TemplateDialogTest::SetUp();
        RegisterFormResource("TFMKFIELDSEDITDLG", ReadText(FIELDSEDIT_DFM));
        RegisterFormResource("TABOUTF", ReadText(ABOUT_DFM));
        Database = Folder + "/shop.db";
        MakeShopDatabase(Database);
        Place();
    }

    // A fresh export on the table, an unmodified form and no recorded message, for each case.
    void Place()
    {
        delete Export;
        delete Table;
        Export = new TKXMLExport(Designer.GetRoot());
        Export->SetName("XmlOut");
        Table = new TSQLiteDataSet(Designer.GetRoot());
        Table->SetDatabaseName(Database);
        Table->SetTableName("Orders");
        Export->SetDataSet(Table);
        Designer.ClearModified();
        Observer.Events.clear();
        Shown = "not shown";
        Interaction::ClearQueues();
    }

    // Runs the fields verb with `session` in the dialog, which it ends with OK or Cancel itself.
    void RunFieldsVerb(const std::function<void(TfmKFieldsEditDlg&)>& session)
    {
        Interaction::QueueModalHandler([&](TCustomForm* form) {
            auto* d = As<TfmKFieldsEditDlg>(form);
            Shown = Entries(d->SrcList->Items()) + " | " + Entries(d->DstList->Items());
            Caption = d->Caption();
            session(*d);
        });
        CreateComponentEditor(TKExportEditor::StaticClass(), Export, &Designer)->ExecuteVerb(0);
    }

public:  // for the cases' own preparations
    using TemplateDialogTest::Folder;
    TDesignHost Host;
    TDesigner& Designer = Host.NewForm("MainForm");
    std::string Database;
    TKXMLExport* Export = nullptr;
    TSQLiteDataSet* Table = nullptr;
    std::string Shown = "not shown";
    AnsiString Caption;
};

struct TVerbCase {
    const char* What;
    std::function<void(FieldsVerbTest&)> Prepare;
    std::function<void(TfmKFieldsEditDlg&)> Session;
    const char* Shown;      // the lists as the dialog opened: available | exported
    const char* Exported;   // ExportedFields afterwards
    bool Modified;
    bool ActiveAfter;
};

const auto Nothing = [](FieldsVerbTest&) {};
const auto Ok = [](TfmKFieldsEditDlg& d) { Input::Click(d.OKBtn); };
const auto Cancel = [](TfmKFieldsEditDlg& d) { Input::Click(d.CancelBtn); };

}  // namespace

TEST_F(FieldsVerbTest, FromTheDatasetToTheDialogAndBack)
{
    const TVerbCase cases[] = {
        {"a stored name differing in case only is exported; one that is no field stays",
         [](auto& t) { t.Export->ExportedFields()->SetCommaText("customer,Ghost"); },
         [](auto& d) { Input::SelectItem(d.SrcList, 2); Input::Click(d.IncludeBtn); Input::Click(d.OKBtn); },
         "amount,created,id,NOTE | customer,Ghost", "customer,Ghost,id", true, false},
        {"Cancel writes nothing", [](auto& t) { t.Export->ExportedFields()->SetCommaText("id"); },
         [](auto& d) { Input::Click(d.IncAllBtn); Input::Click(d.CancelBtn); },
         "amount,created,Customer,NOTE | id", "id", false, false},
        {"an open dataset stays open", [](auto& t) { t.Table->Open(); }, Ok, "amount,created,Customer,id,NOTE | ", "", true, true},
        {"OK without a change still rewrites and marks modified",
         [](auto& t) { t.Export->ExportedFields()->SetCommaText("NOTE,id"); }, Ok,
         "amount,created,Customer | NOTE,id", "NOTE,id", true, false},
        {"OK with an empty list", [](auto& t) { t.Export->ExportedFields()->SetCommaText("NOTE,id"); },
         [](auto& d) { Input::Click(d.ExAllBtn); Input::Click(d.OKBtn); },
         "amount,created,Customer | NOTE,id", "", true, false},
        {"a dataset without fields offers nothing",
         [](auto& t) {
             t.Export->SetDataSet(new TFieldlessDataSet(t.Designer.GetRoot()));
             t.Export->ExportedFields()->SetCommaText("Ghost");
         },
         Cancel, " | Ghost", "Ghost", false, false},
    };
    for (const TVerbCase& c : cases) {
        SCOPED_TRACE(c.What);
        Place();
        TStrings* list = Export->ExportedFields();
        c.Prepare(*this);
        const int forms = Screen->FormCount();
        RunFieldsVerb(c.Session);
        EXPECT_EQ(Shown, c.Shown);
        EXPECT_EQ(Caption, "MainForm->XmlOut -- Fields Editor");
        EXPECT_EQ(Export->ExportedFields(), list) << "the component keeps its own list object";
        EXPECT_EQ(Entries(list), c.Exported);
        EXPECT_EQ(Designer.IsModified(), c.Modified);
        EXPECT_EQ(Export->DataSet()->Active(), c.ActiveAfter);
        EXPECT_EQ(Screen->FormCount(), forms);
        EXPECT_TRUE(Observer.Events.empty());
    }
}

TEST_F(FieldsVerbTest, FailuresShowTheirMessageAndChangeNothing)
{
    const struct {
        const char* What;
        std::function<void(FieldsVerbTest&)> Prepare;
        const char* Message;
    } cases[] = {
        {"no dataset", [](auto& t) { t.Export->SetDataSet(nullptr); }, "message Sorry, Dataset property not assigned :-("},
        {"missing file", [](auto& t) { t.Table->SetDatabaseName(t.Folder + "/missing.db"); },
         "message Sorry, could not open Dataset :-("},
        {"missing table", [](auto& t) { t.Table->SetTableName("Invoices"); }, "message Sorry, could not open Dataset :-("},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        Place();
        c.Prepare(*this);
        Export->ExportedFields()->SetCommaText("id");
        RunFieldsVerb(Cancel);  // the handler stays queued: no dialog may take it
        EXPECT_EQ(Observer.Events, std::vector<std::string>{c.Message});
        EXPECT_EQ(Shown, "not shown");
        EXPECT_EQ(Entries(Export->ExportedFields()), "id");
        EXPECT_FALSE(Table->Active());
        EXPECT_FALSE(Designer.IsModified());
        EXPECT_FALSE(std::filesystem::exists(Folder + "/missing.db"));
    }
}

// An exception while the dialog is up reaches the host; the dialog is freed, the dataset closed
// again and nothing written.
TEST_F(FieldsVerbTest, AnExceptionPassesOnAndLeavesEverythingAsItWas)
{
    Export->ExportedFields()->SetCommaText("id");
    const int forms = Screen->FormCount();
    EXPECT_THROW(RunFieldsVerb([](auto& d) {
                     Input::Click(d.IncAllBtn);
                     throw Exception("broken");
                 }),
                 Exception);
    EXPECT_EQ(Screen->FormCount(), forms);
    EXPECT_FALSE(Table->Active());
    EXPECT_EQ(Entries(Export->ExportedFields()), "id");
    EXPECT_FALSE(Designer.IsModified());
}

TEST_F(FieldsVerbTest, VerbsOfBothEditors)
{
    auto* html = new TKHTMLExport(Designer.GetRoot());
    auto exportEditor = CreateComponentEditor(TKExportEditor::StaticClass(), Export, &Designer);
    auto htmlEditor = CreateComponentEditor(TKHTMLExportEditor::StaticClass(), html, &Designer);
    const std::vector<AnsiString> verbs = {"F&ields editor...", "&About Tarnel Lumatab...", "Edit HTML template..."};
    ASSERT_EQ(exportEditor->GetVerbCount(), 2);
    ASSERT_EQ(htmlEditor->GetVerbCount(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(htmlEditor->GetVerb(i), verbs[i]);
        EXPECT_EQ(exportEditor->GetVerb(i), i < 2 ? verbs[i] : AnsiString());
    }
    // Verb 1 of either shows the About box; beyond its verbs the export editor does nothing.
    for (TComponentEditor* editor : {exportEditor.get(), htmlEditor.get()}) {
        TClass shown = nullptr;
        Interaction::QueueModalHandler([&](TCustomForm* form) {
            shown = form->ClassType();
            Input::Click(As<TAboutF>(form)->BitBtn1);
        });
        editor->ExecuteVerb(1);
        EXPECT_EQ(shown, TAboutF::StaticClass());
    }
    exportEditor->ExecuteVerb(2);
    exportEditor->ExecuteVerb(7);
    EXPECT_TRUE(Observer.Events.empty());
    EXPECT_FALSE(Designer.IsModified());
}

namespace {

// A property editor that only tells its name and counts its Edit calls.
class TNamedEditor : public TPropertyEditor {
public:
    explicit TNamedEditor(AnsiString name) : FName(std::move(name)) {}
    AnsiString GetName() override { return FName; }
    void Edit() override { ++Edits; }
    int Edits = 0;

private:
    AnsiString FName;
};

}  // namespace

TEST_F(FieldsVerbTest, TheDoubleClickWalkStopsAtHTMLTemplateOnly)
{
    auto* html = new TKHTMLExport(Designer.GetRoot());
    auto editor = CreateComponentEditor(TKHTMLExportEditor::StaticClass(), html, &Designer);
    for (const char* name : {"HTMLTemplate", "htmltemplate", "HTMLOptions", "OnClick", "Template"}) {
        TNamedEditor property(name);
        bool carryOn = true, freeEditor = true;
        As<TKHTMLExportEditor>(editor.get())->EditProperty(&property, carryOn, freeEditor);
        const bool isIt = SameText(name, "HTMLTemplate");
        EXPECT_EQ(property.Edits, isIt ? 1 : 0) << name;
        EXPECT_EQ(carryOn, !isIt) << name;
        EXPECT_TRUE(freeEditor) << name;
    }
}

TEST_F(FieldsVerbTest, TheAboutPropertyShowsItsTextAndTheBoxAndWritesNothing)
{
    for (const char* stored : {"", "something else"}) {
        Export->SetAbout(stored);
        auto editor = CreatePropertyEditor(TKExportAboutProperty::StaticClass(), &Designer,
                                           {TInstProp{Export, GetPropInfo(Export, "About")}});
        EXPECT_EQ(editor->GetValue(), "(About Tarnel Lumatab)");
        EXPECT_TRUE(editor->GetAttributes() == (TPropertyAttributes{paDialog, paReadOnly}));
        bool shown = false;
        Interaction::QueueModalHandler([&](TCustomForm* form) {
            shown = Is<TAboutF>(form);
            Input::CloseBox(form);
        });
        editor->Edit();
        EXPECT_TRUE(shown);
        EXPECT_EQ(Export->About(), stored);
        EXPECT_FALSE(Designer.IsModified());
    }
}
