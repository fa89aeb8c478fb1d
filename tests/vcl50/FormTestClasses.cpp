#include "FormTestClasses.h"

#include "vcl50/Formresources.h"

const TTypeInfo* TypeInfoTraits<TResShade>::Get()
{
    static const TTypeInfo info = EnumTypeInfo<TResShade>("TResShade", {"shLight", "shMedium", "shDark"});
    return &info;
}

const TTypeInfo* TypeInfoTraits<TResTextEvent>::Get()
{
    static const TTypeInfo info = MethodTypeInfo<TResTextEvent>("TResTextEvent");
    return &info;
}

namespace formtest {

int Live = 0;

// ---- TResItem ---------------------------------------------------------------------------------

TResItem::TResItem(TComponent* owner) : TDerived(owner)
{
    ++Live;
}

TResItem::~TResItem()
{
    --Live;
}

TClass TResItem::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TResItem, TComponent>("TResItem")
        .Property("Caption", &TResItem::Caption, &TResItem::SetCaption)
        .Property("Left", &TResItem::Left, &TResItem::Left)
        .Property("Color", &TResItem::Color, &TResItem::Color)
        .Property("Shade", &TResItem::Shade, &TResItem::Shade)
        .Property("Styles", &TResItem::Styles, &TResItem::Styles)
        .Property("Visible", &TResItem::Visible, &TResItem::Visible)
        .Property("Small", &TResItem::Small, &TResItem::Small)
        .Property("Letter", &TResItem::Letter, &TResItem::Letter)
        .Property("Computed", &TResItem::Computed)
        .Property("Font", &TResItem::Font, &TResItem::SetFont)
        .Property("Items", &TResItem::Items)
        .Property("Buddy", &TResItem::Buddy, &TResItem::SetBuddy)
        .Property("FailLoaded", &TResItem::FailLoaded, &TResItem::FailLoaded)
        .Property("OnClick", &TResItem::OnClick, &TResItem::OnClick)
        .Property("OnGetText", &TResItem::OnGetText, &TResItem::OnGetText)
        .Build();
    return &meta;
}

void TResItem::Loaded()
{
    TComponent::Loaded();
    ++LoadedCalls;
    if (FailLoaded)
        throw EInvalidOperation("Item " + Name() + " refuses to load");
}

void TResItem::SetCaption(const AnsiString& caption)
{
    FCaption = caption;
    LoadingWhenCaptionSet = ComponentState().Contains(csLoading);
}

void TResItem::SetBuddy(TResItem* buddy)
{
    FBuddy = buddy;
    if (buddy)
        buddy->FreeNotification(this);
}

void TResItem::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove && component == FBuddy)
        FBuddy = nullptr;
    TComponent::Notification(component, operation);
}

// ---- TResPanel, TResFrame ---------------------------------------------------------------------

TClass TResPanel::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TResPanel, TResItem>("TResPanel").Build();
    return &meta;
}

void TResPanel::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root)
{
    for (int i = 0; i < root->ComponentCount(); ++i)
        if (root->Components(i)->GetParentComponent() == this)
            proc(root->Components(i));
}

TResFrame::TResFrame(TComponent* owner) : TDerived(owner), Inner(new TResItem(this))
{
    Inner->SetName("Inner");
    Inner->SetParentComponent(this);
    Items()->Add("framed");
}

TClass TResFrame::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TResFrame, TResPanel>("TResFrame").Build();
    return &meta;
}

// ---- TResRoot ---------------------------------------------------------------------------------

TResRoot::TResRoot(TComponent* owner) : TDerived(owner)
{
    ++Live;
}

TResRoot::~TResRoot()
{
    --Live;
}

TClass TResRoot::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TResRoot, TComponent>("TResRoot")
        .Property("Caption", &TResRoot::Caption, &TResRoot::Caption)
        .Property("Width", &TResRoot::Width, &TResRoot::Width)
        .Property("ActiveItem", &TResRoot::ActiveItem, &TResRoot::SetActiveItem)
        .Property("OnShow", &TResRoot::OnShow, &TResRoot::OnShow)
        .Field("Item1", &TResRoot::Item1)
        .Field("Item2", &TResRoot::Item2)
        .Field("Panel1", &TResRoot::Panel1)
        .Field("Mismatch", &TResRoot::Mismatch)
        .Method("ItemClick", &TResRoot::ItemClick)
        .Method("GetText", &TResRoot::GetText)
        .Build();
    return &meta;
}

void TResRoot::GetChildren(const std::function<void(TComponent*)>& proc, TComponent*)
{
    for (int i = 0; i < ComponentCount(); ++i)
        if (Components(i)->GetParentComponent() == this)
            proc(Components(i));
}

void TResRoot::Loaded()
{
    TComponent::Loaded();
    ++LoadedCalls;
}

void TResRoot::SetActiveItem(TResItem* item)
{
    FActiveItem = item;
    if (item)
        item->FreeNotification(this);
}

void TResRoot::ItemClick(TObject* sender)
{
    ++Clicks;
    LastSender = sender;
}

void TResRoot::GetText(TObject*, AnsiString& text)
{
    text = "from root";
}

void TResRoot::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove && component == FActiveItem)
        FActiveItem = nullptr;
    TComponent::Notification(component, operation);
}

// ---- forms with resources ---------------------------------------------------------------------

TClass TResBaseForm::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TResBaseForm, TResRoot>("TResBaseForm").Build();
    return &meta;
}

void TResBaseForm::AfterConstruction()
{
    TResRoot::AfterConstruction();
    if (FReadsResource)
        InitInheritedComponent(this, TResRoot::StaticClass());
}

TClass TResDerivedForm::StaticClass()
{
    static const TMetaClass meta = TClassBuilder<TResDerivedForm, TResBaseForm>("TResDerivedForm").Build();
    return &meta;
}

namespace {

const bool registered = [] {
    RegisterClasses({TResItem::StaticClass(), TResPanel::StaticClass(), TResFrame::StaticClass(),
                     TResRoot::StaticClass()});
    return true;
}();

}  // namespace

}  // namespace formtest
