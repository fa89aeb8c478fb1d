// A small dialog of the tests' own, read from a form resource and driven as a person would.

#include "VisualSupport.h"

#include "vcl50/Buttons.h"
#include "vcl50/Dialogs.h"
#include "vcl50/ExtCtrls.h"
#include "vcl50/Formresources.h"
#include "vcl50/Input.h"
#include "vcl50/StdCtrls.h"

namespace {

const char* const ProbeResource = R"(object fmProbe: TfmProbe
  Left = 200
  Top = 120
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  Caption = 'Probe'
  ClientHeight = 160
  ClientWidth = 240
  Font.Name = 'Arial'
  Position = poScreenCenter
  OnCreate = FormCreate
  OnShow = FormShow
  PixelsPerInch = 96
  TextHeight = 13
  object Bar: TPanel
    Left = 0
    Top = 0
    Width = 240
    Height = 36
    Align = alBottom
    BevelOuter = bvNone
    TabOrder = 1
    object btOK: TBitBtn
      Left = 80
      Top = 6
      Width = 75
      Height = 25
      TabOrder = 0
      Kind = bkOK
    end
    object btCancel: TBitBtn
      Left = 160
      Top = 6
      Width = 75
      Height = 25
      TabOrder = 1
      OnKeyDown = btCancelKeyDown
      Kind = bkCancel
    end
  end
  object Swatch: TPanel
    Left = 8
    Top = 8
    Width = 100
    Height = 60
    Cursor = crHandPoint
    Hint = 'Click for a colour'
    BevelOuter = bvLowered
    Color = clWhite
    ShowHint = True
    TabOrder = 2
    OnClick = SwatchClick
    object Sample: TLabel
      Left = 4
      Top = 4
      Width = 50
      Height = 13
      Caption = 'Sample'#33
      OnClick = SwatchClick
    end
  end
  object lbShade: TLabel
    Left = 120
    Top = 8
    Caption = '&Shade'
    FocusControl = cbxShade
  end
  object cbxShade: TComboBox
    Left = 120
    Top = 24
    Width = 110
    Style = csDropDownList
    Items.Strings = (
      'Light'
      'Dark')
    TabOrder = 0
    OnChange = cbxShadeChange
  end
  object lbNames: TListBox
    Left = 120
    Top = 52
    Width = 110
    Height = 60
    DragMode = dmAutomatic
    Items.Strings = (
      'c'
      'a'
      'b')
    MultiSelect = True
    Sorted = True
    TabOrder = 3
    OnDblClick = lbNamesDblClick
    OnDragOver = lbNamesDragOver
  end
  object ColorDialog: TColorDialog
  end
end
)";

class TfmProbe : public TDerived<TfmProbe, TForm> {
public:
    using TDerived::TDerived;
    static TClass StaticClass();

    TBitBtn* btOK = nullptr;
    TBitBtn* btCancel = nullptr;
    TPanel* Swatch = nullptr;
    TLabel* Sample = nullptr;
    TComboBox* cbxShade = nullptr;
    TListBox* lbNames = nullptr;
    TColorDialog* ColorDialog = nullptr;
    std::vector<std::string> Log;

    void FormCreate(TObject*) { Log.push_back("create " + std::to_string(cbxShade->Items()->Count())); }
    void FormShow(TObject*)
    {
        cbxShade->SetItemIndex(0);
        Log.push_back("show");
    }
    void SwatchClick(TObject* sender)
    {
        Log.push_back("click " + As<TComponent>(sender)->Name());
        ColorDialog->SetColor(Swatch->Color());
        if (ColorDialog->Execute())
            Swatch->SetColor(ColorDialog->Color());
    }
    void cbxShadeChange(TObject*) { Log.push_back("change " + cbxShade->Text()); }
    void btCancelKeyDown(TObject*, WORD& key, TShiftState)
    {
        if (key == VK_ESCAPE)
            btCancel->Click();
    }
    void lbNamesDblClick(TObject*) { Log.push_back("dblclick"); }
    void lbNamesDragOver(TObject*, TObject* source, int, int, TDragState, bool& accept)
    {
        accept = source != lbNames;
    }
};

TClass TfmProbe::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TfmProbe, TForm>("TfmProbe")
        .Field("btOK", &TfmProbe::btOK)
        .Field("btCancel", &TfmProbe::btCancel)
        .Field("Swatch", &TfmProbe::Swatch)
        .Field("Sample", &TfmProbe::Sample)
        .Field("cbxShade", &TfmProbe::cbxShade)
        .Field("lbNames", &TfmProbe::lbNames)
        .Field("ColorDialog", &TfmProbe::ColorDialog)
        .Method("FormCreate", &TfmProbe::FormCreate)
        .Method("FormShow", &TfmProbe::FormShow)
        .Method("SwatchClick", &TfmProbe::SwatchClick)
        .Method("cbxShadeChange", &TfmProbe::cbxShadeChange)
        .Method("btCancelKeyDown", &TfmProbe::btCancelKeyDown)
        .Method("lbNamesDblClick", &TfmProbe::lbNamesDblClick)
        .Method("lbNamesDragOver", &TfmProbe::lbNamesDragOver)
        .Build();
    return &meta;
}

class ProbeTest : public VisualTest {
protected:
    void SetUp() override
    {
        VisualTest::SetUp();
        RegisterFormResource("TFMPROBE", ProbeResource);
        Form = ConstructUnique<TfmProbe>(nullptr);
    }
    void TearDown() override
    {
        Form.reset();
        UnregisterFormResource("TFMPROBE");
        VisualTest::TearDown();
    }

    std::vector<std::string> TabStops() const
    {
        std::vector<std::string> names;
        for (TWinControl* c : Form->TabOrderList())
            if (c->TabStop())
                names.push_back(c->Name());
        return names;
    }

    std::unique_ptr<TfmProbe> Form;
};

TEST_F(ProbeTest, TheResourceBuildsTheDialogBeforeOnCreate)
{
    EXPECT_EQ(Form->Name(), "fmProbe");
    EXPECT_EQ(Form->Log, (std::vector<std::string>{"create 2"}));
    EXPECT_EQ(Form->ClientWidth(), 240);
    EXPECT_EQ(Form->ClientHeight(), 160);
    EXPECT_EQ(Form->BorderStyle(), bsDialog);
    EXPECT_EQ(Form->Font()->Name(), "Arial");

    auto* bar = As<TPanel>(Form->FindComponent("Bar"));
    EXPECT_EQ(bar->BoundsRect(), (TRect{0, 124, 240, 160}));
    EXPECT_EQ(bar->Caption(), "") << "a resource's controls keep the caption it gives";
    EXPECT_EQ(Form->btOK->Parent(), bar);
    EXPECT_EQ(Form->btOK->Caption(), "OK");
    EXPECT_TRUE(Form->btOK->Default());
    EXPECT_EQ(Form->btCancel->ModalResult(), mrCancel);
    EXPECT_EQ(Form->btCancel->Font()->Name(), "Arial") << "the form's font reaches its controls";

    EXPECT_EQ(Form->Swatch->Cursor(), crHandPoint);
    EXPECT_EQ(Form->Sample->Caption(), "Sample!");
    EXPECT_EQ(Form->Sample->Color(), clWhite);
    EXPECT_TRUE(Form->Sample->ShowHint());
    EXPECT_EQ(As<TLabel>(Form->FindComponent("lbShade"))->FocusControl(), Form->cbxShade);
    EXPECT_EQ(Form->lbNames->Items()->CommaText(), "a,b,c");
    EXPECT_EQ(GetMethodProp(Form->btCancel, "OnKeyDown").Name, "btCancelKeyDown");
    EXPECT_EQ(TabStops(), (std::vector<std::string>{"cbxShade", "btOK", "btCancel", "lbNames"}));
}

TEST_F(ProbeTest, APersonUsesTheDialog)
{
    Interaction::QueueModalHandler([&](TCustomForm*) {
        EXPECT_TRUE(Form->cbxShade->Focused());
        Input::ChooseItem(Form->cbxShade, 1);
        Interaction::QueueAnswer(TDialogAnswer::ColorValue(clYellow));
        Input::Click(Form->Sample);
        Input::KeyDown(Form->cbxShade, 'S', {ssAlt});
        Input::SelectItem(Form->lbNames, 2);
        Input::DblClick(Form->lbNames);
        EXPECT_FALSE(Input::DragDrop(Form->lbNames, Form->lbNames, 5, 5)) << "the list refuses a drag from itself";
        Input::KeyDown(Form->btCancel, VK_ESCAPE);
    });
    EXPECT_EQ(Form->ShowModal(), mrCancel);
    EXPECT_EQ(Form->Log, (std::vector<std::string>{"create 2", "show", "change Dark", "click Sample", "dblclick"}));
    EXPECT_EQ(Form->Swatch->Color(), clYellow);
    EXPECT_EQ(Form->Sample->Color(), clYellow) << "the label follows its panel";
    EXPECT_EQ(Observer.Events,
              (std::vector<std::string>{"shown TfmProbe", "color 00FFFFFF -> 0000FFFF", "closed TfmProbe 2"}));
}

TEST_F(ProbeTest, EnterOnTheListClosesWithOkAndTheFormCanBeShownAgain)
{
    for (int round = 0; round < 2; ++round) {
        Interaction::QueueModalHandler([&](TCustomForm*) { Input::KeyDown(Form->lbNames, VK_RETURN); });
        EXPECT_EQ(Form->ShowModal(), mrOk);
    }
    EXPECT_EQ(Form->ActiveControl(), Form->lbNames);
}

TEST_F(ProbeTest, WritingAndReadingAgainGivesTheSameDialog)
{
    AnsiString written = WriteComponentResourceText(Form.get());
    RegisterFormResource("TFMPROBE", written);
    auto copy = ConstructUnique<TfmProbe>(nullptr);
    EXPECT_EQ(WriteComponentResourceText(copy.get()), written);
    EXPECT_EQ(copy->Swatch->Color(), clWhite);
    EXPECT_TRUE(copy->Sample->ParentColor());
    EXPECT_EQ(copy->btOK->Caption(), "OK");
    EXPECT_EQ(copy->lbNames->Items()->CommaText(), "a,b,c");
    EXPECT_EQ(copy->ClientHeight(), 160);
    EXPECT_EQ(written.find("Default ="), AnsiString::npos) << "what the kind brings is not stored";
}

TEST_F(ProbeTest, ABadResourceLeavesNoFormBehind)
{
    int forms = Screen->FormCount();
    AnsiString broken = ProbeResource;
    // The setter refuses while the controls before it already exist.
    broken.replace(broken.find("BevelOuter = bvLowered"), 22, "BevelWidth = 0");
    RegisterFormResource("TFMPROBE", broken);
    try {
        ConstructUnique<TfmProbe>(nullptr);
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_NE(e.Message().find("Swatch.BevelWidth"), AnsiString::npos) << e.Message();
    }
    EXPECT_EQ(Screen->FormCount(), forms);
}

}  // namespace
