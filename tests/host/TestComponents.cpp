#include "TestComponents.h"

#include "vcl50/Dialogs.h"
#include "vcl50/Strings.h"
#include "vcl50/Sysutils.h"

const TTypeInfo* TypeInfoTraits<TTestKind>::Get()
{
    static const TTypeInfo info = EnumTypeInfo<TTestKind>("TTestKind", {"ekPlain", "ekFancy", "ekOther"});
    return &info;
}

TClass TTestFormats::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TTestFormats, TPersistent>("TTestFormats")
        .Property("DateFormat", &TTestFormats::DateFormat, &TTestFormats::DateFormat)
        .Property("TimeFormat", &TTestFormats::TimeFormat, &TTestFormats::TimeFormat)
        .Property("Locked", &TTestFormats::Locked, &TTestFormats::SetLocked)
        .Build();
    return &meta;
}

void TTestFormats::SetLocked(const AnsiString& value)
{
    if (RefuseWrites)
        throw EPropertyError("refused");
    FLocked = value;
}

TClass TTestSource::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TTestSource, TComponent>("TTestSource")
        .Property("Caption", &TTestSource::Caption, &TTestSource::Caption)
        .Build();
    return &meta;
}

TTestWidget::TTestWidget(TComponent* owner)
    : TDerived(owner), FFormats(std::make_unique<TTestFormats>()), FItems(std::make_unique<TStringList>())
{
}

TTestWidget::~TTestWidget() = default;

TClass TTestWidget::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TTestWidget, TComponent>("TTestWidget")
        .Property("FileName", &TTestWidget::FileName, &TTestWidget::FileName)
        .Property("Kind", &TTestWidget::Kind, &TTestWidget::Kind)
        .Property("Active", &TTestWidget::Active, &TTestWidget::Active)
        .Property("Color", &TTestWidget::Color, &TTestWidget::Color)
        .Property("Count", &TTestWidget::Count, &TTestWidget::Count)
        .Property("Letter", &TTestWidget::Letter, &TTestWidget::Letter)
        .Property("Style", &TTestWidget::Style, &TTestWidget::Style)
        .Property("Formats", &TTestWidget::Formats)
        .Property("Items", &TTestWidget::Items)
        .Property("Source", &TTestWidget::Source, &TTestWidget::SetSource)
        .Property("OnClick", &TTestWidget::OnClick, &TTestWidget::OnClick)
        .Property("OnChange", &TTestWidget::OnChange, &TTestWidget::OnChange)
        .Property("OnCreate", &TTestWidget::OnCreate, &TTestWidget::OnCreate)
        .Build();
    return &meta;
}

void TTestWidget::SetSource(TTestSource* source)
{
    if (FSource)
        FSource->RemoveFreeNotification(this);
    FSource = source;
    if (FSource)
        FSource->FreeNotification(this);
}

void TTestWidget::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove && component == FSource)
        FSource = nullptr;
    TComponent::Notification(component, operation);
}

TClass TTestDerived::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TTestDerived, TTestWidget>("TTestDerived")
        .Property("Extra", &TTestDerived::Extra, &TTestDerived::Extra)
        .Build();
    return &meta;
}

TClass TTestOther::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TTestOther, TComponent>("TTestOther")
        .Property("FileName", &TTestOther::FileName, &TTestOther::FileName)
        .Property("OnClick", &TTestOther::OnClick, &TTestOther::OnClick)
        .Build();
    return &meta;
}

TClass TTestRoot::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TTestRoot, TComponent>("TTestRoot")
        .Method("Widget1Create", &TTestRoot::Widget1Create)
        .Method("SharedClick", &TTestRoot::SharedClick)
        .Method("KeyHandler", &TTestRoot::KeyHandler)
        .Build();
    return &meta;
}

TClass TTestFileNameProperty::StaticClass()
{
    static const TMetaClass meta =
        TClassBuilder<TTestFileNameProperty, TStringProperty>("TTestFileNameProperty").Build();
    return &meta;
}

TPropertyAttributes TTestFileNameProperty::GetAttributes()
{
    return TStringProperty::GetAttributes() + TPropertyAttributes{paDialog};
}

void TTestFileNameProperty::Edit()
{
    SetStrValue(GetStrValue() + ".edited");
}

TClass TTestHalfWayProperty::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TTestHalfWayProperty, TStringProperty>("TTestHalfWayProperty").Build();
    return &meta;
}

TPropertyAttributes TTestHalfWayProperty::GetAttributes()
{
    return TStringProperty::GetAttributes() + TPropertyAttributes{paDialog};
}

void TTestHalfWayProperty::Edit()
{
    SetStrValue(GetStrValue() + "!");
    auto* source = As<TTestSource>(GetComponent(0));
    source->SetDesignPosition(source->DesignLeft() + 8, source->DesignTop() + 8);
    throw EInvalidOperation("the editor fails half way");
}

TClass TTestDerivedFileNameProperty::StaticClass()
{
    static const TMetaClass meta =
        TClassBuilder<TTestDerivedFileNameProperty, TTestFileNameProperty>("TTestDerivedFileNameProperty").Build();
    return &meta;
}

TClass TTestWidgetEditor::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TTestWidgetEditor, TDefaultEditor>("TTestWidgetEditor").Build();
    return &meta;
}

void TTestWidgetEditor::ExecuteVerb(int index)
{
    auto* widget = As<TTestWidget>(Component());
    if (index == 0) {
        widget->Count += 1;
        GetDesigner()->Modified();
    } else if (index == 1) {
        throw EInvalidOperation("verb 1 refuses");
    } else if (index == 2) {
        auto dialog = ConstructUnique<TTestDialog>(nullptr);
        dialog->SetCaption(widget->Name() + " -- Test Dialog");
        dialog->Choice = widget->FileName;
        dialog->btOk->SetEnabled(widget->FileName != "locked");
        if (dialog->ShowModal() == mrOk) {
            widget->FileName = dialog->Choice;
            widget->Color = dialog->PickedColor;
            GetDesigner()->Modified();
        }
    }
}

AnsiString TTestWidgetEditor::GetVerb(int index)
{
    return index == 0 ? "&Count" : index == 1 ? "&Refuse" : index == 2 ? "&Dialog..." : "";
}

int TTestWidgetEditor::GetVerbCount()
{
    return 3;
}

TTestDialog::TTestDialog(TComponent* owner) : TDerived(owner, 0)
{
    SetClientWidth(300);
    SetClientHeight(260);
    btOk = Make<TButton>("btOk", 0);
    btOk->SetModalResult(mrOk);
    btOk->SetDefault(true);
    btCancel = Make<TButton>("btCancel", 30);
    btCancel->SetModalResult(mrCancel);
    btCancel->SetCancel(true);
    btColor = Make<TButton>("btColor", 60);
    btColor->OnClick = TNotifyEvent(this, &TTestDialog::ColorClick);
    btOpen = Make<TButton>("btOpen", 90);
    btOpen->OnClick = TNotifyEvent(this, &TTestDialog::OpenClick);
    btMessage = Make<TButton>("btMessage", 120);
    btMessage->OnClick = TNotifyEvent(this, &TTestDialog::MessageClick);
    btRaise = Make<TButton>("btRaise", 150);
    btRaise->OnClick = TNotifyEvent(this, &TTestDialog::RaiseClick);
    btNested = Make<TButton>("btNested", 180);
    btNested->OnClick = TNotifyEvent(this, &TTestDialog::NestedClick);
    lbItems = Make<TListBox>("lbItems", 0);
    lbItems->SetLeft(100);
    lbItems->SetMultiSelect(true);
    lbItems->SetDragMode(dmAutomatic);
    lbItems->Items()->SetCommaText("Alpha,Beta,Gamma");
    lbTarget = Make<TListBox>("lbTarget", 100);
    lbTarget->SetLeft(100);
    lbTarget->OnDragOver = TDragOverEvent(this, &TTestDialog::TargetDragOver);
    lbTarget->OnDragDrop = TDragDropEvent(this, &TTestDialog::TargetDragDrop);
    cbxKind = Make<TComboBox>("cbxKind", 200);
    cbxKind->SetStyle(csDropDownList);
    cbxKind->Items()->SetCommaText("One,Two,Three");
    cbxKind->OnChange = TNotifyEvent(this, &TTestDialog::KindChange);
}

TClass TTestDialog::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TTestDialog, TForm>("TTestDialog")
        .Property("Choice", &TTestDialog::Choice)
        .Property("PickedColor", &TTestDialog::PickedColor)
        .Property("NestedResult", &TTestDialog::NestedResult)
        .Build();
    return &meta;
}

template <class T>
T* TTestDialog::Make(const char* name, int top)
{
    T* control = new T(this);
    control->SetName(name);
    control->SetParent(this);
    control->SetBounds(0, top, 90, 25);
    return control;
}

void TTestDialog::ColorClick(TObject*)
{
    auto dialog = ConstructUnique<TColorDialog>(nullptr);
    dialog->SetColor(PickedColor);
    if (dialog->Execute())
        PickedColor = dialog->Color();
}

void TTestDialog::OpenClick(TObject*)
{
    auto dialog = ConstructUnique<TOpenDialog>(nullptr);
    dialog->SetFilter("Text files (*.txt)|*.txt");
    dialog->SetDefaultExt("txt");
    dialog->SetFileName(Choice);
    if (dialog->Execute())
        Choice = dialog->FileName();
}

void TTestDialog::MessageClick(TObject*)
{
    ShowMessage("Choice is \"" + Choice + "\"");
}

void TTestDialog::RaiseClick(TObject*)
{
    throw EInvalidOperation("the button refuses");
}

void TTestDialog::NestedClick(TObject*)
{
    auto nested = ConstructUnique<TTestDialog>(nullptr);
    nested->SetCaption("Nested");
    NestedResult = nested->ShowModal();
}

void TTestDialog::KindChange(TObject*)
{
    Choice = cbxKind->Text();
}

void TTestDialog::TargetDragOver(TObject*, TObject* source, int, int, TDragState, bool& accept)
{
    accept = source == lbItems;
}

void TTestDialog::TargetDragDrop(TObject*, TObject*, int, int)
{
    for (int i = 0; i < lbItems->Items()->Count(); ++i)
        if (lbItems->Selected(i))
            lbTarget->Items()->Add(lbItems->Items()->Get(i));
}

TClass TTestDerivedEditor::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TTestDerivedEditor, TTestWidgetEditor>("TTestDerivedEditor").Build();
    return &meta;
}

void RegisterTestComponents()
{
    const TComponentClass classes[] = {TTestWidget::StaticClass(), TTestDerived::StaticClass(),
                                       TTestSource::StaticClass(), TTestOther::StaticClass()};
    RegisterComponents("Test", classes, 3);
    RegisterPropertyEditor(TypeInfoOf<AnsiString>(), TTestWidget::StaticClass(), "FileName",
                           TTestFileNameProperty::StaticClass());
    RegisterPropertyEditor(TypeInfoOf<AnsiString>(), TTestSource::StaticClass(), "Caption",
                           TTestHalfWayProperty::StaticClass());
    RegisterComponentEditor(TTestWidget::StaticClass(), TTestWidgetEditor::StaticClass());
}
