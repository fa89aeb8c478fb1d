// Every editor and dialog of the package, failed at each of its steps in turn, from one table.
// Whatever fails: no form is left behind, the dataset is as it was, the designer hears of a change
// only once all of it is written, and the host reports the failure and goes on to the next row.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "DialogTesting.h"
#include "dialogs/Kexpabout.h"
#include "dialogs/Kfieldseditdlg.h"
#include "editors/Kexpdsgn.h"
#include "host/DesignHost.h"
#include "vcl50/Formresources.h"
#include "vcl50/Input.h"
#include "vcldb50/Sqlitedataset.h"

namespace fs = std::filesystem;

namespace {

// Each run as the designer makes it, on one HTML export: its verbs, its double-click, and the
// property editors of its properties.
enum class TEditor { FieldsVerb, AboutVerb, AboutProperty, TemplateProperty, DoubleClick, FileName, DateFormat };
const char* const EditorNames[] = {"fields verb",        "About verb",   "About property",      "HTMLTemplate property",
                                   "double-click",       "FileName property", "DateFormat property"};

enum class TOutcome {
    Raises,      // the failure reaches the host
    Refused,     // the editor says why in a message and stops
    WritesBack,  // the dialog reports the failure (if any), goes on, and its OK writes back
};

// Peers that tell the test of each font change, so that a fault can strike between two steps of
// a dialog's own (the template file's values, read and applied one by one).
class THookedWidgetSet : public THeadlessWidgetSet {
public:
    std::unique_ptr<TControlPeer> CreatePeer(TControl* control) override;
    std::function<void(const AnsiString& control)> OnFontChanged;
};

struct THookedPeer : THeadlessPeer {
    THookedPeer(THookedWidgetSet& set, AnsiString name) : Set(set), Name(std::move(name)) {}
    void FontChanged() override
    {
        THeadlessPeer::FontChanged();
        if (Set.OnFontChanged)
            Set.OnFontChanged(Name);
    }
    THookedWidgetSet& Set;
    AnsiString Name;
};

std::unique_ptr<TControlPeer> THookedWidgetSet::CreatePeer(TControl* control)
{
    return std::make_unique<THookedPeer>(*this, control->Name());
}

const auto Injected = [](TObject*) { throw Exception("injected fault"); };

// A template file whose every value differs from the export's, so each one read repaints.
const char* const SchemeText =
    "[HTML options]\nBackground-color=$00112233\nFont-color=$00223344\nFont-family=Courier\n"
    "LinkColor=$00334455\nVLinkColor=$00445566\nALinkColor=$00556677\n[Table options]\n"
    "Header-bgcolor=$00667788\nHeader-color=$00778899\nTable-color=$008899AA\n"
    "Even_row-bgcolor=$0099AABB\nOdd_row-bgcolor=$00AABBCC\n";

class FaultInjectionTest : public TemplateDialogTest {
protected:
    void SetUp() override
    {
        TemplateDialogTest::SetUp();
        RegisterPropertyEditor(TypeInfoOf<THTMLTemplate>(), TKHTMLExport::StaticClass(), "HTMLTemplate",
                               TKHTMLTemplateProperty::StaticClass());
        MakeShopDatabase(Folder + "/shop.db");
        auto widgets = std::make_unique<THookedWidgetSet>();
        Widgets = widgets.get();
        SetWidgetSet(std::move(widgets));
        Host.SetOnModified([this](TDesigner&) { Notices.push_back(WriteComponentResourceText(Export)); });
    }
    void TearDown() override
    {
        SetWidgetSet(nullptr);
        TemplateDialogTest::TearDown();
    }

public:  // for the rows
    using TemplateDialogTest::Folder;
    // Sound forms, a fresh export on a closed table, the dialogs' default answers, no fault armed.
    void Place(TEditor editor)
    {
        for (auto [name, path] : Forms)
            RegisterFormResource(name, ReadText(path));
        delete Export;
        delete Table;
        Table = new TSQLiteDataSet(Designer.GetRoot());
        Table->SetDatabaseName(Folder + "/shop.db");
        Table->SetTableName("Orders");
        Export = new TKHTMLExport(Designer.GetRoot());
        Export->SetName("HtmlOut");
        Export->SetDataSet(Table);
        Export->SetHTMLTemplate(htCustom);
        fs::remove_all(Scheme());
        WriteText(Scheme(), SchemeText);
        Answers.clear();
        if (editor == TEditor::TemplateProperty)
            Answers = {TDialogAnswer::ColorValue(clRed), TDialogAnswer::FileValue(Folder + "/saved.htf"),
                       TDialogAnswer::FileValue(Scheme())};
        if (editor == TEditor::FileName)
            Answers = {TDialogAnswer::FileValue(Folder + "/out.html")};
        DialogRaises = SetterRaises = false;
        Widgets->OnFontChanged = nullptr;
        Interaction::ClearQueues();
        Observer.Events.clear();
        Notices.clear();
    }

    // The form's resource as `change` makes it: a file cut short, a control gone.
    void ChangeForm(const char* name, const std::function<std::string(const std::string&)>& change)
    {
        for (auto [formName, path] : Forms)
            if (SameText(formName, name))
                RegisterFormResource(name, change(ReadText(path)));
    }
    void BreakForm(const char* name)
    {
        ChangeForm(name, [](const std::string& text) { return text.substr(0, text.size() / 2); });
    }
    // The control of that name read under another name: where code finds it by name or through
    // its field, it is not there.
    void HideControl(const char* form, const std::string& control)
    {
        ChangeForm(form, [&](std::string text) {
            return text.replace(text.find("object " + control + ":"), 7 + control.size(), "object Hidden" + control);
        });
    }

    std::string Scheme() const { return Folder + "/scheme.htf"; }
    // A template file that cannot be read: a folder where it was.
    void SchemeBecomesFolder() const
    {
        fs::remove(Scheme());
        fs::create_directory(Scheme());
    }

    void Run(TEditor editor)
    {
        for (const TDialogAnswer& answer : Answers)
            Interaction::QueueAnswer(answer);
        Interaction::QueueModalHandler([this](TCustomForm* form) {
            if (DialogRaises)
                throw Exception("injected fault");
            Session(form);
        });
        switch (editor) {
        case TEditor::FieldsVerb: ComponentEditor()->ExecuteVerb(0); break;
        case TEditor::AboutVerb: ComponentEditor()->ExecuteVerb(1); break;
        case TEditor::AboutProperty:
            PropertyEditor(TKExportAboutProperty::StaticClass(), Export, "About")->Edit();
            break;
        case TEditor::TemplateProperty:
            PropertyEditor(TKHTMLTemplateProperty::StaticClass(), Export, "HTMLTemplate")->Edit();
            break;
        case TEditor::DoubleClick: ComponentEditor()->Edit(); break;
        case TEditor::FileName:
            PropertyEditor(TKHTMLFileNameProperty::StaticClass(), Export, "FileName")->Edit();
            break;
        case TEditor::DateFormat:
            PropertyEditor(TKDateFormatProperty::StaticClass(), Export->Formats(), "DateFormat")->SetValue("yyyy");
            break;
        }
    }

    TDesignHost Host;
    TDesigner& Designer = Host.NewForm("MainForm");
    THookedWidgetSet* Widgets = nullptr;
    TSQLiteDataSet* Table = nullptr;
    TKHTMLExport* Export = nullptr;
    std::vector<TDialogAnswer> Answers;  // the common dialogs' answers, in the order they are asked
    bool DialogRaises = false;           // the person's session in the modal form
    bool SetterRaises = false;           // the edited property's setter
    std::vector<AnsiString> Notices;     // the export as it stood at each Modified call

private:
    // What a person does in each form: choose and confirm.
    static void Session(TCustomForm* form)
    {
        if (auto* fields = dynamic_cast<TfmKFieldsEditDlg*>(form)) {
            Input::Click(fields->IncAllBtn);
            Input::Click(fields->OKBtn);
        } else if (auto* about = dynamic_cast<TAboutF*>(form)) {
            Input::Click(about->BitBtn1);
        } else {
            auto* editor = As<TfmKHTMLTemplateEditDlg>(form);
            Input::Click(editor->BackPanel);
            Input::Click(editor->btSaveTemplate);
            Input::Click(editor->btLoadTemplate);
            Input::Click(editor->btStart);
        }
    }

    std::unique_ptr<TComponentEditor> ComponentEditor()
    {
        return CreateComponentEditor(TKHTMLExportEditor::StaticClass(), Export, &Designer);
    }

    // The editor on the property as registered, or on a copy whose setter raises.
    std::unique_ptr<TPropertyEditor> PropertyEditor(TClass editorClass, TPersistent* instance, const char* name)
    {
        const TPropInfo* prop = GetPropInfo(instance, name);
        if (SetterRaises) {
            RaisingProp = *prop;
            RaisingProp->SetOrd = [](TObject*, int64_t) { Injected(nullptr); };
            RaisingProp->SetStr = [](TObject*, const AnsiString&) { Injected(nullptr); };
            prop = &*RaisingProp;
        }
        return CreatePropertyEditor(editorClass, &Designer, {TInstProp{instance, prop}});
    }

    const std::vector<std::pair<const char*, const char*>> Forms = {
        {"TFMKHTMLTEMPLATEEDITDLG", HTMLTEMPLATE_DFM}, {"TFMKFIELDSEDITDLG", FIELDSEDIT_DFM}, {"TABOUTF", ABOUT_DFM}};
    std::optional<TPropInfo> RaisingProp;
};

struct TFaultRow {
    TEditor Editor;
    const char* Step;
    std::function<void(FaultInjectionTest&)> Inject;
    TOutcome Outcome;
    const char* Evidence;  // in what the host or the person was shown: proof that the fault struck
};

using T = FaultInjectionTest&;
using E = TEditor;
using O = TOutcome;

const auto ListRefuses = [](T t) { static_cast<TStringList*>(t.Export->ExportedFields())->OnChanging = Injected; };
const auto OpenTable = [](T t) { t.Table->Open(); };
const char* const FieldsForm = "TFMKFIELDSEDITDLG";
const char* const AboutForm = "TABOUTF";
const char* const TemplateForm = "TFMKHTMLTEMPLATEEDITDLG";

}  // namespace

TEST_F(FaultInjectionTest, EachStepOfEachEditorFailsCleanly)
{
    const TFaultRow rows[] = {
        {E::FieldsVerb, "dataset open: a file that is no database",
         [](T t) {
             WriteText(t.Folder + "/junk.db", "no database at all");
             t.Table->SetDatabaseName(t.Folder + "/junk.db");
         },
         O::Refused, "could not open Dataset"},
        {E::FieldsVerb, "form creation", [](T t) { t.BreakForm(FieldsForm); }, O::Raises, "EReadError"},
        {E::FieldsVerb, "form creation, the dataset open before", [](T t) { t.BreakForm(FieldsForm); OpenTable(t); },
         O::Raises, "EReadError"},
        {E::FieldsVerb, "form creation: a field's control missing", [](T t) { t.HideControl(FieldsForm, "SrcList"); },
         O::Raises, "no component SrcList"},
        {E::FieldsVerb, "the dialog", [](T t) { t.DialogRaises = true; }, O::Raises, "injected"},
        {E::FieldsVerb, "write-back", ListRefuses, O::Raises, "injected"},
        {E::FieldsVerb, "write-back, the dataset open before", [](T t) { ListRefuses(t); OpenTable(t); }, O::Raises,
         "injected"},
        {E::AboutVerb, "form creation", [](T t) { t.BreakForm(AboutForm); }, O::Raises, "EReadError"},
        {E::AboutVerb, "form creation: a field's control missing", [](T t) { t.HideControl(AboutForm, "BitBtn1"); },
         O::Raises, "no component BitBtn1"},
        {E::AboutVerb, "the dialog", [](T t) { t.DialogRaises = true; }, O::Raises, "injected"},
        {E::AboutProperty, "form creation", [](T t) { t.BreakForm(AboutForm); }, O::Raises, "EReadError"},
        {E::TemplateProperty, "form creation", [](T t) { t.BreakForm(TemplateForm); }, O::Raises, "EReadError"},
        {E::TemplateProperty, "form creation: a field's control missing",
         [](T t) { t.HideControl(TemplateForm, "lbHTMLLink"); }, O::Raises, "no component lbHTMLLink"},
        {E::TemplateProperty, "form creation: a preview cell missing",
         [](T t) { t.HideControl(TemplateForm, "ColHead1"); }, O::Raises, "has no ColHead1"},
        {E::TemplateProperty, "colour dialog", [](T t) { t.Answers[0] = TDialogAnswer::Raising("injected"); },
         O::WritesBack, "error injected"},
        {E::TemplateProperty, "save dialog", [](T t) { t.Answers[1] = TDialogAnswer::Raising("injected"); },
         O::WritesBack, "error injected"},
        {E::TemplateProperty, "ini write: the folder is gone",
         [](T t) { t.Answers[1] = TDialogAnswer::FileValue(t.Folder + "/gone/saved.htf"); }, O::WritesBack,
         "gone/saved.htf"},
        {E::TemplateProperty, "open dialog", [](T t) { t.Answers[2] = TDialogAnswer::Raising("injected"); },
         O::WritesBack, "error injected"},
        {E::TemplateProperty, "ini read: the first value", [](T t) { t.SchemeBecomesFolder(); }, O::WritesBack,
         "scheme.htf"},
        {E::TemplateProperty, "ini read: a value part way",
         [](T t) {
             // LinkColor, the fourth value, repaints its label; the fifth read then fails.
             t.Widgets->OnFontChanged = [&t](const AnsiString& control) {
                 if (control == "lbHTMLLink" && fs::is_regular_file(t.Scheme()))
                     t.SchemeBecomesFolder();
             };
         },
         O::WritesBack, "scheme.htf"},
        {E::TemplateProperty, "the dialog", [](T t) { t.DialogRaises = true; }, O::Raises, "injected"},
        {E::TemplateProperty, "setter", [](T t) { t.SetterRaises = true; }, O::Raises, "injected"},
        {E::TemplateProperty, "write-back", [](T t) { t.Export->HTMLOptions()->DefaultFont()->OnChange = Injected; },
         O::Raises, "injected"},
        {E::DoubleClick, "form creation", [](T t) { t.BreakForm(TemplateForm); }, O::Raises, "EReadError"},
        {E::FileName, "open dialog", [](T t) { t.Answers[0] = TDialogAnswer::Raising("injected"); }, O::Raises,
         "injected"},
        {E::FileName, "setter", [](T t) { t.SetterRaises = true; }, O::Raises, "injected"},
        {E::DateFormat, "setter", [](T t) { t.SetterRaises = true; }, O::Raises, "injected"},
        // After all of that, the same host edits as if nothing had happened.
        {E::FieldsVerb, "no fault, at the end", [](T) {}, O::WritesBack, ""},
        {E::TemplateProperty, "no fault, at the end", [](T) {}, O::WritesBack, ""},
    };
    for (const TFaultRow& row : rows) {
        SCOPED_TRACE(std::string(EditorNames[static_cast<int>(row.Editor)]) + ", " + row.Step);
        Place(row.Editor);
        row.Inject(*this);
        const int forms = Screen->FormCount();
        const bool active = Table->Active();
        std::optional<TCallFailure> failure;
        try {
            Designer.Perform(row.Step, [&] { Run(row.Editor); });  // as the host calls package code
        } catch (...) {
            failure = CaughtFailure();
        }
        std::string shown = failure ? failure->Text() : std::string();
        for (const std::string& event : Observer.Events)
            shown += "\n" + event;
        EXPECT_NE(shown.find(row.Evidence), std::string::npos) << shown;
        EXPECT_EQ(failure.has_value(), row.Outcome == O::Raises) << shown;
        EXPECT_EQ(Screen->FormCount(), forms);
        EXPECT_EQ(Table->Active(), active);
        EXPECT_EQ(AboutF, nullptr) << "the About box's global outlived its form";
        if (row.Outcome == O::WritesBack) {
            EXPECT_EQ(Notices, std::vector<AnsiString>{WriteComponentResourceText(Export)});
            const TUndoHistory& history = Designer.History();
            EXPECT_EQ(history.CanUndo() ? history.NextUndo().Label : AnsiString("(none)"), row.Step)
                << "the edit is one undo step of its own";
        } else {
            EXPECT_EQ(Notices, std::vector<AnsiString>{});
        }
    }
}
